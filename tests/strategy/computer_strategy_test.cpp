// The computer rulers' month, line of action by line of action, on a world
// cleared down to the cities and officers each test places.
#include <set>

#include "tests/strategy/month_end_fixture.h"

namespace {

constexpr int kRulerA = 20;  // officer indices of two computer rulers
constexpr int kRulerB = 40;

class ComputerTest : public MonthEndTest {
 protected:
  void SetUp() override {
    MonthEndTest::SetUp();
    computerAttackQueued = 0;
    // Every city the player's, so the month's loop skips all but those a test hands over.
    for (int i = 0; i < kCityCount; ++i) {
      City(i).ownerId = map->playerRuler;
      City(i).status = 0;
    }
    for (int i = 0; i < kHeroCount; ++i) {
      HeroRecord& h = Hero(i);
      h.heroId = i;
      h.heroOwnerId = 0;
      h.cityNo = 0;
    }
    map->ResetTasks();
    taskCount = 0;
    date().month = 2;
  }
  void TearDown() override {
    computerAttackQueued = 0;
    MonthEndTest::TearDown();
  }

  Date& date() { return map->date; }

  // An officer serving `owner` (an officer number) in the 0-based `city`.
  HeroRecord& Officer(int index, int owner, int city, int intelligence = 50, int force = 50) {
    HeroRecord& h = Hero(index);
    h.heroOwnerId = owner;
    h.cityNo = city + 1;
    h.intelligence = intelligence;
    h.force = force;
    h.loyalty = 50;
    h.character = 0;
    h.level = 1;
    h.soldiers = 0;
    return h;
  }
  // A computer ruler seated in `city`, which he owns, with `others` officers beside him.
  void Faction(int ruler, int city, int others) {
    Officer(ruler, ruler + 1, city);
    City(city).ownerId = ruler + 1;
    City(city).governorId = ruler + 1;
    for (int k = 1; k <= others; ++k) Officer(ruler + k, ruler + 1, city);
  }
  int WarOrders() const {
    int n = 0;
    for (int k = kFirstTaskRecord; k <= kLastTaskRecord; ++k)
      if (map->taskTable[k].taskRemoved == 0 && map->taskTable[k].taskType == kTaskWar) ++n;
    return n;
  }
};

TEST_F(ComputerTest, EveryComputerCityIsFedAndItsTreasuryCutBeforeItActs) {
  // Cities without officers: no line of action can touch their stores.
  City(10).ownerId = kRulerA + 1;
  City(10).food = 99;
  City(10).money = 10001;
  City(10).status = 3;
  City(10).disasterPrevention = 100;
  City(11).ownerId = 0;  // empty cities take their turn too
  City(11).food = 100;
  City(11).money = 10000;
  City(11).disasterPrevention = 7;
  City(12).food = 50;  // the player's own city is left alone
  City(12).money = 20000;
  Hero(kRulerA).heroOwnerId = kRulerA + 1;  // a ruler on the road, in none of them
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    SeedRandom(seed);
    City(10).food = 99;
    City(10).money = 10001;
    map->ComputerStatic();
    EXPECT_EQ(City(10).food, 500);
    EXPECT_EQ(City(10).money, 5000);
    EXPECT_EQ(City(10).status, 0);
    EXPECT_EQ(City(10).disasterPrevention, 100);
  }
  EXPECT_EQ(City(11).food, 100);
  EXPECT_EQ(City(11).money, 10000);
  EXPECT_EQ(City(11).disasterPrevention, 37);
  EXPECT_EQ(City(12).food, 50);
  EXPECT_EQ(City(12).money, 20000);
}

TEST_F(ComputerTest, HarmonisingMovesOfficersOnlyOutOfCitiesWithThreeOrMore) {
  Faction(kRulerA, 10, 1);  // two officers
  City(11).ownerId = kRulerA + 1;
  City(12).ownerId = kRulerA + 1;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed);
    map->ComputerTacticHarmonize(10);
    ASSERT_EQ(Hero(kRulerA).cityNo, 11);
    ASSERT_EQ(Hero(kRulerA + 1).cityNo, 11);
  }
  Officer(kRulerA + 2, kRulerA + 1, 10);  // now three
  std::set<int> reached;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    for (int k = 0; k < 3; ++k) Hero(kRulerA + k).cityNo = 11;
    SeedRandom(seed);
    map->ComputerTacticHarmonize(10);
    for (int k = 0; k < 3; ++k) reached.insert(Hero(kRulerA + k).cityNo);
  }
  // Moves happen, and only to the owner's other cities.
  EXPECT_EQ(reached, (std::set<int>{11, 12, 13}));
}

