// Loading the campaign tables: caps, read-until-match lookups, missing data.
#include <gtest/gtest.h>

#include <memory>

#include "campaign/city_list.h"
#include "campaign/country.h"
#include "campaign/date.h"
#include "campaign/good_list.h"
#include "campaign/hero_list.h"
#include "tests/campaign/fixture_res.h"

namespace {

TEST(CityTable, MoneyAndFoodAboveTheCeilingLoadAsOne) {
  FixtureRes res;
  std::string cities =
      FixtureRes::City(0, 6, 6, 1000, 500, 99999, 99998) + FixtureRes::City(1, 6, 0, 800, 100, 99998, 100000);
  res.Write("Res/City/city1.kdt", cities);
  auto list = std::make_unique<CityList>();
  list->PubInit(0);
  EXPECT_EQ(list->cities[0].money, 1);
  EXPECT_EQ(list->cities[0].food, 99998);
  EXPECT_EQ(list->cities[1].money, 99998);
  EXPECT_EQ(list->cities[1].food, 1);
  EXPECT_DOUBLE_EQ(list->cities[0].population, 30000.25);
  EXPECT_EQ(list->cities[1].extra4, 4);
}

TEST(CityTable, RecordsMayStandInAnyOrder) {
  FixtureRes res;
  res.Write("Res/City/city1.kdt", FixtureRes::City(1, 17, 0, 700, 1, 5, 6) + FixtureRes::City(0, 6, 6, 600, 2, 7, 8));
  auto list = std::make_unique<CityList>();
  list->PubInit(0);
  EXPECT_EQ(list->cities[0].ownerId, 6);
  EXPECT_EQ(list->cities[0].farmingMax, 600);
  EXPECT_EQ(list->cities[1].ownerId, 17);
  EXPECT_EQ(list->cities[1].farmingMax, 700);
}

// A missing or short table leaves what it would have filled as it was: no city
// takes another city's values, and a record cut short fills only what it has.
TEST(CityTable, MissingOrShortTableLeavesFieldsUnchanged) {
  FixtureRes res;
  auto list = std::make_unique<CityList>();
  for (CityRecord& c : list->cities) c.money = 777;
  res.Remove("Res/City/city1.kdt");
  list->PubInit(0);
  EXPECT_EQ(list->cities[0].money, 777);

  res.Write("Res/City/city1.kdt", FixtureRes::City(0, 6, 6, 1000, 500, 2000, 5000) + "1 17 0 800");
  list->PubInit(0);
  EXPECT_EQ(list->cities[0].money, 2000);
  EXPECT_EQ(list->cities[1].ownerId, 17);
  EXPECT_EQ(list->cities[1].farmingMax, 800);
  EXPECT_EQ(list->cities[1].money, 777);
  EXPECT_EQ(list->cities[2].ownerId, 0);
  EXPECT_EQ(list->cities[2].money, 777);
  EXPECT_EQ(list->cities[2].cityId, 0);
}

TEST(HeroTable, CapsAndStamina) {
  FixtureRes res;
  res.Write("Res/Hero/hero1.kdt", FixtureRes::Hero(0, 1, 21, 201, 200, 101, 0, 0, 0, 1) +
                                      FixtureRes::Hero(1, 1, 20, 200, 201, 100, 0, 0, 0, 1));
  auto list = std::make_unique<HeroList>();
  list->PubInit(0);
  EXPECT_EQ(list->heroes[0].level, 0);
  EXPECT_EQ(list->heroes[0].force, 1);
  EXPECT_EQ(list->heroes[0].intelligence, 200);
  EXPECT_EQ(list->heroes[0].loyalty, 1);
  EXPECT_EQ(list->heroes[1].level, 20);
  EXPECT_EQ(list->heroes[1].intelligence, 1);
  EXPECT_EQ(list->heroes[1].loyalty, 100);
  EXPECT_EQ(list->heroes[0].stamina, kFullStamina);
  EXPECT_EQ(list->heroes[0].inListFlag, kIdle);
}

TEST(HeroTable, SecondItemDecidesTheMovementBonus) {
  FixtureRes res;
  res.Write("Res/Hero/hero1.kdt", FixtureRes::Hero(0, 1, 1, 50, 50, 50, 0, 26, 23, 1) +
                                      FixtureRes::Hero(1, 1, 1, 50, 50, 50, 0, 23, 26, 1) +
                                      FixtureRes::Hero(2, 1, 1, 50, 50, 50, 0, 24, 1, 1));
  auto list = std::make_unique<HeroList>();
  list->PubInit(0);
  EXPECT_EQ(list->heroes[0].itemBonus, 3);
  EXPECT_EQ(list->heroes[1].itemBonus, 1);
  EXPECT_EQ(list->heroes[2].itemBonus, 2);
}

TEST(Calendar, MonthTwelveRollsOverIntoTheNextYear) {
  FixtureRes res;
  Date date;
  date.Init(0);
  EXPECT_EQ(date.year, 190);
  EXPECT_EQ(date.month, 1);
  date.month = 11;
  date.Caculate();
  EXPECT_EQ(date.month, 12);
  EXPECT_EQ(date.year, 190);
  date.Caculate();
  EXPECT_EQ(date.month, 1);
  EXPECT_EQ(date.year, 191);
  date.Init(3);
  EXPECT_EQ(date.year, 225);
}

TEST(Factions, StartingCountsComeFromTheRulersLine) {
  FixtureRes res;
  Country country;
  EXPECT_EQ(country.GetCityNum(0, 0), 2);
  EXPECT_EQ(country.GetHeroNum(0, 0), 4);
  EXPECT_EQ(country.GetCityNum(1, 0), 1);
  EXPECT_EQ(country.GetHeroNum(1, 0), 2);
  EXPECT_EQ(country.GetCityNum(0, 4), 0);
  int count = 0;
  int list[kFactionLineCapacity] = {};
  Country::GetOwner("Res//citytowho1.kdt", 1, count, list);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(list[0], 2);
}

TEST(ItemTable, LoadsWithoutCaps) {
  FixtureRes res;
  auto goods = std::make_unique<GoodList>();
  goods->PubInit(0);
  EXPECT_EQ(goods->goods[1].forceBonus, 5);
  EXPECT_EQ(goods->goods[2].holderId, 1);
  EXPECT_EQ(goods->goods[31].usage, kUsageUse);
  EXPECT_EQ(goods->goods[31].troopChange, 4);
}

}  // namespace
