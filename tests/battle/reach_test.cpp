// The movement reach: arms and quadrants with their two thresholds.
#include "tests/battle/battle_fixture.h"

namespace {
int ReachCount() {
  int n = 0;
  for (auto& row : reachMap)
    for (int v : row) n += v;
  return n;
}
}  // namespace

TEST_F(BattleTest, CavalryOnPlainReachesFourAlongEachArmAndTheDiagonals) {
  NewBattle(1, 0);
  Place(0, 15, 15, kCavalry);
  fight->SetArrive(15, 15, 0);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(reachMap[15][15 - k], 1) << k;
    EXPECT_EQ(reachMap[15][15 + k], 1) << k;
    EXPECT_EQ(reachMap[15 - k][15], 1) << k;
    EXPECT_EQ(reachMap[15 + k][15], 1) << k;
  }
  EXPECT_EQ(reachMap[15][10], 0);
  EXPECT_EQ(reachMap[15][20], 0);
  EXPECT_EQ(reachMap[10][15], 0);
  EXPECT_EQ(reachMap[16][16], 1);
  // Inside a quadrant a square needs a point left after paying: (a+2, b+2) has
  // 1 left, (a+2, b+3) would have 0.
  EXPECT_EQ(reachMap[17][17], 1);
  EXPECT_EQ(reachMap[17][18], 0);
  EXPECT_EQ(reachMap[15][15], 1);
}

TEST_F(BattleTest, NavyOnRiverGoesFourAlongTheRiverButTwoOntoPlain) {
  NewBattle(1, 0);
  for (int c = 5; c < 26; ++c) SetTile(15, c, 20);
  Place(0, 15, 15, kNavy);
  fight->SetArrive(15, 15, 0);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(reachMap[15][15 + k], 1) << k;
  EXPECT_EQ(reachMap[15][20], 0);
  EXPECT_EQ(reachMap[14][15], 1);
  EXPECT_EQ(reachMap[13][15], 1);
  EXPECT_EQ(reachMap[12][15], 0);
}

TEST_F(BattleTest, ImmobilisedUnitReachesOnlyItsFreeNeighbours) {
  NewBattle(2, 0);
  Place(0, 15, 15, kCavalry);
  Place(1, 15, 16);
  fight->units[0].unitStatus = kStatusImmobile;
  fight->SetArrive(15, 15, 0);
  EXPECT_EQ(reachMap[14][15], 1);
  EXPECT_EQ(reachMap[16][15], 1);
  EXPECT_EQ(reachMap[15][14], 1);
  EXPECT_EQ(reachMap[15][16], 0);  // a friend stands there
  EXPECT_EQ(ReachCount(), 4);      // the three neighbours and its own square
}

TEST_F(BattleTest, FriendsAreStepppedPastAndEnemiesEndTheArm) {
  NewBattle(2, 1);
  Place(0, 15, 15, kCavalry);
  Place(1, 15, 17);
  Place(10, 13, 15);
  fight->SetArrive(15, 15, 0);
  EXPECT_EQ(reachMap[15][17], 0);
  EXPECT_EQ(reachMap[15][18], 1);
  EXPECT_EQ(reachMap[15][19], 1);
  EXPECT_EQ(reachMap[14][15], 1);
  EXPECT_EQ(reachMap[13][15], 0);
  EXPECT_EQ(reachMap[12][15], 0);
}

TEST_F(BattleTest, UnitInACornerReachesOnlySquaresOnTheMap) {
  NewBattle(1, 0);
  Place(0, 0, 0, kCavalry);
  fight->SetArrive(0, 0, 0);
  EXPECT_EQ(reachMap[0][1], 1);
  EXPECT_EQ(reachMap[1][0], 1);
  EXPECT_EQ(reachMap[1][1], 1);
  EXPECT_EQ(reachMap[0][4], 1);
  EXPECT_EQ(reachMap[0][5], 0);

  Place(0, 30, 31, kCavalry);
  fight->SetArrive(30, 31, 0);
  EXPECT_EQ(reachMap[30][30], 1);
  EXPECT_EQ(reachMap[29][31], 1);
  EXPECT_EQ(reachMap[30][27], 1);
}

TEST_F(BattleTest, UnknownTilesCountAsPlainForMovement) {
  NewBattle(1, 0);
  for (int c = 0; c < kMapCols; ++c) SetTile(15, c, 99);
  Place(0, 15, 15, kCavalry);
  fight->SetArrive(15, 15, 0);
  EXPECT_EQ(reachMap[15][19], 1);
  EXPECT_EQ(reachMap[15][20], 0);
  EXPECT_EQ(fight->battleMap.KindAt(15, 19), kPlain);
}

TEST_F(BattleTest, MovePointsAreCappedAtEight) {
  NewBattle(1, 0);
  Place(0, 15, 15, kHalberd);
  fight->units[0].moveBonus = 3;
  EXPECT_EQ(fight->MovePoints(0), 8);
  fight->units[0].troopType = kInfantry;
  EXPECT_EQ(fight->MovePoints(0), 7);
}
