// The monkey player on a few seeds: every change to the game is played by
// tens of thousands of random keys, with the record checks after each key
// (and, in the sanitizer build, every memory and arithmetic check). Each seed
// is a test of its own, so CTest plays them side by side.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/sandbox.h"

namespace {

constexpr int kKeys = 20000;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Monkey : public ::testing::TestWithParam<int> {};

TEST_P(Monkey, RandomPlayKeepsEveryRecordCheck) {
  int seed = GetParam();
  Sandbox box;
  int code = box.RunGame("", "--monkey " + std::to_string(kKeys) + " --seed " + std::to_string(seed));
  std::string report = box.Read("out.txt") + box.Read("err.txt");
  EXPECT_EQ(code, 0) << report;
  EXPECT_TRUE(Contains(report, std::to_string(kKeys) + " keys pressed")) << report;
  // Random keys that never left the title would prove nothing.
  EXPECT_TRUE(Contains(report, "month ended")) << report;
}

INSTANTIATE_TEST_SUITE_P(Seeds, Monkey, ::testing::Values(1, 2, 3, 4, 5, 6));

}  // namespace
