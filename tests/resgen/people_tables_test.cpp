// The officers, items and rulers of data/, the tables written from them, and
// the rules that guard them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "tests/resgen/world_test_util.h"
#include "tools/resgen/people/people_build.h"
#include "tools/resgen/common/tables.h"

namespace {

std::vector<long long> Numbers(const std::string& path) {
  std::istringstream in(ReadAll(path));
  std::vector<long long> v;
  long long x;
  while (in >> x) v.push_back(x);
  return v;
}

// The lines of a faction table: n followed by n numbers.
std::vector<std::vector<long long>> FactionLines(const std::string& path) {
  std::istringstream in(ReadAll(path));
  std::vector<std::vector<long long>> lines;
  long long n;
  while (in >> n) {
    std::vector<long long> line(n);
    for (long long& v : line) in >> v;
    lines.push_back(line);
  }
  return lines;
}

Placement* Placed(PeopleData& data, int s, const std::string& name) {
  for (Placement& p : data.scenario[s].officers)
    if (p.name == name) return &p;
  return nullptr;
}

ItemPlacement* PlacedItem(PeopleData& data, int s, int number) {
  for (ItemPlacement& p : data.scenario[s].items)
    if (p.item == number) return &p;
  return nullptr;
}

class People : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadPeople(SourceData(), data)) << quiet.All(); }
  // Builds and checks one scenario; false when any rule breaks.
  bool BuildAndCheck(int s) { return BuildScenario(data, s, built) && CheckScenario(data, s, built); }
  QuietErrors quiet;
  PeopleData data;
  ScenarioPeople built;
};

TEST_F(People, RealDataKeepsEveryRule) {
  EXPECT_TRUE(CheckPeopleSources(data)) << quiet.All();
  for (int s = 0; s < kScenarioCount; ++s) EXPECT_TRUE(BuildAndCheck(s)) << "scenario " << s << "\n" << quiet.All();
}

TEST_F(People, EveryScenarioIsPopulatedAndEveryRulerPlayable) {
  for (int s = 0; s < kScenarioCount; ++s) {
    ASSERT_TRUE(BuildAndCheck(s)) << quiet.All();
    int officers = 0, free = 0;
    for (int i = 0; i < kOfficerCount; ++i) {
      if (built.names[i].empty()) continue;
      ++officers;
      if (built.officers[i].heroOwnerId == 0) ++free;
    }
    EXPECT_GE(officers, 150) << "scenario " << s;
    EXPECT_LE(officers, kPeopleIndexLimit) << "scenario " << s;
    EXPECT_GE(free, 1) << "scenario " << s;
    for (const RulerSummary& r : SummarizeRulers(data, s, built)) {
      EXPECT_FALSE(r.cities.empty()) << r.name;
      // A lone ruler cannot search, develop and fight at once.
      EXPECT_GE(r.officers.size(), 2u) << "scenario " << s << " " << r.name;
    }
  }
}

TEST_F(People, APersonKeepsHisIndexWhereNoFixedIndexApplies) {
  std::map<std::string, int> seen;
  for (int s = 0; s < kScenarioCount; ++s) {
    ASSERT_TRUE(BuildAndCheck(s)) << quiet.All();
    for (const Placement& p : data.scenario[s].officers) {
      if (p.index >= 0) continue;
      int idx = FindPerson(data, p.name)->slot;
      EXPECT_EQ(built.names[idx], p.name);
    }
  }
}

TEST_F(People, HeldItemsRaiseAbilitiesAndFillSlotsInNumberOrder) {
  ASSERT_TRUE(BuildAndCheck(0)) << quiet.All();
  // 关羽 holds the blade (4, force 10) and the annals (40, force 2, intelligence 5).
  int guan = -1;
  for (int i = 0; i < kOfficerCount; ++i)
    if (built.names[i] == "关羽") guan = i;
  ASSERT_GE(guan, 0);
  const Person* p = FindPerson(data, "关羽");
  EXPECT_EQ(built.officers[guan].item1, 4);
  EXPECT_EQ(built.officers[guan].item2, 40);
  EXPECT_EQ(built.officers[guan].force, p->force + 12);
  EXPECT_EQ(built.officers[guan].intelligence, p->intelligence + 5);
  EXPECT_EQ(built.items[4].holderId, guan + 1);
  EXPECT_EQ(built.items[4].goodCityNo, built.officers[guan].cityNo);
  // Number 0 means "no item": its record stays empty so no list ever shows it.
  EXPECT_EQ(built.items[0].Numbers(), ItemRecord().Numbers());
}

