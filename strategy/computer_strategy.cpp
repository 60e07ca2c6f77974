// The computer rulers' monthly turn: every city the player does not own takes
// one line of action drawn by its owner's character, interior work with the
// harmonising of its officers, diplomacy, or armament. Effects apply at once.
#include <algorithm>

#include "platform/random.h"
#include "rules/character_odds.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"
#include "strategy/search_rule.h"

int computerAttackQueued = 0;

namespace {

constexpr int kFoodFloor = 100;  // a city with less food is given this much:
constexpr int kFoodRestored = 500;
constexpr int kTreasuryCeiling = 10000;  // a richer treasury is cut to:
constexpr int kTreasuryCut = 5000;
constexpr int kPreventionCap = 100;
constexpr int kLoyaltyCap = 100;

// Interior draws, one per officer.
constexpr int kInteriorChoices = 5;
constexpr int kInteriorFarming = 0;
constexpr int kInteriorCommerce = 1;
constexpr int kInteriorSearch = 2;
constexpr int kInteriorPeople = 3;
constexpr int kDevelopStep = 200;
constexpr int kPeopleStep = 4;

// Harmonise draws, one per officer.
constexpr int kHarmonizeChoices = 7;
constexpr int kHarmonizePrevention = 0;
constexpr int kHarmonizeMove = 5;
constexpr int kPreventionStep = 4;
constexpr int kMoveNeedsMoreThan = 2;  // officers in the city before one leaves

// Raises a value by a step up to a cap; a value already above keeps it.
int RaiseTo(int value, int step, int cap) {
  if (value >= cap) return value;
  return std::min(value + step, cap);
}

// The owner's own record decides; an empty city has no owner and reads the first.
int OwnerCharacter(const HeroList& heroes, int ownerId) {
  int index = ownerId >= 1 && ownerId <= kHeroCount ? ownerId - 1 : 0;
  return heroes.heroes[index].character;
}

}  // namespace

void GameMap::ComputerStatic() {
  Log(1, "GameMap::ComputerStatic", "开始", 0);
  for (int i = 0; i < kCityCount; ++i) {
    CityRecord& c = cityList.cities[i];
    if (c.ownerId == playerRuler) continue;
    const TacticOdds& odds = TacticOddsFor(OwnerCharacter(heroList, c.ownerId));
    c.status = 0;
    c.disasterPrevention = RaiseTo(c.disasterPrevention, 1, kPreventionCap);
    if (c.food < kFoodFloor) c.food = kFoodRestored;
    if (c.money > kTreasuryCeiling) c.money = kTreasuryCut;
    int e = Rand() % 100;
    if (e < odds.interiorHarmonize) {
      ComputerTacticInterior(i);
      ComputerTacticHarmonize(i);
    } else if (e < odds.diplomacy) {
      ComputerTacticDiplomatism(i);
    } else {
      ComputerTacticArmament(i);
    }
  }
}

// Officers of a city serve a faction (not free, captive or dead). Fills
// `officers` (room for every officer) in officer order; returns their count.
int GameMap::ComputerCityOfficers(int city, int* officers) const {
  int n = 0;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.cityNo == city + 1 && h.ServesFaction()) officers[n++] = i;
  }
  return n;
}

// Each officer works on a copy of the city's figures, written back after him,
// so the population comes out as a whole number.
void GameMap::ComputerTacticInterior(int city) {
  Log(1, "GameMap::ComputerTacticInterior", "开始", 0);
  CityRecord& c = cityList.cities[city];
  int farming = c.farming;
  int commerce = c.commerce;
  int loyalty = c.peopleLoyalty;
  int population = static_cast<int>(c.population);
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.cityNo != city + 1 || !h.ServesFaction()) continue;
    switch (Rand() % kInteriorChoices) {
      case kInteriorFarming: farming = RaiseTo(farming, kDevelopStep, c.farmingMax); break;
      case kInteriorCommerce: commerce = RaiseTo(commerce, kDevelopStep, c.commerceMax); break;
      case kInteriorSearch: ComputerSearch(i, city); break;
      case kInteriorPeople: loyalty = RaiseTo(loyalty, kPeopleStep, kLoyaltyCap); break;
      default: break;
    }
    c.farming = farming;
    c.commerce = commerce;
    c.peopleLoyalty = loyalty;
    c.population = population;
  }
}

// The search task's rules without its report; an item found by the officer
// it waited for passes into his hands.
void GameMap::ComputerSearch(int officer, int city) {
  SearchFind find = DrawSearch(heroList, goodList, officer, city);
  ApplySearch(find, heroList, goodList, cityList.cities[city]);
  if (find.kind == kSearchItem && find.waitedFor) goodList.goods[find.value].holderId = officer + 1;
}

// Officers of a crowded city may move on to another city of the same owner.
void GameMap::ComputerTacticHarmonize(int city) {
  Log(1, "GameMap::ComputerTacticHarmonize", "开始", 0);
  CityRecord& c = cityList.cities[city];
  int officers[kHeroCount];
  for (int i = 0; i < kHeroCount; ++i) {
    HeroRecord& h = heroList.heroes[i];
    if (h.cityNo != city + 1 || !h.ServesFaction()) continue;
    int b = Rand() % kHarmonizeChoices;
    if (b == kHarmonizePrevention) {
      c.disasterPrevention = RaiseTo(c.disasterPrevention, kPreventionStep, kPreventionCap);
    } else if (b == kHarmonizeMove && ComputerCityOfficers(city, officers) > kMoveNeedsMoreThan) {
      int taken = -1;
      for (int j = 0; j < kCityCount; ++j) {
        if (j == city || cityList.cities[j].ownerId != c.ownerId) continue;
        if (Rand() % 2 == 1) taken = j;
      }
      if (taken >= 0) h.cityNo = taken + 1;
    }
  }
}
