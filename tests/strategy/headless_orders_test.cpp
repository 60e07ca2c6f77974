// Orders given through the real program, key by key, on the fixture world.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/campaign/fixture_res.h"

namespace {

std::string RunScript(const FixtureRes& res, const std::string& binary, const std::string& script) {
  res.Write("keys.txt", script);
  std::string command = binary + " --headless --seed 3 --keys keys.txt --shots . > run.log 2>&1";
  if (std::system(command.c_str()) != 0) return "";
  std::ifstream in("state.json");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class HeadlessOrders : public ::testing::Test {
 protected:
  void SetUp() override {
    binary_ = std::filesystem::absolute("kestrelmoor").string();
    if (!std::filesystem::exists(binary_)) GTEST_SKIP() << "kestrelmoor is not built in this folder";
  }
  std::string binary_;
  // Title, scenario 0, ruler 0: the campaign opens on city 0.
  const std::string start_ = "SPACE\nRETURN\nRETURN\nRETURN\n";
};

TEST_F(HeadlessOrders, FarmingFromTheCityMenu) {
  FixtureRes res;
  std::string json = RunScript(res, binary_, start_ + "RETURN\nRETURN\nRETURN\nRETURN\ndump state.json\nquit\n");
  ASSERT_FALSE(json.empty());
  EXPECT_NE(json.find("\"command\":1,"), std::string::npos);
  EXPECT_NE(json.find("\"listAfterMessage\":1"), std::string::npos);
  EXPECT_NE(json.find("\"farmingDone\":1"), std::string::npos);
  // Officer 0 (intelligence 75) adds at least 7 * 2 + 37 to the 500 of city 0.
  size_t at = json.find("{\"cityId\":0,");
  ASSERT_NE(at, std::string::npos);
  size_t farming = json.find("\"farming\":", at);
  EXPECT_GE(std::atoi(json.c_str() + farming + 10), 551);
  EXPECT_NE(json.find("\"money\":1950"), std::string::npos);
}

TEST_F(HeadlessOrders, WarOrderFromPickToTarget) {
  FixtureRes res;
  // Armament, war; pick the leader, close the party with Escape, 1000 food,
  // then the empty city below as target.
  std::string keys = start_ +
                     "RETURN\nDOWN\nDOWN\nRETURN\nUP\nRETURN\nRETURN\nDOWN\nESC\nUP\nRETURN\n"
                     "DOWN\nRETURN\ndump state.json\nquit\n";
  std::string json = RunScript(res, binary_, keys);
  ASSERT_FALSE(json.empty());
  EXPECT_NE(json.find("\"taskCount\":3"), std::string::npos);
  EXPECT_NE(json.find("\"tasks\":[[0,0,0,0,0,0,0,0,0,1],[0,1,5,8,4,1000,1,0,-2,0]"), std::string::npos);
  EXPECT_NE(json.find("\"targetMode\":0"), std::string::npos);
}

}  // namespace
