// The officers' month: rest, age, death of old age, and the crowning of a new
// ruler when the player's ruler is gone.
#include <algorithm>

#include "campaign/scenario_files.h"
#include "platform/random.h"
#include "platform/window.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kAgingOfficers = 200;  // officers 200 and above are outside time
constexpr int kMonthlyRest = 4;
constexpr int kOldAge = 120;
constexpr int kDeathChance = 20;  // in 100, each month from kOldAge on
constexpr int kNewYearMonth = 1;

}  // namespace

void GameMap::HeroUpdate() {
  Log(1, "GameMap::HeroUpdate", "开始", 0);
  playerOfficerCount = 0;
  for (int i = 0; i < kAgingOfficers; ++i) {
    HeroRecord& h = heroList.heroes[i];
    h.stamina += kMonthlyRest;
    if (h.age >= kOldAge && Rand() % 100 < kDeathChance) {
      bool rulerDied = h.heroOwnerId == i + 1;
      bool playerRulerDied = rulerDied && h.heroOwnerId == playerRuler;
      // He leaves the records before a successor is looked for, so that the
      // dead ruler is never his own successor.
      h.cityNo = 0;
      h.heroOwnerId = 0;
      if (rulerDied && !playerRulerDied) ComputerRulerDied(i + 1);
      if (playerRulerDied) {
        ShowMessage2("君主老死，请另立新君", "", 50, 280, 12, 1, 1000);
        heroList.Init(cursorCol, cursorRow, scenario, kNewRulerCommand, playerRuler);
        if (heroList.ownOfficerCount == 0) {
          // Nobody is left to crown: the campaign is lost here rather than
          // waiting forever on an empty list.
          CampaignLost();
        } else {
          heroList.Show(0);
          rulerSuccession = kSuccessionPick;
          successionByAge = 1;
        }
      }
    }
    h.stamina = std::min(h.stamina, kFullStamina);
    if (date.month == kNewYearMonth) ++h.age;
    if (h.heroOwnerId == playerRuler) ++playerOfficerCount;
  }
}

// The new ruler is picked among the player's officers in all cities; every
// city and officer of the old ruler passes to him.
void GameMap::SuccessionKey(int key) {
  Log(1, "GameMap::SuccessionKey", "开始", 0);
  int result = heroList.KeyDown(key);
  if (result == -1) {
    Show(0);
    heroList.Show(0);
    return;
  }
  if (result != 1) return;
  int chosen = heroList.PickedHero(heroList.listTop + heroList.listCursor);
  if (chosen < 0) return;
  int n = chosen + 1;
  int oldRuler = playerRuler;
  for (CityRecord& c : cityList.cities) {
    if (c.ownerId == oldRuler) c.ownerId = n;
  }
  for (HeroRecord& h : heroList.heroes) {
    if (h.heroOwnerId == oldRuler) h.heroOwnerId = n;
  }
  char name[kHeroNameBuffer + 1] = {};
  CopyListLine(HeroNameList(scenario), chosen, name, kHeroNameBuffer);
  ShowMessage2(name, "成为君主", 50, 280, 12, 1, 1000);
  playerRuler = n;
  Show(0);
  if (successionByAge) {
    rulerSuccession = kSuccessionNone;
    successionByAge = 0;
    return;
  }
  rulerSuccession = kSuccessionPickedMidway;
  DoEndEvent();
  ShowMapIfUncovered();
}
