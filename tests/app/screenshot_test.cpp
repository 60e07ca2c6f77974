#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {
int PngsIn(const fs::path& dir) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".png") continue;
    std::ifstream in(e.path(), std::ios::binary);
    char magic[8] = {};
    in.read(magic, 8);
    n += std::string(magic + 1, 3) == "PNG";
  }
  return n;
}
}  // namespace

// F12 is taken before any screen sees it: the state before and after is the same,
// and the keys after it act as if it had never been pressed.
TEST(Screenshot, F12WritesAPngAndChangesNothing) {
  Sandbox box;
  ASSERT_EQ(box.RunGame("RETURN\nDOWN\ndump before.json\nVK:123\nVK:123\ndump after.json\nRETURN\ndump next.json\n"), 0)
      << box.Read("err.txt");
  EXPECT_EQ(box.Read("shots/before.json"), box.Read("shots/after.json"));
  EXPECT_EQ(PngsIn(box.Root()), 2);

  Sandbox plain;
  ASSERT_EQ(plain.RunGame("RETURN\nDOWN\nRETURN\ndump next.json\n"), 0) << plain.Read("err.txt");
  EXPECT_EQ(box.Read("shots/next.json"), plain.Read("shots/next.json"));
}
