// Whole month ends with a war: the player's attack ordered through the
// keys of the real program, and a computer attack on the player's city
// resolved through the month end, the defenders' pick and the battle.
#include <string>

#include "tests/support/sandbox.h"
#include "tests/war/war_fixture.h"

namespace {

int IntAfter(const std::string& dump, const std::string& key, size_t from = 0) {
  size_t at = dump.find("\"" + key + "\":", from);
  if (at == std::string::npos) return -99999;
  return std::stoi(dump.substr(at + key.size() + 3));
}

TEST(WarHeadless, PlayersAttackIsFoughtAtTheMonthEndAndItsAftermathRuns) {
  if (!std::filesystem::exists(BuildDir() / "kestrelmoor")) GTEST_SKIP() << "kestrelmoor is not built here";
  Sandbox box;
  std::string script = "SPACE\nRETURN\nRETURN\nRETURN\n";
  // Chang'an's armament menu, war: the ruler leads alone with 1000 food
  // against Wan, two cells below.
  script += "RETURN\nDOWN\nDOWN\nRETURN\nDOWN\nDOWN\nDOWN\nDOWN\nRETURN\n";
  script += "RETURN\nDOWN\nESC\nRIGHT\nUP\nRETURN\nDOWN\nDOWN\nRETURN\ndump ordered.json\n";
  script += "ESC\nRETURN\ndump battle.json\nshot battle.png\n";
  // Retreat from the battle's Escape menu.
  script += "ESC\nDOWN\nRETURN\ndump after.json\nshot after.png\nquit\n";
  ASSERT_EQ(box.RunGame(script), 0) << box.Read("err.txt");
  std::string ordered = box.Read("shots/ordered.json");
  std::string battle = box.Read("shots/battle.json");
  std::string after = box.Read("shots/after.json");
  ASSERT_FALSE(after.empty());

  EXPECT_EQ(IntAfter(ordered, "taskCount"), 3);
  EXPECT_EQ(IntAfter(battle, "battleOpen"), 1);
  EXPECT_EQ(IntAfter(battle, "pendingBattles"), 1);
  EXPECT_EQ(IntAfter(battle, "warFromCity"), 10);
  EXPECT_EQ(IntAfter(battle, "warTargetCity"), 20);
  size_t fight = battle.find("\"fight\"");
  ASSERT_NE(fight, std::string::npos);
  EXPECT_EQ(IntAfter(battle, "ownFood", fight), 1000);
  EXPECT_EQ(IntAfter(battle, "ownUnitCount", fight), 1);
  EXPECT_GE(IntAfter(battle, "enemyUnitCount", fight), 1);
  EXPECT_EQ(IntAfter(battle, "warSerial", fight), 11);

  EXPECT_EQ(IntAfter(after, "battleOpen"), 0);
  EXPECT_EQ(IntAfter(after, "warOutcomeCode"), 1);
  EXPECT_EQ(IntAfter(after, "battleResult"), 0);
  if (IntAfter(after, "rulerSuccession") == 1) {
    EXPECT_EQ(IntAfter(after, "rulerFate"), 1);  // the ruler was taken: the month waits for his successor
  } else {
    EXPECT_EQ(IntAfter(after, "pendingBattles"), 0);  // the month has finished
    EXPECT_EQ(IntAfter(after, "taskCount"), 0);
  }
}

TEST_F(WarTest, ComputerAttackOnThePlayerRunsThroughTheMonthEnd) {
  // Ruler 17 marches from city 2 on the player's city 1, held by officers 1 and 2.
  Enlist(1, 6, 1, 85, 300);
  Enlist(2, 6, 1, 50, 300);
  Enlist(7, 17, 2, 60, 500);
  Enlist(16, 17, 2, 75, 800);
  QueueOrder(2, 16, 1, 16, {7}, kWarAttackCity, 1, 600);
  res.Write("Res/fightesc.kss", "结束\n撤退\n显示\n速度\n移动\n");  // the battle's Escape menu
  int month = map->date.month;
  map->DoEndEvent();
  ASSERT_EQ(warPick, 1);
  EXPECT_EQ(pendingBattles, 1);
  EXPECT_NE(map->date.month, month);
  Keys({keyReturn, keyEsc});  // officer 1 alone defends
  ASSERT_EQ(map->battleOpen, 1);
  EXPECT_EQ(map->fight.warType, 1);
  EXPECT_EQ(map->fight.units[0].officerId, 1);
  Keys({keyEsc, keyDown, keyReturn});  // and retreats at once
  EXPECT_EQ(map->battleOpen, 0);
  EXPECT_EQ(warOutcomeCode, 2);
  EXPECT_EQ(City(1).ownerId, 17);
  EXPECT_EQ(City(1).governorId, 17);
  EXPECT_EQ(pendingBattles, 0);  // the month end has run to its finish
  EXPECT_EQ(taskCount, 0);
  EXPECT_TRUE(Hero(1).heroOwnerId == 306 || Hero(1).cityNo == 1);
}

// A computer army takes its city's food with it; an army that never marches
// (its target has changed hands by the month end) brings it all back.
TEST_F(WarTest, ComputerArmyCarriesItsCitysFoodAndBringsItBackWhenItStaysHome) {
  Enlist(1, 6, 1, 85, 300);
  Enlist(7, 17, 2, 60, 500);
  Enlist(16, 17, 2, 75, 800);
  City(2).food = 4000;
  map->ComputerAttackPlayer(2, 1);
  ASSERT_EQ(taskCount, kWarOrderRecords);
  EXPECT_EQ(City(2).food, 0);
  EXPECT_EQ(ReadWarOrder(&map->taskTable[1]).foodCarried, 4000);
  City(1).ownerId = 17;  // the city fell to someone else meanwhile
  map->WarRun();
  EXPECT_EQ(City(2).food, 4000);
  EXPECT_EQ(map->battleOpen, 0);
}

// Officers who reach an empty city after the month's battles were counted
// (the last ones escaped from a lost attack, say) still have to be fought:
// the month end waits for that battle and finishes once, after it.
TEST_F(WarTest, AnOrderTheCountMissedStillHoldsTheMonthEnd) {
  Enlist(1, 6, 1, 85, 300);
  Enlist(2, 6, 1, 50, 300);
  Enlist(7, 17, 2, 60, 500);
  Enlist(16, 17, 2, 75, 800);
  Hero(5).stamina = 50;
  QueueOrder(2, 16, 1, 16, {7}, kWarAttackCity, 1, 600);
  res.Write("Res/fightesc.kss", "结束\n撤退\n显示\n速度\n移动\n");
  pendingBattles = -2;  // as left by a month whose counted battles are over
  map->DoEndEvent();
  ASSERT_EQ(warPick, 1);                   // the defenders' pick is open ...
  EXPECT_EQ(taskCount, kWarOrderRecords);  // ... and the month has not finished under it
  EXPECT_EQ(Hero(5).stamina, 50);
  Keys({keyReturn, keyEsc});
  ASSERT_EQ(map->battleOpen, 1);
  Keys({keyEsc, keyDown, keyReturn});  // the defender retreats
  EXPECT_EQ(map->battleOpen, 0);
  EXPECT_EQ(City(1).ownerId, 17);
  EXPECT_EQ(pendingBattles, 0);
  EXPECT_EQ(taskCount, 0);
  EXPECT_EQ(Hero(5).stamina, 54);  // the officers' month ran once
}

// A computer ruler who dies of old age is followed by his cleverest officer;
// with nobody left his faction falls and its cities stand empty.
TEST_F(WarTest, AComputerRulerWhoDiesOfOldAgeIsSucceededOrHisFactionFalls) {
  for (bool heirLeft : {true, false}) {
    SetUp();
    for (HeroRecord& h : map->heroList.heroes) h.age = 30;
    Enlist(16, 17, 2, 75, 800).age = 120;
    if (heirLeft) {
      Enlist(7, 17, 2, 60, 500);
      Enlist(9, 17, 3, 70, 500);
      City(3).ownerId = 17;
    } else {
      Hero(7).heroOwnerId = 0;
    }
    SeedFor([] { return Rand() % 100 < 20; });
    map->HeroUpdate();
    EXPECT_EQ(Hero(16).heroOwnerId, 0);
    int heir = heirLeft ? 10 : 0;
    EXPECT_EQ(City(2).ownerId, heir) << heirLeft;
    if (heirLeft) {
      EXPECT_EQ(City(3).ownerId, 10);
      EXPECT_EQ(Hero(9).heroOwnerId, 10);  // the new ruler
      EXPECT_EQ(Hero(7).heroOwnerId, 10);
    }
    for (const HeroRecord& h : map->heroList.heroes) EXPECT_NE(h.heroOwnerId, 17);
  }
}

}  // namespace
