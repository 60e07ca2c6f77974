// The war between cities as the month end meets it. The battles and the
// aftermath of a fought battle come with the war itself; until then no order
// turns into a battle, so the month end always finds no battle pending.
#include "shell/run_log.h"
#include "strategy/game_map.h"

void GameMap::WarRun() {
  Log(1, "GameMap::WarRun", "开始", 0);
  if (warPick != 2 && pendingBattles == 0) pendingBattles = -1;
}

// Result 0 means no battle was fought: nothing to bring up to date.
void GameMap::AfterWar(int result, int fromCity, int toCity) {
  Log(1, "GameMap::AfterWar", "result = ", result);
  Log(1, "GameMap::AfterWar", "citynum = ", fromCity);
  Log(1, "GameMap::AfterWar", "cityto = ", toCity);
}

// The defending commander of a city: its first faction officer, replaced by a
// later one only when he is strictly cleverer and still has soldiers.
int GameMap::GetClever(int city) {
  Log(1, "GameMap::GetClever", "开始", 0);
  int best = -1;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.cityNo != city + 1 || !h.ServesFaction()) continue;
    if (best < 0 || (h.intelligence > heroList.heroes[best].intelligence && h.soldiers > 0)) best = i;
  }
  return best + 1;
}
