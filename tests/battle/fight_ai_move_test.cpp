// The computer turn: who acts, where each unit moves and whom it picks.
#include "tests/battle/battle_fixture.h"

TEST_F(BattleTest, DefendingComputerCommanderNeverLeavesHisSquare) {
  NewBattle(2, 2, 0);
  Place(0, 10, 12);
  Place(1, 20, 20);
  Place(10, 10, 10);
  Place(11, 12, 10);
  targetUnit = 10;
  fight->AIMoveHero();
  EXPECT_EQ(fight->units[10].row, 10);
  EXPECT_EQ(fight->units[10].col, 10);
  // The same unit moves when it is not the defending commander.
  targetUnit = 11;
  fight->AIMoveHero();
  EXPECT_FALSE(fight->units[11].row == 12 && fight->units[11].col == 10);
}

TEST_F(BattleTest, AttackingComputerUnitTakesTheFirstReachableCitySquare) {
  NewBattle(1, 1, 1);
  Place(0, 13, 12);  // a target right next to it does not hold it back
  Place(10, 12, 12, kMystic);
  SetTile(13, 11, kCityTile);
  SetTile(10, 14, kCityTile);
  SetTile(14, 14, kCityTile);
  targetUnit = 10;
  fight->SetArrive(12, 12, 10);
  ASSERT_EQ(reachMap[10][14], 1);
  ASSERT_EQ(reachMap[13][11], 1);
  fight->AIMoveHero();
  EXPECT_EQ(fight->units[10].row, 10);
  EXPECT_EQ(fight->units[10].col, 14);

  // As the defender (the player attacks) a city square is no goal of its own.
  NewBattle(1, 2, 0);
  Place(0, 12, 20);
  Place(10, 2, 2);
  Place(11, 12, 12, kMystic);
  SetTile(10, 14, kCityTile);
  targetUnit = 11;
  fight->AIMoveHero();
  EXPECT_FALSE(fight->units[11].row == 10 && fight->units[11].col == 14);
}

TEST_F(BattleTest, ComputerUnitWalksTowardsThePlayerCommanderTakingLaterTiesNineTimesInTen) {
  // Immobilised, the unit reaches its own square and four neighbours; (11, 12)
  // and then (12, 11) are both 3 from the commander: exactly one tie draw.
  int later = 0;
  const int runs = 400;
  for (int seed = 1; seed <= runs; ++seed) {
    NewBattle(1, 2, 0);
    Place(0, 10, 10);
    Place(10, 25, 25);
    Place(11, 12, 12);
    fight->units[11].unitStatus = kStatusImmobile;
    SetRandomState(seed);
    bool keepsEarlier = Rand() % 10 == 0;
    SetRandomState(seed);
    targetUnit = 11;
    fight->AIMoveHero();
    const FightHero& u = fight->units[11];
    if (keepsEarlier) {
      EXPECT_EQ(u.row, 11);
      EXPECT_EQ(u.col, 12);
    } else {
      EXPECT_EQ(u.row, 12);
      EXPECT_EQ(u.col, 11);
      ++later;
    }
    EXPECT_EQ(aiBestScore, 0);
  }
  EXPECT_GT(later, runs * 8 / 10);
  EXPECT_LT(later, runs * 97 / 100);
}

TEST_F(BattleTest, ComputerUnitMovesWhereItHurtsMostAndStaysWhenItCannotMove) {
  // An archer may shoot the commander from two squares away; it goes to a
  // square from which the commander is in its ring (slot 10 holds as defender).
  NewBattle(1, 2, 0);
  Place(0, 10, 10);
  Place(10, 28, 28);
  Place(11, 10, 15, kArcher);
  targetUnit = 11;
  fight->AIMoveHero();
  const FightHero& archer = fight->units[11];
  fight->SetAt(archer.row, archer.col, 11);
  EXPECT_EQ(attackMap[10][10], 1);
  EXPECT_GT(aiBestScore, 0);
  EXPECT_EQ(aiBestScore, fight->AICountAtHurtBefore(0));

  // In a corner, immobilised, with friends on both neighbours: nowhere to go.
  NewBattle(1, 3, 0);
  Place(0, 20, 20);
  Place(10, 0, 1);
  Place(11, 0, 0);
  Place(12, 1, 0);
  fight->units[11].unitStatus = kStatusImmobile;
  targetUnit = 11;
  fight->AIMoveHero();
  EXPECT_EQ(fight->units[11].row, 0);
  EXPECT_EQ(fight->units[11].col, 0);
}

