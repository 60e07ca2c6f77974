#pragma once
// One unit slot of the battle: an officer's copy of his fighting values plus
// the battle-only state (position, status, skills, deployment anchors).
#include "shell/json_writer.h"
#include "shell/menu.h"

constexpr int kMaxSkills = 20;

class FightHero {
 public:
  int battleCity = 0;
  int officerId = -1;
  int level = 0;
  int troopType = 0;
  int force = 0;
  int intelligence = 0;
  int soldiers = 0;
  int experience = 0;
  int life = 0;
  int stamina = 0;
  int skillPower = 0;
  int attack = 0;
  int defence = 0;
  int unitStatus = 0;
  int row = 0;
  int col = 0;
  int spriteRow = 0;
  int moveBonus = 0;
  int canAct = 0;
  int skills[kMaxSkills] = {};
  int skillCount = 0;
  int heroStyle = 0;
  Menu skillMenu;
  int attackAnchorRow = 0;
  int attackAnchorCol = 0;
  int defenceAnchorRow = 0;
  int defenceAnchorCol = 0;
  int warSerial = 0;
  int formation = 0;
  int warType = 0;

  void Init(int scenario, int city);
  int KeyDown(int key);
  // Draws the unit's sprite at a screen cell into the back buffer.
  void Show(int screenCol, int screenRow);
  // Rebuilds the skill list, draws the sprite and shows it on the window.
  void ShowDirct(int screenCol, int screenRow);

  void SetSkillList();
  void WriteSkilltoFile();
  void GetMenuSkill();
  void ShowMenuSkill();
  // The number of skills the menu offers at the unit's level.
  int MenuSkillCount() const;

  void SetPosition(int slot);
  void GetStartPosition();
  int GetMyPosition() const;
  int GetUnderground() const;

  // Derived ceilings, floored at 0.
  int LifeFormula() const;
  int SkillPowerCeiling() const;
  bool Beaten() const;

  void Dump(JsonWriter& out) const;
};
