#pragma once
// The strategic map's grid of cells, 12 columns by 9 rows of 90 x 80 pixels.
// Not to be confused with a battle map's 31 x 32 squares (rules/battle_maps.h).

constexpr int kCityGridCols = 12;
constexpr int kCityGridRows = 9;
// The city name look-up covers cells 0..96 only, so a city stands in rows 0..7.
constexpr int kCityNameCells = 97;
constexpr int kCityGridRowsUsed = 8;

static_assert(kCityGridRowsUsed * kCityGridCols <= kCityNameCells);
static_assert(kCityGridRowsUsed < kCityGridRows);
