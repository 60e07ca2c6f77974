// Filling the battle from the campaign records: which officers fight on each
// side and the values their units start with.
#include <algorithm>

#include "shell/run_log.h"
#include "strategy/game_map.h"
#include "war/war_globals.h"
#include "war/war_tables.h"

namespace {

// The order's army in battle order: its leader, then the nine further officers.
void ArmyOfOrder(const WarOrder& o, int* slots) {
  slots[0] = o.leadOfficerId;
  for (int i = 0; i < kPartyExtraOfficers; ++i) slots[i + 1] = o.partyOfficers[i];
}

bool ValidOfficer(int officer) { return officer >= 0 && officer < kHeroCount; }

// How many slots from `first` on hold an officer before the first empty one.
int FilledSlots(const Fight& fight, int first) {
  int n = 0;
  while (n < kArmySlots && ValidOfficer(fight.units[first + n].officerId)) ++n;
  return n;
}

}  // namespace

void GameMap::SetUpAttackBattle(int k) {
  Log(1, "GameMap::SetUpAttackBattle", "开始", 0);
  WarOrder o = ReadWarOrder(&taskTable[k]);
  int target = warTargetCity;
  const CityRecord& city = cityList.cities[target];
  int commander = GetClever(target) - 1;
  fight.InitData(std::clamp(o.partySize, 0, kArmySlots), o.leadOfficerId, target, o.foodCarried);
  fight.enemyUnitCount = 0;
  fight.warSerial = warFromCity + 1;
  for (int s = kEnemyBase; s < kUnitSlots; ++s) fight.units[s].officerId = -1;
  fight.units[kEnemyBase].officerId = commander;
  fight.enemyUnitCount = 1;
  for (int i = 0; i < kHeroCount && fight.enemyUnitCount < kArmySlots; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (!h.ServesFaction() || h.cityNo != target + 1 || i == commander || h.soldiers <= 0) continue;
    fight.units[kEnemyBase + fight.enemyUnitCount++].officerId = i;
  }
  fight.enemyCommanderId = commander;
  fight.ownLeaderId = o.attackerRulerId;
  fight.enemyLeaderId = city.ownerId - 1;
  fight.enemyFood = city.food;
  fight.ownSoldierTotal = 0;
  fight.enemySoldierTotal = 0;
  SetFightHeroData(k);
}

void GameMap::SetUpDefenceBattle(int k) {
  Log(1, "GameMap::SetUpDefenceBattle", "开始", 0);
  WarOrder o = ReadWarOrder(&taskTable[k]);
  int target = warTargetCity;
  const CityRecord& city = cityList.cities[target];
  int ownCount = std::clamp(warPartyCount + 1, 0, kArmySlots);
  fight.InitData(ownCount, defenceCommander, target, city.food);
  fight.enemyUnitCount = std::clamp(o.partySize, 0, kArmySlots);
  fight.warSerial = o.fromCityNo;
  for (int s = 0; s < kArmySlots; ++s) fight.units[s].officerId = -1;
  if (ownCount > 0) fight.units[0].officerId = defenceCommander;
  for (int i = 0; i + 1 < ownCount; ++i) fight.units[i + 1].officerId = warParty[i];
  fight.enemyCommanderId = o.leadOfficerId;
  fight.ownLeaderId = city.ownerId - 1;
  fight.enemyLeaderId = o.attackerRulerId;
  fight.enemyFood = o.foodCarried;
  fight.ownSoldierTotal = 0;
  fight.enemySoldierTotal = 0;
  SetFightHeroData2(k);
}

void GameMap::SetFightHeroData(int k) {
  Log(1, "GameMap::SetFightHeroData", "开始", 0);
  WarOrder o = ReadWarOrder(&taskTable[k]);
  fight.warType = o.attackOnPlayer;
  int army[kArmySlots];
  ArmyOfOrder(o, army);
  for (int i = 0; i < kArmySlots; ++i) fight.units[i].officerId = army[i];
  FillUnitsFromRecords();
}

void GameMap::SetFightHeroData2(int k) {
  Log(1, "GameMap::SetFightHeroData2", "开始", 0);
  WarOrder o = ReadWarOrder(&taskTable[k]);
  fight.warType = o.attackOnPlayer;
  int army[kArmySlots];
  ArmyOfOrder(o, army);
  for (int i = 0; i < kArmySlots; ++i) fight.units[kEnemyBase + i].officerId = army[i];
  FillUnitsFromRecords();
}

// Each side's units up to its first empty slot take their officers' values.
// The unit counts never reach past the filled slots, so the battle never
// meets a unit without an officer.
void GameMap::FillUnitsFromRecords() {
  for (int first : {0, kEnemyBase}) {
    int filled = FilledSlots(fight, first);
    for (int s = first; s < first + filled; ++s) {
      FightHero& u = fight.units[s];
      const HeroRecord& h = heroList.heroes[u.officerId];
      u.level = h.level;
      u.troopType = h.troopType;
      u.force = h.force;
      u.intelligence = h.intelligence;
      u.soldiers = h.soldiers;
      u.experience = h.experience;
      u.stamina = h.stamina;
      u.moveBonus = h.itemBonus;
      (first == 0 ? fight.ownSoldierTotal : fight.enemySoldierTotal) += h.soldiers;
      u.heroStyle = HeroStyleOf(scenario, u.officerId);
      if (scenario >= 0 && scenario < kStyleScenarios && h.IsRuler()) u.heroStyle += kRulerStyleBonus;
    }
    for (int s = first + filled; s < first + kArmySlots; ++s) fight.units[s].officerId = -1;
    int& count = first == 0 ? fight.ownUnitCount : fight.enemyUnitCount;
    count = std::min(count, filled);
  }
}
