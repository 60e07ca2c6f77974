// A whole battle played through keys on the real data: the player defends
// city 1 against an army from the east, walks out of the walls, hits, casts,
// spies, changes a setting and beats the attacking commander. The back buffer
// is written as PNG at the moments worth looking at (build folder,
// battle_shots/).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "battle/battle_globals.h"
#include "battle/fight.h"
#include "platform/clock.h"
#include "platform/png_writer.h"
#include "platform/random.h"
#include "shell/globals.h"
#include "tests/support/sandbox.h"

namespace {

class PlayedBattle {
 public:
  explicit PlayedBattle(const std::filesystem::path& shots) : shots_(shots) {
    std::filesystem::create_directories(shots_);
  }

  void Shot(const std::string& name) { SavePng((shots_ / (name + ".png")).string(), *backDC); }

  int Press(int key) {
    int result = fight.KeyDown(key);
    if (result == 0) fight.Show(0);
    return result;
  }

  // Walks the cursor with the arrow keys, as a player would.
  void CursorTo(int row, int col) {
    for (int guard = 0; guard < 80; ++guard) {
      const FightMap& m = fight.battleMap;
      if (m.CursorMapRow() < row) Press(keyDown);
      else if (m.CursorMapRow() > row) Press(keyUp);
      else if (m.CursorMapCol() < col) Press(keyRight);
      else if (m.CursorMapCol() > col) Press(keyLeft);
      else return;
    }
  }

  // Select, move, and leave the action menu open.
  void Move(int fromRow, int fromCol, int toRow, int toCol) {
    CursorTo(fromRow, fromCol);
    Press(keyReturn);
    CursorTo(toRow, toCol);
    Press(keyReturn);
  }

  void ActionEntry(int entry) {
    for (int i = 0; i < entry; ++i) Press(keyDown);
    Press(keyReturn);
  }

  int EndDay() {
    Press(keyEsc);
    return Press(keyReturn);
  }

  Fight fight;

 private:
  std::filesystem::path shots_;
};

void SetUnit(FightHero& u, int officer, int troop, int level, int force, int intelligence, int soldiers, int style) {
  u.officerId = officer;
  u.troopType = troop;
  u.level = level;
  u.force = force;
  u.intelligence = intelligence;
  u.soldiers = soldiers;
  u.experience = 0;
  u.stamina = 100;
  u.moveBonus = 3;
  u.heroStyle = style;
}

}  // namespace

