// The monkey player on a few seeds: every change to the game is played by
// tens of thousands of random keys, with the record checks after each key
// (and, in the sanitizer build, every memory and arithmetic check).
#include <gtest/gtest.h>

#include <string>

#include "tests/support/sandbox.h"

namespace {

constexpr int kKeys = 5000;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Monkey, RandomPlayKeepsEveryRecordCheck) {
  for (int seed : {1, 2}) {
    SCOPED_TRACE(seed);
    Sandbox box;
    int code = box.RunGame("", "--monkey " + std::to_string(kKeys) + " --seed " + std::to_string(seed));
    std::string report = box.Read("out.txt") + box.Read("err.txt");
    EXPECT_EQ(code, 0) << report;
    EXPECT_TRUE(Contains(report, std::to_string(kKeys) + " keys pressed")) << report;
    // Random keys that never left the title would prove nothing.
    EXPECT_TRUE(Contains(report, "month ended")) << report;
  }
}
