#include "platform/random.h"

namespace {
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
uint32_t state = 1;  // an unseeded generator starts as if seeded with 1
}  // namespace

void SeedRandom(uint32_t seed) { state = seed; }

int Rand() {
  state = state * kMultiplier + kIncrement;
  return static_cast<int>((state >> 16) & kRandMax);
}

uint32_t RandomState() { return state; }
void SetRandomState(uint32_t value) { state = value; }
