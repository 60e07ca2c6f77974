// The writing on the map pictures: every box and name of the faction map clear
// of the others and inside the frame, every province named among its own
// cities, and the Great Wall north of the cities of the first row.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "tests/resgen/world_test_util.h"
#include "tools/resgen/map/map_art.h"
#include "tools/resgen/common/tables.h"
#include "tools/resgen/world/world_data.h"

namespace {

class MapLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static ScratchDir scratch("map_layout_res");
    res = scratch.path.string();
    ResgenPaths paths{SourceData(), res};
    ASSERT_TRUE(PrepareResFolders(paths));
    ASSERT_TRUE(GenerateWorldTables(paths));
  }
  static std::string res;
};
std::string MapLayout::res;

TEST_F(MapLayout, FactionMapBoxesAndNamesNeverOverlap) {
  FactionMapLayout layout = LayOutFactionMap(res);
  EXPECT_TRUE(layout.unplaced.empty()) << layout.unplaced.front();
  ASSERT_EQ(layout.boxes.size(), static_cast<size_t>(kMapCityCount));
  EXPECT_EQ(layout.labels.size(), layout.boxes.size());
  std::vector<MapBox> all = layout.boxes;
  all.insert(all.end(), layout.labels.begin(), layout.labels.end());
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_GE(all[i].x1, 2) << all[i].name;
    EXPECT_GE(all[i].y1, 2) << all[i].name;
    EXPECT_LE(all[i].x2, 478) << all[i].name;
    EXPECT_LE(all[i].y2, 398) << all[i].name;
    for (size_t j = i + 1; j < all.size(); ++j)
      EXPECT_FALSE(all[i].Overlaps(all[j])) << all[i].name << (i < layout.boxes.size() ? " box" : " name") << " and "
                                            << all[j].name << (j < layout.boxes.size() ? " box" : " name");
  }
  // Each name sits right by its own box.
  for (const MapBox& l : layout.labels)
    EXPECT_LT(std::hypot((l.x1 + l.x2) / 2 - l.cx, (l.y1 + l.y2) / 2 - l.cy), 30) << l.name;
}

TEST_F(MapLayout, TwoCitiesWhoseBoxesTouchAreRefused) {
  QuietErrors quiet;
  World world;
  ASSERT_TRUE(LoadWorld(SourceData(), world));
  world.cities[13].whoX = world.cities[17].whoX - 12;  // 平原 back beside 济南, as it once was
  world.cities[13].whoY = world.cities[17].whoY - 11;
  EXPECT_FALSE(CheckWorld(world));
  EXPECT_TRUE(quiet.Mentions("faction-map box overlaps city 13")) << quiet.All();
}

TEST_F(MapLayout, EveryProvinceIsNamedAmongItsOwnCities) {
  World world;
  ASSERT_TRUE(LoadWorld(SourceData(), world));
  ProvinceLayout layout = LayOutProvinces(SourceData(), res);
  EXPECT_TRUE(layout.unplaced.empty());
  std::set<std::string> expected;
  for (int i = 0; i < kMapCityCount; ++i) expected.insert(world.cities[i].province);
  EXPECT_EQ(expected.size(), 12u);  // the thirteen Han provinces but 交州, which has no city on the map
  std::set<std::string> named;
  for (const MapBox& p : layout.provinces) {
    named.insert(p.name);
    float x = (p.x1 + p.x2) / 2, y = (p.y1 + p.y2) / 2;
    // The city nearest the name is one of the province's own.
    int nearest = -1;
    float best = 1e9f;
    for (size_t k = 0; k < layout.places.size(); ++k) {
      float d = std::hypot(layout.places[k].cx - x, layout.places[k].cy - y);
      if (d < best) {
        best = d;
        nearest = static_cast<int>(k);
      }
    }
    ASSERT_GE(nearest, 0);
    std::string province;
    for (int i = 0; i < kMapCityCount; ++i)
      if (world.cities[i].name == layout.places[nearest].name) province = world.cities[i].province;
    EXPECT_EQ(province, p.name) << p.name << " is written by " << layout.places[nearest].name;
    for (const MapBox& place : layout.places) EXPECT_FALSE(p.Overlaps(place)) << p.name << " over " << place.name;
  }
  EXPECT_EQ(named, expected);
}

TEST_F(MapLayout, TheGreatWallRunsNorthOfTheFirstRow) {
  ProvinceLayout layout = LayOutProvinces(SourceData(), res);
  int firstRow = 0;
  for (const MapBox& place : layout.places) {
    if (place.cy > 80) continue;
    ++firstRow;
    float wall = GreatWallY(place.cx);
    EXPECT_GE(wall, 0) << "the wall does not reach " << place.name;
    EXPECT_LT(wall + 3, place.y1) << "the wall runs south of " << place.name;
  }
  EXPECT_EQ(firstRow, 3);  // 武威, 蓟 and 辽东
}

}  // namespace
