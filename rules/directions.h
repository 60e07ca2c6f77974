#pragma once
// The eight directions between neighbouring cities. A battle is deployed by the
// direction the attackers come from: it names the side of the battle map they
// enter by and the formation both sides stand in.
#include "rules/world.h"

constexpr int kDirections = 8;
enum Direction : int {
  kNoDirection = 0,
  kBottomRightSide = 1,
  kTopSide = 2,
  kTopRightSide = 3,
  kRightSide = 4,
  kBottomSide = 5,
  kBottomLeftSide = 6,
  kLeftSide = 7,
  kTopLeftSide = 8,
};

constexpr bool IsDirection(int d) { return d >= kBottomRightSide && d <= kTopLeftSide; }

// One cell's step towards a direction on the strategic map (rows grow downwards).
struct GridStep {
  int col;
  int row;
};
constexpr GridStep kDirectionStep[kDirections] = {
    {1, 1}, {0, -1}, {1, -1}, {1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1},
};
constexpr const GridStep& StepOf(Direction d) { return kDirectionStep[d - 1]; }

// The directions by compass octant, starting east and turning counter-clockwise
// (E NE N NW W SW S SE): what an angle between two cells points to.
constexpr Direction kDirectionByOctant[kDirections] = {kRightSide, kTopRightSide,   kTopSide,    kTopLeftSide,
                                                       kLeftSide,  kBottomLeftSide, kBottomSide, kBottomRightSide};

// For each city on the map, the 1-based number of the city lying in each
// direction 1..8; 0 = none. The roads of data/links.tsv are exactly these.
constexpr int kAttackDirectionTable[kMapCityCount][kDirections] = {
    {4, 0, 0, 0, 0, 0, 0, 0},     {8, 0, 0, 3, 0, 7, 0, 0},       {0, 0, 0, 0, 0, 0, 2, 0},
    {9, 0, 0, 0, 0, 0, 0, 1},     {0, 0, 6, 0, 11, 0, 0, 0},      {0, 0, 0, 7, 12, 0, 0, 5},
    {0, 0, 2, 0, 13, 0, 6, 0},    {0, 0, 0, 0, 0, 14, 0, 2},      {0, 0, 0, 10, 15, 0, 0, 4},
    {0, 0, 0, 11, 0, 0, 9, 0},    {21, 5, 0, 16, 0, 15, 0, 10},   {0, 6, 0, 13, 16, 0, 0, 0},
    {0, 7, 0, 14, 17, 0, 12, 0},  {19, 0, 8, 0, 18, 0, 13, 0},    {21, 9, 11, 0, 0, 20, 0, 0},
    {0, 12, 0, 17, 22, 0, 0, 11}, {23, 13, 0, 0, 0, 0, 16, 0},    {0, 14, 0, 19, 23, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 18, 14},   {0, 0, 15, 0, 25, 0, 0, 0},     {0, 0, 0, 22, 27, 0, 15, 11},
    {0, 16, 0, 23, 0, 0, 21, 0},  {30, 18, 0, 24, 0, 29, 22, 17}, {0, 0, 0, 0, 0, 0, 23, 0},
    {32, 20, 0, 26, 0, 31, 0, 0}, {0, 0, 0, 0, 0, 0, 25, 0},      {34, 21, 0, 28, 0, 33, 0, 0},
    {0, 0, 0, 29, 34, 0, 27, 0},  {35, 0, 23, 0, 0, 0, 28, 0},    {0, 0, 0, 0, 0, 35, 0, 23},
    {0, 0, 25, 0, 0, 0, 0, 0},    {0, 0, 0, 33, 0, 0, 0, 25},     {36, 0, 27, 0, 0, 0, 32, 0},
    {0, 28, 0, 35, 37, 0, 0, 27}, {0, 0, 30, 0, 38, 0, 34, 29},   {0, 0, 0, 37, 0, 0, 0, 33},
    {0, 34, 0, 38, 0, 0, 36, 0},  {0, 35, 0, 0, 0, 0, 37, 0},
};

// The direction in which the city numbered `fromNumber` (1-based) lies as seen
// from city index `city`: the first match in its row, or kNoDirection.
constexpr int TableDirection(int city, int fromNumber) {
  if (city < 0 || city >= kMapCityCount) return kNoDirection;
  for (int d = 0; d < kDirections; ++d)
    if (kAttackDirectionTable[city][d] == fromNumber) return d + 1;
  return kNoDirection;
}

namespace direction_checks {
// Every road is listed from both of its ends, within the map's cities.
constexpr bool RoadsRunBothWays() {
  for (int a = 0; a < kMapCityCount; ++a)
    for (int d = 0; d < kDirections; ++d) {
      int b = kAttackDirectionTable[a][d] - 1;
      if (b >= kMapCityCount) return false;
      if (b >= 0 && TableDirection(b, a + 1) == kNoDirection) return false;
    }
  return true;
}
constexpr bool OctantsCoverEveryDirection() {
  int seen = 0;
  for (Direction d : kDirectionByOctant) seen |= 1 << d;
  return seen == 0x1fe;
}
}  // namespace direction_checks
static_assert(direction_checks::RoadsRunBothWays());
static_assert(direction_checks::OctantsCoverEveryDirection());
