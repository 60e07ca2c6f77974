// The help panel (F1), the report log (F2) and its file, the Speed setting and
// the autosave, played through the headless runner as a player would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "platform/window.h"
#include "shell/report_log.h"
#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

const char* const kToMap = "RETURN\nRETURN\nRETURN\nRETURN\n";  // intro, new game, first scenario, first ruler
const char* const kEndMonth = "ESC\nRETURN\n";
const char* const kSeed = "--seed 7";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// The dump without what only a clock (when asked for) or an open panel tells.
std::string Records(std::string dump) {
  dump = std::regex_replace(dump, std::regex("\"tickCount\":[0-9]+"), "");
  return std::regex_replace(dump, std::regex("\"overlay\":[0-9]+"), "");
}

// The text of the value of the first "key": in the JSON.
std::string Section(const std::string& t, const std::string& key) {
  size_t at = t.find("\"" + key + "\":");
  if (at == std::string::npos) return "";
  size_t i = at + key.size() + 3;
  int depth = 0;
  size_t start = i;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c == '[' || c == '{') ++depth;
    if (c == ']' || c == '}') {
      if (depth == 0) break;
      if (--depth == 0) return t.substr(start, i + 1 - start);
    }
    if (depth == 0 && c == ',') break;
  }
  return t.substr(start, i - start);
}

long long Tick(const std::string& dump) { return std::atoll(Section(dump, "tickCount").c_str()); }

std::string Ini(const std::string& startupExtra) {
  return "[Startup]\nWidth=800\nHeight=600\nColor=1\n" + startupExtra + "[Key]\n";
}

}  // namespace

TEST(HelpPanel, OverEveryScreenItLeavesThePictureAndTheRecordsUnchanged) {
  Sandbox box;
  // Title, map, city menu, interior menu: at each, F1 then Right (which would
  // move something on most screens) closes the panel and does nothing else.
  const char* stops[] = {"title", "map", "citymenu", "interior"};
  const char* ways[] = {"SPACE\n", "RETURN\nRETURN\nRETURN\n", "RETURN\n", "RETURN\n"};
  std::string script;
  for (int i = 0; i < 4; ++i) {
    std::string s = stops[i];
    script += ways[i];
    script += "shot " + s + "-a.png\ndump " + s + "-a.json\nVK:112\nshot " + s + "-h.png\ndump " + s +
              "-h.json\nRIGHT\nshot " + s + "-b.png\ndump " + s + "-b.json\n";
  }
  ASSERT_EQ(box.RunGame(script, kSeed), 0);
  for (const char* s : stops) {
    std::string a = box.Read(std::string("shots/") + s + "-a.json");
    std::string h = box.Read(std::string("shots/") + s + "-h.json");
    EXPECT_TRUE(Contains(h, "\"overlay\":1")) << s;
    EXPECT_EQ(Records(h), Records(a)) << s;
    EXPECT_EQ(Records(box.Read(std::string("shots/") + s + "-b.json")), Records(a)) << s;
    EXPECT_EQ(box.Read(std::string("shots/") + s + "-b.png"), box.Read(std::string("shots/") + s + "-a.png")) << s;
    EXPECT_NE(box.Read(std::string("shots/") + s + "-h.png"), box.Read(std::string("shots/") + s + "-a.png")) << s;
  }
  EXPECT_TRUE(Contains(box.Read("shots/interior-a.json"), "\"commandGroup\":1"));
}

