#include "bench/game_driver.h"

#include <time.h>

#include "campaign/game.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "app/app.h"
#include "shell/globals.h"

namespace {

double Seconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

GameDriver::~GameDriver() {
  if (running_) Stop();
}

GameDriver::Stamp GameDriver::Now() { return Stamp{Seconds(CLOCK_THREAD_CPUTIME_ID), Seconds(CLOCK_MONOTONIC)}; }

KeyCost GameDriver::Start(uint32_t seed) {
  if (thread_.joinable()) thread_.join();  // a run that ended by itself
  std::unique_lock<std::mutex> lock(mutex_);
  gameWaiting_ = false;
  keyReady_ = false;
  quit_ = false;
  running_ = true;
  thread_ = std::thread([this, seed] {
    {
      std::lock_guard<std::mutex> guard(mutex_);
      handedAt_ = Now();
    }
    // What a new process starts from: the intro, and a game object fresh from its constructor.
    screenNumber = kScreenIntro;
    TheGame() = Game();
    UseVirtualClock(true);
    StartHeadless([this](Message& next) { return NextMessage(&next); });
    LaunchOptions options;
    options.headless = true;
    options.seedGiven = true;
    options.seed = seed;
    WinMain(options);
    std::lock_guard<std::mutex> guard(mutex_);
    gameWaiting_ = true;
    running_ = false;
    cv_.notify_all();
  });
  cv_.wait(lock, [this] { return gameWaiting_; });
  return last_;
}

bool GameDriver::NextMessage(void* out) {
  Message& next = *static_cast<Message*>(out);
  Stamp now = Now();
  std::unique_lock<std::mutex> lock(mutex_);
  if (quit_) return false;  // the window is gone: the queue yields the quit
  last_ = KeyCost{now.cpu - handedAt_.cpu, now.wall - handedAt_.wall};
  gameWaiting_ = true;
  cv_.notify_all();
  cv_.wait(lock, [this] { return keyReady_; });
  keyReady_ = false;
  gameWaiting_ = false;
  next = quit_ ? Message{MessageType::Destroy, 0} : Message{MessageType::KeyDown, key_};
  handedAt_ = Now();
  return true;
}

KeyCost GameDriver::Exchange(int key, bool quit) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!running_) return KeyCost{};
  key_ = key;
  quit_ = quit;
  keyReady_ = true;
  cv_.notify_all();
  cv_.wait(lock, [this] { return gameWaiting_ && !keyReady_; });
  return last_;
}

KeyCost GameDriver::Press(int key) { return Exchange(key, false); }

void GameDriver::Stop() {
  if (running_) Exchange(0, true);
  if (thread_.joinable()) thread_.join();
  running_ = false;
}
