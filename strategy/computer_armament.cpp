// The computer rulers' armament: training, filling the ranks, plunder, and war
// from a ruler's own city, against the player by a war order (one a month) or
// against another computer ruler by an automatic battle fought on the spot.
#include <algorithm>

#include "platform/random.h"
#include "shell/run_log.h"
#include "strategy/armament_rule.h"
#include "strategy/game_map.h"

namespace {

constexpr int kArmamentChoices = 13;
constexpr int kFillFirst = 1;  // draws 1..5 fill the officer's ranks
constexpr int kFillLast = 5;
constexpr int kPlunder = 6;
constexpr int kWar = 7;
constexpr int kTrainEvery = 3;  // a level in months not divisible by three
constexpr int kWarNeedsOfficers = 4;
constexpr int kWarNeedsTroops = 1000;

}  // namespace

void GameMap::ComputerTacticArmament(int city) {
  Log(1, "GameMap::ComputerTacticArmament", "开始", 0);
  CityRecord& c = cityList.cities[city];
  int officers[kHeroCount];
  int count = ComputerCityOfficers(city, officers);
  if (date.month % kTrainEvery != 0 && count > 0) {
    HeroRecord& h = heroList.heroes[officers[Rand() % count]];
    h.level = std::min(h.level + 1, kMaxHeroLevel);
  }
  for (int i = 0; i < kHeroCount; ++i) {
    HeroRecord& h = heroList.heroes[i];
    if (h.cityNo != city + 1 || !h.ServesFaction()) continue;
    int d = Rand() % kArmamentChoices;
    if (highAttackChance && d != kPlunder) d = kWar;
    if (d >= kFillFirst && d <= kFillLast) {
      h.soldiers = SoldierCapacity(h);  // the ranks filled up at no cost
    } else if (d == kPlunder) {
      PlunderCity(c, h);
    } else if (d == kWar && h.IsRuler() && ComputerCityOfficers(city, officers) >= kWarNeedsOfficers) {
      ComputerWar(city);
    }
  }
}

// The ruler of a city strikes at a neighbour drawn at random. A city without
// roads has no neighbour and starts no war.
void GameMap::ComputerWar(int city) {
  int g = GetEnemyCity(city + 1);
  if (g < 1 || g > kCityCount) return;
  int target = g - 1;
  CityRecord& from = cityList.cities[city];
  CityRecord& to = cityList.cities[target];
  if (to.ownerId == 0) return;
  if (to.ownerId == playerRuler) {
    ComputerAttackPlayer(city, target);
    return;
  }
  if (to.ownerId == from.ownerId) return;
  int officers[kHeroCount];
  int attackers = from.reserveSoldiers, defenders = to.reserveSoldiers;
  int n = ComputerCityOfficers(city, officers);
  for (int k = 0; k < n; ++k) attackers += heroList.heroes[officers[k]].soldiers;
  n = ComputerCityOfficers(target, officers);
  for (int k = 0; k < n; ++k) defenders += heroList.heroes[officers[k]].soldiers;
  if (attackers < kWarNeedsTroops) return;
  int attackingRuler = from.ownerId - 1, defendingRuler = to.ownerId - 1;
  int result = AutoBattle(attackers, from.food, defenders, to.food);
  ShowItAfterWar(result, attackingRuler, defendingRuler, target);
  AfterWar_Auto(result, city, target, attackingRuler, defendingRuler);
}

// A war order against the player, fought at the month end's war dispatch. The
// city's governor leads; the ruler stays, and the leader is not listed twice.
void GameMap::ComputerAttackPlayer(int city, int target) {
  if (computerAttackQueued) return;
  GetCityTaisou();
  CityRecord& from = cityList.cities[city];
  WarOrder order;
  order.fromCityNo = city + 1;
  order.attackerRulerId = from.ownerId - 1;
  order.targetCityNo = target + 1;
  // The army takes the city's whole store with it; what it leaves unused
  // comes back through the war's aftermath, or home when it never marches.
  order.foodCarried = from.food;
  order.leadOfficerId = from.governorId >= 1 ? from.governorId - 1 : from.ownerId - 1;
  order.warKind = kWarAttackCity;
  order.attackOnPlayer = 1;
  int n = 0;
  for (int i = 0; i < kHeroCount && n < kPartyExtraOfficers; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.cityNo != city + 1 || h.heroOwnerId != from.ownerId) continue;
    if (i + 1 == from.ownerId || i == order.leadOfficerId) continue;
    order.partyOfficers[n++] = i;
  }
  order.partySize = n + 1;
  if (QueueWarOrder(order) < 0) return;
  from.food = 0;
  computerAttackQueued = 1;
}
