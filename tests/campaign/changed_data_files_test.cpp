// The game reads its tables, lists and battle maps from disk for every look-up
// on purpose: a file changed between two reads shows its new content at once,
// even when it kept its size, and a file that is gone is refused.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "battle/battle_globals.h"
#include "battle/fight_map.h"
#include "campaign/table_file.h"
#include "shell/text_grid.h"
#include "tests/campaign/fixture_res.h"

namespace {

std::string ReadTable(const char* path) {
  TableFile table(path);
  if (!table.IsOpen()) return "refused";
  std::string out;
  for (int v = 0; table.Read(v);) out += std::to_string(v) + ",";
  return out;
}

std::string ReadList(const char* path) {
  int n = LoadLineList(path);
  if (n == 0) return "refused";
  std::string out;
  for (int i = 0; i < n; ++i) out += std::string(textGrid[i]) + ",";
  return out;
}

std::string ReadBattleMap(const char*) {
  static int tiles[kMapStride * kMapStride];
  int n = ReadBattleMapFile(0, tiles);
  if (n == 0) return "refused";
  return std::to_string(n) + ":" + std::to_string(tiles[0]) + "," + std::to_string(tiles[1]);
}

void SetAge(const std::string& path, int hours) {
  timespec times[2];
  times[0].tv_sec = times[1].tv_sec = time(nullptr) - hours * 3600;
  times[0].tv_nsec = times[1].tv_nsec = 0;
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

struct Reader {
  const char* path;
  std::function<std::string(const char*)> read;
  const char* first;
  const char* second;  // the same size as the first
  const char* firstSeen;
  const char* secondSeen;
};

TEST(ChangedDataFiles, ShowTheirNewContentAndAFileGoneIsRefused) {
  const Reader readers[] = {
      {"Res/City/test.kdt", ReadTable, "11 22 33", "44 55 66", "11,22,33,", "44,55,66,"},
      {"Res/test.kss", ReadList, "one\ntwo\n", "uno\ndos\n", "one,two,", "uno,dos,"},
      {"Res/Fight/fightmap00.kdt", ReadBattleMap, "7 8 9", "3 4 5", "3:7,8", "3:3,4"},
  };
  FixtureRes res;
  namespace fs = std::filesystem;
  for (const Reader& r : readers) {
    fs::path file = fs::path(res.Root()) / r.path;
    res.Write(r.path, r.first);
    SetAge(file.string(), 3);
    EXPECT_EQ(r.read(r.path), r.firstSeen) << r.path;
    EXPECT_EQ(r.read(r.path), r.firstSeen) << r.path << " read again";
    res.Write(r.path, r.second);
    SetAge(file.string(), 2);
    EXPECT_EQ(r.read(r.path), r.secondSeen) << r.path;
    res.Remove(r.path);
    EXPECT_EQ(r.read(r.path), "refused") << r.path;
  }
}

}  // namespace