// In a battle, over the field, its Escape menu, a unit's choice of square and
// of a target, the panel opens and closing it leaves the battle where it was.
TEST(HelpPanel, InEveryModeOfABattleItLeavesTheBattleAsItWas) {
  Sandbox box;
  // Chang'an's ruler alone against Wan (as the war month test orders it).
  std::string script =
      "SPACE\nRETURN\nRETURN\nRETURN\nRETURN\nDOWN\nDOWN\nRETURN\nDOWN\nDOWN\nDOWN\nDOWN\nRETURN\n"
      "RETURN\nDOWN\nESC\nRIGHT\nUP\nRETURN\nDOWN\nDOWN\nRETURN\nESC\nRETURN\n";
  const char* stops[] = {"field", "daymenu", "move", "target"};
  const char* ways[] = {"", "ESC\n", "ESC\nRETURN\n", "RETURN\nRETURN\n"};  // the last: stay, then attack
  for (int i = 0; i < 4; ++i) {
    std::string s = stops[i];
    script += ways[i];
    script += "shot " + s + "-a.png\ndump " + s + "-a.json\nVK:112\nshot " + s + "-h.png\nRIGHT\nshot " + s +
              "-b.png\ndump " + s + "-b.json\n";
  }
  ASSERT_EQ(box.RunGame(script, kSeed), 0) << box.Read("err.txt");
  EXPECT_TRUE(Contains(box.Read("shots/field-a.json"), "\"battleOpen\":1"));
  for (const char* stop : stops) {
    std::string s = std::string("shots/") + stop;
    EXPECT_EQ(Records(box.Read(s + "-b.json")), Records(box.Read(s + "-a.json"))) << stop;
    EXPECT_EQ(box.Read(s + "-b.png"), box.Read(s + "-a.png")) << stop;
    EXPECT_NE(box.Read(s + "-h.png"), box.Read(s + "-a.png")) << stop;
  }
  EXPECT_TRUE(Contains(box.Read("shots/target-a.json"), "\"attackMode\":1"));
}

// Today's key scripts (those of the golden saves) end on the same records with
// F1 and F2 pressed in pairs after every one of their keys.
TEST(HelpPanel, TodaysKeyScriptsGiveTheSameDumpWithTheFixedKeysBetweenTheirKeys) {
  const char* source = std::getenv("KESTREL_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  int scripts = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(source) / "tests" / "golden")) {
    if (entry.path().extension() != ".keys") continue;
    Sandbox plain, mixed;
    std::ifstream in(entry.path());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string script, withKeys;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      start = end == std::string::npos ? text.size() : end + 1;
      if (line == "quit") break;
      script += line + "\n";
      withKeys += line + "\n";
      if (!line.empty() && line[0] != '#') withKeys += "VK:112\nVK:113\nVK:113\nVK:113\n";
    }
    script += "dump end.json\n";
    withKeys += "dump end.json\n";
    ASSERT_EQ(plain.RunGame(script, "--seed 1"), 0);
    ASSERT_EQ(mixed.RunGame(withKeys, "--seed 1"), 0);
    EXPECT_EQ(Records(mixed.Read("shots/end.json")), Records(plain.Read("shots/end.json"))) << entry.path();
    ++scripts;
  }
  EXPECT_GE(scripts, 2);
}

TEST(ReportLog, KeepsTwelveMonthsOfReportsAndOpensOnlyOnThePlainMap) {
  Sandbox box;
  std::string script = std::string(kToMap) + Repeat(kEndMonth, 14) +
                       "dump before.json\nVK:113\ndump open.json\nshot log.png\nDOWN\nDOWN\ndump scrolled.json\n"
                       "LEFT\nRETURN\ndump closed.json\nESC\nVK:113\ndump menu.json\nESC\ndump after.json\n";
  ASSERT_EQ(box.RunGame(script, kSeed), 0);
  std::string before = box.Read("shots/before.json");
  std::string date = Section(Section(before, "map"), "date");
  int year = std::atoi(Section(date, "year").c_str());
  int month = std::atoi(Section(date, "month").c_str());
  int now = year * 12 + month - 1;
  std::string log = Section(before, "reportLog");
  std::smatch m;
  std::regex entry("\"year\":([0-9]+),\"month\":([0-9]+)");
  int entries = 0;
  int oldest = now;
  for (auto it = std::sregex_iterator(log.begin(), log.end(), entry); it != std::sregex_iterator(); ++it) {
    int key = std::stoi((*it)[1]) * 12 + std::stoi((*it)[2]) - 1;
    EXPECT_GT(key, now - 12);
    EXPECT_LE(key, now);
    if (key < oldest) oldest = key;
    ++entries;
  }
  EXPECT_GT(entries, 5) << log;
  EXPECT_LE(oldest, now - 6);  // months well back are still there

  EXPECT_TRUE(Contains(box.Read("shots/open.json"), "\"overlay\":2"));
  EXPECT_TRUE(Contains(box.Read("shots/scrolled.json"), "\"overlay\":2"));  // arrows scroll, they do not close
  EXPECT_EQ(Records(box.Read("shots/closed.json")), Records(before));       // Return only closed it
  std::string menu = box.Read("shots/menu.json");
  EXPECT_TRUE(Contains(menu, "\"overlay\":0"));  // not over the system menu
  EXPECT_TRUE(Contains(menu, "\"menuLevel\":1"));
  EXPECT_TRUE(Contains(box.Read("shots/after.json"), "\"menuLevel\":0"));
}

