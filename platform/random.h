#pragma once
// The 15-bit linear congruential generator every probability of the game is
// stated against: state = state * 214013 + 2531011, result (state >> 16) & 0x7FFF.
#include <cstdint>

constexpr int kRandMax = 32767;
void SeedRandom(uint32_t seed);
int Rand();
uint32_t RandomState();
void SetRandomState(uint32_t state);