TEST_F(People, WrittenTablesAgreeWithEachOther) {
  ScratchDir res("people_res");
  ResgenPaths paths{SourceData(), res.path.string()};
  ASSERT_TRUE(PrepareResFolders(paths));
  ASSERT_TRUE(GeneratePeopleTables(paths)) << quiet.All();
  for (int s = 0; s < kScenarioCount; ++s) {
    std::string n = std::to_string(s + 1);
    std::vector<long long> heroes = Numbers(res / ("Hero/hero" + n + ".kdt"));
    ASSERT_EQ(heroes.size(), 300u * 16);
    for (int i = kPeopleIndexLimit; i < kOfficerCount; ++i) {
      EXPECT_EQ(heroes[i * 16], i);
      EXPECT_EQ(heroes[i * 16 + 1], 0) << "record " << i;   // no owner
      EXPECT_EQ(heroes[i * 16 + 14], 0) << "record " << i;  // no city
    }
    auto cityLines = FactionLines(res / ("citytowho" + n + ".kdt"));
    auto heroLines = FactionLines(res / ("Hero/herotowho" + n + ".kdt"));
    ASSERT_EQ(static_cast<int>(cityLines.size()), kRulerCount[s]);
    ASSERT_EQ(static_cast<int>(heroLines.size()), kRulerCount[s]);
    for (int k = 0; k < kRulerCount[s]; ++k) {
      int ruler = kRulerTable[s][k];
      for (long long officer : heroLines[k]) EXPECT_EQ(heroes[(officer - 1) * 16 + 1], ruler);
      int serving = 0;
      for (int i = 0; i < kOfficerCount; ++i) serving += heroes[i * 16 + 1] == ruler;
      EXPECT_EQ(static_cast<int>(heroLines[k].size()), serving);
      EXPECT_FALSE(cityLines[k].empty());
    }
    std::vector<long long> goods = Numbers(res / ("Good/goods" + n + ".kdt"));
    ASSERT_EQ(goods.size(), 50u * 10);
    for (int g = 1; g < kItemCount; ++g) {
      long long holder = goods[g * 10 + 1];
      if (holder && goods[g * 10 + 2] == 0) {
        long long item1 = heroes[(holder - 1) * 16 + 11], item2 = heroes[(holder - 1) * 16 + 12];
        EXPECT_TRUE(item1 == g || item2 == g) << "item " << g;
      }
    }
  }
  // Ruler names in menu order, GBK.
  std::string list = ReadAll(res / "1dznq_em.kss");
  std::string dong;
  ASSERT_TRUE(ToGbk("董卓\n", dong));
  EXPECT_EQ(list.substr(0, dong.size()), dong);
}

// ---- Broken data is caught and named ------------------------------------

TEST_F(People, RulerAwayFromHisTableNumberIsCaught) {
  ASSERT_TRUE(BuildAndCheck(0)) << quiet.All();
  int empty = kPeopleIndexLimit - 1;
  while (!built.names[empty].empty()) --empty;
  Placed(data, 0, "董卓")->index = empty;
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("ruler 6 (nobody)")) << quiet.All();
}

TEST_F(People, OfficerInACityHisLordDoesNotHoldIsCaught) {
  Placed(data, 0, "关羽")->city = "长安";
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("关羽 serves officer 8 but stands in 长安")) << quiet.All();
}

TEST_F(People, IndicesOutsideTheLivingRangeOrSharedAreCaught) {
  Placed(data, 1, "曹仁")->index = 250;
  Placed(data, 1, "曹洪")->index = 0;  // 袁术's number
  EXPECT_FALSE(BuildAndCheck(1));
  EXPECT_TRUE(quiet.Mentions("\"曹仁\" would take index 250")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("would take index 0, which \"曹洪\" already holds")) << quiet.All();
}

