// The month's queued tasks take effect, each with its report. Records are
// walked from 1 until the first free one; a record read back from a save is
// checked before any of its numbers indexes a table.
#include "platform/random.h"
#include "shell/run_log.h"
#include "rules/tasks.h"
#include "strategy/game_map.h"

namespace {

// Search outcomes (the report's result for task 1).
constexpr int kFoundNothing = 0;
constexpr int kFoundOfficer = 1;
constexpr int kFoundItem = 2;
constexpr int kFoundMoney = 3;
constexpr int kFoundFood = 4;
constexpr int kHeardOfSage = 5;

bool ValidHero(int index) { return index >= 0 && index < kHeroCount; }
bool ValidCity(int index) { return index >= 0 && index < kCityCount; }

struct Outcome {
  int kind = kFoundNothing;
  int value = 0;
};

// A free officer of the city: the searcher's own friend joins, a stranger
// joins when the searcher is clever enough, another's friend stays hidden.
// A refusal names the officer as -(index + 1), so that officer 0 refusing is
// not mistaken for officer 0 joining.
Outcome SearchPerson(GameMap& map, int searcher, int city) {
  int found[kHeroCount];
  int count = 0;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = map.heroList.heroes[i];
    if (h.cityNo == city + 1 && h.heroOwnerId == 0) found[count++] = i;
  }
  if (count == 0) return {};
  int index = found[Rand() % count];
  HeroRecord& h = map.heroList.heroes[index];
  int intelligence = map.heroList.heroes[searcher].intelligence;
  bool joins = false;
  if (h.loyalToId == searcher + 1) {
    joins = true;
  } else if (h.loyalToId != 0) {
    return {kHeardOfSage, 0};
  } else if (Rand() % kWinDraw < intelligence) {
    joins = true;
  }
  if (!joins) return {kFoundOfficer, -(index + 1)};
  h.heroOwnerId = map.cityList.cities[city].ownerId;
  h.loyalty = Rand() % kJoinLoyaltySpread + kJoinLoyaltyBase;
  return {kFoundOfficer, index};
}

// A hidden item of the city: found by the one it waits for, or by a clever searcher.
Outcome SearchItem(GameMap& map, int searcher, int city) {
  int found[kGoodCount];
  int count = 0;
  for (int i = 0; i < kGoodCount; ++i) {
    const GoodRecord& g = map.goodList.goods[i];
    if (g.goodCityNo == city + 1 && g.found == 0) found[count++] = i;
  }
  if (count == 0) return {};
  int index = found[Rand() % count];
  GoodRecord& g = map.goodList.goods[index];
  int intelligence = map.heroList.heroes[searcher].intelligence;
  bool finds = g.finderId == searcher + 1 || (g.finderId == 0 && Rand() % kWinDraw < intelligence);
  if (!finds) return {};
  g.found = 1;
  return {kFoundItem, index};
}

// Money or food lying about. A searcher without intelligence has an empty
// range to draw from; he still brings the fixed part back.
int SearchFind(int intelligence) {
  if (intelligence <= 0) return kFindBase;
  return Rand() % (2 * intelligence) + kFindBase;
}

void RunSearch(GameMap& map, const TaskRecord& t) {
  int searcher = t.officer;
  int city = t.city;
  if (!ValidHero(searcher) || !ValidCity(city)) return;
  int intelligence = map.heroList.heroes[searcher].intelligence;
  CityRecord& c = map.cityList.cities[city];
  Outcome out;
  switch (Rand() % 4) {
    case 1: {
      int s = Rand() % kSearchDraw;
      if (s >= intelligence) break;
      out = s % 2 == 0 ? SearchPerson(map, searcher, city) : SearchItem(map, searcher, city);
      break;
    }
    case 2:
      out = {kFoundMoney, SearchFind(intelligence)};
      c.money += out.value;
      break;
    case 3:
      out = {kFoundFood, SearchFind(intelligence)};
      c.food += out.value;
      break;
    default: break;
  }
  map.ShowItAfter(kTaskSearch, out.kind, out.value, searcher);
}

// A captive already executed, released or persuaded makes no report.
void RunPersuade(GameMap& map, const TaskRecord& t) {
  if (!ValidHero(t.officer)) return;
  HeroRecord& captive = map.heroList.heroes[t.officer];
  if (!captive.IsCaptive()) return;
  if (t.value1 == 1) captive.heroOwnerId = map.playerRuler;
  map.ShowItAfter(kTaskPersuade, t.value1, 0, t.officer);
}

