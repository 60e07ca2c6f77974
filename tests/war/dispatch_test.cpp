// The war orders at the month end: the automatic battle's odds, the target
// choice, how a battle is filled from the records, and the defenders' pick.
#include "tests/war/war_fixture.h"
#include "war/war_tables.h"

namespace {

// The attacker's win for a roll r of 0..100, as AutoBattle must decide it.
int ExpectedWin(int r, int a, int b, int c, int d) {
  if (a == 0) return 0;
  if (c == 0) return 1;
  if (a > c) return a / 4 > c ? r > 30 : b > d ? r > 40 : r > 60;
  return a < c / 4 ? r <= 2 : b > d ? r <= 30 : r <= 10;
}

using AutoBattleTest = WarTest;

TEST_F(AutoBattleTest, EveryRollAtTheBoundariesGivesTheTableResult) {
  struct Case {
    int a, b, c, d;
  };
  const Case cases[] = {
      {0, 900, 0, 0},                          // no attacker troops: lost even against nobody
      {0, 900, 100, 0},     {1, 0, 0, 900},    // no defender troops: won
      {100, 200, 100, 100},                    // equal troops take the weaker branch
      {100, 100, 100, 200}, {400, 0, 100, 0},  // exactly four times is not more than four times
      {404, 0, 100, 0},     {24, 0, 100, 0},   // under a quarter
      {25, 0, 100, 0},
  };
  for (const Case& k : cases) {
    int wins = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
      SeedRandom(seed);
      int r = Rand() % 101;
      SeedRandom(seed);
      int got = map->AutoBattle(k.a, k.b, k.c, k.d);
      ASSERT_EQ(got, ExpectedWin(r, k.a, k.b, k.c, k.d)) << k.a << " " << k.c << " roll " << r;
      wins += got;
    }
    if (k.a == 0) EXPECT_EQ(wins, 0);
    if (k.a > 0 && k.c == 0) EXPECT_EQ(wins, 400);
  }
}

TEST_F(WarTest, EnemyCityIsANeighbourAndNoneWithoutRoads) {
  for (uint32_t seed = 1; seed < 50; ++seed) {
    SeedRandom(seed);
    int to = map->GetEnemyCity(1);
    EXPECT_TRUE(to == 2 || to == 4) << to;
  }
  EXPECT_EQ(map->GetEnemyCity(7), 0);
  EXPECT_EQ(map->GetUnx(2), 4);
  EXPECT_EQ(map->GetUny(3), 2);
  EXPECT_EQ(map->GetUnx(30), 99);
}

TEST_F(WarTest, DefendedCitySendsItsCommanderAndTheFirstNineWithSoldiers) {
  // City 2 (ruler 17): officer 7 comes first but has no soldiers; 40 is the
  // cleverest with soldiers; 41 and 44 have none and stay out.
  Enlist(7, 17, 2, 60, 0);
  Enlist(16, 17, 2, 75, 800);
  for (int i = 40; i < 52; ++i) Enlist(i, 17, 2, 50, (i == 41 || i == 44) ? 0 : 300);
  Hero(40).intelligence = 99;
  int k = QueueOrder(0, 5, 2, 0, {1, 2}, kWarAttackCity, 0, 700);
  map->WarRun();
  ASSERT_EQ(map->battleOpen, 1);
  EXPECT_EQ(pendingBattles, 1);
  EXPECT_EQ(map->taskTable[k].taskType, kTaskWarResolved);
  const Fight& f = map->fight;
  EXPECT_EQ(f.enemyCommanderId, 40);
  EXPECT_EQ(f.enemyUnitCount, 10);
  const int expected[10] = {40, 16, 42, 43, 45, 46, 47, 48, 49, 50};
  for (int s = 0; s < 10; ++s) EXPECT_EQ(f.units[10 + s].officerId, expected[s]) << s;
  EXPECT_EQ(f.ownUnitCount, 3);
  EXPECT_EQ(f.units[0].officerId, 0);
  EXPECT_EQ(f.units[2].officerId, 2);
  EXPECT_EQ(f.units[3].officerId, -1);
  EXPECT_EQ(f.ownFood, 700);
  EXPECT_EQ(f.enemyFood, City(2).food);
  EXPECT_EQ(f.ownLeaderId, 5);
  EXPECT_EQ(f.enemyLeaderId, 16);
  EXPECT_EQ(f.warSerial, 1);
  EXPECT_EQ(f.warType, 0);
  EXPECT_EQ(f.ownSoldierTotal, Hero(0).soldiers + Hero(1).soldiers + Hero(2).soldiers);
  EXPECT_EQ(f.enemySoldierTotal, 300 + 800 + 8 * 300);
  EXPECT_EQ(f.units[10].intelligence, 99);
  EXPECT_EQ(f.units[11].soldiers, 800);
}

