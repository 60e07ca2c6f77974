#include "platform/clock.h"

#include <time.h>

#include <cerrno>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "platform/web.h"
#endif

namespace {

bool virtualClock = false;
uint32_t virtualTicks = 0;
#ifdef __EMSCRIPTEN__
// In the browser every delay is a yield to the page, and the clock is the
// page's: the sum of the delays is a floor for it, so a delay ends even where
// the page's clock should stand still or lag behind its timers.
uint64_t sleptTotal = 0;
#endif

// <chrono> cannot be included in game code (its micro sign has no GBK form),
// so the monotonic clock is read directly.
uint64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

// Counted from the first use rather than from boot, so the 32-bit counter
// cannot wrap during any plausible session (a wrap would stall the game's
// `while (GetTickCount() < end)` delays).
uint64_t Origin() {
  static const uint64_t origin = MonotonicMs();
  return origin;
}

}  // namespace

uint32_t GetTickCount() {
  if (virtualClock) return virtualTicks;
  uint64_t ticks = MonotonicMs() - Origin();
#ifdef __EMSCRIPTEN__
  if (ticks < sleptTotal) ticks = sleptTotal;
#endif
  return static_cast<uint32_t>(ticks);
}

void SleepMs(uint32_t ms) {
  if (virtualClock) {
    virtualTicks += ms;
    return;
  }
#ifdef __EMSCRIPTEN__
  // Hands the thread back to the browser (Asyncify), so the page keeps
  // drawing and taking keys while the game waits.
  emscripten_sleep(ms);
  sleptTotal += ms;
  WebSlept(ms, GetTickCount());
#else
  timespec wait{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {}
#endif
}

void UseVirtualClock(bool on) {
  // Switching over continues from the real count, so a delay begun before the
  // switch still ends.
  if (on && !virtualClock) virtualTicks = GetTickCount();
  virtualClock = on;
}

bool VirtualClockInUse() { return virtualClock; }

std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return parts;
}