void RunTransport(GameMap& map, const TaskRecord& t) {
  if (!ValidCity(t.city)) return;
  int arrived = t.value4;
  if (arrived == 1) {
    CityRecord& c = map.cityList.cities[t.city];
    c.money += t.value1;
    c.food += t.value2;
    c.reserveSoldiers += t.value3;
  }
  map.ShowItAfter(kTaskTransport, arrived, 0, t.officer);
}

// Only an officer who still serves another faction can change sides; one
// who was captured, freed, killed or crowned since the order stays as he is.
bool StillServes(const HeroRecord& h) { return h.ServesFaction() && !h.IsRuler(); }

void RunWinOver(GameMap& map, const TaskRecord& t) {
  if (t.value1 != 1 || !ValidHero(t.officer) || !ValidCity(t.city)) return;
  HeroRecord& h = map.heroList.heroes[t.officer];
  if (!StillServes(h)) return;
  h.heroOwnerId = map.cityList.cities[t.city].ownerId;
  h.cityNo = t.city + 1;
}

void RunIncite(GameMap& map, const TaskRecord& t) {
  int city = t.city - 1;  // this task keeps the target's city 1-based
  if (t.value1 != 1 || !ValidHero(t.officer) || !ValidCity(city)) return;
  HeroRecord& rebel = map.heroList.heroes[t.officer];
  if (!StillServes(rebel)) return;
  int number = t.officer + 1;
  rebel.heroOwnerId = number;
  rebel.loyalty = kMaxLoyalty;
  map.cityList.cities[city].ownerId = number;
  // The garrison follows him; a ruler standing in the city stays his own master.
  for (HeroRecord& h : map.heroList.heroes) {
    if (h.cityNo == city + 1 && h.ServesFaction() && !h.IsRuler()) h.heroOwnerId = number;
  }
  map.ShowItAfter(kTaskIncite, 1, 0, t.officer);
}

// A ruler who submits brings his whole faction: his officers, the cities they
// stand in, and every other city that flew his flag (left to him, those would
// belong to a ruler who no longer exists).
void RunSubmit(GameMap& map, const TaskRecord& t) {
  if (!ValidHero(t.officer) || !ValidCity(t.city)) return;
  HeroRecord& ruler = map.heroList.heroes[t.officer];
  if (!ruler.IsRuler()) return;  // fallen or captured since the call
  if (t.value1 == 1) {
    int number = t.officer + 1;
    int player = map.playerRuler;
    ruler.heroOwnerId = player;
    CityRecord& home = map.cityList.cities[t.city];
    home.ownerId = player;
    home.governorId = player;
    for (HeroRecord& h : map.heroList.heroes) {
      if (h.heroOwnerId != number) continue;
      h.heroOwnerId = player;
      if (ValidCity(h.cityNo - 1)) map.cityList.cities[h.cityNo - 1].ownerId = player;
    }
    for (CityRecord& c : map.cityList.cities) {
      if (c.ownerId == number) c.ownerId = player;
    }
  }
  map.ShowItAfter(kTaskSubmit, t.value1, 0, t.officer);
}

void RunPlunder(GameMap& map, const TaskRecord& t) {
  if (!ValidHero(t.officer) || !ValidCity(t.city)) return;
  CityRecord& c = map.cityList.cities[t.city];
  const HeroRecord& h = map.heroList.heroes[t.officer];
  c.peopleLoyalty /= 2;
  c.farming /= 2;
  c.commerce /= 2;
  int u = h.intelligence + h.force;
  c.food += kPlunderFood * u;
  c.money += kPlunderMoney * u;
  map.ShowItAfter(kTaskPlunder, kPlunderMoney * u, kPlunderFood * u, t.officer);
}

}  // namespace

void GameMap::TaskListRun() {
  Log(1, "GameMap::TaskListRun", "开始", 0);
  for (int k = kFirstTaskRecord; k <= kLastTaskRecord; ++k) {
    const TaskRecord& t = taskTable[k];
    if (t.taskRemoved == 1) break;
    switch (t.taskType) {
      case kTaskSearch: RunSearch(*this, t); break;
      case kTaskPersuade: RunPersuade(*this, t); break;
      case kTaskTransport: RunTransport(*this, t); break;
      case kTaskWinOver: RunWinOver(*this, t); break;
      case kTaskIncite: RunIncite(*this, t); break;
      case kTaskSubmit: RunSubmit(*this, t); break;
      case kTaskPlunder: RunPlunder(*this, t); break;
      case kTaskWar:
      case kTaskWarAwaitingDefence:
      case kTaskWarResolved:
        // The war dispatch fights it; an attack carries two extension
        // records, an occupation's extensions are walked and do nothing.
        if (t.value5 == kWarAttackCity) k += kWarOrderRecords - 1;
        break;
      default: break;
    }
  }
}
