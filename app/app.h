#pragma once
// Start-up and the two ways of running: in a window, or headless from a key script.
#include <cstdint>
#include <string>

#include "platform/window.h"
#include "shell/json_writer.h"

struct LaunchOptions {
  bool headless = false;
  bool seedGiven = false;
  uint32_t seed = 0;
  std::string keysPath;  // headless key script; "-" reads standard input
  std::string shotsDir;  // where `shot` lines write; default the working directory
  long long monkeyKeys = 0;
  long long guidedKeys = 0;  // --guided N: the guided player
};

// Parses the command line. Returns false (with a message in `error`) for an unknown flag.
bool ParseLaunchOptions(int argc, char** argv, LaunchOptions& options, std::string& error);

// The process entry: reads the configuration, opens the window, plays the intro
// and runs the message loop until the quit message. Returns the exit code.
int WinMain(const LaunchOptions& options);

// Handles one message as the window procedure does.
void WindowProc(const Message& message);

// Runs the game headless from a key script. Returns the exit code: 0 at the end of
// the script or when the game quits, 2 for a script line it cannot read.
int RunHeadless(const LaunchOptions& options);

// The game state as JSON: globals, game, and the campaign objects.
void DumpState(JsonWriter& out);
bool WriteStateDump(const std::string& path);
