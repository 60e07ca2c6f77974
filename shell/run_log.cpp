#include "shell/run_log.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "rules/data_files.h"

namespace {

constexpr const char* kLevelGeneral = ":常规:";
constexpr const char* kLevelError = ":错误:";
constexpr const char* kLevelTest = ":测试:";
constexpr int kMaxTracesPerSecond = 1000;
constexpr int kNumberChars = 12;  // an int in decimal with its sign

// The day file stays open between lines: every line is flushed before Log
// returns, so a crash loses nothing, and a method call costs a write instead of
// an open and a close. It is reopened when the day changes.
struct OpenDayFile {
  FILE* file = nullptr;
  std::string path;
  time_t pathChecked = -1;  // the second its path was last looked up
};
OpenDayFile dayFile;

// Set once the run has ended normally and deleted its day file: whatever is
// still logged before the process is gone (the rest of a month end after a
// victory, say) is not the trace of a crash and must not survive the run.
bool endedNormally = false;

// The clock is broken into calendar fields at most once a second.
struct Stamp {
  time_t second = -1;
  std::tm local{};
  char text[64] = {0};
  char dayPath[64] = {0};
  std::string dayFile;  // dayPath as the file system spells it
};
Stamp stamp;

void Refresh() {
  time_t now = time(nullptr);
  if (now == stamp.second) return;
  stamp.second = now;
  stamp.local = LocalNow();
  const std::tm& t = stamp.local;
  std::snprintf(stamp.text, sizeof stamp.text, "%d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  std::snprintf(stamp.dayPath, sizeof stamp.dayPath, kDayLogFormat, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  stamp.dayFile = NormalizePath(stamp.dayPath);
}

// Something else may have removed the day file while it was open (the line
// would vanish with it); it is created again. The open file itself tells at
// once whether it has lost its name, which costs far less than looking the
// path up for every line; whether the name now leads elsewhere (the file was
// moved away, or replaced) is asked of the path once a second.
bool DayFileStillThere() {
  struct stat open;
  if (fstat(fileno(dayFile.file), &open) != 0 || open.st_nlink == 0) return false;
  if (dayFile.pathChecked == stamp.second) return true;
  dayFile.pathChecked = stamp.second;
  struct stat named;
  return stat(stamp.dayFile.c_str(), &named) == 0 && named.st_ino == open.st_ino && named.st_dev == open.st_dev;
}

void CloseDayFile() {
  if (dayFile.file) std::fclose(dayFile.file);
  dayFile.file = nullptr;
  dayFile.path.clear();
  dayFile.pathChecked = -1;
}

FILE* DayFile() {
  if (dayFile.file && dayFile.path == stamp.dayPath && DayFileStillThere()) return dayFile.file;
  CloseDayFile();
  dayFile.file = OpenFile(stamp.dayPath, "a");
  if (dayFile.file) dayFile.path = stamp.dayPath;
  return dayFile.file;
}

// Keeps the trace of a run that did not end normally: the day file it left
// behind moves into the error folder under the moment of the move.
// Two rotations within one second (a crash straight after a start, say) must
// not lose the earlier trace: the later one takes the first free name with a
// counter after the moment.
void RotateDayFile() {
  CloseDayFile();
  if (!FileExists(stamp.dayPath)) return;
  const std::tm& t = stamp.local;
  char moment[32];
  std::snprintf(moment, sizeof moment, "%d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec);
  char errPath[80];
  std::snprintf(errPath, sizeof errPath, kKeptLogFormat, moment);
  for (int n = 1; FileExists(errPath) && n < kMaxTracesPerSecond; ++n)
    std::snprintf(errPath, sizeof errPath, kKeptLogNumberedFormat, moment, n);
  if (!FileExists(errPath)) MoveFileTo(stamp.dayPath, errPath);
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
    // A new run: a day file left by an earlier run of this process that ended
    // normally is no crash trace.
    if (endedNormally) DeleteTodayLog();
    endedNormally = false;
    RotateDayFile();
    level = 1;
  }
  FILE* f = DayFile();
  const char* label = LevelLabel(level);
  if (!f || !label) return;
  // Every method logs a line: it is put together here and handed over whole.
  static std::string line;
  line.assign(stamp.text);
  line += ':';
  line += label;
  line += name;
  line += text;
  if (number != 0) {
    char digits[kNumberChars];
    line += ':';
    line.append(digits, std::to_chars(digits, digits + kNumberChars, number).ptr);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), f);
  std::fflush(f);
}

void DeleteTodayLog() {
  stamp.second = -1;
  Refresh();
  CloseDayFile();
  DeleteFileAt(stamp.dayPath);
  endedNormally = true;
}

void EndRunLog() {
  if (endedNormally) {
    DeleteTodayLog();
  } else {
    CloseDayFile();
  }
}

void CloseRunLog() {
  CloseDayFile();
  stamp.second = -1;
  endedNormally = false;
}
