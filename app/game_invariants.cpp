#include "app/game_invariants.h"

#include "campaign/game.h"
#include "campaign/invariants.h"
#include "shell/globals.h"
#include "strategy/map_globals.h"

namespace {

constexpr int kLastScreen = kScreenCityMenu;

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

void CheckMenu(InvariantChecker& c, const Menu& m, const char* name) {
  if (m.lastIndex < 0) return;  // never opened, or its list is missing
  c.Expect(InRange(m.selected, 0, m.lastIndex), "%s: selected %d outside 0..%d", name, m.selected, m.lastIndex);
  c.Expect(m.visibleRows <= 0 || InRange(m.highlightRow, 0, m.visibleRows - 1), "%s: highlighted row %d outside 0..%d",
           name, m.highlightRow, m.visibleRows - 1);
}

void CheckTasks(InvariantChecker& c, const GameMap& map) {
  c.Expect(InRange(taskCount, -1, kLastTaskRecord), "task count %d outside the table", taskCount);
  const TaskRecord& unused = map.taskTable[0];
  c.Expect(unused.taskType == 0, "task record 0 was filled (type %d)", unused.taskType);
  for (int i = kFirstTaskRecord; i <= kLastTaskRecord && c.Ok(); ++i) {
    const TaskRecord& t = map.taskTable[i];
    if (t.taskRemoved != 0 || t.taskType == 0) continue;
    c.Expect(InRange(t.city, 0, kCityCount), "task %d (type %d): city %d out of range", i, t.taskType, t.city);
  }
}

void CheckLists(InvariantChecker& c, const GameMap& map) {
  CheckMenu(c, map.systemMenu, "system menu");
  CheckMenu(c, map.cityMenu, "city menu");
  CheckMenu(c, map.interiorMenu, "interior menu");
  CheckMenu(c, map.diplomacyMenu, "diplomacy menu");
  CheckMenu(c, map.armamentMenu, "armament menu");
  const HeroList& list = map.heroList;
  c.Expect(InRange(list.listCursor, 0, kHeroListRows - 1) && list.listTop >= 0, "officer list: cursor %d, top %d",
           list.listCursor, list.listTop);
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

void CheckBattle(InvariantChecker& c, const GameMap& map) {
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
  InvariantChecker c;
  c.Expect(InRange(screenNumber, kScreenIntro, kLastScreen), "screen number %d", screenNumber);
  c.Expect(InRange(game.titleChoice, -1, kTitleEntries - 1), "title choice %d", game.titleChoice);
  const NewGame& newGame = game.newGame;
  c.Expect(InRange(newGame.scenarioChoice, 0, 3), "scenario choice %d", newGame.scenarioChoice);
  const Who& who = newGame.who;
  if (newGame.rulerPhase == 1 && who.mapActive == 1 && c.Ok()) {
    // Only the player's faction may wait for its new ruler, while the player picks him.
    int crowningRuler = rulerSuccession == kSuccessionPick ? who.playerRuler : 0;
    CheckRecords(c, who.heroList, who.cityList, who.goodList, crowningRuler, rulersFromData);
    CheckTasks(c, who);
    CheckLists(c, who);
    CheckBattle(c, who);
  }
  return c.Failure();
}