TEST_F(BattleTest, ComputerUnitUnderAnyStatusSkipsItsWholeTurn) {
  for (int status = kStatusConfused; status <= kStatusHidden; ++status) {
    NewBattle(1, 2, 1);
    Place(0, 10, 10);
    Place(10, 10, 11);  // right next to the player's commander
    Place(11, 20, 20);
    fight->units[10].unitStatus = status;
    fight->units[11].unitStatus = status;
    EXPECT_EQ(fight->AIRun(), 0);
    EXPECT_EQ(fight->units[0].soldiers, 1000) << "status " << status;
    EXPECT_EQ(fight->units[10].col, 11);
    EXPECT_EQ(fight->units[11].row, 20);
    EXPECT_EQ(fight->units[11].col, 20);
  }
}

TEST_F(BattleTest, ThePlayerCommanderIsAlwaysChosenAmongSeveralTargets) {
  NewBattle(3, 1, 0);
  Place(10, 12, 12);
  Place(0, 11, 12);
  Place(1, 12, 13);
  Place(2, 13, 13);
  fight->units[0].troopType = kInfantry;
  fight->units[1].troopType = kMystic;  // defends worse: the bigger estimate
  fight->units[1].intelligence = 10;
  targetUnit = 10;
  ASSERT_GT(fight->AICountAtHurtBefore(1), fight->AICountAtHurtBefore(0));
  EXPECT_EQ(fight->AIGetRange(0, 0), 1);
  EXPECT_EQ(aiTarget, 0);

  // Without the commander in range the greatest estimate decides.
  Place(0, 20, 20);
  EXPECT_EQ(fight->AIGetRange(0, 0), 1);
  EXPECT_EQ(aiTarget, 1);

  // Nobody in range: no target.
  Place(1, 25, 25);
  Place(2, 26, 26);
  EXPECT_EQ(fight->AIGetRange(0, 0), 0);
}

TEST_F(BattleTest, TheComputerTurnStopsWhenThePlayerCommanderFalls) {
  NewBattle(1, 2, 1);
  Place(0, 10, 10);
  Place(10, 10, 11);
  Place(11, 20, 20);
  fight->units[0].soldiers = 5;
  fight->ownSoldierTotal = 5;
  EXPECT_EQ(fight->AIRun(), kFightLost);
  EXPECT_EQ(fight->units[0].soldiers, 0);
  EXPECT_EQ(fight->units[0].unitStatus, kStatusBeaten);
  EXPECT_EQ(fight->ownSoldierTotal, 0);
  // The unit after the winner never moved.
  EXPECT_EQ(fight->units[11].row, 20);
  EXPECT_EQ(fight->units[11].col, 20);
}

TEST_F(BattleTest, TheComputerMoveSearchTestsTheStrikeAsTheGridMarksIt) {
  // Every troop type, aimed from the middle and from a corner at each square
  // around: the test the move search uses agrees with the marked grid.
  struct From {
    int row, col;
  };
  constexpr From kFroms[] = {{10, 10}, {0, 0}, {kMapRows - 1, kMapCols - 1}};
  for (int troop : {kCavalry, kNavy, kInfantry, kHalberd, kMystic, kArcher}) {
    for (From f : kFroms) {
      for (int dr = -3; dr <= 3; ++dr) {
        for (int dc = -3; dc <= 3; ++dc) {
          int r = f.row + dr, c = f.col + dc;
          if (!OnBattleMap(r, c) || (dr == 0 && dc == 0)) continue;
          NewBattle(1, 1, 0);
          Place(10, f.row, f.col, troop);
          Place(0, r, c);
          fight->SetAt(f.row, f.col, 10);
          EXPECT_EQ(fight->StrikeReachesFrom(f.row, f.col, 10, 0), attackMap[r][c] == 1)
              << "troop " << troop << " from " << f.row << "," << f.col << " at " << r << "," << c;
        }
      }
    }
  }
}
