// The month's queued tasks take effect, each with its report. Records are
// walked from 1 until the first free one; a record read back from a save is
// checked before any of its numbers indexes a table.
#include "shell/run_log.h"
#include "strategy/armament_rule.h"
#include "strategy/diplomacy_rule.h"
#include "strategy/game_map.h"
#include "strategy/search_rule.h"

namespace {

bool ValidHero(int index) { return index >= 0 && index < kHeroCount; }
bool ValidCity(int index) { return index >= 0 && index < kCityCount; }

void RunSearch(GameMap& map, const TaskRecord& t) {
  int searcher = t.officer;
  int city = t.city;
  if (!ValidHero(searcher) || !ValidCity(city)) return;
  SearchFind find = DrawSearch(map.heroList, map.goodList, searcher, city);
  ApplySearch(find, map.heroList, map.goodList, map.cityList.cities[city]);
  map.ShowItAfter(kTaskSearch, find.kind, find.value, searcher);
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
  WinOverTo(h, map.cityList, t.city);
}

// The rebel rises with the city he stands in at the month end: he may have
// been moved since the order named his city, and a ruler crowned with a city
// he is not in would stand in another faction's city.
void RunIncite(GameMap& map, const TaskRecord& t) {
  if (t.value1 != 1 || !ValidHero(t.officer)) return;
  const HeroRecord& rebel = map.heroList.heroes[t.officer];
  int city = rebel.cityNo - 1;
  if (!StillServes(rebel) || !ValidCity(city)) return;
  if (RiseAsRuler(map.heroList, map.cityList, t.officer, city)) map.ShowItAfter(kTaskIncite, 1, 0, t.officer);
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
    HandOverFaction(map.heroList, map.cityList, number, player);
  }
  map.ShowItAfter(kTaskSubmit, t.value1, 0, t.officer);
}

void RunPlunder(GameMap& map, const TaskRecord& t) {
  if (!ValidHero(t.officer) || !ValidCity(t.city)) return;
  PlunderTake take = PlunderCity(map.cityList.cities[t.city], map.heroList.heroes[t.officer]);
  map.ShowItAfter(kTaskPlunder, take.money, take.food, t.officer);
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
