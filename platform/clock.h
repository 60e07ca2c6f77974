#pragma once
// Time. With the virtual clock (headless runs) a sleep advances the tick count at
// once and nothing waits; otherwise both read the monotonic clock.
#include <cstdint>
#include <ctime>

uint32_t GetTickCount();
void SleepMs(uint32_t ms);
void UseVirtualClock(bool on);
bool VirtualClockInUse();
// The local calendar time now (wall clock, also in headless runs).
std::tm LocalNow();
