#include "tools/resgen/world/world_lists.h"

#include <vector>

#include "tools/resgen/common/resgen_io.h"

namespace {
// A menu cell is 60 pixels and the text is 50 pixels high, so one Chinese
// character (2 GBK bytes) fits per cell after the margins.
constexpr int kTwoCells = 4;
constexpr int kFourCells = 8;
}  // namespace

const MenuList kMenuLists[] = {
    {"citymu.txt", "citymu.kss", 4, kTwoCells},        // interior, diplomacy, armament, city information
    {"escape.txt", "escape.kss", 3, kFourCells},       // end the month, save, quit
    {"neizhen.txt", "neizhen.kss", 14, kTwoCells},     // orders 1..14
    {"waijiao.txt", "waijiao.kss", 5, kTwoCells},      // orders 15..19
    {"junbei.txt", "junbei.kss", 5, kTwoCells},        // orders 20..24
    {"fightesc.txt", "fightesc.kss", 5, kFourCells},   // end the day, retreat, three settings
    {"fightshow.txt", "fightshow.kss", 2, kTwoCells},  // setting value 0, 1
    {"fightspeed.txt", "fightspeed.kss", 2, kTwoCells},
    {"fightfight.txt", "fightfight.kss", 4, kTwoCells},  // attack, skill, information, stand by
};
const int kMenuListCount = sizeof kMenuLists / sizeof kMenuLists[0];

bool WriteMenuList(const std::string& dataDir, const std::string& resDir, const MenuList& list) {
  std::string source = JoinPath(JoinPath(dataDir, "lists"), list.source);
  std::vector<SourceRow> rows;
  if (!ReadLineFile(source, rows)) return false;
  bool ok = true;
  if (static_cast<int>(rows.size()) != list.entries) {
    ReportError(source, 0,
                "has " + std::to_string(rows.size()) + " entries; its menu has " + std::to_string(list.entries));
    ok = false;
  }
  std::vector<std::string> lines;
  std::vector<int> lineNumbers;
  for (const SourceRow& row : rows) {
    std::string gbk;
    if (ToGbk(row.cells[0], gbk) && static_cast<int>(gbk.size()) > list.maxBytes) {
      ReportError(source, row.line,
                  "\"" + row.cells[0] + "\" is wider than its menu (" + std::to_string(list.maxBytes) + " GBK bytes)");
      ok = false;
    }
    lines.push_back(row.cells[0]);
    lineNumbers.push_back(row.line);
  }
  return WriteKss(JoinPath(resDir, list.target), lines, source, lineNumbers) && ok;
}

bool WriteMenuLists(const ResgenPaths& paths) {
  bool ok = true;
  for (int i = 0; i < kMenuListCount; ++i) ok = WriteMenuList(paths.dataDir, paths.resDir, kMenuLists[i]) && ok;
  return ok;
}