TEST(ReportLog, TravelsWithItsSlotAndTheAutosave) {
  Sandbox box;
  std::string play = std::string(kToMap) + Repeat(kEndMonth, 3) + "dump played.json\nESC\nDOWN\nRETURN\nRETURN\n";
  ASSERT_EQ(box.RunGame(play, kSeed), 0);
  std::string log = Section(box.Read("shots/played.json"), "reportLog");
  ASSERT_GT(log.size(), 10u);
  ASSERT_TRUE(fs::exists(box.Res() / "Save" / "save0.rpt"));
  ASSERT_TRUE(fs::exists(box.Res() / "Save" / "autosave.rpt"));
  // Slot 0, and the autosave (the load screen's fourth row, Up from the first).
  ASSERT_EQ(box.RunGame("DOWN\nDOWN\nRETURN\nRETURN\ndump slot.json\n", kSeed), 0);
  EXPECT_EQ(Section(box.Read("shots/slot.json"), "reportLog"), log);
  ASSERT_EQ(box.RunGame("DOWN\nDOWN\nRETURN\nUP\ndump row.json\nRETURN\ndump auto.json\n", kSeed), 0);
  EXPECT_TRUE(Contains(box.Read("shots/row.json"), "\"slotChoice\":3"));
  EXPECT_EQ(Section(box.Read("shots/auto.json"), "reportLog"), log);
  // A new campaign starts with an empty log.
  ASSERT_EQ(box.RunGame(std::string(kToMap) + "dump new.json\n", kSeed), 0);
  EXPECT_EQ(Section(box.Read("shots/new.json"), "reportLog"), "[]");
}

TEST(ReportLogFile, UnreadableLinesAreSkippedAndOnlyTwelveMonthsKept) {
  std::vector<ReportEntry> read = ParseReportLog(
      "190\t2\tA\tB\ttext one\n"
      "garbage\n"
      "190\t13\tA\tB\tbad month\n"
      "19x\t2\tA\tB\tbad year\n"
      "190\t3\t\t\tno city, no officer\n"
      "190\t3\tA\tB\ttoo\tmany\n");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[1].text, "no city, no officer");
  EXPECT_EQ(ParseReportLog(FormatReportLog(read)).size(), 2u);

  ReportLogClear();
  for (int m = 0; m < 14; ++m) ReportLogAdd(ReportEntry{190 + m / 12, m % 12 + 1, "", "", "x"});
  ASSERT_EQ(ReportLogEntries().size(), 12u);
  EXPECT_EQ(ReportLogEntries().front().month, 3);  // 190/3 .. 191/2
  EXPECT_EQ(ReportLogPathFor("Res\\Save\\save1.ksv"), "Res\\Save\\save1.rpt");
  ReportLogClear();
}

TEST(Speed, FourQuartersTheVirtualTimeOfAMonthEnd) {
  long long took[2] = {};
  const char* speeds[] = {"Speed=1\n", "Speed=4\n"};
  setenv("KESTREL_DUMP_CLOCK", "1", 1);  // the dumps tell the virtual clock
  for (int i = 0; i < 2; ++i) {
    Sandbox box;
    box.Write("Res/startup.ini", Ini(speeds[i]));
    ASSERT_EQ(box.RunGame(std::string(kToMap) + "ESC\ndump a.json\nRETURN\ndump b.json\n", kSeed), 0);
    std::string b = box.Read("shots/b.json");
    EXPECT_TRUE(Contains(b, std::string("\"speed\":") + (i == 0 ? "1" : "4")));
    // Less the main loop's pause after the key, which no setting changes.
    took[i] = Tick(b) - Tick(box.Read("shots/a.json")) - 5;
  }
  unsetenv("KESTREL_DUMP_CLOCK");
  ASSERT_GT(took[0], 1000);
  EXPECT_NEAR(static_cast<double>(took[1]), took[0] / 4.0, took[0] * 0.02);
}