TEST_F(ComputerTest, ACityHoldingACaptiveAlwaysRecruitsOne) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    Faction(kRulerA, 10, 0);
    Faction(kRulerB, 20, 3);  // rivals to work on, were the captive not there
    // Below the ruler in officer order, so once recruited he does not act this turn.
    HeroRecord& captive = Officer(10, kDeadOwner + 5, 10);
    captive.soldiers = 0;
    SeedRandom(seed);
    map->ComputerTacticDiplomatism(10);
    EXPECT_EQ(captive.heroOwnerId, kRulerA + 1);
    EXPECT_EQ(captive.soldiers, 800);
    EXPECT_EQ(captive.cityNo, 11);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(Hero(kRulerB + k).heroOwnerId, kRulerB + 1);
  }
}

TEST_F(ComputerTest, DiplomacyWithNobodyToWorkOnDoesNothing) {
  // One computer ruler alone against the player: no rival officer and no
  // other ruler to draw; every draw must come to nothing.
  Faction(kRulerA, 10, 3);
  Officer(5, map->playerRuler, 0);
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    SeedRandom(seed);
    map->ComputerTacticDiplomatism(10);
  }
  for (int k = 0; k <= 3; ++k) {
    EXPECT_EQ(Hero(kRulerA + k).heroOwnerId, kRulerA + 1);
    EXPECT_EQ(Hero(kRulerA + k).loyalty, 50);
  }
  EXPECT_EQ(City(10).ownerId, kRulerA + 1);
  EXPECT_EQ(Hero(5).heroOwnerId, map->playerRuler);
}

TEST_F(ComputerTest, ARulerCalledToSubmitHandsOverEveryCityAndOfficer) {
  Faction(kRulerA, 10, 3);
  Faction(kRulerB, 20, 1);
  City(21).ownerId = kRulerB + 1;  // a city of B with nobody in it
  Hero(kRulerA).intelligence = 200;
  Hero(kRulerB).intelligence = 0;
  Hero(kRulerB).character = 2;
  int submitted = 0;
  for (uint32_t seed = 1; seed <= 400 && submitted == 0; ++seed) {
    SeedRandom(seed);
    map->ComputerTacticDiplomatism(10);
    if (Hero(kRulerB).heroOwnerId != kRulerB + 1) submitted = 1;
  }
  ASSERT_EQ(submitted, 1);
  EXPECT_EQ(Hero(kRulerB).heroOwnerId, kRulerA + 1);
  EXPECT_EQ(Hero(kRulerB + 1).heroOwnerId, kRulerA + 1);
  EXPECT_EQ(City(20).ownerId, kRulerA + 1);
  EXPECT_EQ(City(21).ownerId, kRulerA + 1);
  EXPECT_EQ(City(20).governorId, kRulerA + 1);
}

TEST_F(ComputerTest, HighAttackChanceSendsARulersCityToWarUnlessItsRulerPlunders) {
  highAttackChance = 1;
  res.Write("Res/arrive.kdt", "11 1\n");  // city 10 borders only the player's city 0
  int wars = 0, plunders = 0;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    map->ResetTasks();
    taskCount = 0;
    computerAttackQueued = 0;
    Faction(kRulerA, 10, 3);
    City(10).peopleLoyalty = 80;
    // The ruler draws after the month's training draw, before his officers.
    SeedRandom(seed);
    Rand();
    bool rulerPlunders = Rand() % 13 == 6;
    SeedRandom(seed);
    map->ComputerTacticArmament(10);
    EXPECT_EQ(WarOrders(), rulerPlunders ? 0 : 1) << seed;
    EXPECT_EQ(computerAttackQueued, rulerPlunders ? 0 : 1);
    if (rulerPlunders) {
      ++plunders;
      EXPECT_LT(City(10).peopleLoyalty, 80);
    } else {
      ++wars;
    }
  }
  EXPECT_GT(wars, 0);
  EXPECT_GT(plunders, 0);

  // Three officers are too few for a war.
  for (int k = 0; k < kHeroCount; ++k) Hero(k).heroOwnerId = 0;
  map->ResetTasks();
  taskCount = 0;
  computerAttackQueued = 0;
  Faction(kRulerA, 10, 2);
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    SeedRandom(seed);
    map->ComputerTacticArmament(10);
  }
  EXPECT_EQ(WarOrders(), 0);
}

