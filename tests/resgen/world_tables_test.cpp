// What resgen writes into Res/ for the world: formats the game reads, and the
// governors derived from the officer tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "tests/resgen/world_test_util.h"
#include "tools/resgen/common/tables.h"
#include "tools/resgen/world/world_data.h"
#include "tools/resgen/world/world_lists.h"

namespace {

std::vector<long long> Numbers(const std::string& path) {
  std::istringstream in(ReadAll(path));
  std::vector<long long> v;
  long long x;
  while (in >> x) v.push_back(x);
  return v;
}

std::vector<std::string> Lines(const std::string& path) {
  std::istringstream in(ReadAll(path));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string Gbk(const std::string& utf8) {
  std::string gbk;
  EXPECT_TRUE(ToGbk(utf8, gbk));
  return gbk;
}

class WorldTables : public ::testing::Test {
 protected:
  void SetUp() override {
    paths = {SourceData(), dir / "Res"};
    ASSERT_TRUE(PrepareResFolders(paths));
    ASSERT_TRUE(GenerateWorldTables(paths)) << quiet.All();
    ASSERT_TRUE(LoadWorld(SourceData(), world));
  }
  std::string Res(const std::string& rel) const { return dir / ("Res/" + rel); }
  QuietErrors quiet;
  ScratchDir dir{"worldtables"};
  ResgenPaths paths;
  World world;
};

TEST_F(WorldTables, RoadsAreListedInBothDirections) {
  std::vector<long long> v = Numbers(Res("arrive.kdt"));
  ASSERT_EQ(v.size(), 54u * 2 * 2);
  std::set<std::pair<long long, long long>> pairs;
  for (size_t i = 0; i < v.size(); i += 2) pairs.insert({v[i], v[i + 1]});
  EXPECT_EQ(pairs.size(), 108u);
  for (auto [a, b] : pairs) {
    EXPECT_TRUE(pairs.count({b, a}));
    bool inTable = false;
    for (int d = 0; d < kDirections; ++d) inTable = inTable || kAttackDirectionTable[a - 1][d] == b;
    EXPECT_TRUE(inTable) << a << "->" << b;
  }
}

TEST_F(WorldTables, CellTablesAndNameListsAgree) {
  std::vector<long long> pos = Numbers(Res("City/postion.kdt"));
  ASSERT_EQ(pos.size(), 100u);
  std::vector<std::string> byCell = Lines(Res("cityname.kss"));
  std::vector<std::string> byNumber = Lines(Res("citynamebylist.kss"));
  ASSERT_EQ(byCell.size(), 108u);
  ASSERT_EQ(byNumber.size(), 50u);
  int named = 0;
  for (const std::string& line : byCell) named += line[0] != '0';
  EXPECT_EQ(named, kMapCityCount);
  for (int i = 0; i < kCityCount; ++i) {
    EXPECT_EQ(byNumber[i], Gbk(world.cities[i].name));
    if (i < kMapCityCount) EXPECT_EQ(byCell[pos[2 * i + 1] * 12 + pos[2 * i]], byNumber[i]);
    else EXPECT_EQ(pos[2 * i], -1);  // no cursor cell finds an off-map city
  }
  for (int s = 0; s < kScenarioCount; ++s) {
    std::vector<long long> owners = Numbers(Res("City/setowner" + std::to_string(s + 1) + ".kdt"));
    ASSERT_EQ(owners.size(), 150u);
    for (int i = 0; i < kCityCount; ++i) {
      EXPECT_EQ(owners[3 * i], pos[2 * i]);
      EXPECT_EQ(owners[3 * i + 1], pos[2 * i + 1]);
    }
  }
}

TEST_F(WorldTables, StartPositionsPutTheCursorOnEachSeat) {
  for (int s = 0; s < kScenarioCount; ++s) {
    std::vector<long long> v = Numbers(Res("arrowset" + std::to_string(s + 1) + ".kdt"));
    ASSERT_EQ(v.size(), 6u * kRulerCount[s]);
    for (int k = 0; k < kRulerCount[s]; ++k) {
      const CityInfo& seat = world.cities[SeatOf(world, s, k)];
      EXPECT_EQ(v[6 * k + 4], seat.col);
      EXPECT_EQ(v[6 * k + 5], seat.row);
      EXPECT_EQ(v[6 * k], 12 + 90 * (seat.col - v[6 * k + 2] / 90));
      EXPECT_EQ(v[6 * k + 1], 35 + 80 * (seat.row - v[6 * k + 3] / 80));
    }
  }
}

TEST_F(WorldTables, FactionMarksAreTheFirstHundredOf255) {
  std::vector<long long> v = Numbers(Res("who.kdt"));
  ASSERT_EQ(v.size(), 255u);
  EXPECT_EQ(v[2 * 10], world.cities[10].whoX);
  EXPECT_EQ(v[2 * 10 + 1], world.cities[10].whoY);
}

TEST_F(WorldTables, MenusHaveTheirEntryCounts) {
  for (int i = 0; i < kMenuListCount; ++i)
    EXPECT_EQ(Lines(Res(kMenuLists[i].target)).size(), static_cast<size_t>(kMenuLists[i].entries))
        << kMenuLists[i].target;
  std::vector<std::string> skills = Lines(Res("skill.kss"));
  ASSERT_EQ(skills.size(), 25u);
  EXPECT_EQ(skills[24], Gbk("谍报"));
  EXPECT_EQ(Lines(Res("waijiao.kss"))[3], Gbk("返回"));  // order 18 only returns to the map
}

TEST_F(WorldTables, PlayerFilesSurviveARebuild) {
  std::ofstream(Res("startup.ini")) << "[Startup]\nMenushow=1\n";
  std::ofstream(Res("Save/save0.ksv")) << "12 190 0\n";
  ASSERT_TRUE(PrepareResFolders(paths));
  EXPECT_EQ(ReadAll(Res("startup.ini")), "[Startup]\nMenushow=1\n");
  EXPECT_EQ(ReadAll(Res("Save/save0.ksv")), "12 190 0\n");
}

// An officer record of the game's 16 numbers with the fields the city tables read.
std::string Officer(int heroId, int owner, int intelligence, int cityNo) {
  std::ostringstream o;
  o << heroId << ' ' << owner << " 1 50 " << intelligence << " 80 0 0 100 1 1000 0 0 30 " << cityNo << " 0\n";
  return o.str();
}

TEST_F(WorldTables, GovernorsFollowTheGameRule) {
  // Scenario 3 (225): the seat of entry 0 is city 15 held by officer 1; put every
  // ruler in his seat, then three officers of ruler 1 into city 10 (Chang'an).
  std::string heroes;
  std::set<int> rulers;
  for (int k = 0; k < kRulerCount[3]; ++k) {
    int r = kRulerTable[3][k];
    heroes += Officer(r - 1, r, 60, SeatOf(world, 3, k) + 1);
    rulers.insert(r);
  }
  heroes += Officer(20, 1, 70, 11) + Officer(21, 1, 90, 11) + Officer(22, 1, 90, 11);
  heroes += Officer(23, 1, 99, 0);    // nowhere
  heroes += Officer(24, 0, 100, 17);  // free officer in Chenliu (16)
  std::ofstream(Res("Hero/hero4.kdt")) << heroes;
  ASSERT_TRUE(FinishWorldTables(paths)) << quiet.All();
  std::vector<long long> v = Numbers(Res("City/city4.kdt"));
  ASSERT_EQ(v.size(), 50u * 18);
  auto governor = [&](int city) { return v[18 * city + 2]; };
  EXPECT_EQ(governor(10), 22);                  // the cleverer; the equally clever later one does not replace him
  EXPECT_EQ(governor(SeatOf(world, 3, 0)), 1);  // the ruler governs his seat
  EXPECT_EQ(governor(16), 0);                   // free officers do not govern
  EXPECT_EQ(v[18 * 10 + 3], world.cities[10].farmingMax);
}

TEST_F(WorldTables, OfficersOutsideTheirRulersCitiesAreNamed) {
  std::string heroes;
  for (int k = 0; k < kRulerCount[0]; ++k)
    heroes += Officer(kRulerTable[0][k] - 1, kRulerTable[0][k], 60, SeatOf(world, 0, k) + 1);
  heroes += Officer(30, 6, 50, 36);  // Dong Zhuo's man in Changsha, which Sun Jian holds
  heroes += Officer(31, 0, 50, 45);  // someone in an off-map city
  std::ofstream(Res("Hero/hero1.kdt")) << heroes;
  EXPECT_FALSE(FinishWorldTables(paths));
  EXPECT_TRUE(quiet.Mentions("officer 31 serves ruler 6")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("officer 32 stands in city index 44, which is off the map"));
}

TEST(ListLines, TwentyByteLineIsRefusedWithItsSource) {
  QuietErrors quiet;
  ScratchDir dir("kss");
  // Ten Chinese characters are 20 GBK bytes: one too many for the text grid.
  EXPECT_FALSE(WriteKss(dir / "x.kss", {"一二三四五六七八九", "一二三四五六七八九十"}, "data/lists/x.txt", {4, 5}));
  EXPECT_TRUE(quiet.Mentions("data/lists/x.txt:5")) << quiet.All();
  EXPECT_FALSE(quiet.Mentions("data/lists/x.txt:4"));
}

TEST(ListLines, MenuWiderThanItsCellsIsRefused) {
  QuietErrors quiet;
  ScratchDir dir("menu");
  std::filesystem::create_directories(dir / "lists");
  std::ofstream(dir / "lists/citymu.txt") << "# test\n内政\n外交\n军备\n城市情报\n";
  MenuList cityMenu = kMenuLists[0];
  EXPECT_FALSE(WriteMenuList(dir.path.string(), dir.path.string(), cityMenu));
  EXPECT_TRUE(quiet.Mentions("citymu.txt:5")) << quiet.All();
}

}  // namespace
