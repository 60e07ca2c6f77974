// The month end's battle count: each event moves pendingBattles from any value
// it can hold (uncounted, finished, settled, or a count) to the right next one.
#include <gtest/gtest.h>

#include "strategy/map_globals.h"

namespace {

struct Step {
  const char* event;
  void (*apply)();
  int from;
  int to;
};

const Step kSteps[] = {
    {"count begins", BeginBattleCount, kBattlesUncounted, kBattlesLastFought},
    {"count begins again", BeginBattleCount, kBattlesLastFought, kBattlesLastFought},
    {"count begins after a settled month", BeginBattleCount, kBattlesSettled, kBattlesSettled},
    {"first battle counted", CountOneBattle, kBattlesLastFought, 1},
    {"another battle counted", CountOneBattle, 2, 3},
    {"uncounted battle opens", HoldForBattle, kBattlesLastFought, 1},
    {"battle opens after a settled count", HoldForBattle, kBattlesSettled, 1},
    {"counted battle opens", HoldForBattle, 2, 2},
    {"last battle fought", EndOneBattle, 1, kBattlesLastFought},
    {"one of two fought", EndOneBattle, 2, 1},
    // A battle the count never held must not push the count past its sentinels.
    {"battle ends with nothing counted", EndOneBattle, kBattlesLastFought, kBattlesLastFought},
    {"battle ends after a settled count", EndOneBattle, kBattlesSettled, kBattlesSettled},
    {"last battle dropped", DropOneBattle, 1, kBattlesSettled},
    {"one of two dropped", DropOneBattle, 2, 1},
    {"drop with nothing counted", DropOneBattle, kBattlesUncounted, kBattlesUncounted},
    {"walk ends with battles left", EndBattleCount, 3, kBattlesLastFought},
    {"walk ends settled", EndBattleCount, kBattlesSettled, kBattlesSettled},
};

TEST(BattleCount, EveryEventMovesTheCountToItsNextValue) {
  for (const Step& step : kSteps) {
    pendingBattles = step.from;
    step.apply();
    EXPECT_EQ(pendingBattles, step.to) << step.event;
  }
  ResetCampaignGlobals();
  EXPECT_EQ(pendingBattles, kBattlesUncounted);
}

}  // namespace
