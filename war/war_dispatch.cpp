// The month's war orders, resolved in table order at the month end. Each call
// of WarRun goes on until one order needs a battle or the defenders' pick;
// the end of that battle (or pick) brings the month end back here.
#include <algorithm>
#include <cstdio>

#include "campaign/scenario_files.h"
#include "platform/files.h"
#include "platform/random.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"
#include "war/war_globals.h"
#include "war/war_tables.h"

namespace {

bool ValidCity(int city) { return city >= 0 && city < kCityCount; }

}  // namespace

void GameMap::WarRun() {
  Log(1, "GameMap::WarRun", "开始", 0);
  if (warPick != kWarPickDone) {
    BeginBattleCount();
    if (pendingBattles == kBattlesLastFought) {
      for (int k = kFirstTaskRecord; k <= kLastTaskRecord - (kWarOrderRecords - 1); ++k) {
        const TaskRecord& t = taskTable[k];
        if (t.taskRemoved != 0 || t.taskType != kTaskWar || t.value5 != kWarAttackCity) continue;
        int target = t.value1 - 1;
        if (!ValidCity(target) || GetClever(target) == 0) continue;
        CountOneBattle();
      }
    }
  }
  for (int k = kFirstTaskRecord; k <= kLastTaskRecord; ++k) {
    TaskRecord& t = taskTable[k];
    if (t.taskRemoved != 0) continue;
    if (t.taskType == kTaskWar) {
      if (ResolveWarOrder(k)) return;
    } else if (t.taskType == kTaskWarAwaitingDefence) {
      warPick = kWarPickNone;
      t.taskType = kTaskWarResolved;
      // An abandoned defence already had its aftermath; the orders after it
      // still have to be resolved this month.
      if (defenceAbandoned == 1) {
        defenceAbandoned = 0;
        continue;
      }
      SetUpDefenceBattle(k);
      OpenBattle();
      return;
    }
  }
  // The whole table is resolved: whatever the count said, no battle is left
  // (an order can lose its defenders to an earlier one of the same month).
  EndBattleCount();
}

// Resolves the order at task index k; true when the walk has to stop there.
bool GameMap::ResolveWarOrder(int k) {
  TaskRecord& t = taskTable[k];
  t.taskType = kTaskWarResolved;
  if (k + kWarOrderRecords - 1 > kLastTaskRecord) return false;  // a torn order: nothing to march
  WarOrder o = ReadWarOrder(&taskTable[k]);
  int target = o.targetCityNo - 1;
  if (!ValidCity(target) || !ValidCity(o.fromCityNo - 1)) return false;
  // Earlier wars and tasks of the same month may have taken officers of the
  // army captive or away from its city: only those still serving a faction
  // where the order left them march (a captive would otherwise hand the city
  // to a captive's number). An army with nobody left stays home.
  if (!KeepLoyalMarchers(o)) {
    if (o.warKind == kWarAttackCity && GetClever(target) != 0) DropOneBattle();
    ReturnOrderFood(o);
    return false;
  }
  WriteWarOrder(&taskTable[k], o);
  t.taskType = kTaskWarResolved;
  warFromCity = o.fromCityNo - 1;
  warTargetCity = target;
  CityRecord& city = cityList.cities[target];
  int owner = city.ownerId - 1;
  int commander = GetClever(target) - 1;
  int kind = o.warKind;
  bool onPlayer = o.attackOnPlayer == 1;

  // A computer army sent against a city that is no longer the player's by the
  // month end finds no war to fight there.
  if (onPlayer && commander != -1 && city.ownerId != playerRuler) {
    if (kind == kWarAttackCity) DropOneBattle();
    ReturnOrderFood(o);
    return false;
  }

  int mode = kind;
  int defender = owner;
  if (owner == -1 || (commander == -1 && !onPlayer)) {
    mode = kBannerMarchIn;
    defender = kNoDefender;
  } else if (city.ownerId == playerRuler && commander != -1 && !onPlayer) {
    mode = kBannerMarchIn;
    defender = kNoDefender;
    kind = kWarOccupyEmpty;
  } else if (commander == -1 && onPlayer) {
    mode = kBannerComputerMarchIn;
    kind = kWarComputerTakes;
  }
  ShowItAfterWar(mode, o.attackerRulerId, defender, target);

  if (kind == kWarAttackCity && commander != -1 && onPlayer) {
    OpenDefencePick(k);
    return true;
  }
  if (kind == kWarAttackCity && commander != -1) {
    SetUpAttackBattle(k);
    OpenBattle();
    return true;
  }
  if (commander == -1 && !onPlayer) {
    warOutcomeCode = kOutcomeMarchIn;
    AfterWar_SpaceCity(1, warFromCity, target, k);
  } else if (kind == kWarOccupyEmpty && !onPlayer) {
    warOutcomeCode = kOutcomePeacefulMarch;
    AfterWar_SpaceCity(1, warFromCity, target, k);
    if (o.warKind == kWarAttackCity) DropOneBattle();
  } else if (commander == -1) {
    warOutcomeCode = kOutcomeComputerMarchIn;
    AfterWar_SpaceCity(2, warFromCity, target, k);
  }
  return false;
}

// An army that stays home puts its food back into its own city's store.
void GameMap::ReturnOrderFood(const WarOrder& o) {
  int from = o.fromCityNo - 1;
  if (ValidCity(from) && o.foodCarried > 0) cityList.cities[from].food += o.foodCarried;
}

