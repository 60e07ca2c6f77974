// The month end's world: taxes, harvests, growth, the armies' food, famine and
// the other disasters, the officers' rest, age and death, and the calendar.
#include "tests/strategy/month_end_fixture.h"

namespace {

using MonthEndWorld = MonthEndTest;

// A city without any soldiers to feed and without a disaster, so that a whole
// month end changes its money only by taxes.
void Quiet(CityRecord& c, int money, int food, int commerce, int farming) {
  c.money = money;
  c.food = food;
  c.commerce = commerce;
  c.farming = farming;
  c.reserveSoldiers = 0;
  c.status = kCityNormal;
}

class Seasons : public MonthEndWorld {
 protected:
  void SetUp() override {
    MonthEndWorld::SetUp();
    for (HeroRecord& h : map->heroList.heroes) h.soldiers = 0;
    for (int i = 0; i < kCityCount; ++i) Quiet(City(i), 1000, 1000, 300, 400);
    Quiet(City(5), 29950, 29950, 300, 400);  // both caps are met exactly
    Quiet(City(6), 35000, 35000, 300, 400);  // above the cap already (a plunder put it there)
    // The player's cities, so that the computer rulers' turn leaves them alone.
    for (int i : {5, 6, 39, 40}) City(i).ownerId = map->playerRuler;
    IsolateRival();
  }
  void EndMonth(int month) {
    map->date.month = month;
    map->DoEndEvent();
  }
};

TEST_F(Seasons, MonthThreeCollectsTaxesOnly) {
  EndMonth(3);
  EXPECT_EQ(City(0).money, 1150);
  EXPECT_EQ(City(0).food, 1000);
  EXPECT_EQ(City(39).money, 1150);
  EXPECT_EQ(City(40).money, 1000);  // the last ten cities never pay
  EXPECT_EQ(City(5).money, 30000);
  EXPECT_EQ(City(6).money, 35000);  // taxes never take money away
  EXPECT_EQ(map->date.month, 4);
}

TEST_F(Seasons, MonthSixHarvestsAndCollectsTaxes) {
  EndMonth(6);
  EXPECT_EQ(City(0).money, 1150);
  EXPECT_EQ(City(0).food, 1100);
  EXPECT_EQ(City(39).food, 1100);
  EXPECT_EQ(City(40).food, 1000);
  EXPECT_EQ(City(5).food, 30000);
  EXPECT_EQ(City(6).food, 35000);
}

TEST_F(Seasons, MonthTenHarvestsOnly) {
  EndMonth(10);
  EXPECT_EQ(City(0).money, 1000);
  EXPECT_EQ(City(0).food, 1100);
}

TEST_F(Seasons, OtherMonthsNeitherHarvestNorTax) {
  EndMonth(7);
  EXPECT_EQ(City(0).money, 1000);
  EXPECT_EQ(City(0).food, 1000);
}

TEST_F(Seasons, PopulationGrowsByFiftyUpToItsMaximumInTheFirstFortyCities) {
  City(0).population = 100;
  City(0).populationMax = 1000;
  City(1).population = 980.5;
  City(1).populationMax = 1000;
  City(40).population = 100;
  City(40).populationMax = 1000;
  EndMonth(7);
  EXPECT_DOUBLE_EQ(City(0).population, 150);
  EXPECT_DOUBLE_EQ(City(1).population, 1000);
  EXPECT_DOUBLE_EQ(City(40).population, 100);
}

TEST_F(Seasons, DecemberTurnsTheYearAndOfficersAgeInJanuary) {
  map->date.year = 190;
  int age = Hero(0).age;
  EndMonth(12);
  EXPECT_EQ(map->date.year, 191);
  EXPECT_EQ(map->date.month, 1);
  EXPECT_EQ(Hero(0).age, age + 1);
  EndMonth(1);
  EXPECT_EQ(Hero(0).age, age + 1);
}

// need = (reserve + soldiers of every officer in the city) / 50.
class Famine : public MonthEndWorld {
 protected:
  void SetUp() override {
    MonthEndWorld::SetUp();
    for (HeroRecord& h : map->heroList.heroes) h.soldiers = 0;
    Hero(0).soldiers = 501;  // in city 0
    Hero(3).soldiers = 499;  // a captive in city 0 is fed as well
    City(0).reserveSoldiers = 1500;
    City(0).peopleLoyalty = 40;
    City(0).commerce = 300;
    City(0).population = 1000;
    map->date.month = 3;  // no disasters in months divisible by three
  }
};

TEST_F(Famine, MoreThanTheNeedFeedsTheArmies) {
  City(0).food = 51;
  map->GetCityState();
  EXPECT_EQ(City(0).food, 1);
  EXPECT_EQ(City(0).status, kCityNormal);
  EXPECT_EQ(Hero(0).soldiers, 501);
}

TEST_F(Famine, ExactlyEnoughFoodStarves) {
  City(0).food = 50;
  map->GetCityState();
  EXPECT_EQ(City(0).food, 0);
  EXPECT_EQ(City(0).status, kCityFamine);
  EXPECT_EQ(Hero(0).soldiers, 251);
  EXPECT_EQ(Hero(3).soldiers, 250);
  EXPECT_EQ(City(0).reserveSoldiers, 750);
  EXPECT_EQ(City(0).peopleLoyalty, 38);
  EXPECT_EQ(City(0).commerce, 285);
  EXPECT_DOUBLE_EQ(City(0).population, 750);
  // The player's city reports it under its governor (the ruler, officer number 6).
  // The next line's background takes the feet of this one: compare its upper part.
  EXPECT_TRUE(WindowShows("出现 饥荒", 410, 330, 40, 34));
  EXPECT_TRUE(WindowShows("，须尽快治理。", 300, 370));
}

TEST_F(Famine, AnotherRulersFamineIsNotReported) {
  for (int i = 0; i < kCityCount; ++i) City(i).food = 100000;
  City(2).food = 0;
  uint32_t before = window.Version();
  map->GetCityState();
  EXPECT_EQ(City(2).status, kCityFamine);
  EXPECT_EQ(window.Version(), before);
}

TEST_F(Famine, FamineEndsOnceThereIsFoodAgain) {
  map->date.month = 4;
  for (int i = 0; i < kCityCount; ++i) {
    City(i).food = 100000;
    City(i).disasterPrevention = 0;
  }
  City(0).status = kCityFamine;
  // A city with a disaster never draws a new one: whatever x, the famine takes its course.
  SeedRandom(11);
  map->GetCityState();
  EXPECT_EQ(City(0).status, kCityNormal);
}

class Disasters : public MonthEndWorld {
 protected:
  void SetUp() override {
    MonthEndWorld::SetUp();
    map->date.month = 4;
    for (int i = 0; i < kCityCount; ++i) {
      City(i).food = 100000;  // nobody starves
      City(i).status = kCityNormal;
      City(i).disasterPrevention = 0;
    }
  }
};

TEST_F(Disasters, RiotsBreakOutOnlyWherePeopleLoyaltyIsZeroOrOne) {
  int riots[3] = {};
  int others = 0;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    for (int i = 0; i < kCityCount; ++i) {
      City(i).status = kCityNormal;
      City(i).disasterPrevention = 0;
      City(i).peopleLoyalty = i % 3;
    }
    SeedRandom(seed);
    map->GetCityState();
    for (int i = 0; i < kCityCount; ++i) {
      if (City(i).status == kCityRiot) ++riots[i % 3];
      if (City(i).status == kCityDrought || City(i).status == kCityFlood) ++others;
    }
  }
  EXPECT_GT(riots[0], 0);
  EXPECT_GT(riots[1], 0);
  EXPECT_EQ(riots[2], 0);
  EXPECT_GT(others, 0);
}

