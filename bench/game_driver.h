#pragma once
// Runs the real program (WinMain, its message loop and the headless backend
// with the virtual clock) on a thread of its own and hands it one key at a
// time, timing how long the game takes to handle each key and repaint.
// The game thread only runs while the caller waits in Press, so the caller may
// read and steer the game objects between presses.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

struct KeyCost {
  double cpuSeconds = 0;   // the game thread's own processor time
  double wallSeconds = 0;  // elapsed time, which other processes on the machine can stretch
};

class GameDriver {
 public:
  GameDriver() = default;
  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;
  ~GameDriver();

  // Starts the program with the given seed and returns once the title has been
  // painted and the loop waits for the first key. Returns the start-up's cost.
  KeyCost Start(uint32_t seed);
  // Presses one key and returns once the game waits for the next one.
  KeyCost Press(int key);
  // Ends the process's run as closing the window would, and waits for WinMain
  // to return. The game objects are then fresh for the next Start.
  void Stop();
  bool Running() const { return running_; }

 private:
  struct Stamp {
    double cpu = 0;
    double wall = 0;
  };
  static Stamp Now();
  bool NextMessage(void* message);  // the key source, on the game thread
  KeyCost Exchange(int key, bool quit);

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable cv_;
  bool running_ = false;
  bool gameWaiting_ = false;  // the game thread sits in the key source
  bool keyReady_ = false;     // a key (or the quit) is handed over
  bool quit_ = false;
  int key_ = 0;
  Stamp handedAt_;
  KeyCost last_;
};
