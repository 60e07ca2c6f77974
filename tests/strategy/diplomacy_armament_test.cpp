// The diplomacy and armament orders: draws, recruiting limits and the war pick.
#include <gtest/gtest.h>

#include "platform/bmp.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "tests/strategy/map_fixture.h"

namespace {

using DiplomacyArmament = MapTest;

TEST_F(DiplomacyArmament, WinOverDrawsAgainstAKnownSeed) {
  for (unsigned seed : {2u, 9u, 17u, 23u, 31u}) {
    SetUp();
    OpenCommand(16);
    EXPECT_EQ(map->heroList.listStyle, 3);
    EXPECT_EQ(map->GetOrder(PositionOf(1)), kOrderSecondPick);
    map->heroList.Init(2, 1, 0, 16, 6);
    ASSERT_EQ(map->heroList.PickedHero(0), 7);
    SeedRandom(seed);
    // Actor intelligence 85 against 60: chance 75; then his loyalty 80; then
    // the target's character 2 refuses on a draw below 30.
    int s = 0;
    if (Rand() % 100 <= 75 && Rand() % 100 >= 80) s = Rand() % 100 < 30 ? 0 : 1;
    SeedRandom(seed);
    EXPECT_EQ(map->GetOrder(0), kOrderFinished);
    EXPECT_EQ(map->taskTable[1].taskType, kTaskWinOver);
    EXPECT_EQ(map->taskTable[1].officer, 7);
    EXPECT_EQ(map->taskTable[1].city, 0);
    EXPECT_EQ(map->taskTable[1].value1, s) << "seed " << seed;
    EXPECT_EQ(Hero(1).stamina, 85);
    EXPECT_EQ(Hero(1).inListFlag, kActed);
    EXPECT_EQ(foreignOfficerListFlag, 0);
  }
}

TEST_F(DiplomacyArmament, SowingDiscordCostsStaminaWhateverTheDraw) {
  Hero(1).loyalty = 0;
  Hero(1).intelligence = 200;  // chance far above any draw
  OpenCommand(15);
  map->GetOrder(PositionOf(1));
  map->heroList.Init(2, 1, 0, 15, 6);
  SeedRandom(4);
  Rand();
  Rand();
  int lost = Rand() % 100 >= 40 ? 4 : 0;
  SeedRandom(4);
  EXPECT_EQ(map->GetOrder(0), kOrderFinished);
  EXPECT_EQ(Hero(7).loyalty, 80 - lost);
  EXPECT_EQ(Hero(1).stamina, 80);

  Hero(2).intelligence = 0;  // chance below every draw: nothing changes
  OpenCommand(15);
  map->GetOrder(PositionOf(2));
  map->heroList.Init(2, 1, 0, 15, 6);
  int before = Hero(7).loyalty;
  map->GetOrder(0);
  EXPECT_EQ(Hero(7).loyalty, before);
  EXPECT_EQ(Hero(2).stamina, 80);
}

TEST_F(DiplomacyArmament, InciteFailsAgainstACityItsRulerGoverns) {
  Hero(1).intelligence = 200;
  Hero(1).loyalty = 0;
  Hero(7).character = 3;
  City(2).governorId = 17;
  OpenCommand(17);
  map->GetOrder(PositionOf(1));
  map->heroList.Init(2, 1, 0, 17, 6);
  SeedRandom(1);
  map->GetOrder(0);
  EXPECT_EQ(map->taskTable[1].taskType, kTaskIncite);
  EXPECT_EQ(map->taskTable[1].city, 3);  // the target's city, 1-based
  EXPECT_EQ(map->taskTable[1].value1, 0);
  EXPECT_EQ(Hero(1).stamina, 85);
}

TEST_F(DiplomacyArmament, CallToSubmitPicksAmongOtherRulers) {
  OpenCommand(19);
  EXPECT_EQ(map->GetOrder(PositionOf(0)), kOrderSecondPick);
  EXPECT_EQ(rulerListFlag, 1);
  map->heroList.Init(2, 1, 0, 19, 6);
  EXPECT_EQ(map->heroList.PickedHero(0), 16);
  EXPECT_EQ(map->GetOrder(0), kOrderFinished);
  EXPECT_EQ(map->taskTable[1].taskType, kTaskSubmit);
  EXPECT_EQ(map->taskTable[1].officer, 16);
  EXPECT_EQ(Hero(0).stamina, 90);
}

// Once the acting officer is picked, the target list is up and takes the very
// next key; the order then ends on the redrawn map, not on a stale list.
TEST_F(DiplomacyArmament, TargetListTakesTheNextKeyAndTheOrderEndsOnTheMap) {
  // A map picture, so that redrawing the map covers whatever lay on it.
  SaveBmp24("Res/map.kbp", Surface(1120, 750, Rgb(90, 140, 60)));
  for (int command : {15, 16, 17, 19}) {
    SetUp();
    OpenCommand(command);
    map->heroList.listCursor = PositionOf(1);
    Keys({keyReturn});
    ASSERT_EQ(map->secondPickOpen, 1) << command;
    Surface listShown = *backDC;
    map->Show(0);
    ASSERT_NE(backDC->Pixels(), listShown.Pixels()) << command;  // the list covers the map
    map->heroList.Show(0);
    Keys({keyReturn});
    EXPECT_EQ(map->command, 0) << command;
    EXPECT_EQ(Hero(1).inListFlag, kActed) << command;
    Surface ended = *backDC;
    map->Show(0);
    EXPECT_EQ(backDC->Pixels(), ended.Pixels()) << command;
  }
}

TEST_F(DiplomacyArmament, RecruitingLimits) {
  City(0).peopleLoyalty = 10;
  City(0).money = 500;
  OpenCommand(21);
  EXPECT_EQ(map->GetOrder(0), kOrderDialog);
  EXPECT_EQ(map->operate.maxValue, 200);
  map->operateOpen = 1;
  Keys({keyUp, keyUp, keyReturn});  // 200 soldiers
  EXPECT_EQ(City(0).reserveSoldiers, 1200);
  EXPECT_EQ(City(0).money, 480);
  EXPECT_DOUBLE_EQ(City(0).population, 30000.25 - 200);

  City(0).money = 0;
  OpenCommand(21);
  EXPECT_EQ(map->GetOrder(0), kOrderRefused);
  EXPECT_EQ(map->operateOpen, 0);
}

TEST_F(DiplomacyArmament, AssigningSoldiersMovesThemThroughTheReserve) {
  OpenCommand(22);
  int pick = PositionOf(2);  // level 2, force 50, intelligence 50: at most 1200
  EXPECT_EQ(map->GetOrder(pick), kOrderDialog);
  EXPECT_EQ(map->operate.maxValue, 1100);  // his 100 and the reserve's 1000
  map->operateOpen = 1;
  Keys({keyRight, keyUp, keyUp, keyReturn});
  EXPECT_EQ(Hero(2).soldiers, 200);
  EXPECT_EQ(City(0).reserveSoldiers, 900);
}

TEST_F(DiplomacyArmament, WarPartyStopsAtTheLastIdleOfficer) {
  OpenCommand(24);
  map->menuLevel = kMenuCity;
  EXPECT_EQ(map->heroList.cityOfficerCount, 4);
  Keys({keyReturn});
  EXPECT_EQ(warLeader, 0);
  EXPECT_EQ(attackPartyCount, 1);
  EXPECT_EQ(Hero(0).inListFlag, kPicked);
  // The list is back at once: the very next key moves its cursor.
  int cursor = map->heroList.listCursor;
  Keys({keyDown});
  EXPECT_EQ(map->heroList.listCursor, cursor + 1);
  Keys({keyUp, keyReturn, keyReturn});
  EXPECT_EQ(attackPartyCount, 3);
  EXPECT_EQ(attackParty[0], 1);
  EXPECT_EQ(attackParty[1], 2);
  EXPECT_EQ(map->operateOpen, 0);
  Keys({keyReturn});  // the last idle officer completes the party
  EXPECT_EQ(map->operateOpen, 1);
  EXPECT_EQ(operatePurpose, kPurposeWarFood);
  EXPECT_EQ(pendingAmountB, 4);
  EXPECT_EQ(attackParty[2], 5);

  Keys({keyEsc});  // Escape in the food dialog frees the whole party
  for (int h : {0, 1, 2, 5}) EXPECT_EQ(Hero(h).inListFlag, kIdle);
  EXPECT_EQ(attackPartyCount, 0);
  EXPECT_EQ(map->operateOpen, 0);
  EXPECT_EQ(map->command, 0);
  EXPECT_EQ(taskCount, 0);
}

TEST_F(DiplomacyArmament, WarPartyStopsAtTen) {
  std::string heroes = FixtureRes::Hero(5, 6, 10, 90, 80, 100, 4, 0, 0, 1);
  for (int i = 20; i < 32; ++i) heroes += FixtureRes::Hero(i, 6, 1, 50, 50, 50, 0, 0, 0, 1);
  res.Write("Res/Hero/hero1.kdt", heroes);
  map = std::make_unique<GameMap>();
  SetUp();
  OpenCommand(24);
  int result = 0;
  for (int i = 0; i < 12 && result != kOrderWarComplete; ++i) {
    map->heroList.Init(2, 1, 0, 24, 6);
    result = map->GetOrder(0);
  }
  EXPECT_EQ(result, kOrderWarComplete);
  EXPECT_EQ(attackPartyCount, 10);
  EXPECT_EQ(pendingAmountB, 10);
  EXPECT_EQ(warLeader, 5);
  EXPECT_EQ(attackParty[8], 28);
}

TEST_F(DiplomacyArmament, WarTargetMustBeLinkedAndNotOwn) {
  OpenCommand(24);
  map->menuLevel = kMenuCity;
  Keys({keyEsc});  // nobody picked: Escape closes the order
  EXPECT_EQ(map->command, 0);
  OpenCommand(24);
  Keys({keyReturn, keyDown, keyEsc});  // leader 0 alone, then the food dialog
  ASSERT_EQ(map->operateOpen, 1);
  EXPECT_EQ(pendingAmountB, 1);
  Keys({keyUp, keyReturn});  // 1000 food
  EXPECT_EQ(targetMode, kTargetWar);
  EXPECT_EQ(City(0).food, 4000);
  Keys({keyReturn});  // own city: asked again
  EXPECT_EQ(targetMode, kTargetWar);
  Keys({keyRight, keyRight, keyReturn});  // city 3 is not linked to city 1
  EXPECT_EQ(targetMode, kTargetWar);
  EXPECT_EQ(taskCount, 0);
  Keys({keyEsc});  // back to the food dialog with the food restored
  EXPECT_EQ(City(0).food, 5000);
  EXPECT_EQ(map->operateOpen, 1);
  Keys({keyUp, keyUp, keyReturn});
  EXPECT_EQ(City(0).food, 3000);
  Keys({keyLeft, keyLeft, keyDown, keyReturn});  // the empty city below
  EXPECT_EQ(targetMode, kTargetNone);
  ASSERT_EQ(taskCount, 3);
  WarOrder order = ReadWarOrder(&map->taskTable[1]);
  EXPECT_EQ(order.taskType, kTaskWar);
  EXPECT_EQ(order.fromCityNo, 1);
  EXPECT_EQ(order.attackerRulerId, 5);
  EXPECT_EQ(order.targetCityNo, 4);
  EXPECT_EQ(order.foodCarried, 2000);
  EXPECT_EQ(order.partySize, 1);
  EXPECT_EQ(order.leadOfficerId, 0);
  EXPECT_EQ(order.warKind, kWarOccupyEmpty);
  EXPECT_EQ(order.partyOfficers[0], -1);
  EXPECT_EQ(order.attackOnPlayer, 0);
  EXPECT_EQ(map->taskTable[2].taskType, 0);
  EXPECT_EQ(map->taskTable[3].taskRemoved, 0);
  EXPECT_EQ(Hero(0).inListFlag, kActed);
}

TEST_F(DiplomacyArmament, ScoutingOpensTheTargetsInformation) {
  OpenCommand(20);
  EXPECT_EQ(map->GetOrder(PositionOf(1)), kOrderFinished);
  map->command = 0;
  EXPECT_EQ(targetMode, kTargetScout);
  Keys({keyReturn});  // own city: asked again
  EXPECT_EQ(targetMode, kTargetScout);
  Keys({keyRight, keyRight, keyReturn});
  EXPECT_EQ(targetMode, kTargetNone);
  EXPECT_EQ(map->menuLevel, kMenuCityInfo);
  EXPECT_EQ(map->cityList.cityIndex, 2);
  EXPECT_EQ(Hero(1).inListFlag, kActed);
  EXPECT_EQ(Hero(1).stamina, 100);  // scouting needs stamina but spends none
  Keys({keyEsc});
  EXPECT_EQ(map->menuLevel, kMenuNone);
}

}  // namespace
