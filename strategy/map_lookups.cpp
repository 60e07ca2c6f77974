// Which city stands on a cell, whose it is, how cities connect, and who governs.
#include <cstdio>

#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

int GameMap::GetCityPostion(int col, int row, int scenarioNo, int rulerChoiceNo) {
  Log(1, "GameMap::GetCityPostion", "开始", 0);
  if (!ValidScenario(scenarioNo)) return kCellEmpty;
  TableFile table(kCityOwnerTables[scenarioNo]);
  for (int i = 0; i < kCityCount; ++i) {
    int c = 0;
    int r = 0;
    int unused = 0;
    if (!table.Read(c) || !table.Read(r) || !table.Read(unused)) return kCellEmpty;
    if (c != col || r != row) continue;
    int owner = cityList.cities[i].ownerId;
    if (owner == playerRuler) return kCellOwn;
    return owner != 0 ? kCellEnemy : kCellUnowned;
  }
  return kCellEmpty;
}

int GameMap::GetCityNum() {
  Log(1, "GameMap::GetCityNum", "开始", 0);
  int found = FindCityAtCell(cursorCol, cursorRow);
  return found >= 0 && found < kCityCount ? found : 0;
}

int GameMap::IsCity() {
  Log(1, "GameMap::IsCity", "开始", 0);
  return FindCityAtCell(cursorCol, cursorRow) >= 0 ? 1 : 0;
}

int GameMap::ArriveEnable() {
  Log(1, "GameMap::ArriveEnable", "开始", 0);
  int n = GetCityNum() + 1;
  TableFile table(kAdjacencyTable);
  int from = 0;
  int to = 0;
  while (table.Read(from) && table.Read(to)) {
    if (from == selectedCity && to == n) return 1;
  }
  return 0;
}

// The governor is the city's first serving officer, unless someone cleverer
// stands there; a ruler in his own city always governs it himself.
void GameMap::GetCityTaisou() {
  Log(1, "GameMap::GetCityTaisou", "开始", 0);
  // One pass over the officers in order, each weighed for his own city only:
  // the side panel asks after every key, and a pass per city cost as much as
  // the rest of the panel.
  int best[kCityCount];
  bool rulerHolds[kCityCount];
  for (int j = 0; j < kCityCount; ++j) best[j] = -1, rulerHolds[j] = false;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    int j = h.cityNo - 1;
    if (j < 0 || j >= kCityCount || !h.ServesFaction() || h.inListFlag == kTravelling) continue;
    if (best[j] < 0) {
      best[j] = i;
      rulerHolds[j] = i + 1 == cityList.cities[j].ownerId;
    } else if (!rulerHolds[j] && h.intelligence > heroList.heroes[best[j]].intelligence) {
      best[j] = i;
    }
  }
  for (int j = 0; j < kCityCount; ++j) cityList.cities[j].governorId = best[j] < 0 ? 0 : best[j] + 1;
}
