// Days, daily events, statuses, the win and loss tests and the opening's end.
#include "tests/battle/battle_fixture.h"

TEST_F(BattleTest, FourHundredSoldiersEatSixADay) {
  NewBattle(1, 1);
  fight->ownSoldierTotal = 400;
  fight->enemySoldierTotal = 0;
  fight->ownFood = 100;
  fight->enemyFood = 50;
  EXPECT_EQ(fight->DayEvent(), 0);
  EXPECT_EQ(fight->ownFood, 94);
  EXPECT_EQ(fight->enemyFood, 50);
  fight->ownFood = 5;
  EXPECT_EQ(fight->DayEvent(), kFightLost);
  fight->ownFood = 100;
  fight->enemySoldierTotal = 400;
  fight->enemyFood = 3;
  EXPECT_EQ(fight->DayEvent(), kFightWon);
}

TEST_F(BattleTest, RestingUnitsRegainOneSkillPointUpToTheCeiling) {
  NewBattle(2, 0);
  FightHero& rested = fight->units[0];
  FightHero& fought = fight->units[1];
  rested.skillPower = 10;
  fought.skillPower = 10;
  fought.canAct = 0;
  fight->DayEvent();
  EXPECT_EQ(rested.skillPower, 11);
  EXPECT_EQ(fought.skillPower, 10);
  EXPECT_EQ(fought.canAct, 1);
  rested.skillPower = rested.SkillPowerCeiling();
  fight->DayEvent();
  EXPECT_EQ(rested.skillPower, rested.SkillPowerCeiling());
}

TEST_F(BattleTest, StatusesRecoverOrNotByTheDailyRoll) {
  NewBattle(4, 1);
  FightHero& wise = fight->units[0];
  FightHero& dull = fight->units[1];
  FightHero& stone = fight->units[2];
  FightHero& hidden = fight->units[3];
  wise.unitStatus = kStatusConfused;
  wise.intelligence = 200;  // the roll always succeeds
  dull.unitStatus = kStatusConfused;
  dull.intelligence = 0;  // and never here
  stone.unitStatus = kStatusStone;
  stone.intelligence = 0;
  stone.soldiers = 800;
  hidden.unitStatus = kStatusQimen;
  hidden.intelligence = 0;  // ends when the roll fails
  fight->units[10].unitStatus = kStatusDunjia;
  fight->DayEvent();
  EXPECT_EQ(wise.unitStatus, kStatusNormal);
  EXPECT_EQ(wise.canAct, 1);
  EXPECT_EQ(dull.unitStatus, kStatusConfused);
  EXPECT_EQ(dull.canAct, 0);
  EXPECT_EQ(stone.unitStatus, kStatusStone);
  EXPECT_EQ(stone.soldiers, 700);
  EXPECT_EQ(stone.canAct, 0);
  EXPECT_EQ(hidden.unitStatus, kStatusNormal);
  EXPECT_EQ(fight->units[10].unitStatus, kStatusDunjia);
}

TEST_F(BattleTest, DayThirtyIsTheLastPlayableDay) {
  for (int warType = 0; warType < 2; ++warType) {
    NewBattle(1, 1, warType);
    fight->ownFood = 100000;
    fight->enemyFood = 100000;
    fight->units[kEnemyBase].unitStatus = kStatusDunjia;  // the computer side holds still
    fight->Show(kShowOpening);
    EXPECT_EQ(fight->day, 2);
    for (int d = 2; d <= 30; ++d) {
      ASSERT_EQ(Press(keyEsc), 0);
      ASSERT_EQ(Press(keyReturn), 0) << "day " << d;
    }
    EXPECT_EQ(fight->day, 31);
    Press(keyEsc);
    EXPECT_EQ(Press(keyReturn), warType == 0 ? kFightLost : kFightWon);
  }
}

TEST_F(BattleTest, OpeningEndsAtOnceWhenACommanderHasNoSoldiers) {
  NewBattle(2, 2);
  fight->units[10].soldiers = 0;
  fight->Show(kShowOpening);
  EXPECT_EQ(pendingEnd, kPendingWon);
  EXPECT_EQ(fight->units[10].unitStatus, kStatusBeaten);
  EXPECT_EQ(fight->KeyDown(keyUp), kFightWon);
  EXPECT_EQ(pendingEnd, kPendingNone);

  NewBattle(2, 2);
  fight->units[0].soldiers = 0;
  fight->Show(kShowOpening);
  EXPECT_EQ(fight->KeyDown(keyLeft), kFightLost);

  NewBattle(2, 2);
  fight->units[0].soldiers = 0;
  fight->units[10].soldiers = 0;
  fight->Show(kShowOpening);
  EXPECT_EQ(fight->KeyDown(keyReturn), kFightWon);
}

