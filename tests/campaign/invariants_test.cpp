// The record checks the monkey runs after every key: each broken promise is
// named, the faction being crowned and damaged data are let off only the ruler
// checks, and only the first failure is reported.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "campaign/city_list.h"
#include "campaign/good_list.h"
#include "campaign/hero_list.h"
#include "campaign/invariants.h"

namespace {

constexpr int kRuler = 5;    // officer number of the ruler (index 4)
constexpr int kOfficer = 7;  // index of an officer who serves him
constexpr int kCity = 2;
constexpr int kItem = 3;

struct Records {
  HeroList heroes;
  CityList cities;
  GoodList goods;

  // One faction: a ruler and an officer of his carrying an item, in a city of his.
  Records() {
    for (int i = 0; i < kHeroCount; ++i) heroes.heroes[i].heroId = i;
    heroes.heroes[kRuler - 1].heroOwnerId = kRuler;
    heroes.heroes[kRuler - 1].cityNo = kCity + 1;
    HeroRecord& officer = heroes.heroes[kOfficer];
    officer.heroOwnerId = kRuler;
    officer.cityNo = kCity + 1;
    officer.item1 = kItem;
    goods.goods[kItem].holderId = kOfficer + 1;
    cities.cities[kCity].ownerId = kRuler;
  }
};

std::string Check(const Records& r, int crowningRuler, bool rulersFromData) {
  InvariantChecker c;
  CheckRecords(c, r.heroes, r.cities, r.goods, crowningRuler, rulersFromData);
  return c.Failure();
}

TEST(RecordChecks, EachBrokenPromiseIsNamedAndOnlyTheRulerChecksAreLetOff) {
  struct Case {
    const char* name;
    std::function<void(Records&)> breakIt;
    int crowningRuler;
    bool rulersFromData;
    const char* failure;  // the start of the report; empty when every check holds
  };
  auto noRuler = [](Records& r) { r.heroes.heroes[kRuler - 1].heroOwnerId = 0; };
  const Case cases[] = {
      {"sound records", [](Records&) {}, 0, true, ""},
      {"the ruler is gone", noRuler, 0, true, "officer 7 serves 5, who is no ruler"},
      {"his faction is being crowned", noRuler, kRuler, true, ""},
      {"an officer left in another's city", [](Records& r) { r.heroes.heroes[kOfficer].cityNo = 5; }, 0, true,
       "officer 7 serves 5 but stands in city 4 of 0"},
      {"another faction is being crowned", noRuler, 9, true, "officer 7 serves 5"},
      {"the tables are damaged", noRuler, 0, false, ""},
      {"a city of nobody's ruler",
       [](Records& r) {
         r.heroes.heroes[kOfficer].heroOwnerId = 0;
         r.heroes.heroes[kRuler - 1].heroOwnerId = 0;
       },
       0, true, "city 2 belongs to 5, who is no ruler"},
      {"an owner beyond the captives", [](Records& r) { r.heroes.heroes[9].heroOwnerId = 601; }, 0, false,
       "officer 9: owner 601 out of range"},
      {"an item whose holder is someone else", [](Records& r) { r.goods.goods[kItem].holderId = 1; }, 0, true,
       "officer 7 carries item 3, whose holder is 1"},
      {"one item in both hands", [](Records& r) { r.heroes.heroes[kOfficer].item2 = kItem; }, 0, true,
       "officer 7 carries item 3 twice"},
      {"a city in debt", [](Records& r) { r.cities.cities[4].money = -1; }, 0, true, "city 4: money -1"},
      {"an item in no city", [](Records& r) { r.goods.goods[8].goodCityNo = kCityCount + 1; }, 0, true,
       "item 8: city 51 out of range"},
      {"officers are reported before cities",
       [](Records& r) {
         r.cities.cities[0].money = -1;
         r.heroes.heroes[200].cityNo = -1;
       },
       0, true, "officer 200: city -1"},
  };
  for (const Case& k : cases) {
    auto records = std::make_unique<Records>();
    k.breakIt(*records);
    std::string failure = Check(*records, k.crowningRuler, k.rulersFromData);
    if (*k.failure == '\0') {
      EXPECT_EQ(failure, "") << k.name;
    } else {
      EXPECT_EQ(failure.rfind(k.failure, 0), 0u) << k.name << ": " << failure;
    }
  }
}

}  // namespace
