// The guided player on one seed: campaigns played on purpose (orders of every
// kind, wars, battles fought unit by unit, a save and load mid-month) with the
// record checks after every key.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/sandbox.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Guided, PlaysCampaignsOnPurposeKeepingEveryRecordCheck) {
  constexpr int kKeys = 4000;
  Sandbox box;
  int code = box.RunGame("", "--guided " + std::to_string(kKeys) + " --seed 21");
  std::string report = box.Read("out.txt") + box.Read("err.txt");
  EXPECT_EQ(code, 0) << report;
  EXPECT_TRUE(Contains(report, std::to_string(kKeys) + " keys pressed")) << report;
  // A player that stopped reaching things would prove nothing.
  for (const char* reached : {"month ended", "battle: player attacks", "loaded mid-month with tasks pending"}) {
    EXPECT_TRUE(Contains(report, reached)) << reached << "\n" << report;
  }
}
