#include "shell/screenshot.h"

#include <cstdio>
#include <ctime>

#include "platform/files.h"
#include "platform/png_writer.h"
#include "platform/window.h"

namespace {
// Several shots within one second get a counter rather than overwriting each other.
constexpr int kMaxShotsPerSecond = 100;
}  // namespace

std::string SaveScreenshot(const std::string& folder) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::string base = (folder.empty() ? std::string() : folder + "/") + "kestrelmoor-" + stamp;
  for (int n = 0; n < kMaxShotsPerSecond; ++n) {
    std::string path = n == 0 ? base + ".png" : base + "-" + std::to_string(n) + ".png";
    if (FileExists(path)) continue;
    if (!SavePng(path, WindowSurface())) break;
    return path;
  }
  std::fprintf(stderr, "kestrelmoor: cannot write a screenshot into %s\n", folder.empty() ? "." : folder.c_str());
  return "";
}