TEST_F(WarTest, StyleOfficersGetTheirStyleAndRulersFiveMore) {
  Enlist(135, 136, 2, 60, 500);  // the style-4 officer of scenario 0, ruling his own faction
  Enlist(124, 136, 2, 60, 500);  // style 1, not a ruler
  Enlist(16, 17, 2, 60, 500);    // a ruler without a style
  int k = QueueOrder(2, 135, 0, 135, {124, 16}, kWarAttackCity, 1);
  map->SetFightHeroData2(k);
  EXPECT_EQ(map->fight.warType, 1);
  EXPECT_EQ(map->fight.units[10].heroStyle, 9);
  EXPECT_EQ(map->fight.units[11].heroStyle, 1);
  EXPECT_EQ(map->fight.units[12].heroStyle, 5);
  EXPECT_EQ(map->fight.units[13].officerId, -1);
  map->scenario = 7;  // no style table for it: no style, no ruler bonus
  map->SetFightHeroData2(k);
  EXPECT_EQ(map->fight.units[10].heroStyle, 0);
}

TEST_F(WarTest, MarchesIntoEmptyAndOwnCitiesNeedNoBattle) {
  // City 3 has no owner; city 1 became the player's before the order came.
  Enlist(20, 6, 0, 40, 100);
  Enlist(21, 6, 0, 70, 100);
  Enlist(22, 6, 1, 30, 100);  // the player's own officer now holds city 1
  int empty = QueueOrder(0, 5, 3, 20, {21}, kWarOccupyEmpty, 0, 400);
  int own = QueueOrder(0, 5, 1, 2, {}, kWarAttackCity, 0, 300);
  int cities = map->playerCityCount;
  int food3 = City(3).food;
  int food1 = City(1).food;
  map->WarRun();
  EXPECT_EQ(map->battleOpen, 0);
  EXPECT_EQ(map->taskTable[empty].taskType, kTaskWarResolved);
  EXPECT_EQ(map->taskTable[own].taskType, kTaskWarResolved);
  EXPECT_EQ(City(3).ownerId, 6);
  EXPECT_EQ(City(3).governorId, 22);  // the cleverer of the two
  EXPECT_EQ(City(3).food, food3 + 400);
  EXPECT_EQ(Hero(20).cityNo, 4);
  EXPECT_EQ(City(1).food, food1 + 300);
  EXPECT_EQ(Hero(2).cityNo, 2);
  EXPECT_EQ(map->playerCityCount, cities + 1);  // the own city is not counted twice
  EXPECT_EQ(warOutcomeCode, 15);
  EXPECT_LT(pendingBattles, 0);  // the counted attack turned peaceful
}

TEST_F(WarTest, ComputerArmyTakesAnUndefendedCityForItsSmartestOfficersRuler) {
  // City 1 holds only a captive and a free officer: nobody defends it.
  Enlist(30, 17, 2, 50, 300);
  Enlist(31, 25, 2, 90, 300);  // an officer of another faction marching along
  QueueOrder(2, 16, 1, 30, {31}, kWarAttackCity, 1);
  int cities = map->playerCityCount;
  map->WarRun();
  EXPECT_EQ(warPick, 0);
  EXPECT_EQ(map->battleOpen, 0);
  EXPECT_EQ(City(1).ownerId, 25);
  EXPECT_EQ(City(1).governorId, 32);
  EXPECT_EQ(map->playerCityCount, cities - 1);
  EXPECT_EQ(warOutcomeCode, 16);
}

class DefencePick : public WarTest {
 protected:
  int order = 0;
  void SetUp() override {
    WarTest::SetUp();
    // The player's city 1 with three officers; ruler 17 attacks it from city 2.
    Enlist(1, 6, 1, 85, 300);
    Enlist(2, 6, 1, 50, 300);
    Enlist(20, 6, 1, 60, 300).stamina = 5;
    Enlist(7, 17, 2, 60, 500);
    Enlist(16, 17, 2, 75, 800);
    order = QueueOrder(2, 16, 1, 16, {7}, kWarAttackCity, 1, 600);
    map->cursorCol = 2;
    map->cursorRow = 1;
    map->WarRun();
  }
};

