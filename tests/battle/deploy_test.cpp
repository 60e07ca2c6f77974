// Deployment: anchors, formations and the opening views.
#include <set>
#include <utility>

#include "tests/battle/battle_fixture.h"

TEST_F(BattleTest, EveryFormationAtEveryAnchorFitsTheMapWithoutSharing) {
  std::vector<Square> anchors(kAttackAnchors, kAttackAnchors + kDirections);
  anchors.insert(anchors.end(), kDefenceAnchors, kDefenceAnchors + kBattleMapCount);
  for (int f = 1; f <= kDirections; ++f) {
    for (const Square& anchor : anchors) {
      std::set<std::pair<int, int>> taken;
      for (int p = 0; p < kFormationSlots; ++p) {
        Square offset = FormationOffset(f, p);
        int r = anchor.row + offset.row, c = anchor.col + offset.col;
        EXPECT_TRUE(OnBattleMap(r, c)) << "formation " << f << " position " << p;
        EXPECT_TRUE(taken.insert({r, c}).second) << "formation " << f << " position " << p;
      }
    }
  }
}

TEST_F(BattleTest, EveryCityAndDirectionDeploysBothSidesApart) {
  for (int city = 0; city < kMapCityCount; ++city) {
    for (int d = 0; d < kDirections; ++d) {
      int from = kAttackDirectionTable[city][d];
      if (from == 0) continue;
      for (int warType = 0; warType < 2; ++warType) {
        std::set<std::pair<int, int>> taken;
        for (int slot = 0; slot < kUnitSlots; ++slot) {
          FightHero u;
          u.battleCity = city;
          u.warSerial = from;
          u.warType = warType;
          u.SetPosition(slot);
          EXPECT_EQ(u.formation, d + 1);
          EXPECT_TRUE(OnBattleMap(u.row, u.col));
          EXPECT_TRUE(taken.insert({u.row, u.col}).second) << "city " << city << " slot " << slot;
          EXPECT_EQ(u.spriteRow, slot < kEnemyBase ? 0 : 1);
        }
      }
    }
  }
}

TEST_F(BattleTest, AnAttackFromDirectionFourStandsAtTheRightEdge) {
  NewBattle(10, 10, 0);
  fight->Show(kShowOpening);  // city 1, attacker city number 3 (direction 4)
  EXPECT_EQ(fight->units[0].row, 15);
  EXPECT_EQ(fight->units[0].col, 26);
  EXPECT_EQ(fight->units[9].row, 15);
  EXPECT_EQ(fight->units[9].col, 28);
  EXPECT_EQ(fight->units[10].row, 15);  // map 0's defence anchor
  EXPECT_EQ(fight->units[10].col, 15);
  EXPECT_EQ(fight->units[15].formation, 4);
  // The opening shows the player's side last, with its commander under the cursor.
  EXPECT_EQ(fight->battleMap.viewTop, 13);
  EXPECT_EQ(fight->battleMap.viewLeft, 22);
  // The opening set every live unit's derived values.
  EXPECT_GT(fight->units[3].life, 0);
  EXPECT_EQ(fight->units[3].skillPower, fight->units[3].SkillPowerCeiling());

  NewBattle(10, 10, 1);
  fight->Show(kShowOpening);
  EXPECT_EQ(fight->units[0].col, 15);
  EXPECT_EQ(fight->units[10].col, 26);
  EXPECT_EQ(fight->battleMap.viewTop, 13);
  EXPECT_EQ(fight->battleMap.viewLeft, 11);
}

TEST_F(BattleTest, AnAttackerOutsideTheTableComesFromItsCompassSide) {
  // City cells: index 0 at (10, 10), index 4 west of it, index 6 south-east.
  Write("Res/City/postion.kdt", "10 10\n1 1\n1 1\n1 1\n2 10\n1 1\n15 16\n");
  EXPECT_EQ(AttackDirection(0, 5), 7);  // left middle
  EXPECT_EQ(AttackDirection(0, 7), 1);  // bottom right
  EXPECT_EQ(AttackDirection(0, 4), 1);  // the table still rules where it has the city
  FightHero u;
  u.battleCity = 45;  // no map of its own: map 0 and the compass
  u.warSerial = 1;
  u.warType = 1;
  u.SetPosition(12);
  EXPECT_GE(u.formation, 1);
  EXPECT_TRUE(OnBattleMap(u.row, u.col));
  EXPECT_EQ(u.defenceAnchorRow, kDefenceAnchors[0].row);
}
