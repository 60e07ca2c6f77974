#include "campaign/invariants.h"

#include <cstdarg>
#include <cstdio>

#include "campaign/game.h"
#include "shell/globals.h"
#include "strategy/map_globals.h"

namespace {

constexpr int kHighestOwner = 2 * kDeadOwner;  // a captive is his ruler's number plus 300
constexpr int kLastScreen = kScreenCityMenu;

// Collects the first failure only: later checks often fail because of it.
class Checker {
 public:
  bool Ok() const { return failure_.empty(); }
  const std::string& Failure() const { return failure_; }

  bool Expect(bool holds, const char* format, ...) {
    if (holds || !failure_.empty()) return holds;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    failure_ = text;
    return false;
  }

 private:
  std::string failure_;
};

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

void CheckMenu(Checker& c, const Menu& m, const char* name) {
  if (m.lastIndex < 0) return;  // never opened, or its list is missing
  c.Expect(InRange(m.selected, 0, m.lastIndex), "%s: selected %d outside 0..%d", name, m.selected, m.lastIndex);
  c.Expect(m.visibleRows <= 0 || InRange(m.highlightRow, 0, m.visibleRows - 1),
           "%s: highlighted row %d outside 0..%d", name, m.highlightRow, m.visibleRows - 1);
}

void CheckOfficers(Checker& c, const GameMap& map, bool rulers) {
  const HeroRecord* heroes = map.heroList.heroes;
  for (int i = 0; i < kHeroCount && c.Ok(); ++i) {
    const HeroRecord& h = heroes[i];
    c.Expect(InRange(h.heroOwnerId, 0, kHighestOwner), "officer %d: owner %d out of range", i, h.heroOwnerId);
    c.Expect(InRange(h.cityNo, 0, kCityCount), "officer %d: city %d out of range", i, h.cityNo);
    c.Expect(InRange(h.item1, 0, kGoodCount - 1) && InRange(h.item2, 0, kGoodCount - 1),
             "officer %d: items %d/%d out of range", i, h.item1, h.item2);
    c.Expect(InRange(h.loyalToId, 0, kHeroCount), "officer %d: loyal to %d out of range", i, h.loyalToId);
    c.Expect(InRange(h.inListFlag, kActed, kTravelling), "officer %d: list flag %d", i, h.inListFlag);
    if (!c.Ok()) return;
    // Whoever serves a faction serves a living ruler; only the player's
    // faction may wait for its new ruler, while the player picks him.
    bool crowning = rulerSuccession == 1 && h.heroOwnerId == map.playerRuler;
    if (rulers && h.ServesFaction() && !crowning) {
      const HeroRecord& ruler = heroes[h.heroOwnerId - 1];
      c.Expect(ruler.IsRuler(), "officer %d serves %d, who is no ruler (owner %d)", i, h.heroOwnerId,
               ruler.heroOwnerId);
    }
    // An item in a hand is recorded as held by that hand.
    for (int item : {h.item1, h.item2}) {
      if (item == 0) continue;
      const GoodRecord& g = map.goodList.goods[item];
      c.Expect(g.holderId == i + 1, "officer %d carries item %d, whose holder is %d", i, item, g.holderId);
    }
    c.Expect(h.item1 == 0 || h.item1 != h.item2, "officer %d carries item %d twice", i, h.item1);
  }
}

void CheckCities(Checker& c, const GameMap& map, bool rulers) {
  const HeroRecord* heroes = map.heroList.heroes;
  for (int i = 0; i < kCityCount && c.Ok(); ++i) {
    const CityRecord& city = map.cityList.cities[i];
    if (!c.Expect(InRange(city.ownerId, 0, kHeroCount - 1), "city %d: owner %d out of range", i, city.ownerId)) return;
    if (!c.Expect(InRange(city.governorId, 0, kHeroCount), "city %d: governor %d out of range", i, city.governorId))
      return;
    bool crowning = rulerSuccession == 1 && city.ownerId == map.playerRuler;
    if (rulers && city.ownerId != 0 && !crowning) {
      const HeroRecord& ruler = heroes[city.ownerId - 1];
      c.Expect(ruler.IsRuler(), "city %d belongs to %d, who is no ruler (owner %d)", i, city.ownerId,
               ruler.heroOwnerId);
    }
    c.Expect(city.money >= 0 && city.food >= 0 && city.reserveSoldiers >= 0,
             "city %d: money %d, food %d, soldiers %d below zero", i, city.money, city.food, city.reserveSoldiers);
  }
}

void CheckGoods(Checker& c, const GameMap& map) {
  for (int i = 0; i < kGoodCount && c.Ok(); ++i) {
    const GoodRecord& g = map.goodList.goods[i];
    c.Expect(InRange(g.holderId, 0, kHeroCount), "item %d: holder %d out of range", i, g.holderId);
    c.Expect(InRange(g.goodCityNo, 0, kCityCount), "item %d: city %d out of range", i, g.goodCityNo);
  }
}

void CheckTasks(Checker& c, const GameMap& map) {
  c.Expect(InRange(taskCount, -1, kLastTaskRecord), "task count %d outside the table", taskCount);
  const TaskRecord& unused = map.taskTable[0];
  c.Expect(unused.taskType == 0, "task record 0 was filled (type %d)", unused.taskType);
  for (int i = kFirstTaskRecord; i <= kLastTaskRecord && c.Ok(); ++i) {
    const TaskRecord& t = map.taskTable[i];
    if (t.taskRemoved != 0 || t.taskType == 0) continue;
    c.Expect(InRange(t.city, 0, kCityCount), "task %d (type %d): city %d out of range", i, t.taskType, t.city);
  }
}

void CheckLists(Checker& c, const GameMap& map) {
  CheckMenu(c, map.systemMenu, "system menu");
  CheckMenu(c, map.cityMenu, "city menu");
  CheckMenu(c, map.interiorMenu, "interior menu");
  CheckMenu(c, map.diplomacyMenu, "diplomacy menu");
  CheckMenu(c, map.armamentMenu, "armament menu");
  const HeroList& list = map.heroList;
  c.Expect(InRange(list.listCursor, 0, kHeroListRows - 1) && list.listTop >= 0,
           "officer list: cursor %d, top %d", list.listCursor, list.listTop);
  c.Expect(InRange(list.columnPage, 0, kHeroColumnPages - 1), "officer list: column page %d", list.columnPage);
  int counts = list.cityOfficerCount + list.cityCaptiveCount + list.freeOfficerCount + list.otherOfficerCount +
               list.otherRulerCount + list.ownOfficerCount;
  c.Expect(list.cityOfficerCount >= 0 && counts <= kHeroCount, "officer list: groups hold %d officers", counts);
  const GoodList& goods = map.goodList;
  c.Expect(InRange(goods.listCursor, 0, kGoodListRows - 1) && goods.listTop >= 0, "item list: cursor %d, top %d",
           goods.listCursor, goods.listTop);
  c.Expect(InRange(goods.columnPage, 0, kGoodColumnPages - 1), "item list: column page %d", goods.columnPage);
  c.Expect(InRange(map.cursorCol, 0, kMapColumns - 1) && InRange(map.cursorRow, 0, kCellRows - 1),
           "map cursor (%d, %d) off the map", map.cursorCol, map.cursorRow);
  c.Expect(map.ArrowOnCursorCell(), "map arrow at (%d, %d) is not on the cursor's cell (%d, %d)", map.arrowX,
           map.arrowY, map.cursorCol, map.cursorRow);
  c.Expect(InRange(map.cityList.cityIndex, 0, kCityCount - 1), "city list index %d", map.cityList.cityIndex);
  c.Expect(InRange(map.cityList.page, 0, kCityPages - 1), "city screen page %d", map.cityList.page);
  c.Expect(InRange(map.selectedCity, 0, kCityCount), "selected city %d", map.selectedCity);
}

void CheckBattle(Checker& c, const GameMap& map) {
  if (!map.battleOpen) return;
  const Fight& f = map.fight;
  c.Expect(InRange(f.ownUnitCount, 0, kSideSlots) && InRange(f.enemyUnitCount, 0, kSideSlots),
           "battle: %d own and %d enemy units", f.ownUnitCount, f.enemyUnitCount);
  c.Expect(InRange(f.battleMap.viewTop, 0, kMaxViewTop) && InRange(f.battleMap.viewLeft, 0, kMaxViewLeft),
           "battle: view at (%d, %d)", f.battleMap.viewTop, f.battleMap.viewLeft);
  c.Expect(InRange(f.battleMap.cursorRow, 0, kViewRows - 1) && InRange(f.battleMap.cursorCol, 0, kViewCols - 1),
           "battle: cursor (%d, %d) outside the view", f.battleMap.cursorRow, f.battleMap.cursorCol);
  for (int s = 0; s < kUnitSlots && c.Ok(); ++s) {
    bool used = s < kEnemyBase ? f.IsOwnSlot(s) : f.IsEnemySlot(s);
    const FightHero& u = f.units[s];
    if (!used || u.unitStatus == kStatusBeaten) continue;
    c.Expect(InRange(u.officerId, 0, kHeroCount - 1), "battle unit %d: officer %d", s, u.officerId);
    c.Expect(InRange(u.row, 0, kMaxViewTop + kViewRows - 1) && InRange(u.col, 0, kMaxViewLeft + kViewCols - 1),
             "battle unit %d stands off the map at (%d, %d)", s, u.row, u.col);
  }
  // No two live units ever share a square, whichever sides they are on.
  int first = 0, second = 0;
  bool shared = f.TwoOnOneSquare(first, second);
  c.Expect(!shared, "battle units %d and %d share the square (%d, %d)", first, second, f.units[second].row,
           f.units[second].col);
}

}  // namespace

std::string CheckInvariants(const Game& game, bool rulersFromData) {
  Checker c;
  c.Expect(InRange(screenNumber, kScreenIntro, kLastScreen), "screen number %d", screenNumber);
  c.Expect(InRange(game.titleChoice, -1, kTitleEntries - 1), "title choice %d", game.titleChoice);
  const NewGame& newGame = game.newGame;
  c.Expect(InRange(newGame.scenarioChoice, 0, 3), "scenario choice %d", newGame.scenarioChoice);
  const Who& who = newGame.who;
  if (newGame.rulerPhase == 1 && who.mapActive == 1 && c.Ok()) {
    CheckOfficers(c, who, rulersFromData);
    CheckCities(c, who, rulersFromData);
    CheckGoods(c, who);
    CheckTasks(c, who);
    CheckLists(c, who);
    CheckBattle(c, who);
  }
  return c.Failure();
}
