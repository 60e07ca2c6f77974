// Attack ranges, attack and defence values, hits, experience and level-ups.
#include "tests/battle/battle_fixture.h"

TEST_F(BattleTest, ArchersHitTheRingAndCavalryTheCross) {
  NewBattle(1, 0);
  Place(0, 10, 10, kArcher);
  fight->SetAt(10, 10, 0);
  EXPECT_EQ(attackMap[10][12], 1);
  EXPECT_EQ(attackMap[8][10], 1);
  EXPECT_EQ(attackMap[11][11], 1);
  EXPECT_EQ(attackMap[10][11], 0);  // no orthogonal neighbour
  EXPECT_EQ(attackMap[12][12], 0);

  Place(0, 10, 10, kCavalry);
  fight->SetAt(10, 10, 0);
  EXPECT_EQ(attackMap[10][11], 1);
  EXPECT_EQ(attackMap[9][10], 1);
  EXPECT_EQ(attackMap[11][11], 0);  // no diagonal
  EXPECT_EQ(attackMap[10][12], 0);

  Place(0, 0, 0, kInfantry);
  fight->SetAt(0, 0, 0);
  EXPECT_EQ(attackMap[1][1], 1);
  EXPECT_EQ(attackMap[0][1], 1);
}

TEST_F(BattleTest, EveryHitTakesAtLeastTenAndNoMoreThanTheTargetHas) {
  NewBattle(1, 1);
  Place(0, 10, 10, kCavalry);
  Place(10, 10, 11, kInfantry);
  fight->units[0].soldiers = 7;  // base 0
  selectedUnit = 0;
  targetUnit = 10;
  int total = fight->enemySoldierTotal;
  fight->CountAtkHurt();
  EXPECT_EQ(fight->units[10].soldiers, 990);
  EXPECT_EQ(fight->enemySoldierTotal, total - 10);

  fight->units[0].soldiers = 1000;
  fight->units[10].soldiers = 5;
  total = fight->enemySoldierTotal;
  fight->CountAtkHurt();
  EXPECT_EQ(fight->units[10].soldiers, 0);
  EXPECT_EQ(fight->units[10].unitStatus, kStatusBeaten);
  EXPECT_EQ(fight->enemySoldierTotal, total - 5);
}

TEST_F(BattleTest, MysticAttackersDealSixTenthsOfTheBase) {
  NewBattle(1, 1);
  Place(0, 10, 10, kMystic);
  Place(10, 10, 11, kInfantry);
  fight->units[0].level = 0;
  fight->units[0].force = 100;  // attack 10 * 100 * 0.4 = 400
  fight->units[0].soldiers = 800;
  fight->units[10].level = 0;
  fight->units[10].intelligence = 50;  // defence 10 * 50 * 1.2 = 600
  // 400 / 600 * 100 = 66; 66 * 0.6 = 39; + 10
  EXPECT_EQ(fight->HitLoss(0, 10), 49);
  fight->units[10].troopType = kCavalry;  // defence 10 * 50 * 0.7 = 350: 114 * 0.6 = 68
  EXPECT_EQ(fight->HitLoss(0, 10), 78);
}

TEST_F(BattleTest, RiverDefenceFavoursNavyOverCavalry) {
  NewBattle(2, 0);
  SetTile(5, 5, 20);
  Place(0, 5, 5, kNavy);
  fight->units[0].level = 0;
  fight->units[0].intelligence = 100;
  fight->CountAtDf(0);
  EXPECT_EQ(fight->units[0].defence, 880);
  fight->units[0].troopType = kCavalry;
  fight->CountAtDf(0);
  EXPECT_EQ(fight->units[0].defence, 70);
  SetTile(5, 5, kCampTile);  // 41 is a camp, not river
  fight->CountAtDf(0);
  EXPECT_EQ(fight->units[0].defence, 840);
}

TEST_F(BattleTest, ATargetWithoutDefenceCountsAsDefenceOne) {
  NewBattle(1, 1);
  Place(0, 10, 10, kCavalry);
  Place(10, 10, 11, kCavalry);
  fight->units[0].level = 0;
  fight->units[0].force = 10;  // attack 100
  fight->units[0].soldiers = 80;
  fight->units[10].intelligence = 0;
  EXPECT_EQ(fight->HitLoss(0, 10), 100 * 10 + 10);
}

TEST_F(BattleTest, BeatingAHigherLevelGivesAtLeastEighteen) {
  NewBattle(1, 1);
  Place(0, 10, 10, kCavalry);
  Place(10, 10, 11, kInfantry);
  fight->units[0].level = 1;
  fight->units[10].level = 5;
  fight->units[10].soldiers = 3;
  selectedUnit = 0;
  targetUnit = 10;
  fight->CountAtkHurt();
  EXPECT_GE(lastExp, 18);
  EXPECT_EQ(fight->units[0].experience, lastExp);

  // A lower-level target that survives gives the small share.
  fight->units[0].level = 9;
  fight->units[10].unitStatus = 0;
  fight->units[10].level = 1;
  fight->units[10].soldiers = 5000;
  fight->units[0].soldiers = 8;
  EXPECT_EQ(fight->GetExp(0), 2);
}

TEST_F(BattleTest, ExperienceOfNinetyNineLevelsUpAndLevelTwentyStays) {
  NewBattle(1, 1);
  Place(0, 10, 10, kCavalry);
  Place(10, 10, 11, kInfantry);
  FightHero& a = fight->units[0];
  a.experience = 99;
  a.level = 4;
  selectedUnit = 0;
  targetUnit = 10;
  fight->CountAtkHurt();
  EXPECT_EQ(a.level, 5);
  EXPECT_EQ(a.experience, 99 + lastExp - 100);
  EXPECT_LT(a.experience, 100);
  EXPECT_EQ(a.life, (60 * 80 / 100 + 60 * 30 / 100 + 5) * 100 / 100);
  EXPECT_EQ(a.skillPower, (60 * 80 / 100 + SqrtBelow(60) / 2 + 5) * 100 / 100);

  a.level = 20;
  a.experience = 99;
  fight->CountAtkHurt();
  EXPECT_EQ(a.level, 20);
  EXPECT_EQ(a.experience, 99 + lastExp - 100);
}

TEST_F(BattleTest, TargetsAreCheckedBySide) {
  NewBattle(2, 1);
  Place(0, 10, 10, kInfantry);
  Place(1, 10, 11, kInfantry);
  Place(10, 11, 10, kInfantry);
  fight->SetAt(10, 10, 0);
  PutCursor(11, 10);
  EXPECT_EQ(fight->CanAt(kTargetAttack), 1);
  EXPECT_EQ(targetUnit, 10);
  PutCursor(10, 11);
  EXPECT_EQ(fight->CanAt(kTargetAttack), 2);
  PutCursor(9, 9);
  EXPECT_EQ(fight->CanAt(kTargetAttack), 0);
}
