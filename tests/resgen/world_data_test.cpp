// The cities, roads and scenario records of data/, and the rules that guard them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "tests/resgen/world_test_util.h"
#include "tools/resgen/world/world_data.h"

namespace {

class WorldData : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadWorld(SourceData(), world)) << quiet.All(); }
  QuietErrors quiet;
  World world;
};

TEST_F(WorldData, RealDataKeepsEveryRule) { EXPECT_TRUE(CheckWorld(world)) << quiet.All(); }

TEST_F(WorldData, RoadsAreExactlyTheBattleDirectionTable) {
  std::set<std::pair<int, int>> roads;
  for (const CityLink& l : world.links) roads.insert({std::min(l.from, l.to), std::max(l.from, l.to)});
  EXPECT_EQ(roads.size(), 54u);
  for (int i = 0; i < kMapCityCount; ++i)
    for (int d = 0; d < kDirections; ++d) {
      int j = kAttackDirectionTable[i][d] - 1;
      if (j >= 0) {
        EXPECT_TRUE(roads.count({std::min(i, j), std::max(i, j)})) << i << "-" << j;
      }
    }
}

TEST_F(WorldData, MissingRoadIsNamed) {
  world.links.erase(
      std::remove_if(world.links.begin(), world.links.end(),
                     [](const CityLink& l) { return (l.from == 10 && l.to == 15) || (l.from == 15 && l.to == 10); }),
      world.links.end());
  EXPECT_FALSE(CheckWorld(world));
  EXPECT_TRUE(quiet.Mentions("missing the road city 10")) << quiet.All();
}

TEST_F(WorldData, RoadInTheWrongDirectionIsCaught) {
  world.links[0].direction = world.links[0].direction % 8 + 1;
  EXPECT_FALSE(CheckWorld(world));
  EXPECT_TRUE(quiet.Mentions("has no such road in direction")) << quiet.All();
}

TEST_F(WorldData, CityOnTheWrongSideOfItsNeighbourIsCaught) {
  // Move Luoyang (15) far west of Chang'an (10), whose table puts it to the east.
  world.cities[15].col = 0;
  world.cities[15].row = 7;
  EXPECT_FALSE(CheckWorld(world));
  EXPECT_TRUE(quiet.Mentions("should lie in direction")) << quiet.All();
}

TEST_F(WorldData, CellsAreDistinctAndOffMapCitiesStayOff) {
  world.cities[1].col = world.cities[0].col;
  world.cities[1].row = world.cities[0].row;
  world.cities[40].onMap = true;
  EXPECT_FALSE(CheckWorld(world));
  EXPECT_TRUE(quiet.Mentions("is taken by another city"));
  EXPECT_TRUE(quiet.Mentions("off the map"));
}

TEST_F(WorldData, EveryRulerHasOneSeatInACityHeHolds) {
  for (int s = 0; s < kScenarioCount; ++s) {
    for (int k = 0; k < kRulerCount[s]; ++k) {
      int seat = SeatOf(world, s, k);
      ASSERT_GE(seat, 0) << "scenario " << s << " entry " << k;
      EXPECT_LT(seat, kMapCityCount);
      EXPECT_EQ(world.scenario[s][seat].ownerId, kRulerTable[s][k]);
    }
  }
}

TEST_F(WorldData, ScenarioRecordBreachesAreNamed) {
  // Entry 1 of the first scenario loses his only seat; an off-map city gains an owner;
  // a city is given more money than the loader keeps and farming above its ceiling.
  for (auto& c : world.scenario[0]) {
    if (c.ownerId == kRulerTable[0][1]) c.seat = 0;
  }
  world.scenario[1][45].ownerId = kRulerTable[1][0];
  world.scenario[2][10].money = 99999;
  world.scenario[3][12].farming = world.cities[12].farmingMax + 1;
  world.scenario[3][13].ownerId = 250;
  world.scenario[1][SeatOf(world, 1, 2)].reserveSoldiers = 500;  // Liu Bei's Xiaopei left bare
  world.scenario[2][20].food = 10;                               // Wan starving from the start
  EXPECT_FALSE(CheckWorld(world));
  EXPECT_TRUE(quiet.Mentions("ruler-choice entry 1 (officer 17) needs exactly one seat")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("cities off the map have no owner"));
  EXPECT_TRUE(quiet.Mentions("money must lie in 0..99998"));
  EXPECT_TRUE(quiet.Mentions("farming must lie in 0..farmingMax"));
  EXPECT_TRUE(quiet.Mentions("owner 250 is not a ruler"));
  EXPECT_TRUE(quiet.Mentions("city 22 (小沛): a ruler's seat starts with at least 1000"));
  EXPECT_TRUE(quiet.Mentions("city 20 (宛): food does not feed the reserve"));
}

TEST(StartPosition, CursorSitsOnTheSeatInsideTheViewport) {
  for (int row = 0; row < kCityGridRowsUsed; ++row) {
    for (int col = 0; col < kCityGridCols; ++col) {
      StartPosition p = StartPositionFor(col, row);
      EXPECT_EQ(p.arrowX, 12 + 90 * (col - p.scrollX / 90));
      EXPECT_EQ(p.arrowY, 35 + 80 * (row - p.scrollY / 80));
      EXPECT_TRUE(p.scrollX % 90 == 0 && p.scrollX >= 0 && p.scrollX <= 360);
      EXPECT_TRUE(p.scrollY % 80 == 0 && p.scrollY >= 0 && p.scrollY <= 240);
      EXPECT_TRUE(p.arrowX >= 12 && p.arrowX <= 642) << col << "," << row;
      EXPECT_TRUE(p.arrowY >= 35 && p.arrowY <= 435) << col << "," << row;
    }
  }
  // Where the map leaves room, the arrow starts away from the viewport's edges.
  StartPosition mid = StartPositionFor(6, 4);
  EXPECT_NE(mid.arrowX, 12);
  EXPECT_NE(mid.arrowX, 642);
  EXPECT_NE(mid.arrowY, 35);
  EXPECT_NE(mid.arrowY, 435);
}

}  // namespace
