#include "shell/run_log.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"

namespace {

constexpr const char* kLevelGeneral = ":常规:";
constexpr const char* kLevelError = ":错误:";
constexpr const char* kLevelTest = ":测试:";

// The day file stays open between lines: every line is flushed before Log
// returns, so a crash loses nothing, and a method call costs a write instead of
// an open and a close. It is reopened when the day changes.
struct OpenDayFile {
  FILE* file = nullptr;
  std::string path;
};
OpenDayFile dayFile;

// The clock is broken into calendar fields at most once a second.
struct Stamp {
  time_t second = -1;
  std::tm local{};
  char text[64] = {0};
  char dayPath[64] = {0};
};
Stamp stamp;

void Refresh() {
  time_t now = time(nullptr);
  if (now == stamp.second) return;
  stamp.second = now;
  stamp.local = LocalNow();
  const std::tm& t = stamp.local;
  std::snprintf(stamp.text, sizeof stamp.text, "%d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  std::snprintf(stamp.dayPath, sizeof stamp.dayPath, "Res\\Log\\%d%02d%02d.log", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday);
}

void CloseDayFile() {
  if (dayFile.file) std::fclose(dayFile.file);
  dayFile.file = nullptr;
  dayFile.path.clear();
}

FILE* DayFile() {
  if (dayFile.file && dayFile.path == stamp.dayPath && FileExists(stamp.dayPath)) return dayFile.file;
  CloseDayFile();
  dayFile.file = OpenFile(stamp.dayPath, "a");
  if (dayFile.file) dayFile.path = stamp.dayPath;
  return dayFile.file;
}

// Keeps the trace of a run that did not end normally: the day file it left
// behind moves into the error folder under the moment of the move.
void RotateDayFile() {
  CloseDayFile();
  const std::tm& t = stamp.local;
  char errPath[64];
  std::snprintf(errPath, sizeof errPath, "Res\\Log\\Err\\%d%02d%02d%02d%02d%02d.log", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  if (FileExists(stamp.dayPath)) MoveFileTo(stamp.dayPath, errPath);
}

const char* LevelLabel(int level) {
  switch (level) {
    case 1: return kLevelGeneral;
    case 2: return kLevelError;
    case 3: return kLevelTest;
    default: return nullptr;
  }
}

}  // namespace

void Log(int level, const char* name, const char* text, int number) {
  Refresh();
  if (level == 5) {
    RotateDayFile();
    level = 1;
  }
  FILE* f = DayFile();
  const char* label = LevelLabel(level);
  if (!f || !label) return;
  if (number != 0) {
    std::fprintf(f, "%s:%s%s%s:%d\n", stamp.text, label, name, text, number);
  } else {
    std::fprintf(f, "%s:%s%s%s\n", stamp.text, label, name, text);
  }
  std::fflush(f);
}

void DeleteTodayLog() {
  stamp.second = -1;
  Refresh();
  CloseDayFile();
  DeleteFileAt(stamp.dayPath);
}

void CloseRunLog() { CloseDayFile(); stamp.second = -1; }
