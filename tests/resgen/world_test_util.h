#pragma once
// Helpers shared by the world tests: the source tree's data folder, a scratch
// Res folder, and quiet error collection.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/resgen/common/resgen_io.h"

inline std::string SourceData() {
  const char* src = std::getenv("KESTREL_SOURCE_DIR");
  return std::string(src ? src : ".") + "/data";
}

// Collects errors without printing them; the test asserts on the messages.
struct QuietErrors {
  QuietErrors() {
    ClearErrors();
    Diagnostics().quiet = true;
  }
  ~QuietErrors() {
    Diagnostics().quiet = false;
    ClearErrors();
  }
  bool Mentions(const std::string& part) const {
    for (const auto& m : Diagnostics().messages)
      if (m.find(part) != std::string::npos) return true;
    return false;
  }
  std::string All() const {
    std::string all;
    for (const auto& m : Diagnostics().messages) all += m + "\n";
    return all;
  }
};

// A fresh folder under the system's temp folder, removed afterwards.
struct ScratchDir {
  std::filesystem::path path;
  explicit ScratchDir(const std::string& name) {
    path = std::filesystem::temp_directory_path() / ("kestrel_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~ScratchDir() { std::filesystem::remove_all(path); }
  std::string operator/(const std::string& rel) const { return (path / rel).string(); }
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
