// The month end and the save screen belong to their own files (month_end*.cpp
// and the save screen's); the weak definitions here keep a campaign playable
// month after month until those are linked in, and are replaced by them.
#include <cstdio>

#include "campaign/scenario_files.h"
#include "shell/draw.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

__attribute__((weak)) void GameMap::ShowEnd() {
  Log(1, "GameMap::ShowEnd", "开始", 0);
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.heroOwnerId != i + 1 || h.heroOwnerId == playerRuler) continue;
    char name[kHeroNameBuffer] = {};
    CopyListLine(HeroNameList(scenario), i, name, kHeroNameBuffer - 1);
    ShowMessage2(name, "策略中‥‥‥", 100, 450, 10, 1, 100);
  }
}

// The calendar step of the month end: the month advances, every officer is
// ready again and the month's task records are freed.
__attribute__((weak)) void GameMap::DoEndEvent() {
  Log(1, "GameMap::DoEndEvent", "开始", 0);
  date.Caculate();
  heroList.ClearInListFlag();
  for (int i = kFirstTaskRecord; i <= kLastTaskRecord; ++i) taskTable[i].Reset();
  taskCount = 0;
}

__attribute__((weak)) void GameMap::OpenSaveScreen() {
  Log(1, "GameMap::OpenSaveScreen", "开始", 0);
  saveScreenOpen = 0;
}

__attribute__((weak)) void GameMap::SaveScreenKeyDown(int key) {
  Log(1, "GameMap::SaveScreenKeyDown", "开始", 0);
  saveScreenOpen = 0;
  Show(0);
}