TEST(Autosave, EveryEndedMonthLoadsBackToTheSameRecordsAndASaveFolderThatFailsChangesNothing) {
  Sandbox box;
  ASSERT_EQ(box.RunGame(std::string(kToMap) + Repeat(kEndMonth, 2) +
                            "dump ended.json\n"
                            "ESC\nDOWN\nRETURN\nUP\ndump savescreen.json\n",
                        kSeed),
            0);
  std::string ended = box.Read("shots/ended.json");
  EXPECT_TRUE(Contains(box.Read("shots/savescreen.json"), "\"slotChoice\":2"));  // the save screen keeps three rows
  ASSERT_EQ(box.RunGame("DOWN\nDOWN\nRETURN\nUP\nRETURN\ndump loaded.json\n", kSeed), 0);
  std::string loaded = box.Read("shots/loaded.json");
  for (const char* section : {"cities", "officers", "items", "tasks", "date", "playerRuler"}) {
    EXPECT_EQ(Section(Section(loaded, "map"), section), Section(Section(ended, "map"), section)) << section;
  }

  // With Save a plain file no autosave can be written: the notice is all that differs.
  Sandbox broken;
  fs::remove_all(broken.Res() / "Save");
  broken.Write("Res/Save", "not a folder");
  ASSERT_EQ(broken.RunGame(std::string(kToMap) + Repeat(kEndMonth, 2) + "dump ended.json\n", kSeed), 0);
  EXPECT_EQ(Records(broken.Read("shots/ended.json")), Records(ended));
}

TEST(WindowSize, LargestFourByThreeThatFitsTheDesktopWithItsCaption) {
  int w = 0, h = 0;
  FitFourThree(1920, 1050, 0, 30, w, h);  // a 1080 desktop less its panel
  EXPECT_EQ(w, 1360);
  EXPECT_EQ(h, 1020);
  FitFourThree(1280, 1024, 2, 30, w, h);  // width bound
  EXPECT_EQ(w, 1276);
  EXPECT_EQ(h, 957);
  FitFourThree(300, 200, 0, 30, w, h);  // never below 400 x 300
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 300);
}

// A panel's texts make one entry in the order the screen shows them; a text
// painted into the spaces of another fills them, and the speaker's name (where
// the answer panel writes it) is the entry's officer.
TEST(ReportLogFile, APanelReadsAsTheScreenShowsIt) {
  ReportLogClear();
  int year = 190, month = 3;
  {
    MonthEndScope scope(&year, &month, true);
    ReportLogPaintedText("map text that a redraw throws away", 0, 0, 40);
    ReportLogDiscardPending();
    ReportLogPaintedText("     vs      ", 300, 100, 40);  // the banner's middle, 20 pixels a byte
    ReportLogPaintedText("AB", 200, 100, 40);
    ReportLogPaintedText("CD", 460, 100, 40);
    ReportLogPaintedText("second line", 300, 170, 40);
    ReportLogPaintedText("Zhang", 120, 430, 40);
    ReportLogPanelSubject("City", nullptr);
    ReportLogFlushPending();
    ReportLogMessage("one", "two", "");
  }
  ASSERT_EQ(ReportLogEntries().size(), 2u);
  EXPECT_EQ(ReportLogEntries()[0].text, "AB vs CDsecond line");  // lines join as one sentence
  EXPECT_EQ(ReportLogEntries()[0].officer, "Zhang");
  EXPECT_EQ(ReportLogEntries()[0].city, "City");
  EXPECT_EQ(ReportLogEntries()[0].month, 3);
  EXPECT_EQ(ReportLogEntries()[1].text, "one two");
  ReportLogPaintedText("outside a month end", 0, 0, 40);  // nothing is kept outside the scope
  ReportLogFlushPending();
  EXPECT_EQ(ReportLogEntries().size(), 2u);
  ReportLogClear();
}
