// The month end: the whole world moves on by one month. The sequence can stop
// for a battle or for a choice of the player and is resumed by calling
// DoEndEvent again, so every step below looks at the war state to find where
// it stands.
#include <algorithm>

#include "campaign/scenario_files.h"
#include "shell/draw.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"

namespace {

constexpr int kTaxedCities = 40;     // only the first 40 cities pay and harvest
constexpr int kTreasuryCap = 30000;  // taxes and harvests never raise money or food above this
constexpr int kPopulationGrowth = 50;
constexpr int kHarvestMonths[] = {6, 10};
constexpr int kTaxEvery = 3;  // taxes in every month divisible by three

// Growth up to a cap. A value that already stands above the cap (a plunder or
// a transport can put it there) keeps what it has: collecting taxes must never
// take money away.
int GrowTo(int value, int gain, int cap) {
  if (value >= cap) return value;
  return std::min(value + gain, cap);
}

bool IsHarvestMonth(int month) {
  for (int m : kHarvestMonths) {
    if (m == month) return true;
  }
  return false;
}

bool IsWarRecord(int taskType) {
  return taskType == kTaskWar || taskType == kTaskWarResolved || taskType == kTaskWarAwaitingDefence;
}

void ClearHandOver() {
  battleResult = 0;
  warFromCity = 0;
  warTargetCity = 0;
}

// A battle or the defenders' pick holds the month end until it is over.
bool WarHolds() { return warPick == kWarPickOpen || pendingBattles > 0; }

}  // namespace

void GameMap::ShowEnd() {
  Log(1, "GameMap::ShowEnd", "开始", 0);
  MonthEndScope speed(&date.year, &date.month, false);  // the banner is no report, but runs at Speed
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.heroOwnerId != i + 1 || h.heroOwnerId == playerRuler) continue;
    char name[kHeroNameBuffer + 1] = {};
    CopyListLine(HeroNameList(scenario), i, name, kHeroNameBuffer);
    ShowMessage2(name, "策略中‥‥‥", 100, 450, 10, 1, 100);
  }
}

void GameMap::ShowMapIfUncovered() {
  if (!battleOpen && warPick == kWarPickNone && rulerSuccession != kSuccessionPick) Show(0);
}

void GameMap::DoEndEvent() {
  Log(1, "GameMap::DoEndEvent", "开始", 0);
  MonthEndScope reports(&date.year, &date.month, true);  // the report log and the Speed setting
  if (warPick == kWarPickDone) {
    WarRun();
    return;
  }
  if (pendingBattles == kBattlesUncounted) {
    // A fresh month end: the economy, the calendar, the computer rulers and the tasks.
    PlayCue(Sound::kMonthEnd);
    int month = date.month;
    if (IsHarvestMonth(month)) AddFood();
    if (month % kTaxEvery == 0) AddMoney();
    for (int i = 0; i < kTaxedCities; ++i) {
      CityRecord& c = cityList.cities[i];
      if (c.population < c.populationMax) c.population = std::min(c.population + kPopulationGrowth, c.populationMax);
    }
    date.Caculate();
    heroList.ClearInListFlag();
    ComputerStatic();
    TaskListRun();
    WarRun();
    if (WarHolds()) return;
  } else if (pendingBattles > 0) {
    // Back from a battle (or from crowning a new ruler) with more to fight.
    if (rulerSuccession == kSuccessionPickedMidway) {
      rulerSuccession = kSuccessionNone;
    } else {
      AfterWar(battleResult, warFromCity, warTargetCity);
      ClearHandOver();
      if (rulerSuccession == kSuccessionPick) return;
    }
    WarRun();
    if (WarHolds()) return;
  }
  if (pendingBattles == kBattlesLastFought) {
    if (rulerSuccession == kSuccessionPickedMidway) {
      rulerSuccession = kSuccessionNone;
    } else {
      bool fought = false;
      for (int k = kFirstTaskRecord; k <= kLastTaskRecord; ++k) {
        const TaskRecord& t = taskTable[k];
        if (t.taskRemoved != 0 || !IsWarRecord(t.taskType)) continue;
        int target = t.value1 - 1;  // the order's targetCityNo
        if (target >= 0 && target < kCityCount && GetClever(target) != 0) fought = true;
      }
      if (fought) {
        AfterWar(battleResult, warFromCity, warTargetCity);
        if (rulerSuccession == kSuccessionPick) return;
      }
      ClearHandOver();
    }
  } else if (pendingBattles != kBattlesSettled) {
    return;
  }

  // The finish: the month's tasks are done, officers rest and age, armies eat.
  // An order the count missed (its target gained defenders during the month)
  // may still need a battle or the defenders' pick: the month waits for it.
  WarRun();
  if (WarHolds()) return;
  for (int k = kFirstTaskRecord; k <= kLastTaskRecord; ++k) taskTable[k].Reset();
  taskCount = 0;
  HeroUpdate();
  CityUpdate();
  GetCityState();
  IsWinOrLose();
  KeyDown(0);
  pendingBattles = kBattlesUncounted;
  computerAttackQueued = 0;
  heroList.ClearInListFlag();
  // The month ends on the map, or on the successor list when a ruler must be crowned.
  Show(0);
  if (rulerSuccession == kSuccessionPick) heroList.Show(0);
  MonthFinished();
}

void GameMap::AddMoney() {
  Log(1, "GameMap::AddMoney", "开始", 0);
  for (int i = 0; i < kTaxedCities; ++i) {
    CityRecord& c = cityList.cities[i];
    c.money = GrowTo(c.money, c.commerce / 2, kTreasuryCap);
  }
}

void GameMap::AddFood() {
  Log(1, "GameMap::AddFood", "开始", 0);
  for (int i = 0; i < kTaxedCities; ++i) {
    CityRecord& c = cityList.cities[i];
    c.food = GrowTo(c.food, c.farming / 4, kTreasuryCap);
  }
}

void GameMap::CityUpdate() {
  Log(1, "GameMap::CityUpdate", "开始", 0);
  playerCityCount = 0;
  for (const CityRecord& c : cityList.cities) {
    if (c.ownerId == playerRuler) ++playerCityCount;
  }
}