TEST_F(BattleTest, MovingOntoACityWinsAnAttack) {
  NewBattle(2, 1);
  Place(0, 15, 15, kInfantry);
  Place(1, 15, 20, kInfantry);
  Place(10, 5, 5, kInfantry);
  SetTile(15, 22, kCityTile);
  PutCursor(15, 20);
  Press(keyReturn);
  PutCursor(15, 22);
  EXPECT_EQ(Press(keyReturn), kFightWon);
}

TEST_F(BattleTest, ADefenderLosesOnlyToALiveComputerUnitOnTheCity) {
  NewBattle(2, 2, 1);
  Place(0, 15, 15);
  Place(1, 15, 16);
  Place(10, 5, 5);
  Place(11, 6, 6);
  SetTile(6, 6, kCityTile);
  SetTile(15, 16, kCityTile);
  targetUnit = 1;  // a player unit on the city decides nothing
  EXPECT_EQ(fight->TestWinLose(), 0);
  targetUnit = 11;
  EXPECT_EQ(fight->TestWinLose(), kFightLost);
  fight->units[11].unitStatus = kStatusBeaten;
  EXPECT_EQ(fight->TestWinLose(), 0);
  fight->units[10].soldiers = 0;
  EXPECT_EQ(fight->TestWinLose(), kFightWon);
}

TEST_F(BattleTest, RetreatLosesAndSettingsAreWrittenBack) {
  NewBattle(1, 1);
  Write("Res/startup.ini", "[Startup]\nMenushow=0\n");
  fight->Show(kShowOpening);
  Press(keyEsc);
  Press(keyDown);
  Press(keyDown);
  Press(keyReturn);
  ASSERT_EQ(fight->showMenuOpen, 1);
  Press(keyDown);
  Press(keyReturn);
  EXPECT_EQ(menuShow, 1);
  EXPECT_EQ(fight->showMenuOpen, 0);
  EXPECT_EQ(fight->escMenuOpen, 1);
  std::ifstream in("Res/startup.ini");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Menushow=1"), std::string::npos);
  menuShow = 0;
  Press(keyUp);
  EXPECT_EQ(fight->escMenu.selected, kEscRetreat);
  EXPECT_EQ(Press(keyReturn), kFightLost);
}

TEST_F(BattleTest, CancellingTheActionMenuUndoesTheMove) {
  NewBattle(1, 1);
  Place(0, 15, 15, kCavalry);
  Place(10, 5, 5);
  MoveUnit(15, 15, 15, 18);
  EXPECT_EQ(fight->units[0].col, 18);
  Press(keyDown);
  Press(keyDown);
  Press(keyReturn);  // information
  EXPECT_EQ(fight->viewState, kViewOwnUnit);
  Press(keyUp);
  EXPECT_EQ(fight->viewState, kViewMap);
  EXPECT_EQ(fight->actionMenuOpen, 1);
  Press(keyEsc);
  EXPECT_EQ(fight->actionMenuOpen, 0);
  EXPECT_EQ(fight->units[0].col, 15);
  EXPECT_EQ(fight->units[0].canAct, 1);
  PutCursor(15, 15);
  Press(keyReturn);
  EXPECT_EQ(fight->moveMode, 1);
  PutCursor(20, 20);
  Press(keyReturn);
  EXPECT_EQ(messageCode, kMessageUnreachable);
}

TEST_F(BattleTest, SituationScreensPageOnlyLongLists) {
  NewBattle(5, 7);
  Press(keyHome);
  EXPECT_EQ(fight->viewState, kViewEnemySituation);
  Press(keyDown);
  EXPECT_EQ(fight->enemyListHalf, 1);
  Press(keyRight);
  EXPECT_EQ(fight->viewState, kViewOwnSituation);
  Press(keyUp);
  EXPECT_EQ(fight->ownListHalf, 0);
  Press(keyEsc);
  EXPECT_EQ(fight->viewState, kViewMap);
}
