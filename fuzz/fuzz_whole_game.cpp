// Any key script, played by the whole game from a fresh start (slow: every
// run plays the intro and whatever the keys reach). Run
// from a folder with the generated Res/ (the fuzz build folder).
#include <cstdint>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "campaign/game.h"
#include "app/app.h"
#include "shell/globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Shots and dumps write where the script says; a fuzzed path could land
  // anywhere on the machine, so those lines are left out.
  std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find("shot") != std::string::npos || text.find("dump") != std::string::npos) return -1;
  static const std::string script = "fuzz-keys-" + std::to_string(getpid()) + ".txt";
  FILE* f = std::fopen(script.c_str(), "wb");
  if (!f) return 0;
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
  // What a new process would start from.
  screenNumber = kScreenIntro;
  TheGame() = Game();
  LaunchOptions options;
  options.headless = true;
  options.seedGiven = true;
  options.seed = 1;
  options.keysPath = script;
  options.shotsDir = "fuzz-shots";
  RunHeadless(options);
  return 0;
}
