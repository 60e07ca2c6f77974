#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/clock.h"
#include "shell/run_log.h"
#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

std::string DayFileName() {
  std::tm t = LocalNow();
  char name[32];
  std::snprintf(name, sizeof name, "%d%02d%02d.log", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return name;
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Runs the body with the sandbox as working directory, so the log goes there.
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    CloseRunLog();
    fs::current_path(box_.Root());
  }
  void TearDown() override {
    CloseRunLog();
    fs::current_path(saved_);
  }
  fs::path DayFile() const { return box_.Res() / "Log" / DayFileName(); }
  Sandbox box_;
  fs::path saved_;
};

}  // namespace

TEST_F(LogTest, LineLayoutWithAndWithoutNumber) {
  Log(1, "Game::Game_Init", "开始", 0);
  Log(2, "GameMap::AfterWar", "result = ", 0);
  Log(3, "GameMap::AfterWar", "citynum = ", 17);
  std::string text = ReadAll(DayFile());
  std::istringstream lines(text);
  std::string a, b, c;
  std::getline(lines, a);
  std::getline(lines, b);
  std::getline(lines, c);
  ASSERT_EQ(a.size(), std::string("2026-12-07 23:56:07::常规:Game::Game_Init开始").size());
  EXPECT_EQ(a.substr(4, 1), "-");
  EXPECT_EQ(a.substr(19), "::常规:Game::Game_Init开始");
  EXPECT_EQ(b.substr(19), "::错误:GameMap::AfterWarresult = ");
  EXPECT_EQ(c.substr(19), "::测试:GameMap::AfterWarcitynum = :17");
}

TEST_F(LogTest, UnknownLevelWritesNothingButCreatesTheFile) {
  Log(4, "Game::KeyDown", "开始", 0);
  ASSERT_TRUE(fs::exists(DayFile()));
  EXPECT_EQ(fs::file_size(DayFile()), 0u);
}

TEST_F(LogTest, LevelFiveMovesALeftoverDayFileIntoErr) {
  Log(1, "Game::KeyDown", "开始", 0);
  CloseRunLog();
  Log(5, "WinMain", "开始", 0);
  int moved = 0;
  for (const auto& e : fs::directory_iterator(box_.Res() / "Log" / "Err")) {
    ++moved;
    EXPECT_EQ(e.path().filename().string().size(), std::string("20261207235607.log").size());
    EXPECT_NE(ReadAll(e.path()).find("Game::KeyDown"), std::string::npos);
  }
  EXPECT_EQ(moved, 1);
  std::string fresh = ReadAll(DayFile());
  EXPECT_NE(fresh.find("::常规:WinMain开始"), std::string::npos);
  EXPECT_EQ(fresh.find("Game::KeyDown"), std::string::npos);
}

TEST_F(LogTest, DeleteTodayLogRemovesTheDayFileAndLoggingGoesOn) {
  Log(1, "Game::KeyDown", "开始", 0);
  DeleteTodayLog();
  EXPECT_FALSE(fs::exists(DayFile()));
  Log(1, "Game::KeyDown", "开始", 0);
  EXPECT_TRUE(fs::exists(DayFile()));
}

// A day file removed or replaced from outside while the log holds it open:
// the next line must land in a file under the day's name, not in the old one.
TEST_F(LogTest, ADayFileRemovedOrReplacedFromOutsideIsWrittenAgain) {
  for (bool replace : {false, true}) {
    Log(1, "Game::KeyDown", "开始", 0);
    fs::remove(DayFile());
    if (replace) std::ofstream(DayFile()) << "another file\n";
    Log(1, "GameMap::Show", "开始", 0);
    std::string now = ReadAll(DayFile());
    EXPECT_NE(now.find("GameMap::Show"), std::string::npos) << replace;
    EXPECT_EQ(now.find("Game::KeyDown"), std::string::npos) << replace;
    CloseRunLog();
    fs::remove(DayFile());
  }
}

TEST_F(LogTest, MissingFoldersLoseTheLineSilently) {
  fs::remove_all(box_.Res() / "Log");
  Log(1, "Game::KeyDown", "开始", 0);
  Log(5, "WinMain", "开始", 0);
  EXPECT_FALSE(fs::exists(box_.Res() / "Log"));
}

TEST_F(LogTest, RotationsWithinOneSecondKeepEveryTrace) {
  for (const char* trace : {"First::Crash", "Second::Crash", "Third::Crash"}) {
    Log(1, trace, "开始", 0);
    CloseRunLog();
    Log(5, "WinMain", "开始", 0);
  }
  std::string all;
  int traces = 0;
  for (const auto& e : fs::directory_iterator(box_.Res() / "Log" / "Err")) {
    ++traces;
    all += ReadAll(e.path());
  }
  // The clock may tick between rotations; whatever the names, none is lost.
  EXPECT_EQ(traces, 3);
  for (const char* trace : {"First::Crash", "Second::Crash", "Third::Crash"})
    EXPECT_NE(all.find(trace), std::string::npos) << trace;
}

TEST_F(LogTest, ARunThatEndedNormallyLeavesNoDayFileWhateverFollows) {
  Log(5, "WinMain", "开始", 0);
  DeleteTodayLog();  // a victory, say: the rest of the month end still logs
  Log(1, "GameMap::KeyDown", "开始", 0);
  EndRunLog();
  EXPECT_FALSE(fs::exists(DayFile()));
  // The same process starting a new run (the monkey does) files nothing as a crash.
  DeleteTodayLog();
  Log(1, "GameMap::Show", "开始", 0);
  Log(5, "WinMain", "开始", 0);
  EXPECT_TRUE(fs::is_empty(box_.Res() / "Log" / "Err"));
  EXPECT_EQ(ReadAll(DayFile()).find("GameMap::Show"), std::string::npos);
  // A run that did not end normally keeps its file.
  EndRunLog();
  EXPECT_TRUE(fs::exists(DayFile()));
}
