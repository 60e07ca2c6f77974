#include "app/battle_paths.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "battle/battle_tables.h"
#include "battle/fight.h"

namespace {

int CostClassAt(const Fight& fight, int slot, int row, int col) {
  bool enemySide = slot >= kEnemyBase;
  int from = enemySide ? 0 : kEnemyBase;
  for (int i = from; i < from + kSideSlots; ++i) {
    const FightHero& u = fight.units[i];
    if (!u.Beaten() && u.row == row && u.col == col) return kCostClassEnemy;
  }
  return CostClassOfTile(fight.battleMap.TileAt(row, col));
}

}  // namespace

void BattlePaths::ToTerrain(const Fight& fight, int slot, int kind) {
  int troop = std::clamp(fight.units[slot].troopType, 0, kTroopTypes - 1);
  using Entry = std::pair<int, int>;  // distance, square
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  for (int r = 0; r < kMapRows; ++r) {
    for (int c = 0; c < kMapCols; ++c) {
      bool goal = fight.battleMap.KindAt(r, c) == kind;
      distance_[r][c] = goal ? 0 : kFar;
      if (goal) open.push({0, r * kMapCols + c});
    }
  }
  // Walked backwards from the goals: stepping from a neighbour onto a square
  // costs what entering that square costs.
  static constexpr int kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  while (!open.empty()) {
    auto [d, square] = open.top();
    open.pop();
    int r = square / kMapCols, c = square % kMapCols;
    if (d > distance_[r][c]) continue;
    int enter = kEnterCost[CostClassAt(fight, slot, r, c)][troop];
    for (const auto& step : kSteps) {
      int nr = r + step[0], nc = c + step[1];
      if (!OnBattleMap(nr, nc) || d + enter >= distance_[nr][nc]) continue;
      distance_[nr][nc] = d + enter;
      open.push({d + enter, nr * kMapCols + nc});
    }
  }
}
