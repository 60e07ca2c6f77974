// The title screen and the headless runner, driven as a player (or a script) would.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

int DayLogs(const Sandbox& box) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(box.Res() / "Log")) n += e.is_regular_file();
  return n;
}

}  // namespace

TEST(Title, DownTwiceHighlightsTheAboutEntryAndEscQuitsCleanly) {
  Sandbox box;
  // The first key only shows the menu with the first entry highlighted.
  int code = box.RunGame("SPACE\nDOWN\nDOWN\ndump d.json\nESC\nDOWN\n");
  EXPECT_EQ(code, 0);
  std::string dump = box.Read("shots/d.json");
  EXPECT_TRUE(Contains(dump, "\"titleChoice\":2")) << dump;
  EXPECT_TRUE(Contains(dump, "\"screenNumber\":1")) << dump;
  EXPECT_EQ(DayLogs(box), 0);
}

TEST(Title, DownTwiceAfterTheIntroGivesTheLoadEntry) {
  Sandbox box;
  EXPECT_EQ(box.RunGame("DOWN\nDOWN\ndump d.json\n"), 0);
  EXPECT_TRUE(Contains(box.Read("shots/d.json"), "\"titleChoice\":1"));
}

TEST(Title, MenuWrapsBothWaysAndUpFirstSelectsTheFirstEntry) {
  Sandbox box;
  EXPECT_EQ(box.RunGame("UP\ndump a.json\nUP\ndump b.json\nDOWN\ndump c.json\n"), 0);
  EXPECT_TRUE(Contains(box.Read("shots/a.json"), "\"titleChoice\":0"));
  EXPECT_TRUE(Contains(box.Read("shots/b.json"), "\"titleChoice\":3"));
  EXPECT_TRUE(Contains(box.Read("shots/c.json"), "\"titleChoice\":0"));
}

TEST(Title, AboutReturnsToTheTitleOnAnyKeyIncludingEsc) {
  Sandbox box;
  EXPECT_EQ(box.RunGame("DOWN\nDOWN\nDOWN\nRETURN\ndump a.json\nESC\ndump b.json\n"), 0);
  EXPECT_TRUE(Contains(box.Read("shots/a.json"), "\"titleMode\":10"));
  std::string b = box.Read("shots/b.json");
  EXPECT_TRUE(Contains(b, "\"titleMode\":0"));
  EXPECT_TRUE(Contains(b, "\"titleChoice\":2"));
}

TEST(Title, QuitEntryEndsTheRunBeforeTheRestOfTheScript) {
  Sandbox box;
  EXPECT_EQ(box.RunGame("UP\nUP\nRETURN\ndump never.json\n"), 0);
  EXPECT_FALSE(fs::exists(box.Root() / "shots" / "never.json"));
  EXPECT_EQ(DayLogs(box), 0);
}

TEST(Title, RemappedKeysWorkEverywhere) {
  Sandbox box;
  box.Write("Res/startup.ini", "[Startup]\nVersion=205\n[Key]\nUp=87\nDown=83\n");
  EXPECT_EQ(box.RunGame("VK:83\nVK:87\nVK:87\ndump d.json\n"), 0);
  std::string d = box.Read("shots/d.json");
  EXPECT_TRUE(Contains(d, "\"titleChoice\":2")) << d;
  EXPECT_TRUE(Contains(d, "\"keyUp\":87"));
  EXPECT_TRUE(Contains(d, "\"gameVersion\":205"));
}

TEST(Title, GarbageInStartupIniFallsBackToDefaults) {
  Sandbox box;
  box.Write("Res/startup.ini", "[Startup]\nWidth=0\nHeight=-600\n[Key]\nUp=99999\nDown=-1\nReturn=abc\n");
  EXPECT_EQ(box.RunGame("DOWN\nDOWN\ndump d.json\n"), 0);
  std::string d = box.Read("shots/d.json");
  EXPECT_TRUE(Contains(d, "\"keyUp\":38"));
  EXPECT_TRUE(Contains(d, "\"keyDown\":40"));
  EXPECT_TRUE(Contains(d, "\"keyReturn\":13"));
  EXPECT_TRUE(Contains(d, "\"titleChoice\":1"));
}

TEST(Runner, UnreadableScriptLineExitsWithTwoAndNamesTheLine) {
  Sandbox box;
  EXPECT_EQ(box.RunGame("DOWN\n# a comment\nJUMP\nDOWN\n"), 2);
  EXPECT_TRUE(Contains(box.Read("err.txt"), "line 3"));
}

TEST(Runner, ShotWritesTheWindowAsPng) {
  Sandbox box;
  EXPECT_EQ(box.RunGame("shot intro.png\nDOWN\nshot title.png\n"), 0);
  std::string png = box.Read("shots/title.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(Runner, AKilledRunLeavesItsLogAndTheNextStartMovesItAway) {
  Sandbox box;
  // A day log as a killed run leaves it.
  EXPECT_EQ(box.RunGame("DOWN\n"), 0);
  EXPECT_EQ(DayLogs(box), 0);
  box.Write("Res/Log/" + std::string("19990101.log"), "old\n");
  fs::path leftover;
  {
    std::tm t{};
    time_t now = time(nullptr);
    localtime_r(&now, &t);
    char name[32];
    std::snprintf(name, sizeof name, "Res/Log/%d%02d%02d.log", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    box.Write(name, "a run that was killed\n");
  }
  EXPECT_EQ(box.RunGame("DOWN\n"), 0);
  int moved = 0;
  for (const auto& e : fs::directory_iterator(box.Res() / "Log" / "Err")) moved += e.is_regular_file();
  EXPECT_EQ(moved, 1);
}