TEST(PlayedBattleTest, DefenceWonByBeatingTheAttackingCommander) {
  Sandbox box;
  std::filesystem::path shots = BuildDir() / "battle_shots";
  std::filesystem::current_path(box.Root());
  backDC->Resize(800, 600, kWhite);
  UseVirtualClock(true);
  SeedRandom(11);
  colorMode = 0;
  menuShow = 0;

  auto* play = new PlayedBattle(shots);
  Fight& f = play->fight;
  // As the war sets up a defence: the picked defenders, then the army of the order.
  f.PubInit(0);
  f.InitData(5, 0, 1, 3000);
  f.enemyUnitCount = 5;
  f.warSerial = 3;
  f.enemyCommanderId = 10;
  f.ownLeaderId = 0;
  f.enemyLeaderId = 10;
  f.enemyFood = 2000;
  f.warType = 1;
  SetUnit(f.units[0], 0, kInfantry, 6, 70, 90, 1200, 6);
  SetUnit(f.units[1], 1, kArcher, 5, 75, 50, 900, 0);
  SetUnit(f.units[2], 2, kCavalry, 5, 85, 40, 900, 0);
  SetUnit(f.units[3], 3, kInfantry, 5, 80, 50, 1000, 0);
  SetUnit(f.units[4], 4, kMystic, 7, 40, 95, 800, 0);
  f.units[3].experience = 95;
  for (int i = 5; i < kSideSlots; ++i) f.units[i].officerId = -1;
  for (int i = 0; i < 5; ++i) SetUnit(f.units[kEnemyBase + i], 10 + i, i % 3, 5, 60, 40, 700, 0);
  f.units[kEnemyBase].soldiers = 300;
  // The attackers hold still under 遁甲 (the computer turn skips any unit
  // with a status), so the squares this script walks to stay as planned.
  for (int i = 0; i < 5; ++i) f.units[kEnemyBase + i].unitStatus = kStatusDunjia;
  for (int i = 15; i < kUnitSlots; ++i) f.units[i].officerId = -1;
  f.ownSoldierTotal = 1200 + 900 + 900 + 1000 + 800;
  f.enemySoldierTotal = 300 + 4 * 700;

  f.Show(kShowOpening);
  f.Show(0);
  play->Shot("01_opening");
  EXPECT_EQ(f.units[0].row, 15);
  EXPECT_EQ(f.units[0].col, 15);
  EXPECT_EQ(f.units[kEnemyBase].col, 26);

  play->Press(keyHome);
  play->Shot("02_enemy_situation");
  play->Press(keyRight);
  play->Shot("03_own_situation");
  play->Press(keyEsc);
  play->Press(keySpace);
  play->Shot("04_commander_info");
  play->Press(keyUp);
  play->CursorTo(17, 15);
  play->Press(keySpace);
  play->Shot("05_terrain_info");
  play->Press(keyUp);

  // Day 1: out through the east gate.
  play->CursorTo(15, 16);
  play->Press(keyReturn);
  play->Shot("06_reach");
  play->CursorTo(15, 22);
  play->Press(keyReturn);
  play->Shot("07_action_menu");
  EXPECT_EQ(f.units[3].col, 22);
  play->ActionEntry(kActionStandBy);
  play->Move(16, 15, 16, 20);
  play->ActionEntry(kActionStandBy);
  play->Move(14, 15, 14, 21);
  play->ActionEntry(kActionStandBy);
  // The commander spies on the attackers.
  play->Move(15, 15, 15, 15);
  play->ActionEntry(kActionSkill);
  play->Shot("08_skill_menu");
  play->Press(keyDown);
  play->Press(keyReturn);
  play->Shot("09_spying");
  play->Press(keyUp);
  play->Press(keyHome);
  play->Shot("10_enemy_food_known");
  play->Press(keyEsc);
  play->Press(keyEsc);
  play->Shot("11_esc_menu");
  ASSERT_EQ(play->Press(keyReturn), 0);
  play->Shot("12_day_two");
  EXPECT_EQ(f.day, 3);
  EXPECT_EQ(f.enemyIntelKnown, 0);

  // Day 2: the veteran infantry opens, the mystic casts, the archers finish.
  play->Move(15, 22, 14, 24);
  EXPECT_EQ(f.units[3].col, 24);
  play->ActionEntry(kActionAttack);
  play->Shot("13_attack_range");
  play->CursorTo(15, 25);
  ASSERT_EQ(play->Press(keyReturn), 0);
  play->Shot("14_after_the_charge");
  EXPECT_LT(f.units[12].soldiers, 700);
  EXPECT_EQ(f.units[3].level, 6);  // 95 experience and the hit's share

  play->Move(14, 21, 16, 23);
  EXPECT_EQ(f.units[4].col, 23);
  play->ActionEntry(kActionSkill);
  play->Press(keyDown);  // 定身
  play->Press(keyReturn);
  play->Shot("15_skill_range");
  if (f.skillMode) {
    play->CursorTo(16, 26);
    ASSERT_EQ(play->Press(keyReturn), 0);
  }
  play->Shot("16_after_skill");
  EXPECT_EQ(f.units[4].canAct, f.skillMode);

  // Animations on for the last blow.
  play->Press(keyEsc);
  play->ActionEntry(kEscShowSetting);
  play->ActionEntry(1);
  play->Press(keyEsc);
  EXPECT_EQ(menuShow, 1);
  play->Move(16, 20, 15, 24);
  EXPECT_EQ(f.units[1].row, 15);
  EXPECT_EQ(f.units[1].col, 24);
  play->ActionEntry(kActionAttack);
  play->CursorTo(15, 26);
  int result = play->Press(keyReturn);
  play->Shot("17_result");
  EXPECT_EQ(result, kFightWon);
  EXPECT_EQ(f.units[kEnemyBase].soldiers, 0);
  EXPECT_EQ(f.units[kEnemyBase].unitStatus, kStatusBeaten);
  EXPECT_LT(f.enemySoldierTotal, 300 + 4 * 700);
  menuShow = 0;
  delete play;
  std::filesystem::current_path(BuildDir());
  UseVirtualClock(false);
}
