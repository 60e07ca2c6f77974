// Files, time and the random generator: the small services the game's rules lean on.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/random.h"

namespace {

void WriteText(const std::string& path, const char* text) {
  FILE* f = OpenFile(path, "wb");
  ASSERT_NE(f, nullptr);
  std::fputs(text, f);
  std::fclose(f);
}

std::string ReadText(const std::string& path) {
  FILE* f = OpenFile(path, "rb");
  if (!f) return "<missing>";
  char buffer[64] = {};
  size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
  std::fclose(f);
  return std::string(buffer, n);
}

TEST(Files, NormalizePathFoldsTheGameSpellings) {
  EXPECT_EQ(NormalizePath("Res//map.kbp"), "Res/map.kbp");
  EXPECT_EQ(NormalizePath("Res\\map.kbp"), "Res/map.kbp");
  EXPECT_EQ(NormalizePath("Res\\Hero\\hero1.kdt"), "Res/Hero/hero1.kdt");
  EXPECT_EQ(NormalizePath("Res\\\\Save//\\save0.ksv"), "Res/Save/save0.ksv");
  EXPECT_EQ(NormalizePath("/tmp//x"), "/tmp/x");
  EXPECT_EQ(NormalizePath(""), "");
}

TEST(Files, MoveReplacesDeleteAndExistence) {
  ASSERT_TRUE(MakeDirectory("platform_test_files\\Save"));
  EXPECT_TRUE(MakeDirectory("platform_test_files//Save"));  // already there: still true
  WriteText("platform_test_files\\Save\\a.ksv", "new");
  WriteText("platform_test_files/Save/b.ksv", "old");
  ASSERT_TRUE(MoveFileTo("platform_test_files\\Save\\a.ksv", "platform_test_files//Save//b.ksv"));
  EXPECT_FALSE(FileExists("platform_test_files/Save/a.ksv"));
  EXPECT_EQ(ReadText("platform_test_files/Save/b.ksv"), "new");
  EXPECT_FALSE(MoveFileTo("platform_test_files/Save/a.ksv", "platform_test_files/Save/c.ksv"));
  EXPECT_TRUE(DeleteFileAt("platform_test_files\\Save\\b.ksv"));
  EXPECT_FALSE(DeleteFileAt("platform_test_files\\Save\\b.ksv"));
  EXPECT_FALSE(FileExists("platform_test_files/Save/b.ksv"));
  std::remove("platform_test_files/Save");
  std::remove("platform_test_files");
}

TEST(Random, MatchesTheCRuntimeSequence) {
  uint32_t saved = RandomState();
  SeedRandom(1);
  const int seed1[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
  for (int expected : seed1) EXPECT_EQ(Rand(), expected);
  SeedRandom(12345);
  const int seed12345[] = {7584, 19164, 25795, 22125, 5828};
  for (int expected : seed12345) EXPECT_EQ(Rand(), expected);
  // The state can be saved and restored mid-sequence.
  uint32_t state = RandomState();
  int next = Rand();
  SetRandomState(state);
  EXPECT_EQ(Rand(), next);
  for (int i = 0; i < 10000; ++i) {
    int r = Rand();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, kRandMax);
  }
  SetRandomState(saved);
}

TEST(Clock, VirtualClockAdvancesOnlyBySleeping) {
  UseVirtualClock(true);
  ASSERT_TRUE(VirtualClockInUse());
  uint32_t start = GetTickCount();
  EXPECT_EQ(GetTickCount(), start);
  // The game's busy delay: must end after exactly the asked time, at once.
  uint32_t end = start + 2000;
  int turns = 0;
  while (GetTickCount() < end) {
    SleepMs(1);
    ++turns;
  }
  EXPECT_EQ(turns, 2000);
  EXPECT_EQ(GetTickCount(), end);
  UseVirtualClock(false);
  EXPECT_FALSE(VirtualClockInUse());
}

TEST(Clock, RealClockMovesForward) {
  UseVirtualClock(false);
  uint32_t start = GetTickCount();
  SleepMs(20);
  uint32_t elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 19u);
  EXPECT_LT(elapsed, 2000u);
  std::tm now = LocalNow();
  EXPECT_GE(now.tm_year + 1900, 2020);
  EXPECT_GE(now.tm_mon, 0);
  EXPECT_LE(now.tm_mon, 11);
}

}  // namespace
