// Movement reach. It is deliberately not a shortest-path search: four straight
// arms are walked from the unit, then the quadrants between them are filled
// outward carrying the points left square by square. Units and the computer
// side rely on exactly these squares.
#include <algorithm>

#include "battle/battle_globals.h"
#include "battle/fight.h"
#include "shell/run_log.h"

namespace {
struct Step {
  int dr;
  int dc;
};
// Arms in the order they are walked: left, right, up, down.
constexpr int kLeft = 0, kRight = 1, kUp = 2, kDown = 3;
constexpr Step kArms[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
// Quadrants in the order they are filled: down-right, up-right, up-left, down-left.
struct Quadrant {
  int vertical;    // arm giving the row extent
  int horizontal;  // arm giving the column extent
};
constexpr Quadrant kQuadrants[4] = {{kDown, kRight}, {kUp, kRight}, {kUp, kLeft}, {kDown, kLeft}};
constexpr int kArmMinimumBudget = 2;
constexpr int kQuadrantMinimumLeft = 1;

struct ReachWork {
  int costClass[kMapRows][kMapCols];
  int remaining[kMapRows][kMapCols];
  int troop;
  int Cost(int row, int col) const { return kEnterCost[costClass[row][col]][troop]; }
};
}  // namespace

int Fight::MovePoints(int unit) const {
  const FightHero& u = units[unit];
  if (u.unitStatus == kStatusImmobile) return 0;
  int points = kMoveBase[TroopRow(u.troopType)] + u.moveBonus;
  return std::min(points, kMoveCap);
}

void Fight::SetArrive(int a, int b, int unit) {
  Log(1, "Fight::SetArrive", "开始", 0);
  ClearGrid(reachMap);
  if (unit < 0 || unit >= kUnitSlots || !OnBattleMap(a, b)) return;
  static ReachWork work;
  work.troop = TroopRow(units[unit].troopType);
  int points = MovePoints(unit);
  for (int r = 0; r < kMapRows; ++r)
    for (int c = 0; c < kMapCols; ++c) {
      work.remaining[r][c] = 0;
      work.costClass[r][c] = CostClassOfTile(battleMap.TileAt(r, c));
    }
  bool ownSide = unit < kEnemyBase;
  int first = ownSide ? kEnemyBase : 0;
  int last = ownSide ? kEnemyBase + enemyUnitCount : ownUnitCount;
  for (int i = first; i < last && i < kUnitSlots; ++i)
    if (!units[i].Beaten() && OnBattleMap(units[i].row, units[i].col))
      work.costClass[units[i].row][units[i].col] = kCostClassEnemy;

  int budget[4];
  reachMap[a][b] = 1;
  for (int d = 0; d < 4; ++d) {
    int r = a + kArms[d].dr, c = b + kArms[d].dc;
    budget[d] = points;
    if (OnBattleMap(r, c)) reachMap[r][c] = 1;
    else budget[d] = 0;
  }

  int extent[4];
  for (int d = 0; d < 4; ++d) {
    int k = 1;
    int left = budget[d];
    while (left >= kArmMinimumBudget) {
      int r = a + kArms[d].dr * k, c = b + kArms[d].dc * k;
      if (!OnBattleMap(r, c)) break;
      left -= work.Cost(r, c);
      reachMap[r][c] = 1;
      work.remaining[r][c] = left;
      int nr = r + kArms[d].dr, nc = c + kArms[d].dc;
      if (!OnBattleMap(nr, nc) || left < work.Cost(nr, nc)) break;
      ++k;
    }
    extent[d] = k;
  }

  for (const Quadrant& q : kQuadrants) {
    int v = kArms[q.vertical].dr;
    int h = kArms[q.horizontal].dc;
    for (int i = 1; i <= extent[q.vertical]; ++i) {
      for (int j = 1; j <= extent[q.horizontal]; ++j) {
        int r = a + i * v, c = b + j * h;
        if (!OnBattleMap(r, c)) continue;
        int cost = work.Cost(r, c);
        int fromAbove = work.remaining[r - v][c] - cost;
        if (fromAbove >= kQuadrantMinimumLeft) {
          reachMap[r][c] = 1;
          work.remaining[r][c] = fromAbove;
        }
        int fromSide = work.remaining[r][c - h] - cost;
        if (fromSide >= kQuadrantMinimumLeft) {
          reachMap[r][c] = 1;
          work.remaining[r][c] = fromSide;
        }
      }
    }
  }

  for (int i = 0; i < kUnitSlots; ++i) {
    bool used = IsOwnSlot(i) || IsEnemySlot(i);
    if (!used || i == unit || units[i].Beaten() || !OnBattleMap(units[i].row, units[i].col)) continue;
    reachMap[units[i].row][units[i].col] = 0;
  }
}

int Fight::CanArrive() const {
  Log(1, "Fight::CanArrive", "开始", 0);
  int r = battleMap.CursorMapRow(), c = battleMap.CursorMapCol();
  return OnBattleMap(r, c) && reachMap[r][c] == 1 ? 1 : 0;
}
