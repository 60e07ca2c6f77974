#pragma once
// How far, in movement points, every square of a battle map lies from the
// nearest square of some kind (a city square for an attacker) for one unit.
// The guided player uses it to walk round rivers and mountains instead of
// heading straight at a goal it cannot cross to.
#include "battle/battle_globals.h"

class Fight;

class BattlePaths {
 public:
  static constexpr int kFar = 1 << 20;

  // Entering costs are those of `slot`'s troop type; squares held by live
  // units of the other side cost what the movement rules make them cost.
  void ToTerrain(const Fight& fight, int slot, int kind);
  int At(int row, int col) const { return OnBattleMap(row, col) ? distance_[row][col] : kFar; }

 private:
  int distance_[kMapRows][kMapCols] = {};
};
