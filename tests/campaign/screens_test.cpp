// The list screens and dialogs of the campaign records.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "campaign/city_list.h"
#include "campaign/good_list.h"
#include "campaign/hero_list.h"
#include "campaign/operate.h"
#include "tests/campaign/fixture_res.h"

namespace {

TEST(CityScreen, NegativeValuesAreClearedWhenShown) {
  FixtureRes res;
  auto list = std::make_unique<CityList>();
  list->PubInit(0);
  list->Init(2, 1, 0);
  EXPECT_EQ(list->cityIndex, 0);
  CityRecord& c = list->cities[0];
  c.farming = -5;
  c.peopleLoyalty = -1;
  c.money = -30;
  list->Show();
  EXPECT_EQ(c.farming, 0);
  EXPECT_EQ(c.peopleLoyalty, 0);
  EXPECT_EQ(c.money, -30);  // page 1 values are cleared only on page 1
  EXPECT_EQ(list->KeyDown(keyDown), 0);
  EXPECT_EQ(list->page, 1);
  EXPECT_EQ(c.money, 0);
  list->KeyDown(keyDown);
  list->KeyDown(keyDown);
  EXPECT_EQ(list->page, 2);
  EXPECT_STREQ(list->statusText, "正常");
  list->KeyDown(keyUp);
  list->KeyDown(keyUp);
  list->KeyDown(keyUp);
  EXPECT_EQ(list->page, 0);
  EXPECT_EQ(list->KeyDown(keyEsc), -1);
  EXPECT_EQ(list->KeyDown(keyReturn), -1);
}

TEST(CityScreen, NamesFollowTheCell) {
  FixtureRes res;
  auto list = std::make_unique<CityList>();
  list->PubInit(0);
  list->Init(4, 1, 0);
  EXPECT_EQ(list->cityIndex, 2);
  EXPECT_STREQ(list->cityName, "许昌");
  EXPECT_STREQ(list->ownerName, "将16");
  // A cell without a city keeps the last city.
  list->Init(9, 8, 0);
  EXPECT_EQ(list->cityIndex, 2);
}

class OfficerListTest : public ::testing::Test {
 protected:
  FixtureRes res;
  std::unique_ptr<HeroList> list = std::make_unique<HeroList>();
  void SetUp() override { list->PubInit(0); }
};

TEST_F(OfficerListTest, GroupsAreBuiltInOrder) {
  list->Init(2, 1, 0, 1, 6);
  EXPECT_EQ(list->cityOfficerCount, 4);   // officers 0, 1, 2 and the ruler 5
  EXPECT_EQ(list->cityCaptiveCount, 1);   // 3
  EXPECT_EQ(list->freeOfficerCount, 1);   // 4
  EXPECT_EQ(list->otherOfficerCount, 1);  // 7
  EXPECT_EQ(list->otherRulerCount, 1);    // 16
  EXPECT_EQ(list->ownOfficerCount, 4);
  EXPECT_EQ(list->listIds[4], 3);
  EXPECT_EQ(list->listIds[5], 4);
  EXPECT_EQ(list->listIds[6], 7);
  EXPECT_EQ(list->listIds[7], 16);
}

TEST_F(OfficerListTest, EightEntriesScrollToTheLastSix) {
  std::string table;
  for (int i = 0; i < 8; ++i) table += FixtureRes::Hero(i, 6, 1, 50, 50, 50, 0, 0, 0, 1);
  res.Write("Res/Hero/hero1.kdt", table);
  list->PubInit(0);
  list->Init(2, 1, 0, 1, 6);
  ASSERT_EQ(list->cityOfficerCount, 8);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(list->KeyDown(keyDown), 0);
  EXPECT_EQ(list->listTop, 2);
  EXPECT_EQ(list->listCursor, 5);
  EXPECT_EQ(list->showRow, 5);
  EXPECT_EQ(list->listIds[list->listTop + list->listCursor], 7);
  list->KeyDown(keyDown);
  EXPECT_EQ(list->listTop, 2);
  EXPECT_EQ(list->listCursor, 5);
  for (int i = 0; i < 8; ++i) list->KeyDown(keyUp);
  EXPECT_EQ(list->listTop, 0);
  EXPECT_EQ(list->listCursor, 0);
}

TEST_F(OfficerListTest, ShortListNeitherScrollsNorPassesTheLastEntry) {
  list->Init(2, 1, 0, 1, 6);
  for (int i = 0; i < 6; ++i) list->KeyDown(keyDown);
  EXPECT_EQ(list->listTop, 0);
  EXPECT_EQ(list->listCursor, 3);
  for (int i = 0; i < 9; ++i) list->KeyDown(keyRight);
  EXPECT_EQ(list->columnPage, 5);
  EXPECT_EQ(list->KeyDown(keyReturn), 1);
  EXPECT_EQ(list->KeyDown(keyEsc), -1);
}

TEST_F(OfficerListTest, EmptyGroupConfirmsAtOnce) {
  list->Init(3, 1, 0, 1, 6);  // nobody in city 1
  EXPECT_EQ(list->cityOfficerCount, 0);
  EXPECT_EQ(list->KeyDown(keyDown), 1);
  EXPECT_EQ(list->PickedHero(0), -1);
}

TEST_F(OfficerListTest, OwnerAndLoyaltyTexts) {
  list->Init(2, 1, 0, 8, 6);  // release: officers and captives together
  list->GetHeroTo(0);
  EXPECT_STREQ(list->ownerName, "将5");
  list->GetHeroTo(5);
  EXPECT_STREQ(list->ownerName, "君主");
  list->GetHeroTo(3);
  EXPECT_STREQ(list->ownerName, "俘虏");
  list->GetHeroTo(4);
  EXPECT_STREQ(list->ownerName, "");
  char text[16];
  list->LoyaltyText(5, text, sizeof text);
  EXPECT_STREQ(text, "--");
  list->LoyaltyText(0, text, sizeof text);
  EXPECT_STREQ(text, "90");
  // A captive's owner number points past the name list; no row outside the grid is read.
  list->listStyle = 0;
  list->GetHeroTo(3);
  EXPECT_STREQ(list->ownerName, "");
}

TEST_F(OfficerListTest, StylesShowTheirGroups) {
  list->Init(2, 1, 0, 6, 6);
  EXPECT_EQ(list->listStyle, 1);
  EXPECT_EQ(list->PickedHero(0), 0);  // without the flag: the city's officers
  captiveListFlag = 1;
  EXPECT_EQ(list->PickedHero(0), 3);
  EXPECT_EQ(list->PickedHero(1), -1);
  captiveListFlag = 0;
  list->Init(2, 1, 0, 19, 6);
  rulerListFlag = 1;
  EXPECT_EQ(list->PickedHero(0), 16);
  rulerListFlag = 0;
  list->Init(2, 1, 0, 25, 6);
  EXPECT_EQ(list->listStyle, 6);
  EXPECT_EQ(list->PickedHero(3), 5);
  list->DeleteHero(list->GroupOffset(kGroupOwnOfficers));
  EXPECT_EQ(list->ownOfficerCount, 3);
  list->GetListStyle(18);
  EXPECT_EQ(list->listStyle, 6);
}

TEST(ItemList, HolderSeesOnlyEquipment) {
  FixtureRes res;
  auto goods = std::make_unique<GoodList>();
  goods->PubInit(0);
  goods->goods[31].holderId = 1;  // an item for use, also held by officer number 1
  goods->Init(2, 1, 0, 1);
  EXPECT_EQ(goods->holderMode, 1);
  EXPECT_EQ(goods->heldGoodCount, 1);
  EXPECT_EQ(goods->PickedGood(0), 2);
  EXPECT_EQ(goods->PickedGood(1), -1);
  EXPECT_EQ(goods->listedHolder, 0);
}

TEST(ItemList, CityItemsAndTheLastEntry) {
  FixtureRes res;
  auto goods = std::make_unique<GoodList>();
  goods->PubInit(0);
  goods->Init(2, 1, 0, -1);
  EXPECT_EQ(goods->cityGoodCount, 3);  // items 1, 23 and 31
  goods->KeyDown(keyDown);
  goods->KeyDown(keyDown);
  EXPECT_EQ(goods->listCursor, 2);
  goods->KeyDown(keyDown);
  EXPECT_EQ(goods->listCursor, 2);
  EXPECT_EQ(goods->listTop, 0);
  EXPECT_EQ(goods->PickedGood(goods->listCursor), 31);
  goods->KeyDown(keyRight);
  goods->KeyDown(keyRight);
  goods->KeyDown(keyRight);
  EXPECT_EQ(goods->columnPage, 2);
  goods->GetGoodChange(2);
  EXPECT_STREQ(goods->changeText, "极兵");
  goods->Init(3, 1, 0, -1);
  EXPECT_EQ(goods->cityGoodCount, 0);
  EXPECT_EQ(goods->KeyDown(keyReturn), 0);
}

TEST(NumericDialog, DigitByDigit) {
  Operate op;
  op.Init(kOperateMoney, 12345);
  EXPECT_EQ(op.digitCount, 4);
  op.KeyDown(keyUp);
  EXPECT_EQ(op.value, 10000);
  op.KeyDown(keyUp);
  EXPECT_EQ(op.value, 10000);
  op.KeyDown(keyRight);
  for (int i = 0; i < 3; ++i) op.KeyDown(keyUp);
  EXPECT_EQ(op.value, 12000);
  op.KeyDown(keyDown);
  EXPECT_EQ(op.value, 11000);
  EXPECT_EQ(op.KeyDown(keyReturn), 11010);
  EXPECT_EQ(op.KeyDown(keyEsc), -1);

  op.Init(kOperateSoldiers, 7);
  EXPECT_EQ(op.digitCount, 0);
  op.KeyDown(keyRight);
  op.KeyDown(keyLeft);
  EXPECT_EQ(op.digitPos, 0);
  for (int i = 0; i < 9; ++i) op.KeyDown(keyUp);
  EXPECT_EQ(op.value, 7);
  op.KeyDown(keyDown);
  EXPECT_EQ(op.value, 6);

  op.Init(kOperateFood, 0);
  EXPECT_EQ(op.digitCount, -1);
  op.KeyDown(keyUp);
  op.KeyDown(keyDown);
  EXPECT_EQ(op.value, 0);
  EXPECT_EQ(op.KeyDown(keyReturn), 10);

  op.Init(kOperateFood, 123456);
  for (int key : {keyUp, keyRight, keyUp, keyRight, keyUp, keyDown}) op.KeyDown(key);
  EXPECT_EQ(op.value, 0);
}

TEST(NumericDialog, BuyOrSellChoice) {
  Operate op;
  op.Init(kOperateChoice, 1);
  EXPECT_EQ(op.digitPos, 1);
  op.KeyDown(keyDown);
  EXPECT_EQ(op.digitPos, 0);
  EXPECT_EQ(op.KeyDown(keyLeft), 0);
  EXPECT_EQ(op.KeyDown(keyReturn), 10);
  op.KeyDown(keyUp);
  EXPECT_EQ(op.KeyDown(keyReturn), 11);
}

}  // namespace