TEST_F(Disasters, PreventionOfOneNeverDecaysAndTwoToFourDecayOnlyUnderTheDraw) {
  for (int prevention = 1; prevention <= 4; ++prevention) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      City(0).disasterPrevention = prevention;
      City(0).status = kCityNormal;
      SeedRandom(seed);
      int r = Rand() % 4 + 1;  // city 0 draws first
      SeedRandom(seed);
      map->GetCityState();
      int expected = r < prevention ? prevention - r : prevention;
      EXPECT_EQ(City(0).disasterPrevention, expected) << "prevention " << prevention << " seed " << seed;
      if (prevention == 1) {
        EXPECT_EQ(City(0).disasterPrevention, 1);
      }
    }
  }
}

TEST_F(Disasters, NoNewDisastersInMonthsDivisibleByThree) {
  map->date.month = 6;
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    map->GetCityState();
  }
  for (int i = 0; i < kCityCount; ++i) EXPECT_EQ(City(i).status, kCityNormal);
  EXPECT_EQ(City(0).disasterPrevention, 0);
}

TEST_F(Disasters, ANewFloodInThePlayersCityIsReportedAndStrikesFromTheNextMonth) {
  City(0).money = 1000;
  // City 0: r, x > 0, d = 1 (flood).
  SeedFor([] {
    Rand();
    int x = Rand() % 100;
    return x > 0 && Rand() % 20 == 1;
  });
  map->GetCityState();
  ASSERT_EQ(City(0).status, kCityFlood);
  EXPECT_EQ(City(0).money, 1000);
  EXPECT_TRUE(WindowShows("出现 水灾", 410, 330, 40, 34));
  // Next month the flood goes on while x is not below the prevention (0).
  City(0).food = 2000;
  City(0).commerce = 300;
  int farming = City(0).farming;
  int reserve = City(0).reserveSoldiers;
  SeedRandom(3);
  map->GetCityState();
  EXPECT_EQ(City(0).status, kCityFlood);
  EXPECT_EQ(City(0).money, 900);
  EXPECT_EQ(City(0).commerce, 270);
  EXPECT_EQ(City(0).farming, farming - farming / 20);
  EXPECT_EQ(City(0).reserveSoldiers, reserve - reserve / 4);
}