bool GameMap::KeepLoyalMarchers(WarOrder& o) const {
  int army[1 + kPartyExtraOfficers];
  int n = 0;
  int candidates[1 + kPartyExtraOfficers];
  candidates[0] = o.leadOfficerId;
  for (int i = 0; i < kPartyExtraOfficers; ++i) candidates[i + 1] = o.partyOfficers[i];
  for (int officer : candidates) {
    if (officer < 0 || officer >= kHeroCount) continue;
    const HeroRecord& h = heroList.heroes[officer];
    if (h.ServesFaction() && h.cityNo == o.fromCityNo) army[n++] = officer;
  }
  if (n == 0) return false;
  o.leadOfficerId = army[0];
  for (int i = 0; i < kPartyExtraOfficers; ++i) o.partyOfficers[i] = i + 1 < n ? army[i + 1] : -1;
  o.partySize = n;
  return true;
}

void GameMap::OpenBattle() {
  // A battle the count missed still has to hold the month end until it is over.
  HoldForBattle();
  PlayMusic(Sound::kBattle);
  fight.Show(kShowOpening);
  fight.Show(0);
  battleOpen = 1;
}

// ---- The defenders' pick ----

void GameMap::OpenDefencePick(int k) {
  Log(1, "GameMap::OpenDefencePick", "开始", 0);
  defenceCol = GetUnx(warTargetCity);
  defenceRow = GetUny(warTargetCity);
  defenceCommander = -1;  // nobody picked yet
  warPartyCount = 0;
  std::fill(warParty, warParty + kWarPartyMax, -1);
  heroList.Init(defenceCol, defenceRow, scenario, kDefencePickCommand, playerRuler);
  heroList.Show(0);
  warPick = kWarPickOpen;
  taskTable[k].taskType = kTaskWarAwaitingDefence;
  awaitingOrder = k;
}

void GameMap::DefencePickKey(int key) {
  Log(1, "GameMap::DefencePickKey", "开始", 0);
  int result = heroList.KeyDown(key);
  bool anyone = defenceCommander >= 0;
  if (result == -1) {
    if (anyone) EndDefencePick();
    else AbandonDefence();
    return;
  }
  if (result != 1) return;
  int officer = heroList.PickedHero(heroList.listTop + heroList.listCursor);
  if (officer < 0) {  // the list has run out of officers
    if (anyone) EndDefencePick();
    else AbandonDefence();
    return;
  }
  if (Hero(officer).stamina <= kPickStaminaFloor) {
    Notice("该将体力不足");
    return;
  }
  if (!anyone) {
    defenceCommander = officer;
    warPartyCount = 0;
    std::fill(warParty, warParty + kWarPartyMax, -1);
  } else if (warPartyCount < kArmySlots - 1) {
    warParty[warPartyCount++] = officer;
  }
  Hero(officer).inListFlag = kPicked;
  heroList.Init(defenceCol, defenceRow, scenario, kDefencePickCommand, playerRuler);
  if (warPartyCount >= kArmySlots - 1 || heroList.cityOfficerCount == 0) {
    EndDefencePick();
    return;
  }
  Show(0);
  heroList.Show(0);
}

void GameMap::EndDefencePick() {
  Log(1, "GameMap::EndDefencePick", "开始", 0);
  warPick = kWarPickDone;
  DoEndEvent();
  ShowMapIfUncovered();
}

// Escape before anyone was picked: the city falls without a fight.
void GameMap::AbandonDefence() {
  Log(1, "GameMap::AbandonDefence", "开始", 0);
  defenceAbandoned = 1;
  battleResult = kFightLost;
  // Only a counted battle is taken off the count: a defence of an order the
  // count missed leaves the finished count (-1 or -2) as it stands.
  EndOneBattle();
  warPick = kWarPickNone;
  fight.GameEnd(0);
  warPartyCount = -1;  // no own units at all
  defenceCommander = -1;
  SetUpDefenceBattle(awaitingOrder);
  AfterWar(kFightLost, warFromCity, warTargetCity);
  battleResult = 0;
  capturedCount = 0;
  rulerFate = 0;
  awaitingOrder = 0;
  DoEndEvent();
  ShowMapIfUncovered();
}

// ---- Small look-ups of the war code ----

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

int GameMap::GetEnemyCity(int cityNo) {
  Log(1, "GameMap::GetEnemyCity", "开始", 0);
  int found[kMaxNeighbours] = {};
  int n = 0;
  FILE* f = OpenFile(kAdjacencyTable, "r");
  if (f != nullptr) {
    int from = 0;
    int to = 0;
    while (n < kMaxNeighbours && std::fscanf(f, "%d %d", &from, &to) == 2) {
      if (from == cityNo) found[n++] = to;
    }
    std::fclose(f);
  }
  // A city without roads has no one to attack.
  if (n == 0) return 0;
  return found[Rand() % n];
}

int GameMap::AutoBattle(int a, int b, int c, int d) {
  Log(1, "GameMap::AutoBattle", "开始", 0);
  int r = Rand() % 101;
  if (a == 0) return 0;
  if (c == 0) return 1;
  if (a > c) {
    if (a / 4 > c) return r > 30 ? 1 : 0;
    if (b > d) return r > 40 ? 1 : 0;
    return r > 60 ? 1 : 0;
  }
  if (a < c / 4) return r <= 2 ? 1 : 0;
  if (b > d) return r <= 30 ? 1 : 0;
  return r <= 10 ? 1 : 0;
}

int GameMap::GetUnx(int city) {
  Log(1, "GameMap::GetUnx", "开始", 0);
  int col = 0;
  int row = 0;
  return CityCell(city, col, row) ? col : 0;
}

int GameMap::GetUny(int city) {
  Log(1, "GameMap::GetUny", "开始", 0);
  int col = 0;
  int row = 0;
  return CityCell(city, col, row) ? row : 0;
}
