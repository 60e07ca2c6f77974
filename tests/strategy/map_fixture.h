#pragma once
// A campaign on the small fixture world, started for ruler 0 of scenario 0
// (officer number 6, cities 0 and 1), with the command globals cleared.
#include <gtest/gtest.h>

#include <memory>

#include "platform/random.h"
#include "strategy/game_map.h"
#include "tests/campaign/fixture_res.h"

class MapTest : public ::testing::Test {
 protected:
  FixtureRes res;
  std::unique_ptr<GameMap> map = std::make_unique<GameMap>();

  void SetUp() override {
    ResetCampaignGlobals();
    map->InitMap(0, 0);
    map->menuLevel = kMenuNone;
    SeedRandom(1);
  }
  void TearDown() override { ResetCampaignGlobals(); }

  // Opens the officer list of a command for city 0, as the sub-menu does.
  void OpenCommand(int command) {
    map->selectedCity = 1;
    map->cursorCol = 2;
    map->cursorRow = 1;
    map->cityList.Init(2, 1, 0);
    map->command = command;
    map->heroList.Init(2, 1, 0, command, map->playerRuler);
  }
  // The list position of an officer in the city's idle group.
  int PositionOf(int hero) const {
    for (int i = 0; i < map->heroList.cityOfficerCount; ++i) {
      if (map->heroList.listIds[i] == hero) return i;
    }
    return -1;
  }
  void Keys(std::initializer_list<int> keys) {
    for (int key : keys) map->KeyDown(key);
  }
  CityRecord& City(int i) { return map->cityList.cities[i]; }
  HeroRecord& Hero(int i) { return map->heroList.heroes[i]; }
};
