// The guided player's way to the walls: the cheapest walk by the movement
// costs, taken round a river where that is cheaper, and dearer past an enemy.
#include "app/battle_paths.h"

#include "tests/battle/battle_fixture.h"

TEST_F(BattleTest, TheWayToTheWallsCostsWhatMovingThereCosts) {
  NewBattle(1, 1);
  for (int r = 0; r < kMapRows; ++r) SetTile(r, 20, 16);  // a river across the map
  SetTile(15, 25, kCityTile);
  Place(0, 15, 15, kInfantry);
  Place(kEnemyBase, 0, 0);
  BattlePaths paths;
  paths.ToTerrain(*fight, 0, kCity);
  EXPECT_EQ(paths.At(15, 25), 0);
  EXPECT_EQ(paths.At(15, 24), 1);
  // Ten squares east, the river square costing three.
  EXPECT_EQ(paths.At(15, 15), 12);
  // A boat crosses the river for one but pays two on land and three for the walls.
  Place(0, 15, 15, kNavy);
  paths.ToTerrain(*fight, 0, kCity);
  EXPECT_EQ(paths.At(15, 15), 20);
  // An enemy on the crossing: the way goes one row aside and back.
  Place(0, 15, 15, kInfantry);
  Place(kEnemyBase, 15, 20);
  paths.ToTerrain(*fight, 0, kCity);
  EXPECT_EQ(paths.At(15, 15), 14);
  EXPECT_EQ(paths.At(-1, 0), BattlePaths::kFar);
}