TEST_F(DefencePick, OpensOnTheAttackedCityAndBuildsTheDefence) {
  ASSERT_EQ(warPick, 1);
  EXPECT_EQ(map->taskTable[order].taskType, kTaskWarAwaitingDefence);
  EXPECT_EQ(awaitingOrder, order);
  EXPECT_EQ(defenceCol, 3);
  EXPECT_EQ(defenceRow, 1);
  EXPECT_EQ(map->heroList.cityOfficerCount, 3);
  Keys({keyDown, keyDown, keyReturn});  // officer 20 is too tired
  EXPECT_EQ(defenceCommander, -1);
  EXPECT_EQ(warPick, 1);
  Keys({keyUp, keyUp, keyReturn});  // officer 1 commands
  EXPECT_EQ(defenceCommander, 1);
  EXPECT_EQ(Hero(1).inListFlag, kPicked);
  Keys({keyReturn});  // officer 2 follows
  EXPECT_EQ(map->warPartyCount, 1);
  Keys({keyEsc});  // and the pick ends: the battle opens
  EXPECT_EQ(warPick, 0);
  ASSERT_EQ(map->battleOpen, 1);
  EXPECT_EQ(map->taskTable[order].taskType, kTaskWarResolved);
  const Fight& f = map->fight;
  EXPECT_EQ(f.warType, 1);
  EXPECT_EQ(f.ownUnitCount, 2);
  EXPECT_EQ(f.units[0].officerId, 1);
  EXPECT_EQ(f.units[1].officerId, 2);
  EXPECT_EQ(f.enemyUnitCount, 2);
  EXPECT_EQ(f.units[10].officerId, 16);
  EXPECT_EQ(f.units[11].officerId, 7);
  EXPECT_EQ(f.ownFood, City(1).food);
  EXPECT_EQ(f.enemyFood, 600);
  EXPECT_EQ(f.warSerial, 3);
  EXPECT_EQ(f.ownLeaderId, 5);
  EXPECT_EQ(f.enemyLeaderId, 16);
}

TEST_F(DefencePick, EscapeBeforeAnyPickLosesTheCityAtOnce) {
  ASSERT_EQ(warPick, 1);
  SeedRandom(3);
  Keys({keyEsc});
  EXPECT_EQ(warPick, 0);
  EXPECT_EQ(map->battleOpen, 0);
  EXPECT_EQ(defenceAbandoned, 0);
  EXPECT_EQ(awaitingOrder, 0);
  EXPECT_EQ(battleResult, 0);
  EXPECT_EQ(map->fight.ownUnitCount, 0);
  // The attackers hold the city; the defenders are captives there or fled to city 0.
  EXPECT_EQ(City(1).ownerId, 17);
  EXPECT_EQ(Hero(16).cityNo, 2);
  EXPECT_EQ(Hero(7).cityNo, 2);
  for (int h : {1, 2, 20}) {
    bool captive = Hero(h).heroOwnerId == 306 && Hero(h).cityNo == 2;
    bool fled = Hero(h).heroOwnerId == 6 && Hero(h).cityNo == 1;
    EXPECT_TRUE(captive || fled) << h;
  }
  EXPECT_EQ(pendingBattles, 0);  // the month end has finished
}

}  // namespace

// Officers of an army who were taken captive (or left its city) earlier in the
// month do not march; an army with nobody left does not come at all, and the
// city it was sent against is never handed to a captive's faction number.
TEST_F(WarTest, ArmiesMarchOnlyWithOfficersStillServingWhereTheOrderLeftThem) {
  // The player's army leaves city 1 for the empty city 3.
  Enlist(16, 6, 1, 60, 500);
  Enlist(7, 6, 1, 40, 300);
  Enlist(8, 6, 1, 30, 300);
  int order = QueueOrder(1, 5, 3, 16, {7, 8}, kWarOccupyEmpty, 0, 300);
  Hero(16).heroOwnerId = 300 + 6;  // the leader was taken captive meanwhile
  Hero(8).cityNo = 1;              // and one officer moved to city 0
  map->WarRun();
  EXPECT_EQ(City(3).ownerId, 6);
  EXPECT_EQ(Hero(7).cityNo, 4);
  EXPECT_EQ(Hero(16).cityNo, 2);
  EXPECT_EQ(Hero(8).cityNo, 1);
  WarOrder o = ReadWarOrder(&map->taskTable[order]);
  EXPECT_EQ(o.leadOfficerId, 7);
  EXPECT_EQ(o.partySize, 1);

  // Nobody left to march: the empty city stays empty.
  City(3).ownerId = 0;
  int second = QueueOrder(1, 5, 3, 16, {}, kWarOccupyEmpty, 0, 300);
  map->WarRun();
  EXPECT_EQ(map->taskTable[second].taskType, kTaskWarResolved);
  EXPECT_EQ(City(3).ownerId, 0);
  EXPECT_EQ(Hero(16).cityNo, 2);
}
