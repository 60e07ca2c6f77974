#pragma once
// Battle tile numbers 1..45 and the terrain kind each belongs to: 1 plain,
// 2 grass, 3 city wall, 4 village, 5 forest, 6..15 mountain, 41 camp, and the
// rest (16..40, 42..45) river.

constexpr int kTerrainKinds = 8;
enum TerrainKind { kPlain = 0, kGrass = 1, kMountain = 2, kForest = 3, kVillage = 4, kCity = 5, kCamp = 6, kRiver = 7 };

constexpr int kFirstTile = 1;
constexpr int kLastTile = 45;
constexpr int kCityTile = 3;
constexpr int kCampTile = 41;
constexpr int kFirstMountainTile = 6;
constexpr int kLastMountainTile = 15;

constexpr bool TileKnown(int tile) { return tile >= kFirstTile && tile <= kLastTile; }
constexpr bool IsMountainTile(int tile) { return tile >= kFirstMountainTile && tile <= kLastMountainTile; }
// Unknown tile numbers count as plain so a damaged map never indexes past a table.
constexpr int TerrainKindOfTile(int tile) {
  if (!TileKnown(tile)) return kPlain;
  if (tile == 1) return kPlain;
  if (tile == 2) return kGrass;
  if (tile == kCityTile) return kCity;
  if (tile == 4) return kVillage;
  if (tile == 5) return kForest;
  if (IsMountainTile(tile)) return kMountain;
  if (tile == kCampTile) return kCamp;
  return kRiver;
}
constexpr bool IsRiverTile(int tile) { return TerrainKindOfTile(tile) == kRiver; }
