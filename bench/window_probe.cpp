#include "bench/window_probe.h"

#include <SDL.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/play.h"
#include "campaign/game.h"
#include "platform/window.h"
#include "app/app.h"
#include "shell/globals.h"

namespace {

constexpr int kSettleMs = 2000;      // after reaching a screen, before measuring
constexpr int kIdleSampleMs = 8000;  // idle time measured on each screen
constexpr int kKeyGapMs = 1500;      // between the probe's keys: any delay of the game is over by then
constexpr int kMaxSteps = 40;
constexpr int kPresentFrames = 120;

double Seconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The share of one core the whole process used over the next `ms` milliseconds.
double CorePercentOver(int ms) {
  double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID), wall0 = Seconds(CLOCK_MONOTONIC);
  SleepMs(ms);
  double cpu1 = Seconds(CLOCK_PROCESS_CPUTIME_ID), wall1 = Seconds(CLOCK_MONOTONIC);
  return 100.0 * (cpu1 - cpu0) / (wall1 - wall0);
}

SDL_Keycode SdlKeyOf(int vk) {
  if (vk == keyReturn) return SDLK_RETURN;
  if (vk == keyEsc) return SDLK_ESCAPE;
  if (vk == keyDown) return SDLK_DOWN;
  if (vk == keyUp) return SDLK_UP;
  return SDLK_RETURN;
}

void PushKey(int vk) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = SdlKeyOf(vk);
  SDL_PushEvent(&e);
}

double Percentile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(v.size())));
  return v[std::max<size_t>(rank, 1) - 1];
}

}  // namespace

int IdleProbe(const std::string& buildDir) {
  if (chdir(buildDir.c_str()) != 0) return 1;
  std::atomic<double> title{-1}, map{-1};
  // The keys come from this thread through SDL's queue, as a keyboard's would;
  // the game state is only looked at while the game sits idle between them.
  std::thread player([&] {
    for (int i = 0; i < 600 && screenNumber != kScreenTitle; ++i) SleepMs(50);
    SleepMs(kSettleMs);
    title = CorePercentOver(kIdleSampleMs);
    for (int i = 0; i < kMaxSteps && ModeName() != "map"; ++i) {
      std::string mode = ModeName();
      if (mode == "title") PushKey(TheGame().titleChoice == kTitleNewGame ? keyReturn : keyDown);
      else PushKey(keyReturn);
      SleepMs(kKeyGapMs);
    }
    if (ModeName() == "map") {
      SleepMs(kSettleMs);
      map = CorePercentOver(kIdleSampleMs);
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  });
  LaunchOptions options;
  int rc = WinMain(options);
  player.join();
  std::printf("%.3f %.3f\n", title.load(), map.load());
  return rc;
}

int PresentProbe() {
  WindowConfig config;
  config.caption = "present";
  config.fullScreen = true;
  if (!OpenWindow(config)) return 1;
  // Let the window manager (if any) settle the full-screen size.
  for (int i = 0; i < 20; ++i) {
    while (PeekMessage()) GetMessage();
    SleepMs(25);
  }
  Surface& screen = WindowSurface();
  std::vector<double> cpu, wall;
  for (int frame = 0; frame < kPresentFrames + 1; ++frame) {
    // A different picture every frame, over the whole screen.
    for (int y = 0; y < screen.Height(); ++y) {
      Pixel* row = screen.Row(y);
      for (int x = 0; x < screen.Width(); ++x) row[x] = Rgb(x + frame, y + 2 * frame, x ^ y ^ frame);
    }
    screen.Touch();
    double c0 = Seconds(CLOCK_THREAD_CPUTIME_ID), w0 = Seconds(CLOCK_MONOTONIC);
    Present();
    double c1 = Seconds(CLOCK_THREAD_CPUTIME_ID), w1 = Seconds(CLOCK_MONOTONIC);
    if (frame == 0) continue;  // the first also fills the bars
    cpu.push_back((c1 - c0) * 1e3);
    wall.push_back((w1 - w0) * 1e3);
  }
  SDL_DisplayMode mode{};
  int w = 0, h = 0;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) w = mode.w, h = mode.h;
  std::printf("%.4f %.4f %.4f %d %d\n", Percentile(cpu, 0.5), Percentile(cpu, 0.99), Percentile(wall, 0.99), w, h);
  CloseWindow();
  return 0;
}
