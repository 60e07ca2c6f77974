#include "strategy/search_rule.h"

#include "platform/random.h"
#include "rules/tasks.h"

namespace {

constexpr int kSearchKinds = 4;  // rand() % 4: nothing, someone or something, money, food
constexpr int kSearchSomeone = 1;
constexpr int kSearchForMoney = 2;
constexpr int kSearchForFood = 3;

// The indices of the records that pass, in order; returns their count.
template <typename Record, int N, typename Pass>
int Gather(const Record (&records)[N], int (&out)[N], Pass pass) {
  int count = 0;
  for (int i = 0; i < N; ++i) {
    if (pass(records[i])) out[count++] = i;
  }
  return count;
}

// A free officer of the city: the searcher's own friend joins, a stranger
// joins when the searcher is clever enough, another's friend stays hidden.
// A refusal names the officer as -(index + 1), so that officer 0 refusing is
// not mistaken for officer 0 joining.
SearchFind SearchPerson(const HeroList& heroes, int searcher, int city) {
  int found[kHeroCount];
  int count =
      Gather(heroes.heroes, found, [city](const HeroRecord& h) { return h.cityNo == city + 1 && h.heroOwnerId == 0; });
  if (count == 0) return {};
  int index = found[Rand() % count];
  const HeroRecord& h = heroes.heroes[index];
  int intelligence = heroes.heroes[searcher].intelligence;
  if (h.loyalToId != searcher + 1) {
    if (h.loyalToId != 0) return {kSearchHeardOfSage};
    if (Rand() % kWinDraw >= intelligence) return {kSearchOfficer, -(index + 1)};
  }
  return {kSearchOfficer, index, Rand() % kJoinLoyaltySpread + kJoinLoyaltyBase};
}

// A hidden item of the city: found by the one it waits for, or by a clever searcher.
SearchFind SearchItem(const HeroList& heroes, const GoodList& goods, int searcher, int city) {
  int found[kGoodCount];
  int count =
      Gather(goods.goods, found, [city](const GoodRecord& g) { return g.goodCityNo == city + 1 && g.found == 0; });
  if (count == 0) return {};
  int index = found[Rand() % count];
  const GoodRecord& g = goods.goods[index];
  bool waitedFor = g.finderId == searcher + 1;
  if (!waitedFor && (g.finderId != 0 || Rand() % kWinDraw >= heroes.heroes[searcher].intelligence)) return {};
  return {kSearchItem, index, 0, waitedFor};
}

// Money or food lying about. A searcher without intelligence has an empty
// range to draw from; he still brings the fixed part back.
int FindAmount(int intelligence) {
  if (intelligence <= 0) return kFindBase;
  return Rand() % (2 * intelligence) + kFindBase;
}

}  // namespace

SearchFind DrawSearch(const HeroList& heroes, const GoodList& goods, int searcher, int city) {
  int intelligence = heroes.heroes[searcher].intelligence;
  switch (Rand() % kSearchKinds) {
    case kSearchSomeone: {
      int s = Rand() % kSearchDraw;
      if (s >= intelligence) return {};
      return s % 2 == 0 ? SearchPerson(heroes, searcher, city) : SearchItem(heroes, goods, searcher, city);
    }
    case kSearchForMoney: return {kSearchMoney, FindAmount(intelligence)};
    case kSearchForFood: return {kSearchFood, FindAmount(intelligence)};
    default: return {};
  }
}

void ApplySearch(const SearchFind& find, HeroList& heroes, GoodList& goods, CityRecord& city) {
  switch (find.kind) {
    case kSearchOfficer:
      if (find.value < 0) return;
      heroes.heroes[find.value].heroOwnerId = city.ownerId;
      heroes.heroes[find.value].loyalty = find.joinLoyalty;
      return;
    case kSearchItem: goods.goods[find.value].found = 1; return;
    case kSearchMoney: city.money += find.value; return;
    case kSearchFood: city.food += find.value; return;
    default: return;
  }
}
