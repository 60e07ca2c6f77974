#pragma once
// Where the two sides stand when a battle opens: the defenders around a fixed
// point of the city's battle map, the attackers at the side they come from,
// both in the formation of that direction.
#include "rules/battle_maps.h"
#include "rules/directions.h"

struct Square {
  int row;
  int col;
};

// Where the attackers' commander stands, by the direction they come from.
constexpr Square kAttackAnchors[kDirections] = {{28, 26}, {2, 16}, {4, 26}, {15, 26},
                                                {28, 18}, {28, 6}, {15, 6}, {2, 4}};
// Where the defenders' commander stands, by battle map number.
constexpr Square kDefenceAnchors[kBattleMapCount] = {{15, 15}, {17, 16}, {14, 15}, {17, 14},
                                                     {15, 15}, {17, 16}, {15, 13}};

// Offsets from a side's anchor for positions 0..9 within the side, by
// direction. Positions 0..4 are the commander and the four around him in every
// formation. Formation 8's position 5 sits at (+1, +1): (-1, -1) would be
// position 8's square, and (+1, +1) is the one no other position uses.
constexpr int kFormationSlots = 10;
constexpr int kSharedFormationSlots = 5;
constexpr Square kFormations[kDirections][kFormationSlots] = {
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {-1, -1}, {1, -2}, {-2, 1}, {1, 1}, {2, 2}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {2, -2}, {2, 2}, {-1, -1}, {-1, 1}, {-2, 0}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, -1}, {2, 1}, {-1, -2}, {-1, 1}, {-2, 2}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {-2, -2}, {2, -2}, {-1, 1}, {1, 1}, {0, 2}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {-2, -2}, {-2, 2}, {1, -1}, {1, 1}, {2, 0}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {-1, 1}, {-2, -1}, {1, 2}, {1, -1}, {2, -2}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {-2, 2}, {2, 2}, {-1, -1}, {1, -1}, {0, -2}},
    {{0, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 1}, {2, -1}, {-1, 2}, {-1, -1}, {-2, -2}},
};

// Out of the tables an anchor is the corner square (0, 0), and only the first
// five positions spread out; the rest stand on the anchor.
constexpr Square kNoAnchor = {0, 0};

constexpr Square AttackAnchor(int direction) {
  return IsDirection(direction) ? kAttackAnchors[direction - 1] : kNoAnchor;
}
constexpr Square DefenceAnchor(int mapNumber) {
  return (mapNumber >= 0 && mapNumber < kBattleMapCount) ? kDefenceAnchors[mapNumber] : kNoAnchor;
}
// The offset of `position` (0..9) in the formation of `direction` (1..8).
constexpr Square FormationOffset(int direction, int position) {
  if (position < 0 || position >= kFormationSlots) return kNoAnchor;
  if (IsDirection(direction)) return kFormations[direction - 1][position];
  return position < kSharedFormationSlots ? kFormations[0][position] : kNoAnchor;
}

namespace deployment_checks {
constexpr bool FormationsShareTheirFirstFive() {
  for (const auto& formation : kFormations)
    for (int p = 0; p < kSharedFormationSlots; ++p)
      if (formation[p].row != kFormations[0][p].row || formation[p].col != kFormations[0][p].col) return false;
  return true;
}
constexpr bool NoTwoPositionsShareASquare() {
  for (const auto& formation : kFormations)
    for (int a = 0; a < kFormationSlots; ++a)
      for (int b = a + 1; b < kFormationSlots; ++b)
        if (formation[a].row == formation[b].row && formation[a].col == formation[b].col) return false;
  return true;
}
}  // namespace deployment_checks
static_assert(deployment_checks::FormationsShareTheirFirstFive());
static_assert(deployment_checks::NoTwoPositionsShareASquare());
