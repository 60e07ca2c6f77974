#pragma once
// The battle maps: their size and which of the seven each city fights on.
#include "rules/world.h"

constexpr int kBattleRows = 31;
constexpr int kBattleCols = 32;
constexpr int kBattleMapCount = 7;

// Battle map number of each city on the map.
constexpr int kCityBattleMap[kMapCityCount] = {6, 0, 1, 6, 3, 4, 2, 5, 6, 3, 1, 0, 2, 3, 4, 0, 2, 1, 4,
                                               6, 1, 1, 3, 5, 6, 6, 3, 3, 4, 2, 6, 6, 1, 2, 3, 4, 5, 1};
// Cities past the table fight on map 0.
constexpr int MapNumberOfCity(int city) { return (city >= 0 && city < kMapCityCount) ? kCityBattleMap[city] : 0; }

namespace battle_map_checks {
constexpr bool EveryCityHasAMap() {
  for (int m : kCityBattleMap)
    if (m < 0 || m >= kBattleMapCount) return false;
  return true;
}
// A map no city fights on would be drawn and checked for nothing.
constexpr bool EveryMapHasACity() {
  for (int m = 0; m < kBattleMapCount; ++m) {
    bool used = false;
    for (int map : kCityBattleMap) used = used || map == m;
    if (!used) return false;
  }
  return true;
}
}  // namespace battle_map_checks
static_assert(battle_map_checks::EveryCityHasAMap());
static_assert(battle_map_checks::EveryMapHasACity());