TEST_F(Disasters, ARiotEndsWhenTheDrawFallsBelowLoyalty) {
  City(0).status = kCityRiot;
  City(0).peopleLoyalty = 100;
  City(0).disasterPrevention = 100;  // x never exceeds it: the riot takes its course
  SeedRandom(5);
  map->GetCityState();
  EXPECT_EQ(City(0).status, kCityNormal);
}

class Officers : public MonthEndWorld {
 protected:
  void SetUp() override {
    MonthEndWorld::SetUp();
    map->date.month = 5;
  }
};

TEST_F(Officers, RestIsFourAndStopsAtOneHundred) {
  Hero(0).stamina = 50;
  Hero(1).stamina = 98;
  map->HeroUpdate();
  EXPECT_EQ(Hero(0).stamina, 54);
  EXPECT_EQ(Hero(1).stamina, 100);
}

TEST_F(Officers, AnOfficerOfAgeOneHundredTwentyDiesOneMonthInFive) {
  int deaths = 0;
  const int months = 500;
  for (uint32_t seed = 1; seed <= months; ++seed) {
    Hero(7).age = 120;
    Hero(7).heroOwnerId = 17;
    Hero(7).cityNo = 3;
    SeedRandom(seed);
    bool dies = Rand() % 100 < 20;  // officer 7 is the only one this old: the first draw is his
    SeedRandom(seed);
    map->HeroUpdate();
    bool died = Hero(7).heroOwnerId == 0 && Hero(7).cityNo == 0;
    EXPECT_EQ(died, dies) << "seed " << seed;
    deaths += died;
  }
  EXPECT_GT(deaths, months / 5 - 40);
  EXPECT_LT(deaths, months / 5 + 40);
}

TEST_F(Officers, IndexTwoHundredAndAboveNeitherRestsNorAgesNorDies) {
  map->date.month = 1;
  for (int i : {200, 299}) {
    Hero(i).age = 150;
    Hero(i).stamina = 50;
    Hero(i).heroOwnerId = 17;
    Hero(i).cityNo = 3;
  }
  int age = Hero(199).age;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    SeedRandom(seed);
    map->HeroUpdate();
  }
  for (int i : {200, 299}) {
    EXPECT_EQ(Hero(i).age, 150);
    EXPECT_EQ(Hero(i).stamina, 50);
    EXPECT_EQ(Hero(i).heroOwnerId, 17);
  }
  EXPECT_EQ(Hero(199).age, age + 30);
}

TEST_F(Officers, OfficerCountsFollowThePlayersRuler) {
  map->playerOfficerCount = 0;
  map->playerCityCount = 0;
  Hero(250).heroOwnerId = 6;  // beyond 200: not counted
  map->HeroUpdate();
  map->CityUpdate();
  EXPECT_EQ(map->playerOfficerCount, 4);  // officers 0, 1, 2 and the ruler 5
  EXPECT_EQ(map->playerCityCount, 2);
}

// The ruler (officer 5, number 6) at 120 and a draw under 20: he dies.
class OldRuler : public Officers {
 protected:
  void KillRuler() {
    Hero(5).age = 120;
    SeedFor([] { return Rand() % 100 < 20; });
    map->HeroUpdate();
  }
};

TEST_F(OldRuler, TheSuccessorIsPickedFromThePlayersOfficersAndTakesEverything) {
  KillRuler();
  EXPECT_EQ(Hero(5).heroOwnerId, 0);
  EXPECT_EQ(Hero(5).cityNo, 0);
  ASSERT_EQ(rulerSuccession, 1);
  EXPECT_EQ(successionByAge, 1);
  EXPECT_EQ(map->heroList.ownOfficerCount, 3);  // the dead ruler is not offered
  // Escape only shows the list again.
  map->KeyDown(keyEsc);
  EXPECT_EQ(rulerSuccession, 1);
  map->KeyDown(keyDown);
  map->KeyDown(keyReturn);  // the second entry: officer 1
  EXPECT_EQ(rulerSuccession, 0);
  EXPECT_EQ(successionByAge, 0);
  EXPECT_EQ(map->playerRuler, 2);
  EXPECT_EQ(Hero(1).heroOwnerId, 2);
  EXPECT_EQ(Hero(0).heroOwnerId, 2);
  EXPECT_EQ(Hero(2).heroOwnerId, 2);
  EXPECT_EQ(City(0).ownerId, 2);
  EXPECT_EQ(City(1).ownerId, 2);
  EXPECT_EQ(City(2).ownerId, 17);
  EXPECT_EQ(Hero(7).heroOwnerId, 17);
}

