// Save files written by the game as it is today, kept with the records they
// load into. A change to the save format or the loader that makes an old slot
// load differently (or not at all) fails here: such a change needs a version
// step and a loader for the old files (see README, Testing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
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
const char* const kSections[] = {"playerRuler", "rulerChoice", "taskCount", "date",
                                 "cities",      "officers",    "items",     "tasks"};

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

namespace {

// The numbers of a slot text with where each starts, so that single numbers
// of a real slot can be damaged in place.
struct Numbers {
  std::string text;
  std::vector<size_t> at;
  std::vector<size_t> length;

  explicit Numbers(std::string t) : text(std::move(t)) {
    for (size_t i = 0; i < text.size();) {
      if (text[i] == ' ' || text[i] == '\n') {
        ++i;
        continue;
      }
      size_t end = text.find_first_of(" \n", i);
      if (end == std::string::npos) end = text.size();
      at.push_back(i);
      length.push_back(end - i);
      i = end;
    }
  }
  std::string With(size_t index, const std::string& value) const {
    std::string out = text;
    out.replace(at[index], length[index], value);
    return out;
  }
  std::string CutBefore(size_t index) const { return text.substr(0, at[index]); }
};

// Where each part of the file starts, in numbers (the layout of the slot file).
constexpr size_t kHeroes = 3;
constexpr size_t kCities = kHeroes + kSaveHeroes * kSaveHeroFields;
constexpr size_t kGoods = kCities + kSaveCities * kSaveCityFields;
constexpr size_t kTasks = kGoods + kSaveGoods * kSaveGoodFields;
constexpr size_t kHeroList = kTasks + kSaveTasks * kSaveTaskFields;
constexpr size_t kCityList = kHeroList + kSaveHeroListFields;
constexpr size_t kGoodListAt = kCityList + kSaveCityListFields;
constexpr size_t kMapAt = kGoodListAt + kSaveGoodListFields;
constexpr size_t kMonth = kMapAt + kSaveMapFields;
constexpr size_t kVersionAt = kMonth + 1;
constexpr size_t kTaskCountAt = kVersionAt + 1;

}  // namespace

// A real slot damaged in any one number that points into a table, or in its
// list and map states, or cut short anywhere, is refused as damaged and leaves
// the image as it was: loading it would index past the records.
TEST(GoldenSaves, EveryDamageToARealSlotIsRefused) {
  Numbers slot(ReadText(GoldenDir() / "captives.ksv"));
  ASSERT_EQ(slot.at.size(), kTaskCountAt + 1);
  static SaveImage image, before;
  ASSERT_EQ(ParseSaveText(slot.text.data(), slot.text.size(), kVersion, image), kReadOk);
  before = image;
  struct Damage {
    size_t index;
    const char* value;
    const char* what;
  };
  const size_t hero = kHeroes + 7 * kSaveHeroFields, city = kCities + 3 * kSaveCityFields;
  const size_t good = kGoods + 2 * kSaveGoodFields, task = kTasks + 4 * kSaveTaskFields;
  const Damage damages[] = {
      {0, "300", "ruler past the officers"},
      {2, "4", "scenario 5"},
      {hero + 0, "300", "officer id"},
      {hero + 1, "601", "owner past the captives"},
      {hero + 11, "50", "first item"},
      {hero + 12, "-1", "second item"},
      {hero + 14, "51", "city"},
      {hero + 17, "301", "loyal to"},
      {city + 0, "50", "city id"},
      {city + 1, "301", "city owner"},
      {city + 2, "-1", "governor"},
      {good + 1, "301", "item holder"},
      {good + 7, "51", "item city"},
      {good + 8, "-1", "item finder"},
      {task + 1, "51", "task city"},
      {task + 2, "300", "task officer"},
      {task + 9, "2", "task in use"},
      {kTaskCountAt, "255", "task count"},
      {kHeroList + 2, "50", "officer list city"},
      {kCityList + 2, "50", "city screen city"},
      {kGoodListAt + 2, "-1", "item list city"},
      {kMapAt + 0, "12", "cursor column"},
      {kMapAt + 1, "9", "cursor row"},
      {kMapAt + 2, "51", "selected city"},
      {kMapAt + 3, "4", "map scenario"},
      {kMapAt + 6, "0", "map ruler"},
      {kMapAt + 7, "18", "ruler choice"},
      {kMapAt + 8, "-1", "scenario again"},
      {kMonth, "13", "month"},
      {kMonth, "0", "month 0"},
      {hero + 3, "2147483648", "a number past int"},
      {hero + 3, "12a", "not a number"},
      {city + 5, "--3", "two signs"},
  };
  for (const Damage& d : damages) {
    std::string text = slot.With(d.index, d.value);
    EXPECT_EQ(ParseSaveText(text.data(), text.size(), kVersion, image), kReadDamaged) << d.what;
  }
  for (size_t part : {kHeroes, kCities, kGoods, kTasks, kHeroList, kMapAt, kVersionAt, kTaskCountAt}) {
    std::string text = slot.CutBefore(part);
    EXPECT_EQ(ParseSaveText(text.data(), text.size(), kVersion, image), kReadDamaged) << "cut before " << part;
  }
  std::string longer = slot.text + "7\n";
  EXPECT_EQ(ParseSaveText(longer.data(), longer.size(), kVersion, image), kReadDamaged) << "a number too many";
  EXPECT_EQ(std::memcmp(&image, &before, sizeof image), 0) << "a refused slot changed the image";

  // The edges themselves are a campaign's own values.
  for (const Damage& d : {Damage{kMonth, "12", "month 12"}, Damage{kTaskCountAt, "254", "task count"},
                          Damage{hero + 14, "0", "officer in no city"}, Damage{task + 2, "-1", "task of nobody"}}) {
    std::string text = slot.With(d.index, d.value);
    EXPECT_EQ(ParseSaveText(text.data(), text.size(), kVersion, image), kReadOk) << d.what;
  }
}
