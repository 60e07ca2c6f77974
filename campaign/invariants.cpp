#include "campaign/invariants.h"

#include <cstdarg>
#include <cstdio>

#include "campaign/city_list.h"
#include "campaign/good_list.h"
#include "campaign/hero_list.h"

namespace {

constexpr int kHighestOwner = 2 * kDeadOwner;  // a captive is his ruler's number plus 300

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

void CheckOfficers(InvariantChecker& c, const HeroRecord* heroes, const CityRecord* cities, const GoodRecord* goods,
                   int crowningRuler, bool rulers) {
  for (int i = 0; i < kHeroCount && c.Ok(); ++i) {
    const HeroRecord& h = heroes[i];
    c.Expect(InRange(h.heroOwnerId, 0, kHighestOwner), "officer %d: owner %d out of range", i, h.heroOwnerId);
    c.Expect(InRange(h.cityNo, 0, kCityCount), "officer %d: city %d out of range", i, h.cityNo);
    c.Expect(InRange(h.item1, 0, kGoodCount - 1) && InRange(h.item2, 0, kGoodCount - 1),
             "officer %d: items %d/%d out of range", i, h.item1, h.item2);
    c.Expect(InRange(h.loyalToId, 0, kHeroCount), "officer %d: loyal to %d out of range", i, h.loyalToId);
    c.Expect(InRange(h.inListFlag, kActed, kTravelling), "officer %d: list flag %d", i, h.inListFlag);
    if (!c.Ok()) return;
    // Whoever serves a faction serves a living ruler, save the faction being crowned.
    bool crowning = crowningRuler != 0 && h.heroOwnerId == crowningRuler;
    if (rulers && h.ServesFaction() && !crowning) {
      const HeroRecord& ruler = heroes[h.heroOwnerId - 1];
      c.Expect(ruler.IsRuler(), "officer %d serves %d, who is no ruler (owner %d)", i, h.heroOwnerId,
               ruler.heroOwnerId);
      // An officer stands in a city of his own faction: one left behind in
      // another's city would be listed, moved and given orders there.
      int owner = InRange(h.cityNo, 1, kCityCount) ? cities[h.cityNo - 1].ownerId : -1;
      c.Expect(owner == h.heroOwnerId, "officer %d serves %d but stands in city %d of %d", i, h.heroOwnerId,
               h.cityNo - 1, owner);
    }
    // An item in a hand is recorded as held by that hand.
    for (int item : {h.item1, h.item2}) {
      if (item == 0) continue;
      const GoodRecord& g = goods[item];
      c.Expect(g.holderId == i + 1, "officer %d carries item %d, whose holder is %d", i, item, g.holderId);
    }
    c.Expect(h.item1 == 0 || h.item1 != h.item2, "officer %d carries item %d twice", i, h.item1);
  }
}

void CheckCities(InvariantChecker& c, const CityRecord* cities, const HeroRecord* heroes, int crowningRuler,
                 bool rulers) {
  for (int i = 0; i < kCityCount && c.Ok(); ++i) {
    const CityRecord& city = cities[i];
    if (!c.Expect(InRange(city.ownerId, 0, kHeroCount - 1), "city %d: owner %d out of range", i, city.ownerId)) return;
    if (!c.Expect(InRange(city.governorId, 0, kHeroCount), "city %d: governor %d out of range", i, city.governorId))
      return;
    bool crowning = crowningRuler != 0 && city.ownerId == crowningRuler;
    if (rulers && city.ownerId != 0 && !crowning) {
      const HeroRecord& ruler = heroes[city.ownerId - 1];
      c.Expect(ruler.IsRuler(), "city %d belongs to %d, who is no ruler (owner %d)", i, city.ownerId,
               ruler.heroOwnerId);
    }
    c.Expect(city.money >= 0 && city.food >= 0 && city.reserveSoldiers >= 0,
             "city %d: money %d, food %d, soldiers %d below zero", i, city.money, city.food, city.reserveSoldiers);
  }
}

void CheckGoods(InvariantChecker& c, const GoodRecord* goods) {
  for (int i = 0; i < kGoodCount && c.Ok(); ++i) {
    const GoodRecord& g = goods[i];
    c.Expect(InRange(g.holderId, 0, kHeroCount), "item %d: holder %d out of range", i, g.holderId);
    c.Expect(InRange(g.goodCityNo, 0, kCityCount), "item %d: city %d out of range", i, g.goodCityNo);
  }
}

}  // namespace

bool InvariantChecker::Expect(bool holds, const char* format, ...) {
  if (holds || !failure_.empty()) return holds;
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  failure_ = text;
  return false;
}

void CheckRecords(InvariantChecker& c, const HeroList& heroes, const CityList& cities, const GoodList& goods,
                  int crowningRuler, bool rulersFromData) {
  CheckOfficers(c, heroes.heroes, cities.cities, goods.goods, crowningRuler, rulersFromData);
  CheckCities(c, cities.cities, heroes.heroes, crowningRuler, rulersFromData);
  CheckGoods(c, goods.goods);
}
