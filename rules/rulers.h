#pragma once
// The rulers of each scenario's ruler choice, in menu order, as officer
// numbers (the ruler lists Res/1dznq_em.kss .. 4sgdl_em.kss name them alike).
#include "rules/world.h"

constexpr int kMaxRulers = 18;
constexpr int kRulerCount[kScenarioCount] = {18, 16, 11, 5};
constexpr int kRulerTable[kScenarioCount][kMaxRulers] = {
    {6, 17, 18, 10, 14, 3, 8, 12, 1, 11, 2, 7, 19, 9, 4, 16, 15, 5},
    {12, 4, 11, 16, 1, 9, 3, 15, 2, 14, 8, 5, 6, 13, 10, 7},
    {8, 5, 11, 9, 10, 7, 6, 4, 1, 2, 3},
    {1, 5, 2, 3, 4},
};

namespace ruler_checks {
// Each scenario's rulers are distinct officers, and the rows hold nothing past their count.
constexpr bool RowsHoldTheirRulers() {
  for (int s = 0; s < kScenarioCount; ++s) {
    if (kRulerCount[s] < 1 || kRulerCount[s] > kMaxRulers) return false;
    for (int k = 0; k < kMaxRulers; ++k) {
      int r = kRulerTable[s][k];
      if ((k < kRulerCount[s]) != (r >= 1 && r <= kHeroCount)) return false;
      for (int j = 0; j < k; ++j)
        if (r != 0 && kRulerTable[s][j] == r) return false;
    }
  }
  return true;
}
}  // namespace ruler_checks
static_assert(ruler_checks::RowsHoldTheirRulers());
