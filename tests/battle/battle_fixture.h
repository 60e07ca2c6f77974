#pragma once
// A battle set up the way the war does it, on a small world of its own: every
// battle map is open plain, the skill table gives 100 percent everywhere
// (with a few rows changed where a test needs it), and pictures are absent so
// drawing costs nothing. The test runs inside the temporary folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "battle/battle_globals.h"
#include "battle/fight.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "shell/draw.h"
#include "shell/globals.h"

class BattleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kestrel_battle_XXXXXX";
    root_ = mkdtemp(pattern);
    oldDir_ = std::filesystem::current_path().string();
    for (const char* dir : {"Res", "Res/Fight", "Res/City", "Res/Hero", "Res/Head", "Res/Log", "Res/Log/Err"})
      std::filesystem::create_directories(root_ + "/" + dir);
    std::filesystem::current_path(root_);
    backDC->Resize(800, 600, kWhite);
    UseVirtualClock(true);
    SeedRandom(7);
    menuShow = 0;
    menuMove = 0;
    menuSpeed = 0;
    colorMode = 0;
    WritePlainMaps();
    WriteSkillTable(100);
    Write("Res/skill.kss", SkillNames());
    Write("Res/fightesc.kss", "End\nRetreat\nShow\nSpeed\nMove\n");
    Write("Res/fightfight.kss", "Attack\nSkill\nInfo\nWait\n");
    Write("Res/fightshow.kss", "Off\nOn\n");
    Write("Res/fightspeed.kss", "Short\nLong\n");
    fight = new Fight();
  }
  void TearDown() override {
    delete fight;
    std::filesystem::current_path(oldDir_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    UseVirtualClock(false);
  }

  void Write(const std::string& relative, const std::string& content) const {
    std::ofstream out(root_ + "/" + relative, std::ios::binary);
    out << content;
  }

  void WritePlainMaps() const {
    std::ostringstream map;
    for (int r = 0; r < kMapRows; ++r) {
      for (int c = 0; c < kMapCols; ++c) map << "1 ";
      map << "\n";
    }
    for (int n = 0; n < 7; ++n) Write("Res/Fight/fightmap0" + std::to_string(n) + ".kdt", map.str());
  }

  // 25 rows of 32: id, unused, power 400, unused x2, then percentages.
  // `troopPercent` is the percentage every row gives against navy targets.
  void WriteSkillTable(int navyPercent) const {
    std::ostringstream table;
    for (int s = 0; s < kSkillCount; ++s) {
      table << s << " 0 400 0 0";
      for (int c = 5; c < kSkillTableColumns; ++c) table << ' ' << (c == kSkillTroopColumn + kNavy ? navyPercent : 100);
      table << "\n";
    }
    Write("Res/Fight/skill.kdt", table.str());
  }

  static std::string SkillNames() {
    std::string names;
    for (int s = 0; s < kSkillCount; ++s) names += "SK" + std::to_string(s / 10) + std::to_string(s % 10) + "\n";
    return names;
  }

  // A battle on city 1 (map 0) attacked from the east (city number 3), with
  // `own` player units and `enemy` computer units; slots get plain values.
  void NewBattle(int own, int enemy, int warType = 0) {
    fight->PubInit(0);
    fight->InitData(own, 0, 1, 1000);
    fight->enemyUnitCount = enemy;
    fight->warSerial = 3;
    fight->warType = warType;
    fight->enemyFood = 1000;
    fight->ownSoldierTotal = 0;
    fight->enemySoldierTotal = 0;
    for (int i = 0; i < kUnitSlots; ++i) {
      FightHero& u = fight->units[i];
      bool used = i < own || (i >= kEnemyBase && i < kEnemyBase + enemy);
      u.officerId = used ? i : -1;
      u.level = 1;
      u.troopType = kInfantry;
      u.force = 60;
      u.intelligence = 60;
      u.soldiers = used ? 1000 : 0;
      u.experience = 0;
      u.stamina = 100;
      u.moveBonus = 0;
      u.heroStyle = 0;
      if (used && i < kEnemyBase) fight->ownSoldierTotal += u.soldiers;
      if (used && i >= kEnemyBase) fight->enemySoldierTotal += u.soldiers;
    }
  }

  // Places a unit without the opening (tests of single rules).
  void Place(int slot, int row, int col, int troop = kInfantry) {
    FightHero& u = fight->units[slot];
    u.row = row;
    u.col = col;
    u.troopType = troop;
  }

  void SetTile(int row, int col, int tile) {
    fight->battleMap.tiles[row * kMapStride + col] = tile;
    fight->battleMap.terrain[row * kMapStride + col] = TerrainKindOfTile(tile);
  }

  // Moves the view so that the cursor stands on a map square.
  void PutCursor(int row, int col) {
    FightMap& m = fight->battleMap;
    m.viewTop = std::min(std::max(row - 2, 0), kMaxViewTop);
    m.viewLeft = std::min(std::max(col - 4, 0), kMaxViewLeft);
    m.cursorRow = row - m.viewTop;
    m.cursorCol = col - m.viewLeft;
  }

  // A key as the map's handler passes it: the battle redraws after a 0.
  int Press(int key) {
    int result = fight->KeyDown(key);
    if (result == 0) fight->Show(0);
    return result;
  }

  // Selects the unit on (row, col), moves it to (toRow, toCol) and leaves the
  // action menu open.
  void MoveUnit(int row, int col, int toRow, int toCol) {
    PutCursor(row, col);
    Press(keyReturn);
    PutCursor(toRow, toCol);
    Press(keyReturn);
  }

  // From the open action menu: the skill entry, then the skill at menu index.
  void ChooseSkill(int menuIndex) {
    Press(keyDown);
    Press(keyReturn);
    for (int i = 0; i < menuIndex; ++i) Press(keyDown);
    Press(keyReturn);
  }

  Fight* fight = nullptr;
  std::string root_;
  std::string oldDir_;
};