TEST_F(ComputerTest, ThePlayerFacesAtMostOneComputerAttackAMonth) {
  highAttackChance = 1;
  res.Write("Res/arrive.kdt", "11 1\n21 1\n");
  Faction(kRulerA, 10, 4);
  Faction(kRulerB, 20, 4);
  Hero(kRulerA).character = 4;  // armament four months in five
  Hero(kRulerB).character = 4;
  City(10).food = 1234;
  uint32_t seed = 1;
  for (; seed <= 50 && WarOrders() == 0; ++seed) {
    SeedRandom(seed);
    map->ComputerStatic();
  }
  ASSERT_EQ(WarOrders(), 1);
  EXPECT_EQ(computerAttackQueued, 1);
  // The order as the war dispatch reads it.
  int k = kFirstTaskRecord;
  while (map->taskTable[k].taskType != kTaskWar) ++k;
  WarOrder o = ReadWarOrder(&map->taskTable[k]);
  EXPECT_EQ(o.targetCityNo, 1);
  EXPECT_EQ(o.attackOnPlayer, 1);
  EXPECT_EQ(o.warKind, kWarAttackCity);
  int from = o.fromCityNo - 1;
  ASSERT_TRUE(from == 10 || from == 20);
  int ruler = from == 10 ? kRulerA : kRulerB;
  EXPECT_EQ(o.attackerRulerId, ruler);
  // The army carries the city's whole store, which leaves the city with it.
  EXPECT_GT(o.foodCarried, 0);
  EXPECT_EQ(City(from).food, 0);
  EXPECT_EQ(o.leadOfficerId, City(from).governorId - 1);
  // Nobody marches twice, and the ruler's officers of the city make the party.
  std::set<int> army{o.leadOfficerId};
  for (int i = 0; i < o.partySize - 1; ++i) {
    EXPECT_TRUE(army.insert(o.partyOfficers[i]).second);
    EXPECT_EQ(Hero(o.partyOfficers[i]).cityNo, from + 1);
  }
  EXPECT_EQ(o.partySize, static_cast<int>(army.size()));

  // The rest of the month brings no second attack.
  for (int more = 0; more < 20; ++more, ++seed) {
    SeedRandom(seed);
    map->ComputerStatic();
  }
  EXPECT_EQ(WarOrders(), 1);
}

TEST_F(ComputerTest, AnEmptyOrRoadlessCityArmsWithoutHarm) {
  highAttackChance = 1;
  res.Write("Res/arrive.kdt", "");
  City(30).ownerId = 0;
  Faction(kRulerA, 10, 4);
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    date().month = seed % 12 + 1;
    map->ComputerTacticArmament(30);
    map->ComputerTacticArmament(10);
  }
  EXPECT_EQ(WarOrders(), 0);
  EXPECT_EQ(City(10).ownerId, kRulerA + 1);
}

}  // namespace

// An officer incited to rise takes his city and the men in it, but never
// under the eyes of a ruler standing there: the city stays as it is.
TEST_F(ComputerTest, AnIncitedCityRisesOnlyWhereNoRulerStands) {
  for (bool rulerThere : {true, false}) {
    Faction(kRulerA, 10, 0);
    Faction(kRulerB, 20, 2);
    City(21).ownerId = kRulerB + 1;
    if (!rulerThere) Hero(kRulerB).cityNo = 22;  // off to his other city
    int rebel = kRulerB + 1;
    Hero(kRulerA).intelligence = 200;
    Hero(rebel).intelligence = 0;
    Hero(rebel).loyalty = 0;
    Hero(kRulerB).loyalty = 100;  // never persuaded, so only the officer can rise
    Hero(kRulerB + 2).loyalty = 100;
    bool rose = false;
    // Until the rebel rises, or ruler B himself submits to A.
    for (uint32_t seed = 1; seed <= 2000 && !rose && Hero(kRulerB).IsRuler(); ++seed) {
      City(20).governorId = rebel + 1;  // the rebel governs, not the ruler
      SeedRandom(seed);
      map->ComputerTacticDiplomatism(10);
      rose = Hero(rebel).heroOwnerId == rebel + 1;
    }
    EXPECT_EQ(rose, !rulerThere);
    if (!rose) continue;
    EXPECT_EQ(City(20).ownerId, rebel + 1);
    EXPECT_EQ(Hero(kRulerB).heroOwnerId, kRulerB + 1);
    EXPECT_EQ(Hero(kRulerB + 2).heroOwnerId, rebel + 1);
  }
}
