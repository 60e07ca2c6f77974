// The month's tasks: what each one does to the world and what its report says.
#include "tests/strategy/month_end_fixture.h"

namespace {

constexpr int kMessageFont = 50;  // the one-line boxes' text height

const char* const kJoinedFirst[4] = {"某愿效死忠。", "在下不才，蒙明", "某虽不才，愿为", "请主公期待我的"};
const char* const kRefusedFirst[4] = {"只凭你我交情，", "什么鸡鸣狗盗之", "某的能力还不足", "比在下高明之士"};

// Officer 1 (intelligence 85) searches city 0, where officer 4 is free.
class Search : public MonthEndTest {
 protected:
  static constexpr int kSearcher = 1;
  void SetUp() override {
    MonthEndTest::SetUp();
    Queue(0, kSearcher, kTaskSearch);
  }
  // The search branch: f = rand() % 4, then for f = 1 the draw s that must fall below intelligence.
  static bool Branch(int f) { return Rand() % 4 == f; }
  static bool PersonBranch(int intelligence) {
    if (!Branch(1)) return false;
    int s = Rand() % 150;
    return s < intelligence && s % 2 == 0;
  }
};

TEST_F(Search, AStrangerWhoIsWonOverJoinsTheCityOwnerAndSaysSo) {
  int loyalty = 0;
  int answer = 0;
  SeedFor([&] {
    if (!PersonBranch(85)) return false;
    Rand();  // which free officer (there is one)
    if (Rand() % 110 >= 85) return false;
    loyalty = Rand() % 30 + 70;
    answer = Rand() % 4;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(4).heroOwnerId, 6);
  EXPECT_EQ(Hero(4).loyalty, loyalty);
  // The last panel is the found officer's own.
  EXPECT_TRUE(WindowShows(kJoinedFirst[answer], 300, 300));
  EXPECT_TRUE(WindowShows("将4", 120, 430));
  EXPECT_EQ(foundOfficerShown, 0);
}

TEST_F(Search, ARefusalShowsUnderTheRefusingOfficersOwnPortrait) {
  int answer = 0;
  SeedFor([&] {
    if (!PersonBranch(85)) return false;
    Rand();
    if (Rand() % 110 < 85) return false;
    answer = Rand() % 4;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(4).heroOwnerId, 0);
  EXPECT_TRUE(WindowShows(kRefusedFirst[answer], 300, 300));
  EXPECT_TRUE(WindowShows("将4", 120, 430));
}

// Officer 0 refusing must not read as officer 0 joining.
TEST_F(Search, OfficerZeroRefusingIsAStillARefusal) {
  Hero(4).heroOwnerId = 6;
  Hero(0).heroOwnerId = 0;  // officer 0 is now the city's only free officer
  int answer = 0;
  SeedFor([&] {
    if (!PersonBranch(85)) return false;
    Rand();
    if (Rand() % 110 < 85) return false;
    answer = Rand() % 4;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(0).heroOwnerId, 0);
  EXPECT_TRUE(WindowShows(kRefusedFirst[answer], 300, 300));
  EXPECT_TRUE(WindowShows("将0", 120, 430));
}

TEST_F(Search, TheSearchersOwnFriendAlwaysJoinsAndAnotherOnesStaysHidden) {
  Hero(4).loyalToId = kSearcher + 1;
  SeedFor([] { return PersonBranch(85); });
  map->TaskListRun();
  EXPECT_EQ(Hero(4).heroOwnerId, 6);
  EXPECT_GE(Hero(4).loyalty, 70);

  Hero(4).heroOwnerId = 0;
  Hero(4).loyalToId = 9;
  Queue(0, kSearcher, kTaskSearch);
  map->taskTable[1].taskType = 0;  // only the new search runs
  SeedFor([] { return PersonBranch(85); });
  map->TaskListRun();
  EXPECT_EQ(Hero(4).heroOwnerId, 0);
  EXPECT_TRUE(WindowShows("听说城中有位贤", 300, 300));
  EXPECT_TRUE(WindowShows("将1", 120, 430));
}

TEST_F(Search, AnItemWaitingForTheSearcherIsFound) {
  GoodRecord& item = map->goodList.goods[10];
  item.goodId = 10;
  item.goodCityNo = 1;
  item.found = 0;
  item.finderId = kSearcher + 1;
  SeedFor([] {
    if (!Branch(1)) return false;
    int s = Rand() % 150;
    return s < 85 && s % 2 == 1;
  });
  map->TaskListRun();
  EXPECT_EQ(item.found, 1);
  EXPECT_TRUE(WindowShows("城中找到 ", 300, 300));
  EXPECT_TRUE(WindowShows("宝9", 500, 300));
}

TEST_F(Search, MoneyFoundGoesToTheCityAndIsReported) {
  int found = 0;
  SeedFor([&] {
    if (!Branch(2)) return false;
    found = Rand() % 170 + 10;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(City(0).money, 2000 + found);
  EXPECT_TRUE(WindowShows("城中找到金钱 ", 300, 300));
  EXPECT_TRUE(WindowShows(std::to_string(found).c_str(), 550, 300));
}

TEST_F(Search, AZeroIntelligenceSearcherFindsTheFixedTenWithoutDividingByZero) {
  Hero(kSearcher).intelligence = 0;
  SeedFor([] { return Branch(2); });
  map->TaskListRun();
  EXPECT_EQ(City(0).money, 2010);
  Queue(0, kSearcher, kTaskSearch);
  map->taskTable[1].taskType = 0;
  SeedFor([] { return Branch(3); });
  map->TaskListRun();
  EXPECT_EQ(City(0).food, 5010);
  EXPECT_TRUE(WindowShows("城中找到粮食 ", 300, 300));
  EXPECT_TRUE(WindowShows("10", 550, 300));
}

TEST_F(Search, NothingFound) {
  SeedFor([] { return Branch(0); });
  map->TaskListRun();
  EXPECT_EQ(City(0).money, 2000);
  EXPECT_EQ(Hero(4).heroOwnerId, 0);
  EXPECT_TRUE(WindowShows("什么也没找到…", 300, 300));
}

using Tasks = MonthEndTest;

TEST_F(Tasks, APersuadedCaptiveJoinsThePlayerAndThanksHim) {
  Queue(0, 3, kTaskPersuade, 1);
  int answer = 0;
  SeedFor([&] {
    answer = Rand() % 3;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(3).heroOwnerId, 6);
  const char* first[3] = {"我决不会辜负主", "请期待我日后的", "臣定鞠躬尽瘁，"};
  EXPECT_TRUE(WindowShows(first[answer], 300, 300));
  EXPECT_TRUE(WindowShows("将3", 120, 430));
}

TEST_F(Tasks, AStubbornCaptiveStaysACaptive) {
  Queue(0, 3, kTaskPersuade, 0);
  int answer = 0;
  SeedFor([&] {
    answer = Rand() % 3;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(3).heroOwnerId, 317);
  const char* first[3] = {"哼！我岂是贪生", "你还是少费唇舌", "就凭你要我归降"};
  EXPECT_TRUE(WindowShows(first[answer], 300, 300));
}

TEST_F(Tasks, ACaptiveExecutedMeanwhileMakesNoReport) {
  Queue(0, 3, kTaskPersuade, 1);
  Hero(3).heroOwnerId = 300;
  uint32_t before = window.Version();
  uint32_t random = RandomState();
  map->TaskListRun();
  EXPECT_EQ(Hero(3).heroOwnerId, 300);
  EXPECT_EQ(window.Version(), before);
  EXPECT_EQ(RandomState(), random);
}

TEST_F(Tasks, ATransportArrivesOrIsRobbed) {
  Queue(1, 0, kTaskTransport, 100, 200, 300, 1);
  map->TaskListRun();
  EXPECT_EQ(City(1).money, 600);
  EXPECT_EQ(City(1).food, 3200);
  EXPECT_EQ(City(1).reserveSoldiers, 1300);
  EXPECT_TRUE(WindowShows("物资运送完毕。", 300, 300));

  map->ResetTasks();
  Queue(1, 0, kTaskTransport, 100, 200, 300, 0);
  map->TaskListRun();
  EXPECT_EQ(City(1).money, 600);
  EXPECT_TRUE(WindowShows("途中遇到山贼，", 300, 300));
  EXPECT_TRUE(WindowShows("劫一空！      ", 300, 440));
}

TEST_F(Tasks, AWonOverOfficerMovesToTheCityAndServesItsOwnerSilently) {
  Queue(0, 7, kTaskWinOver, 0);
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 17);
  uint32_t before = window.Version();
  map->ResetTasks();
  Queue(0, 7, kTaskWinOver, 1);
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 6);
  EXPECT_EQ(Hero(7).cityNo, 1);
  EXPECT_EQ(window.Version(), before);
}

TEST_F(Tasks, AnOfficerCapturedSinceTheOrderIsNotWonOver) {
  Hero(7).heroOwnerId = 317;
  Queue(0, 7, kTaskWinOver, 1);
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 317);
  EXPECT_EQ(Hero(7).cityNo, 3);
}

class Incite : public MonthEndTest {
 protected:
  void SetUp() override {
    MonthEndTest::SetUp();
    // A second officer of ruler 17 in city 2, beside officer 7 and the ruler himself (16).
    Hero(10).heroId = 10;
    Hero(10).heroOwnerId = 17;
    Hero(10).cityNo = 3;
    Hero(7).loyalty = 40;
  }
};

TEST_F(Incite, TheRebelTakesHisCityAndItsGarrison) {
  Hero(16).cityNo = 2;          // the old ruler is away
  Queue(3, 7, kTaskIncite, 1);  // this task keeps the city 1-based
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 8);
  EXPECT_EQ(Hero(7).loyalty, 100);
  EXPECT_EQ(City(2).ownerId, 8);
  EXPECT_EQ(Hero(10).heroOwnerId, 8);
  EXPECT_EQ(Hero(16).heroOwnerId, 17);
  EXPECT_TRUE(WindowShows("将7", 55, 305, kMessageFont));
  EXPECT_TRUE(WindowShows(" 被策反成为君主", 175, 305, kMessageFont));
}

TEST_F(Incite, TheRebelRisesWithTheCityHeStandsInNow) {
  City(3).ownerId = 17;
  Hero(7).cityNo = 4;           // moved on after the order named city 2
  Queue(3, 7, kTaskIncite, 1);  // this task keeps the city 1-based
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 8);
  EXPECT_EQ(City(3).ownerId, 8);
  EXPECT_EQ(City(2).ownerId, 17);
  EXPECT_EQ(Hero(10).heroOwnerId, 17);
}

TEST_F(Incite, ACityWhereItsRulerStandsDoesNotRise) {
  Queue(3, 7, kTaskIncite, 1);
  uint32_t before = window.Version();
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 17);
  EXPECT_EQ(Hero(10).heroOwnerId, 17);
  EXPECT_EQ(City(2).ownerId, 17);
  EXPECT_EQ(window.Version(), before);
}

TEST_F(Incite, AFailedIncitementChangesNothingAndShowsNothing) {
  Queue(3, 7, kTaskIncite, 0);
  uint32_t before = window.Version();
  map->TaskListRun();
  EXPECT_EQ(Hero(7).heroOwnerId, 17);
  EXPECT_EQ(City(2).ownerId, 17);
  EXPECT_EQ(window.Version(), before);
}

class Submit : public MonthEndTest {
 protected:
  void SetUp() override {
    MonthEndTest::SetUp();
    City(3).ownerId = 17;  // a city of ruler 17 with nobody in it
  }
};

TEST_F(Submit, ARulerWhoSubmitsBringsHisWholeFaction) {
  Queue(0, 16, kTaskSubmit, 1);
  int answer = 0;
  SeedFor([&] {
    answer = Rand() % 4;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(16).heroOwnerId, 6);
  EXPECT_EQ(Hero(7).heroOwnerId, 6);
  EXPECT_EQ(City(2).ownerId, 6);
  EXPECT_EQ(City(3).ownerId, 6);
  EXPECT_EQ(City(0).ownerId, 6);
  const char* first[4] = {"事到如今，也只", "此乃天命，请明", "为了避免生灵涂", "我乃竭诚投降，"};
  EXPECT_TRUE(WindowShows(first[answer], 300, 300));
  EXPECT_TRUE(WindowShows("将16", 120, 430));
}

TEST_F(Submit, ARefusalIsReportedAndChangesNothing) {
  Queue(0, 16, kTaskSubmit, 0);
  int answer = 0;
  SeedFor([&] {
    answer = Rand() % 4;
    return true;
  });
  map->TaskListRun();
  EXPECT_EQ(Hero(16).heroOwnerId, 17);
  EXPECT_EQ(City(2).ownerId, 17);
  const char* first[4] = {"此事不必再说，", "你快回去备好兵", "笑话，该投降的", "大胆！竟敢小看"};
  EXPECT_TRUE(WindowShows(first[answer], 300, 300));
}

TEST_F(Submit, ARulerCapturedSinceTheCallHasNothingToGive) {
  Hero(16).heroOwnerId = 306;
  Queue(0, 16, kTaskSubmit, 1);
  map->TaskListRun();
  EXPECT_EQ(Hero(16).heroOwnerId, 306);
  EXPECT_EQ(Hero(7).heroOwnerId, 17);
  EXPECT_EQ(City(2).ownerId, 17);
}

TEST_F(Tasks, PlunderHalvesTheCityAndBringsBackMoneyAndFood) {
  Queue(0, 0, kTaskPlunder);  // officer 0: intelligence 75, force 85
  map->TaskListRun();
  EXPECT_EQ(City(0).peopleLoyalty, 20);
  EXPECT_EQ(City(0).farming, 250);
  EXPECT_EQ(City(0).commerce, 150);
  EXPECT_EQ(City(0).money, 2000 + 2 * 160);
  EXPECT_EQ(City(0).food, 5000 + 5 * 160);
  EXPECT_TRUE(WindowShows("320", 480, 300));
  EXPECT_TRUE(WindowShows("800", 510, 370));
  EXPECT_TRUE(WindowShows("。            ", 300, 440));
}

// Records 2 and 3 behind a war header hold plunders of city 0: an attack's
// header skips them as its extensions, an occupation's header does not.
class WarExtensions : public MonthEndTest {
 protected:
  void QueueWar(int kind) {
    WarOrder order;
    order.fromCityNo = 1;
    order.targetCityNo = 4;
    order.warKind = kind;
    ASSERT_EQ(map->QueueWarOrder(order), 1);
    for (int k : {2, 3}) {
      map->taskTable[k].taskType = kTaskPlunder;
      map->taskTable[k].city = 0;
      map->taskTable[k].officer = 2;
    }
    Queue(1, 2, kTaskPlunder);  // record 4
  }
};

TEST_F(WarExtensions, AnAttackSkipsItsTwoExtensionRecords) {
  QueueWar(kWarAttackCity);
  map->TaskListRun();
  EXPECT_EQ(City(0).peopleLoyalty, 40);
  EXPECT_EQ(City(1).peopleLoyalty, 20);
}

TEST_F(WarExtensions, AnOccupationWalksOnIntoItsExtensionRecords) {
  QueueWar(kWarOccupyEmpty);
  map->TaskListRun();
  EXPECT_EQ(City(0).peopleLoyalty, 10);
  EXPECT_EQ(City(1).peopleLoyalty, 20);
}

TEST_F(WarExtensions, PlainExtensionsOfAnOccupationDoNothing) {
  WarOrder order;
  order.fromCityNo = 1;
  order.targetCityNo = 4;
  order.warKind = kWarOccupyEmpty;
  order.partyOfficers[0] = 1;
  ASSERT_EQ(map->QueueWarOrder(order), 1);
  Queue(1, 2, kTaskPlunder);
  map->TaskListRun();
  EXPECT_EQ(City(0).peopleLoyalty, 40);
  EXPECT_EQ(City(1).peopleLoyalty, 20);
}

TEST_F(Tasks, TheWalkStopsAtTheFirstFreeRecord) {
  Queue(0, 0, kTaskPlunder);
  map->taskTable[3] = map->taskTable[1];  // beyond the free record 2: never reached
  map->taskTable[3].city = 1;
  map->TaskListRun();
  EXPECT_EQ(City(0).peopleLoyalty, 20);
  EXPECT_EQ(City(1).peopleLoyalty, 40);
}

TEST_F(Tasks, RecordsWithNumbersOutsideTheTablesAreSkipped) {
  Queue(0, 400, kTaskPlunder);
  Queue(-3, 0, kTaskSearch);
  Queue(77, 0, kTaskTransport, 1, 1, 1, 1);
  Queue(0, -1, kTaskPersuade, 1);
  map->TaskListRun();
  EXPECT_EQ(City(0).peopleLoyalty, 40);
}

}  // namespace
