// Long recorded runs replayed through the headless runner, with the state dump
// taken every few hundred keys: a change that means to leave the game's
// behaviour alone (a restructuring, a faster path) must leave every dump
// byte for byte as it was. The scripts are first lives of the monkey's play
// (KESTREL_RECORD_KEYS); the stored figures are a hash of each dump.
//
// After a change that is meant to alter behaviour, run the suite with
// KESTREL_UPDATE_LONG_RUNS=1 to store the new figures; when a mismatch is not
// meant, the dumps of the failing run are kept in the build folder (see the
// failure message) to be compared with the same run of the last good build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKeysBetweenDumps = 500;

// The test list is also read when CTest discovers the tests, without the
// environment the runs get: then the recordings are found beside this file.
fs::path SourceDir() {
  if (const char* source = std::getenv("KESTREL_SOURCE_DIR")) return source;
  return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

fs::path LongRunDir() { return SourceDir() / "tests" / "golden" / "long_runs"; }

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

uint64_t Fnv1a(const std::string& text) {
  uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ULL;
  return h;
}

struct Replay {
  std::string script;              // the recording with dump lines between its keys
  std::vector<std::string> dumps;  // their names, in order
  std::string seed = "1";
};

Replay WithDumps(const std::string& recording) {
  Replay r;
  std::istringstream in(recording);
  std::string line;
  int keys = 0;
  auto dump = [&r](const std::string& name) {
    r.dumps.push_back(name);
    r.script += "dump " + name + "\n";
  };
  while (std::getline(in, line)) {
    if (line.rfind("# seed ", 0) == 0) r.seed = std::to_string(std::atoi(line.c_str() + 7));
    if (line == "quit") break;
    r.script += line + "\n";
    if (line.rfind("VK:", 0) == 0 && ++keys % kKeysBetweenDumps == 0) dump("k" + std::to_string(keys) + ".json");
  }
  dump("end.json");
  r.script += "quit\n";
  return r;
}

std::string Figures(const Sandbox& box, const Replay& r) {
  std::ostringstream out;
  for (const std::string& name : r.dumps) {
    std::string dump = box.Read("shots/" + name);
    out << name << ' ' << dump.size() << ' ' << std::hex << Fnv1a(dump) << std::dec << '\n';
  }
  return out.str();
}

// Keeps the dumps of a run that went wrong where the developer can diff them.
fs::path KeepDumps(const Sandbox& box, const std::string& name) {
  fs::path kept = BuildDir() / "long_runs" / name;
  std::error_code ec;
  fs::remove_all(kept, ec);
  fs::create_directories(kept.parent_path(), ec);
  fs::copy(box.Root() / "shots", kept, fs::copy_options::recursive, ec);
  return kept;
}

std::string FirstDifference(const std::string& want, const std::string& got) {
  std::istringstream w(want), g(got);
  std::string a, b;
  while (std::getline(w, a)) {
    if (!std::getline(g, b)) return "missing from " + a;
    if (a != b) return "first at " + a.substr(0, a.find(' ')) + " (stored " + a + ", now " + b + ")";
  }
  return std::getline(g, b) ? "extra dump " + b : "";
}

std::vector<std::string> RecordingNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(LongRunDir(), ec)) {
    if (e.path().extension() == ".keys") names.push_back(e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class LongRun : public ::testing::TestWithParam<std::string> {};

TEST_P(LongRun, DumpsAsStored) {
  const std::string name = GetParam();
  Replay replay = WithDumps(ReadText(LongRunDir() / (name + ".keys")));
  Sandbox box;
  // The shipped settings, whatever the build folder's own startup.ini says.
  box.Write("Res/startup.ini", ReadText(SourceDir() / "cmake" / "startup.ini"));
  ASSERT_EQ(box.RunGame(replay.script, "--seed " + replay.seed), 0) << box.Read("err.txt");
  ASSERT_FALSE(box.Read("shots/end.json").empty()) << name << ": the run ended before its last key";
  std::string got = Figures(box, replay);
  fs::path stored = LongRunDir() / (name + ".sums");
  if (std::getenv("KESTREL_UPDATE_LONG_RUNS")) {
    std::ofstream(stored, std::ios::binary) << got;
    GTEST_SKIP() << "stored " << stored;
  }
  std::string want = ReadText(stored);
  ASSERT_FALSE(want.empty()) << stored << " missing: run with KESTREL_UPDATE_LONG_RUNS=1";
  std::string difference = FirstDifference(want, got);
  if (!difference.empty()) {
    ADD_FAILURE() << name << ": the dumps differ, " << difference << "; this run's dumps are kept in "
                  << KeepDumps(box, name);
  }
}

INSTANTIATE_TEST_SUITE_P(Recordings, LongRun, ::testing::ValuesIn(RecordingNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
