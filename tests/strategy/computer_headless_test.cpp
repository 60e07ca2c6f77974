// Years of month ends through the real program: the computer rulers take
// cities from each other and march on the player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace {

constexpr int kCities = 50;

// The "ownerId" of every city in a dump, in city order.
std::vector<int> CityOwners(const std::string& dump) {
  std::vector<int> owners;
  size_t at = dump.find("\"cities\":[");
  while (at != std::string::npos && owners.size() < kCities) {
    at = dump.find("\"ownerId\":", at);
    if (at == std::string::npos) break;
    at += 10;
    owners.push_back(std::stoi(dump.substr(at)));
  }
  return owners;
}

int IntAfter(const std::string& dump, const std::string& key) {
  size_t at = dump.find("\"" + key + "\":");
  if (at == std::string::npos) return -99999;
  return std::stoi(dump.substr(at + key.size() + 3));
}

constexpr const char* kStartCampaign = "SPACE\nRETURN\nRETURN\nRETURN\n";
// On the map: the system menu, end the month, the system menu again. The next
// round closes it and opens and closes a city menu, so every two rounds end a
// month. In a defence pick the first Escape gives the city up; in a battle the
// rounds end its days. Either way the keys come back in step with the map.
constexpr const char* kRound = "ESC\nRETURN\nESC\n";

TEST(ComputerHeadless, ComputerRulersTakeCitiesFromEachOtherAndMarchOnThePlayer) {
  if (!std::filesystem::exists(BuildDir() / "kestrelmoor")) GTEST_SKIP() << "kestrelmoor is not built here";
  Sandbox box;
  std::string script = kStartCampaign;
  script += "dump start.json\n";
  const int rounds = 240;
  for (int i = 0; i < rounds; ++i) script += kRound;
  script += "dump end.json\nshot end.png\nquit\n";
  ASSERT_EQ(box.RunGame(script), 0) << box.Read("err.txt");

  std::string start = box.Read("shots/start.json");
  std::string end = box.Read("shots/end.json");
  ASSERT_FALSE(end.empty());
  std::vector<int> before = CityOwners(start);
  std::vector<int> after = CityOwners(end);
  ASSERT_EQ(before.size(), static_cast<size_t>(kCities));
  ASSERT_EQ(after.size(), static_cast<size_t>(kCities));
  int player = IntAfter(start, "playerRuler");
  ASSERT_GT(player, 0);

  int changedBetweenComputers = 0, lostByPlayer = 0;
  for (int i = 0; i < kCities; ++i) {
    if (before[i] != 0 && before[i] != player && after[i] != 0 && after[i] != player && after[i] != before[i])
      ++changedBetweenComputers;
    if (before[i] == player && after[i] != player) ++lostByPlayer;
  }
  EXPECT_GT(changedBetweenComputers, 0);
  // The player gives up every city attacked (the pick is left at once), so a
  // city lost is an attack that came.
  EXPECT_GT(lostByPlayer, 0);
  EXPECT_GT(IntAfter(end, "year"), IntAfter(start, "year"));
}

}  // namespace