TEST_F(People, TheDeadAndTheUnbornAreCaught) {
  data.scenario[3].officers.push_back(*Placed(data, 0, "典韦"));
  data.scenario[3].officers.back().city = "会稽";
  data.scenario[3].officers.back().loyalTo.clear();
  EXPECT_FALSE(BuildAndCheck(3));
  EXPECT_TRUE(quiet.Mentions("典韦 is not of age or not alive in 225")) << quiet.All();
}

TEST_F(People, TroopItemBeyondItsHoldersReachIsCaught) {
  // 高顺 lacks the force the elite tally needs.
  PlacedItem(data, 0, kEliteItem)->holder = "高顺";
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("needs force 106 with equipment; 高顺 falls short")) << quiet.All();
}

TEST_F(People, AThirdItemIsCaught) {
  // 曹操 already holds the sword and a horse.
  PlacedItem(data, 0, 49)->holder = "曹操";
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("third item (韩非子)")) << quiet.All();
}

TEST_F(People, AbilitiesBeyondTheGamesCeilingAreCaught) {
  for (ItemDef& d : data.items)
    if (d.number == 6) d.forceBonus = 150;  // 吕布's halberd
  EXPECT_FALSE(CheckPeopleSources(data));
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("吕布: force with items 250 is outside 1..200")) << quiet.All();
}

TEST_F(People, HorsesAndTroopItemsMustMeanWhatTheGameMakesOfTheirNumbers) {
  for (ItemDef& d : data.items) {
    if (d.number == 23) d.movementBonus = 1;
    if (d.number == 33) d.usage = 0;
  }
  EXPECT_FALSE(CheckPeopleSources(data));
  EXPECT_TRUE(quiet.Mentions("movementBonus must be 3")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("usage must be 1 and troopChange 3")) << quiet.All();
}

TEST_F(People, MissingSpecialOfficerIsCaught) {
  auto& officers = data.scenario[0].officers;
  for (size_t i = 0; i < officers.size(); ++i)
    if (officers[i].name == "于吉") officers.erase(officers.begin() + i);
  // His book has nobody to hold it now.
  PlacedItem(data, 0, 41)->holder.clear();
  PlacedItem(data, 0, 41)->city = "会稽";
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("style-1 officer index 124 is empty")) << quiet.All();
}

TEST_F(People, ATreasureWhoseFinderDiedCanNoLongerBeFound) {
  // 225: the red hare lies in 江陵 with 关羽, dead since 220, as its only finder.
  ASSERT_TRUE(BuildAndCheck(3)) << quiet.All();
  EXPECT_EQ(built.items[23].finderId, kLostItemFinder);
  EXPECT_EQ(built.items[23].found, 0);
  EXPECT_TRUE(built.names[kLostItemFinder - 1].empty());
  // Marked as found it would show in the city's store: caught.
  PlacedItem(data, 3, 23)->found = 1;
  EXPECT_FALSE(BuildAndCheck(3));
  EXPECT_TRUE(quiet.Mentions("went with its dead finder")) << quiet.All();
  // A finder still alive but absent from the scenario is a mistake, not a loss.
  ClearErrors();
  PlacedItem(data, 3, 23)->found = 0;
  PlacedItem(data, 3, 23)->finder = "阎圃";  // alive in 225, yet not placed there
  EXPECT_FALSE(BuildAndCheck(3));
  EXPECT_TRUE(quiet.Mentions("finder \"阎圃\" is not an officer of this scenario")) << quiet.All();
}

TEST_F(People, AWaitingOfficerMustWaitForSomeoneWhoSearches) {
  // 典韦 waits for 夏侯惇 in 190; serving 曹操 already, or waiting for a free man, is caught.
  Placed(data, 0, "典韦")->lord = "曹操";
  Placed(data, 0, "典韦")->soldiers = 1000;
  Placed(data, 0, "程昱")->loyalTo = "许褚";
  EXPECT_FALSE(BuildAndCheck(0));
  EXPECT_TRUE(quiet.Mentions("典韦 serves a lord already")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("程昱 waits for 许褚, who serves no faction")) << quiet.All();
}

}  // namespace
