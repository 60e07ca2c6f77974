// Save files written by the game as it is today, kept with the records they
// load into. A change to the save format or the loader that makes an old slot
// load differently (or not at all) fails here: such a change needs a version
// step and a loader for the old files (see README, Testing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "campaign/save.h"
#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kVersion = 130818100;
const char* const kSections[] = {"playerRuler", "rulerChoice", "taskCount",
                                 "date",        "cities",      "officers",  "items", "tasks"};

fs::path GoldenDir() {
  const char* source = std::getenv("KESTREL_SOURCE_DIR");
  return fs::path(source ? source : ".") / "tests" / "golden";
}

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The end of the JSON value starting at `i` (one past it).
size_t ValueEnd(const std::string& t, size_t i) {
  int depth = 0;
  bool inString = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
      continue;
    }
    if (c == '"') inString = true;
    else if (c == '[' || c == '{') ++depth;
    else if (c == ']' || c == '}') {
      if (depth == 0) return i;
      if (--depth == 0) return i + 1;
    } else if (depth == 0 && (c == ',' || c == '\n')) {
      return i;
    }
  }
  return i;
}

// The text of the value of the first "key": in the JSON; empty if none.
std::string Section(const std::string& t, const std::string& key) {
  size_t at = t.find("\"" + key + "\":");
  if (at == std::string::npos) return "";
  size_t start = at + key.size() + 3;
  return t.substr(start, ValueEnd(t, start) - start);
}

// The elements of a JSON array, each without the white space around it.
std::vector<std::string> Elements(const std::string& array) {
  std::vector<std::string> out;
  size_t i = 1;
  while (i < array.size()) {
    while (i < array.size() && (array[i] == '\n' || array[i] == ' ' || array[i] == ',')) ++i;
    if (i >= array.size() || array[i] == ']') break;
    size_t end = ValueEnd(array, i);
    out.push_back(array.substr(i, end - i));
    i = end;
  }
  return out;
}

std::vector<std::string> GoldenNames() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(GoldenDir())) {
    if (e.path().extension() == ".ksv") names.push_back(e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

// The slot text is exactly what today's writer makes of what today's reader
// reads from it: the format has not drifted.
TEST(GoldenSaves, ReadAndWrittenAgainByteForByte) {
  std::vector<std::string> names = GoldenNames();
  ASSERT_GE(names.size(), 5u) << "golden saves missing from " << GoldenDir();
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::string text = ReadText(GoldenDir() / (name + ".ksv"));
    static SaveImage image;
    ASSERT_EQ(ParseSaveText(text.data(), text.size(), kVersion, image), kReadOk);
    EXPECT_EQ(FormatSaveText(image, image.version), text);
  }
}

// The whole game loads each slot from the title and dumps the campaign: every
// record must be what it was when the slot was made.
TEST(GoldenSaves, LoadIntoTheRecordsOfTheirDump) {
  for (const std::string& name : GoldenNames()) {
    SCOPED_TRACE(name);
    std::string golden = ReadText(GoldenDir() / (name + ".json"));
    ASSERT_FALSE(golden.empty()) << name << ".json missing";
    Sandbox box;
    box.Write("Res/Save/save0.ksv", ReadText(GoldenDir() / (name + ".ksv")));
    ASSERT_EQ(box.RunGame("DOWN\nDOWN\nRETURN\nRETURN\ndump loaded.json\nquit\n"), 0) << box.Read("err.txt");
    std::string dump = box.Read("shots/loaded.json");
    ASSERT_FALSE(dump.empty()) << box.Read("err.txt");
    for (const char* key : kSections) {
      std::string want = Section(golden, key);
      std::string got = Section(dump, key);
      ASSERT_FALSE(want.empty()) << key;
      if (want[0] != '[') {
        EXPECT_EQ(got, want) << key;
        continue;
      }
      std::vector<std::string> w = Elements(want), g = Elements(got);
      ASSERT_EQ(g.size(), w.size()) << key;
      int shown = 0;
      for (size_t i = 0; i < w.size() && shown < 3; ++i) {
        if (g[i] != w[i]) {
          ++shown;
          ADD_FAILURE() << key << "[" << i << "] loads as\n  " << g[i] << "\nbut was\n  " << w[i];
        }
      }
    }
  }
}
