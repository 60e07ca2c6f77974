#pragma once
// What the month end told the player, kept after its timed panels are gone:
// every report, answer and notice of the current month and the eleven before
// it (month, city, officer, text; all GBK). The month end opens a scope while
// it runs; inside it the toolkit hands the log what it shows, and every delay
// is divided by the Speed setting.
#include <string>
#include <vector>

#include "shell/json_writer.h"

struct ReportEntry {
  int year = 0;
  int month = 0;
  std::string city;
  std::string officer;
  std::string text;
};

constexpr int kReportLogMonths = 12;  // the current month and the eleven before it
constexpr int kReportLogMaxEntries = 4000;

// The Speed setting (1, 2 or 4): how much faster the month end's delays run.
extern int reportSpeed;
// Reads Speed from startup.ini (anything else than 2 or 4 is 1).
void ReadReportSpeed();

// While one of these lives, delays are divided by reportSpeed; with `capture`
// the texts shown are kept in the log. `year` and `month` point at the
// campaign's calendar, read when an entry is taken.
class MonthEndScope {
 public:
  MonthEndScope(const int* year, const int* month, bool capture);
  ~MonthEndScope();
  MonthEndScope(const MonthEndScope&) = delete;
  MonthEndScope& operator=(const MonthEndScope&) = delete;

 private:
  const int* oldYear_;
  const int* oldMonth_;
  bool oldCapture_;
};

bool InMonthEnd();
// The delay a wait of `ms` takes now.
int ScaledDelay(int ms);

// Hooks of the toolkit and the report panels.
// A text painted into the back buffer (kept for the panel until the next delay),
// at `height` pixels: the fixed-pitch font makes a byte half as wide.
void ReportLogPaintedText(const char* text, int x, int y, int height);
// A boxed message's texts, in reading order.
void ReportLogMessage(const char* a, const char* b, const char* c);
// The city and officer the panel being drawn speaks of.
void ReportLogPanelSubject(const char* city, const char* officer);
// The screen behind is redrawn: what was painted so far is no report.
void ReportLogDiscardPending();
// A delay begins: the panel painted since the last redraw becomes an entry.
void ReportLogFlushPending();

// The log itself.
const std::vector<ReportEntry>& ReportLogEntries();
void ReportLogClear();
void ReportLogAdd(const ReportEntry& entry);
// The log file beside a save slot ("Res\Save\save0.ksv" -> "Res\Save\save0.rpt").
std::string ReportLogPathFor(const char* slotPath);
bool ReportLogWrite(const std::string& path);
// Replaces the log by the file's entries (a missing or unreadable file gives an empty log).
void ReportLogRead(const std::string& path);
// Parses the text of a log file; lines it cannot read are skipped.
std::vector<ReportEntry> ParseReportLog(const std::string& text);
std::string FormatReportLog(const std::vector<ReportEntry>& entries);
void DumpReportLog(JsonWriter& out);
