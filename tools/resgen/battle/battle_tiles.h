#pragma once
// Tile numbers of the battle tile strip Res/Fight/tiles.kbp (80 x 80 cells
// stacked vertically, tile t at y = 80 t), shared by the tile painter and the
// battle map writer so that rivers drawn on a map join up with their banks.
//
// Land tiles: 1 plain, 2 grass, 3 city wall, 4 village, 5 forest, 6..15
// mountain (ten shapes), 41 camp. Tile 0 is never placed; it is drawn as
// open plain so a stray 0 still looks like land.
//
// River tiles are full squares of water; a bank is drawn along each side whose
// neighbour is land. Tile 16 (open water) therefore joins every other river
// tile seamlessly; the others add banks:
//   16 + landSides       landSides = N 1 | E 2 | S 4 | W 8   (tiles 16..31)
//   32..35               open water, one inner bank corner NE, SE, SW, NW
//   36..39               a bend (land N+E, E+S, S+W, W+N) with the inner
//                        corner between its two water sides (SW, NW, NE, SE)
//   40                   open water with all four inner corners (a crossing)
//   42..45               one land side (N, E, S, W) with both inner corners
//                        on the opposite side (a river fork)
// An inner corner is the bank of a diagonal land neighbour whose two
// orthogonal neighbours are water. RiverTileFor picks the exact tile when one
// exists and otherwise the plain bank tile 16 + landSides.

#include "rules/pictures.h"
#include "rules/terrain.h"  // IsRiverTile

constexpr int kTileCount = 46;  // tiles 0..45
constexpr int kTileSize = PicWidth(Pic::kTiles);
static_assert(PicHeight(Pic::kTiles) == kTileCount * kTileSize, "the strip holds every tile");

constexpr int kTilePlain = 1;
constexpr int kTileGrass = 2;
constexpr int kTileCity = 3;
constexpr int kTileVillage = 4;
constexpr int kTileForest = 5;
constexpr int kTileMountainFirst = 6;
constexpr int kTileMountainLast = 15;
constexpr int kTileRiverOpen = 16;
constexpr int kTileCamp = 41;

// Sides and corners as bit masks.
constexpr int kSideN = 1, kSideE = 2, kSideS = 4, kSideW = 8;
constexpr int kCornerNE = 1, kCornerSE = 2, kCornerSW = 4, kCornerNW = 8;

// The river tile for a water square. Each flag tells whether that neighbour
// is water; squares off the map count as water, so rivers run off the edge.
int RiverTileFor(bool waterN, bool waterE, bool waterS, bool waterW, bool waterNE, bool waterSE, bool waterSW,
                 bool waterNW);

// What a river tile draws: the sides that carry a bank and the inner corners.
struct RiverShape {
  int landSides;     // kSide* mask
  int innerCorners;  // kCorner* mask
};
// The shape of river tile t (16..40, 42..45); {0, 0} for any other number.
RiverShape RiverShapeOf(int t);
