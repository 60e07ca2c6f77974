#include <cstdio>
#include <string>

#include "app/app.h"
#include "shell/user_folder.h"

int main(int argc, char** argv) {
  LaunchOptions options;
  std::string error;
  if (!ParseLaunchOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "kestrelmoor: %s\n", error.c_str());
    std::fprintf(stderr, "usage: kestrelmoor [--headless] [--seed N] [--keys FILE|-] [--shots DIR]\n");
    return 2;
  }
  AnchorToStartFolder(options.keysPath);
  AnchorToStartFolder(options.shotsDir);
  if (!EnterUserFolder()) return 1;
  if (options.headless) return RunHeadless(options);
  return WinMain(options);
}
