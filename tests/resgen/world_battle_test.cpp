// Battle maps and skills: every map playable from every side, every skill sensible.
#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/resgen/world_test_util.h"
#include "tools/resgen/world/world_data.h"

namespace {

class BattleMaps : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadBattleMaps(SourceData(), maps)) << quiet.All(); }
  QuietErrors quiet;
  BattleMap maps[kBattleMapCount];
};

TEST_F(BattleMaps, EveryMapKeepsTheDeploymentRules) {
  for (int m = 0; m < kBattleMapCount; ++m) EXPECT_TRUE(CheckBattleMap(maps[m], m)) << quiet.All();
}

TEST_F(BattleMaps, MapsAreDistinctLandscapes) {
  // Count terrain kinds per map; no two maps may have the same mix.
  int counts[kBattleMapCount][kTerrainKinds] = {};
  for (int m = 0; m < kBattleMapCount; ++m)
    for (const auto& row : maps[m].tiles)
      for (int t : row) ++counts[m][TerrainKindOfTile(t)];
  for (int a = 0; a < kBattleMapCount; ++a) {
    EXPECT_GT(counts[a][kCity], 0) << "map " << a;
    for (int b = a + 1; b < kBattleMapCount; ++b)
      EXPECT_NE(std::vector<int>(counts[a], counts[a] + kTerrainKinds),
                std::vector<int>(counts[b], counts[b] + kTerrainKinds));
  }
}

TEST_F(BattleMaps, CityTileUnderAnAttackerIsCaught) {
  const Square anchor = AttackAnchor(kRightSide);
  maps[0].tiles[anchor.row][anchor.col + 1] = 3;
  EXPECT_FALSE(CheckBattleMap(maps[0], 0));
  EXPECT_TRUE(quiet.Mentions("from direction 4 is a city tile")) << quiet.All();
}

TEST_F(BattleMaps, RiverUnderADefenderIsCaught) {
  const Square anchor = DefenceAnchor(2);
  maps[2].tiles[anchor.row + 1][anchor.col] = 16;
  EXPECT_FALSE(CheckBattleMap(maps[2], 2));
  EXPECT_TRUE(quiet.Mentions("is not inside the walls")) << quiet.All();
}

TEST_F(BattleMaps, CityCutOffByWaterIsCaught) {
  // Surround the walls of map 1 with a moat of river one square out.
  const Square a = DefenceAnchor(1);
  for (int r = a.row - 4; r <= a.row + 4; ++r)
    for (int c = a.col - 4; c <= a.col + 4; ++c)
      if (r == a.row - 4 || r == a.row + 4 || c == a.col - 4 || c == a.col + 4) maps[1].tiles[r][c] = 16;
  EXPECT_FALSE(CheckBattleMap(maps[1], 1));
  EXPECT_TRUE(quiet.Mentions("cannot walk to the city over land")) << quiet.All();
}

TEST_F(BattleMaps, RiversJoinTheirBanks) {
  // A river square's tile shows banks exactly where its neighbours are land.
  for (int m = 0; m < kBattleMapCount; ++m) {
    for (int r = 1; r + 1 < kBattleRows; ++r) {
      for (int c = 1; c + 1 < kBattleCols; ++c) {
        int t = maps[m].tiles[r][c];
        if (TerrainKindOfTile(t) != kRiver || (t >= 32 && t <= 45)) continue;
        int landSides = t - 16;
        EXPECT_EQ((landSides & 1) != 0, TerrainKindOfTile(maps[m].tiles[r - 1][c]) != kRiver)
            << m << " " << r << "," << c;
        EXPECT_EQ((landSides & 4) != 0, TerrainKindOfTile(maps[m].tiles[r + 1][c]) != kRiver)
            << m << " " << r << "," << c;
      }
    }
  }
}

TEST(BattleMapSource, UnknownSquareAndShortRowAreNamed) {
  QuietErrors quiet;
  ScratchDir dir("badmap");
  std::filesystem::create_directories(dir / "battle");
  std::string good = ReadAll(SourceData() + "/battle/fightmap00.txt");
  // Replace the first map row (the first line that is not a comment) by a short row with an unknown square.
  size_t pos = 0;
  while (good[pos] == '#') pos = good.find('\n', pos) + 1;
  size_t end = good.find('\n', pos);
  std::string bad = good.substr(0, pos) + "..X.." + good.substr(end);
  for (int m = 0; m < kBattleMapCount; ++m) {
    std::ofstream(dir / ("battle/fightmap0" + std::to_string(m) + ".txt")) << (m == 3 ? bad : good);
  }
  BattleMap maps[kBattleMapCount];
  EXPECT_FALSE(LoadBattleMaps(dir.path.string(), maps));
  EXPECT_TRUE(quiet.Mentions("fightmap03.txt:")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("a map row has 32 squares, this one 5"));
}

class Skills : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadSkills(SourceData(), skills)) << quiet.All(); }
  int Value(int skill, int column) const { return skills.rows[skill].values[column]; }
  QuietErrors quiet;
  SkillTable skills;
};

TEST_F(Skills, RealTableKeepsEveryRule) { EXPECT_TRUE(CheckSkills(skills)) << quiet.All(); }

TEST_F(Skills, FireIsWeakOnRiversAndWaterStrongThere) {
  const int atRiver = 18 + kRiver, atForest = 18 + kForest;
  EXPECT_LT(Value(0, atRiver), 50);    // fire
  EXPECT_LT(Value(16, atRiver), 50);   // fire from the sky
  EXPECT_GT(Value(0, atForest), 100);  // forests burn
  EXPECT_GT(Value(10, atRiver), 100);  // flood
  EXPECT_GT(Value(10, 10 + kRiver), 100);
  EXPECT_EQ(Value(11, 10 + kPlain), 0);  // fire ships sail only on rivers
}

TEST_F(Skills, CavalryCannotChargeThroughWater) {
  for (int s : {7, 8, 9}) {
    EXPECT_EQ(Value(s, 10 + kRiver), 0) << s;
    EXPECT_EQ(Value(s, 18 + kRiver), 0) << s;
  }
}

TEST_F(Skills, BrokenRowsAreNamed) {
  skills.rows[24].name = "侦察";
  skills.rows[1].values[10 + kPlain] = 100;   // rocks thrown from a plain
  skills.rows[3].values[18 + kVillage] = 50;  // a siege against a village
  skills.rows[5].values[2] = 0;               // a damage skill without power
  EXPECT_FALSE(CheckSkills(skills));
  EXPECT_TRUE(quiet.Mentions("skill 24 is 谍报")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("skill 1 is cast from mountains only"));
  EXPECT_TRUE(quiet.Mentions("skill 3 strikes walls only: at_village"));
  EXPECT_TRUE(quiet.Mentions("a damage skill needs a positive power"));
}

}  // namespace
