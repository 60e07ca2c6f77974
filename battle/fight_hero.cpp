#include "battle/fight_hero.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/battle_tables.h"
#include "battle/fight_map.h"
#include "platform/files.h"
#include "rules/data_files.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/text_grid.h"

namespace {
constexpr const char* kSpriteSheet = PicPath(Pic::kUnits);
constexpr const char* kSpriteMask = PicPath(Pic::kUnitsMask);
constexpr int kBoatColumn = 6;
constexpr int kSkillMenuLeft = 420;
constexpr int kSkillMenuTop = 220;
constexpr int kSkillMenuCells = 2;
constexpr int kSkillMenuWrap = 3;   // keeps lastIndex as passed: only the offered skills are choosable
constexpr int kSkillNameBytes = 4;  // two GBK characters
}  // namespace

void FightHero::Init(int scenario, int city) {
  Log(1, "FightHero::Init", "开始", 0);
  battleCity = city;
  canAct = 1;
  skillPower = 0;
  attack = 0;
  defence = 0;
  unitStatus = 0;
  skillCount = 0;
  for (int& s : skills) s = -1;
}

int FightHero::KeyDown(int key) {
  Log(1, "FightHero::KeyDown", "开始", 0);
  return 0;
}

bool FightHero::Beaten() const { return unitStatus == kStatusBeaten; }

int FightHero::LifeFormula() const {
  return std::max((force * 80 / 100 + intelligence * 30 / 100 + level) * stamina / 100, 0);
}

int FightHero::SkillPowerCeiling() const {
  return std::max((intelligence * 80 / 100 + SqrtBelow(force) / 2 + level) * stamina / 100, 0);
}

void FightHero::Show(int screenCol, int screenRow) {
  Log(1, "FightHero::Show", "开始", 0);
  int column = 2 * (GetUnderground() == 1 ? kBoatColumn : troopType) + (canAct == 0 ? 1 : 0);
  PaintMaskedCell(kSpriteSheet, kSpriteMask, kTileSize * column, kTileSize * spriteRow, kTileSize, kTileSize,
                  kTileSize * screenCol, kTileSize * screenRow + kPictureOffsetY);
}

void FightHero::ShowDirct(int screenCol, int screenRow) {
  Log(1, "FightHero::ShowDirct", "开始", 0);
  SetSkillList();
  Show(screenCol, screenRow);
  CopyBackToWindow();
}

void FightHero::SetSkillList() {
  Log(1, "FightHero::SetSkillList", "开始", 0);
  skillCount = 0;
  for (int& s : skills) s = -1;
  const SpecialSkillList& special = SpecialSkillsOf(heroStyle);
  for (int i = 0; i < special.count; ++i) skills[skillCount++] = special.skills[i];
  if (troopType < 0 || troopType >= kTroopTypes) return;
  const TroopSkillList& troop = kTroopSkills[troopType];
  for (int i = 0; i < troop.count && skillCount < kMaxSkills; ++i) skills[skillCount++] = troop.skills[i];
}

void FightHero::WriteSkilltoFile() {
  Log(1, "FightHero::WriteSkilltoFile", "开始", 0);
  int names = LoadLineList(kSkillNames);
  FILE* f = OpenFile(kSkillMenuFile, "w");
  if (!f) return;
  for (int i = 0; i < skillCount; ++i) {
    char name[kSkillNameBytes + 1] = {0};
    int s = skills[i];
    if (s >= 0 && s < names) std::memcpy(name, textGrid[s], kSkillNameBytes);
    std::fprintf(f, "%s\n", name);
  }
  std::fclose(f);
}

int FightHero::MenuSkillCount() const {
  int offered = std::min(OfferedTroopSkills(troopType, level),
                         troopType >= 0 && troopType < kTroopTypes ? kTroopSkills[troopType].count : 0);
  return std::min(SpecialSkillsOf(heroStyle).count + offered, skillCount);
}

void FightHero::GetMenuSkill() {
  Log(1, "FightHero::GetMenuSkill", "开始", 0);
  int n = MenuSkillCount();
  skillMenuCount = n;
  skillMenu.InitMenu(kSkillMenuCells, n < 2 ? 1 : 2, kSkillMenuLeft, kSkillMenuTop, n - 1, kSkillMenuFile,
                     kSkillMenuWrap);
}

void FightHero::ShowMenuSkill() {
  Log(1, "FightHero::ShowMenuSkill", "开始", 0);
  skillMenu.Show(0);
}

void FightHero::Dump(JsonWriter& out) const {
  out.Int("battleCity", battleCity);
  out.Int("officerId", officerId);
  out.Int("level", level);
  out.Int("troopType", troopType);
  out.Int("force", force);
  out.Int("intelligence", intelligence);
  out.Int("soldiers", soldiers);
  out.Int("experience", experience);
  out.Int("life", life);
  out.Int("stamina", stamina);
  out.Int("skillPower", skillPower);
  out.Int("attack", attack);
  out.Int("defence", defence);
  out.Int("unitStatus", unitStatus);
  out.Int("row", row);
  out.Int("col", col);
  out.Int("spriteRow", spriteRow);
  out.Int("moveBonus", moveBonus);
  out.Int("canAct", canAct);
  out.IntArray("skills", skills, kMaxSkills);
  out.Int("skillCount", skillCount);
  out.Int("heroStyle", heroStyle);
  out.BeginObject("skillMenu");
  skillMenu.Dump(out);
  out.EndObject();
  out.Int("attackAnchorRow", attackAnchorRow);
  out.Int("attackAnchorCol", attackAnchorCol);
  out.Int("defenceAnchorRow", defenceAnchorRow);
  out.Int("defenceAnchorCol", defenceAnchorCol);
  out.Int("warSerial", warSerial);
  out.Int("formation", formation);
  out.Int("warType", warType);
}