TEST_F(OldRuler, WithNobodyLeftToCrownTheCampaignIsLost) {
  for (int h : {0, 1, 2}) Hero(h).heroOwnerId = 0;
  KillRuler();
  EXPECT_EQ(rulerSuccession, 0);
  EXPECT_TRUE(TakeQuit());
}

TEST_F(OldRuler, AtTheMonthEndTheMapIsLeftWithTheSuccessorList) {
  IsolateRival();
  Hero(5).age = 120;
  map->date.month = 2;  // no new year within the months below
  int months = 0;
  while (rulerSuccession == 0 && months < 8) {
    map->DoEndEvent();
    ++months;
  }
  ASSERT_EQ(rulerSuccession, 1) << "the ruler outlived " << months << " months";
  EXPECT_EQ(pendingBattles, 0);
  EXPECT_EQ(taskCount, 0);
  map->KeyDown(keyReturn);
  EXPECT_EQ(map->playerRuler, 1);
  EXPECT_EQ(rulerSuccession, 0);
  // The next month end runs normally under the new ruler.
  int month = map->date.month;
  map->DoEndEvent();
  EXPECT_EQ(map->date.month, month + 1);
}

TEST_F(MonthEndWorld, EveryRecordIsFreeAfterTheMonthAndTheNextTaskTakesRecordOne) {
  IsolateRival();
  Queue(0, 0, kTaskPlunder);
  WarOrder order;
  order.fromCityNo = 1;
  order.targetCityNo = 4;
  order.warKind = kWarOccupyEmpty;
  ASSERT_EQ(map->QueueWarOrder(order), 2);
  Queue(1, 1, kTaskSearch);
  map->DoEndEvent();
  for (int k = 1; k < kTaskRecords; ++k) {
    EXPECT_EQ(map->taskTable[k].taskRemoved, 1) << k;
    EXPECT_EQ(map->taskTable[k].taskType, 0) << k;
  }
  EXPECT_EQ(taskCount, 0);
  EXPECT_EQ(pendingBattles, 0);
  EXPECT_EQ(map->QueueTask(0, 1, kTaskSearch, 0, 0, 0, 0, 0), 1);
}

}  // namespace

namespace {

// The month end resumed after an interruption picks up where it stopped: the
// calendar and the tasks are not run a second time.
class Resumption : public MonthEndTest {
 protected:
  void SetUp() override {
    MonthEndTest::SetUp();
    IsolateRival();
    map->date.month = 5;
    Queue(0, 0, kTaskPlunder);
  }
  void ExpectFinishedWithoutRerunning() {
    EXPECT_EQ(map->date.month, 5);
    EXPECT_EQ(City(0).peopleLoyalty, 40);  // the plunder was not run again
    EXPECT_EQ(map->taskTable[1].taskRemoved, 1);
    EXPECT_EQ(taskCount, 0);
    EXPECT_EQ(pendingBattles, 0);
    EXPECT_EQ(rulerSuccession, 0);
  }
};

TEST_F(Resumption, AfterARulerWasCrownedMidwayTheMonthEndFinishes) {
  pendingBattles = -1;
  rulerSuccession = 2;
  map->DoEndEvent();
  ExpectFinishedWithoutRerunning();
}

TEST_F(Resumption, WithNoBattleResultWaitingItFinishesAtOnce) {
  pendingBattles = -2;
  map->DoEndEvent();
  ExpectFinishedWithoutRerunning();
}

TEST_F(Resumption, AnUnknownStateStopsAndChangesNothing) {
  pendingBattles = -5;
  map->DoEndEvent();
  EXPECT_EQ(map->taskTable[1].taskRemoved, 0);
  EXPECT_EQ(pendingBattles, -5);
  pendingBattles = 0;
}

TEST_F(Resumption, CrowningASuccessorTheWarAskedForResumesTheMonthEnd) {
  pendingBattles = -1;
  rulerSuccession = 1;
  Hero(5).heroOwnerId = 306;  // the ruler was captured
  map->heroList.Init(map->cursorCol, map->cursorRow, 0, 25, map->playerRuler);
  map->KeyDown(keyDown);
  map->KeyDown(keyDown);
  map->KeyDown(keyReturn);  // the third of officers 0, 1, 2
  EXPECT_EQ(map->playerRuler, 3);
  EXPECT_EQ(Hero(2).heroOwnerId, 3);
  EXPECT_EQ(City(0).ownerId, 3);
  ExpectFinishedWithoutRerunning();
}

}  // namespace
