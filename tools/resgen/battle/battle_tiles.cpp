#include "tools/resgen/battle/battle_tiles.h"

namespace {

// Tiles 32..45 in order (41 is the camp and has no entry of its own here).
struct CornerTile {
  int tile;
  RiverShape shape;
};
constexpr CornerTile kCornerTiles[] = {
    {32, {0, kCornerNE}},
    {33, {0, kCornerSE}},
    {34, {0, kCornerSW}},
    {35, {0, kCornerNW}},
    {36, {kSideN | kSideE, kCornerSW}},
    {37, {kSideE | kSideS, kCornerNW}},
    {38, {kSideS | kSideW, kCornerNE}},
    {39, {kSideW | kSideN, kCornerSE}},
    {40, {0, kCornerNE | kCornerSE | kCornerSW | kCornerNW}},
    {42, {kSideN, kCornerSE | kCornerSW}},
    {43, {kSideE, kCornerSW | kCornerNW}},
    {44, {kSideS, kCornerNE | kCornerNW}},
    {45, {kSideW, kCornerNE | kCornerSE}},
};

}  // namespace

RiverShape RiverShapeOf(int t) {
  if (t >= 16 && t <= 31) return {t - 16, 0};
  for (const CornerTile& c : kCornerTiles) {
    if (c.tile == t) return c.shape;
  }
  return {0, 0};
}

int RiverTileFor(bool waterN, bool waterE, bool waterS, bool waterW, bool waterNE, bool waterSE, bool waterSW,
                 bool waterNW) {
  int land = (waterN ? 0 : kSideN) | (waterE ? 0 : kSideE) | (waterS ? 0 : kSideS) | (waterW ? 0 : kSideW);
  // A corner shows a bank only where both sides beside it are water.
  int corners = 0;
  if (waterN && waterE && !waterNE) corners |= kCornerNE;
  if (waterS && waterE && !waterSE) corners |= kCornerSE;
  if (waterS && waterW && !waterSW) corners |= kCornerSW;
  if (waterN && waterW && !waterNW) corners |= kCornerNW;
  // The tile with these bank sides that shows the most of the wanted corners
  // and none that are not wanted (a bank drawn into open water looks worse
  // than a missing corner).
  int best = 16 + land, bestCount = 0;
  for (const CornerTile& c : kCornerTiles) {
    if (c.shape.landSides != land || (c.shape.innerCorners & ~corners) != 0) continue;
    int count = __builtin_popcount(static_cast<unsigned>(c.shape.innerCorners));
    if (count > bestCount) best = c.tile, bestCount = count;
  }
  return best;
}
