// The map itself: cursor and viewport, governors, the task table, notices.
#include <gtest/gtest.h>

#include "tests/strategy/map_fixture.h"

namespace {

using MapScreen = MapTest;

TEST_F(MapScreen, StartPositionOfTheChosenRuler) {
  EXPECT_EQ(map->arrowX, 192);
  EXPECT_EQ(map->arrowY, 115);
  EXPECT_EQ(map->playerRuler, 6);
  map->rulerChoice = 1;
  map->ArrowSet();
  EXPECT_EQ(map->cursorCol, 4);
  map->scenario = 3;
  map->rulerChoice = 4;
  map->ChangeOwnerNum();
  EXPECT_EQ(map->playerRuler, 4);
  map->rulerChoice = 5;
  map->ChangeOwnerNum();
  EXPECT_EQ(map->playerRuler, 0);
}

TEST_F(MapScreen, CursorStopsAtTheGridAndTheViewportScrolls) {
  map->cursorCol = 0;
  map->arrowX = 12;
  map->scrollX = 0;
  map->atLeftEdge = 1;
  Keys({keyLeft});
  EXPECT_EQ(map->cursorCol, 0);
  EXPECT_EQ(map->scrollX, 0);
  EXPECT_EQ(map->arrowX, 12);

  map->cursorCol = 11;
  map->arrowX = 642;
  map->scrollX = 360;
  map->atRightEdge = 1;
  map->atLeftEdge = 0;
  Keys({keyRight});
  EXPECT_EQ(map->cursorCol, 11);
  EXPECT_EQ(map->scrollX, 360);
  EXPECT_EQ(map->arrowX, 642);
  Keys({keyLeft});
  EXPECT_EQ(map->atRightEdge, 0);
  EXPECT_EQ(map->arrowX, 552);

  // The arrow walks to the bottom edge, then the map scrolls under it.
  map->cursorRow = 3;
  map->arrowY = 275;
  map->scrollY = 0;
  Keys({keyDown, keyDown});
  EXPECT_EQ(map->arrowY, 435);
  EXPECT_EQ(map->atBottomEdge, 1);
  Keys({keyDown});
  EXPECT_EQ(map->scrollY, 80);
  EXPECT_EQ(map->arrowY, 435);
  EXPECT_EQ(map->cursorRow, 6);
  Keys({keyDown, keyDown, keyDown, keyDown});
  EXPECT_EQ(map->cursorRow, 8);
  EXPECT_EQ(map->scrollY, 240);
}

TEST_F(MapScreen, CityLookUps) {
  EXPECT_EQ(map->GetCityPostion(2, 1, 0, 0), kCellOwn);
  EXPECT_EQ(map->GetCityPostion(4, 1, 0, 0), kCellEnemy);
  EXPECT_EQ(map->GetCityPostion(2, 2, 0, 0), kCellUnowned);
  EXPECT_EQ(map->GetCityPostion(5, 5, 0, 0), kCellEmpty);
  map->cursorCol = 4;
  map->cursorRow = 1;
  EXPECT_EQ(map->IsCity(), 1);
  EXPECT_EQ(map->GetCityNum(), 2);
  map->selectedCity = 2;
  EXPECT_EQ(map->ArriveEnable(), 1);
  map->selectedCity = 1;
  EXPECT_EQ(map->ArriveEnable(), 0);
  map->cursorCol = 5;
  EXPECT_EQ(map->IsCity(), 0);
}

TEST_F(MapScreen, ReturnOnOtherCitiesOpensNoMenu) {
  map->cursorCol = 4;
  Keys({keyReturn});
  EXPECT_EQ(map->menuLevel, kMenuNone);
  map->cursorCol = 2;
  map->cursorRow = 2;
  Keys({keyReturn});
  EXPECT_EQ(map->menuLevel, kMenuNone);
  map->cursorRow = 1;
  Keys({keyReturn});
  EXPECT_EQ(map->menuLevel, kMenuCity);
  EXPECT_EQ(map->selectedCity, 1);
  EXPECT_EQ(screenNumber, kScreenCityMenu);
  Keys({keyUp, keyReturn});  // the city information
  EXPECT_EQ(map->menuLevel, kMenuCityInfo);
  Keys({keyDown, keyReturn});
  EXPECT_EQ(map->menuLevel, kMenuNone);
}

TEST_F(MapScreen, SubMenuChoicesGiveTheirCommandNumbers) {
  Keys({keyReturn, keyDown, keyReturn});  // diplomacy
  EXPECT_EQ(map->commandGroup, kGroupDiplomacy);
  Keys({keyDown, keyDown, keyReturn});
  EXPECT_EQ(map->command, 17);
  Keys({keyEsc});
  EXPECT_EQ(map->command, 0);
  EXPECT_EQ(map->commandGroup, 0);
  Keys({keyReturn, keyUp, keyUp, keyReturn, keyUp, keyReturn});  // armament, last entry
  EXPECT_EQ(map->command, 24);
  Keys({keyEsc, keyReturn, keyReturn});
  EXPECT_EQ(map->commandGroup, kGroupInterior);
  Keys({keyEsc});  // back to the city menu
  EXPECT_EQ(map->commandGroup, 0);
  EXPECT_EQ(map->menuLevel, kMenuCity);
  EXPECT_EQ(screenNumber, kScreenCityMenu);
}

TEST_F(MapScreen, TabTogglesTheHighAttackChance) {
  Keys({kTabKey});
  EXPECT_EQ(highAttackChance, 1);
  Keys({kTabKey});
  EXPECT_EQ(highAttackChance, 0);
}

// A campaign starts from nothing of the one before: not Tab's attack chance,
// not an order half given, not the records of people its tables leave out.
TEST_F(MapScreen, ANewCampaignKeepsNothingOfTheLastOne) {
  map->KeyDown(kTabKey);
  targetMode = kTargetWar;
  pendingBattles = 3;
  Hero(250).force = 77;
  Hero(250).heroOwnerId = 6;
  City(45).ownerId = 17;
  map->goodList.goods[49].holderId = 3;
  map->InitMap(0, 0);
  EXPECT_EQ(highAttackChance, 0);
  EXPECT_EQ(targetMode, kTargetNone);
  EXPECT_EQ(pendingBattles, 0);
  EXPECT_EQ(Hero(250).force, 0);
  EXPECT_EQ(Hero(250).heroOwnerId, 0);
  EXPECT_EQ(Hero(250).heroId, 250);
  EXPECT_EQ(City(45).ownerId, 0);
  EXPECT_EQ(map->goodList.goods[49].holderId, 0);
  EXPECT_EQ(Hero(5).heroOwnerId, 6);  // what the tables hold is read as ever
}

// A start table that is missing, short or out of step with itself cannot put
// the arrow anywhere but on the cursor's cell.
TEST_F(MapScreen, ADamagedStartTableStillPutsTheArrowOnTheCursorsCell) {
  for (const char* table : {"", "412 435 90\n", "700 -45 0 0 11 8\n", "12 35 360 240 11 8\n"}) {
    res.Write("Res/arrowset1.kdt", table);
    map->arrowX = map->arrowY = 0;
    map->cursorCol = 11;
    map->cursorRow = 8;
    map->InitMap(0, 0);
    EXPECT_TRUE(map->ArrowOnCursorCell()) << table;
    EXPECT_EQ(map->cursorCol, 11) << table;
    for (int key : {keyRight, keyDown, keyLeft, keyUp}) {
      map->KeyDown(key);
      EXPECT_TRUE(map->ArrowOnCursorCell()) << table << " key " << key;
    }
  }
}

TEST_F(MapScreen, GovernorRules) {
  // City 0: officers 0 (intelligence 75), 1 (85), 2 (50), the ruler 5 (80).
  map->GetCityTaisou();
  EXPECT_EQ(City(0).governorId, 2);  // the cleverest, not the ruler who stands later
  Hero(1).intelligence = 75;
  Hero(5).intelligence = 60;
  map->GetCityTaisou();
  EXPECT_EQ(City(0).governorId, 1);  // a tie keeps the lower index
  // The ruler first in the city governs it himself.
  Hero(16).cityNo = 4;
  Hero(16).intelligence = 1;
  Hero(7).cityNo = 4;
  City(3).ownerId = 17;
  map->GetCityTaisou();
  EXPECT_EQ(City(3).governorId, 8);  // officer 7 stands first and is not the owner
  Hero(7).cityNo = 3;
  map->GetCityTaisou();
  EXPECT_EQ(City(3).governorId, 17);
  // Travelling officers and captives never govern.
  for (int h : {0, 1, 2, 5}) Hero(h).inListFlag = kTravelling;
  map->GetCityTaisou();
  EXPECT_EQ(City(0).governorId, 0);
}

TEST_F(MapScreen, TaskTableFillsFromRecordOneAndNeverOverflows) {
  EXPECT_EQ(map->QueueTask(0, 1, kTaskSearch, 0, 0, 0, 0, 0), 1);
  WarOrder order;
  order.targetCityNo = 3;
  EXPECT_EQ(map->QueueWarOrder(order), 2);
  EXPECT_EQ(taskCount, 4);
  EXPECT_EQ(map->QueueTask(0, 2, kTaskPlunder, 0, 0, 0, 0, 0), 5);
  EXPECT_EQ(map->taskTable[0].taskRemoved, 1);

  taskCount = 252;
  EXPECT_EQ(map->QueueWarOrder(order), -1);
  EXPECT_EQ(map->taskTable[253].taskRemoved, 1);
  EXPECT_EQ(map->QueueTask(0, 1, kTaskSearch, 0, 0, 0, 0, 0), 253);
  EXPECT_EQ(map->QueueTask(0, 1, kTaskSearch, 0, 0, 0, 0, 0), 254);
  EXPECT_EQ(map->QueueTask(0, 1, kTaskSearch, 0, 0, 0, 0, 0), -1);
  EXPECT_EQ(taskCount, 254);

  // A full table refuses a search before it costs the officer anything.
  OpenCommand(3);
  EXPECT_EQ(map->GetOrder(0), kOrderRefused);
  EXPECT_EQ(Hero(0).stamina, 100);
  EXPECT_EQ(Hero(0).inListFlag, kIdle);
  OpenCommand(24);
  EXPECT_EQ(map->GetOrder(0), kOrderRefused);
  EXPECT_EQ(attackPartyCount, 0);
}

TEST_F(MapScreen, EndingTheMonthFreesTheTasks) {
  OpenCommand(3);
  EXPECT_EQ(map->GetOrder(0), kOrderDone);
  EXPECT_EQ(map->taskTable[1].taskType, kTaskSearch);
  map->command = 0;
  Keys({keyEsc, keyReturn});  // system menu, end the month
  EXPECT_EQ(map->date.month, 2);
  EXPECT_EQ(taskCount, 0);
  EXPECT_EQ(map->taskTable[1].taskRemoved, 1);
  EXPECT_EQ(Hero(0).inListFlag, kIdle);
}

}  // namespace
