#include "shell/report_log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"
#include "platform/profile.h"
#include "shell/globals.h"

int reportSpeed = 1;

namespace {

constexpr int kOfficerNameX = 120;  // the answer panel writes the speaker's name here
constexpr int kOfficerNameY = 430;
constexpr size_t kMaxFieldBytes = 400;
constexpr size_t kMaxLogFileBytes = 2u << 20;

struct Painted {
  int x;
  int y;
  int height;
  std::string text;
};

int scopeDepth = 0;
bool capturing = false;
const int* liveYear = nullptr;
const int* liveMonth = nullptr;
std::vector<Painted> pending;
std::string pendingCity;
std::string pendingOfficer;
std::vector<ReportEntry> entries;

// Spaces at both ends dropped, runs of spaces inside made one.
std::string Tidy(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

int MonthKey(int year, int month) { return year * 12 + (month - 1); }

void Take(std::string text) {
  text = Tidy(text);
  if (text.empty() || liveYear == nullptr || liveMonth == nullptr) return;
  ReportEntry e;
  e.year = *liveYear;
  e.month = *liveMonth;
  e.city = Tidy(pendingCity);
  e.officer = Tidy(pendingOfficer);
  e.text = text;
  ReportLogAdd(e);
}

std::string Field(const std::string& s) {
  std::string out = s.substr(0, std::min(s.size(), kMaxFieldBytes));
  for (char& c : out) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

}  // namespace

void ReadReportSpeed() {
  int v = GetPrivateProfileInt("Startup", "Speed", 1, kStartupIni);
  reportSpeed = v == 2 || v == 4 ? v : 1;
}

MonthEndScope::MonthEndScope(const int* year, const int* month, bool capture)
    : oldYear_(liveYear), oldMonth_(liveMonth), oldCapture_(capturing) {
  ++scopeDepth;
  liveYear = year;
  liveMonth = month;
  capturing = capture;
}

MonthEndScope::~MonthEndScope() {
  if (capturing) ReportLogFlushPending();
  --scopeDepth;
  liveYear = oldYear_;
  liveMonth = oldMonth_;
  capturing = oldCapture_;
  if (scopeDepth == 0) ReportLogDiscardPending();
}

bool InMonthEnd() { return scopeDepth > 0; }

int ScaledDelay(int ms) {
  if (scopeDepth == 0 || reportSpeed <= 1 || ms <= 0) return ms;
  return std::max(1, ms / reportSpeed);
}

void ReportLogPaintedText(const char* text, int x, int y, int height) {
  if (!capturing || text == nullptr) return;
  pending.push_back(Painted{x, y, height > 1 ? height : 2, text});
}

void ReportLogMessage(const char* a, const char* b, const char* c) {
  if (!capturing) return;
  ReportLogDiscardPending();
  std::string text = a ? a : "";
  if (b && *b) text += std::string(" ") + b;
  if (c && *c) text += std::string(" ") + c;
  Take(text);
}

void ReportLogPanelSubject(const char* city, const char* officer) {
  if (!capturing) return;
  pendingCity = city ? city : "";
  pendingOfficer = officer ? officer : "";
}

void ReportLogDiscardPending() {
  pending.clear();
  pendingCity.clear();
  pendingOfficer.clear();
}

void ReportLogFlushPending() {
  if (!capturing || pending.empty()) {
    ReportLogDiscardPending();
    return;
  }
  std::stable_sort(pending.begin(), pending.end(),
                   [](const Painted& l, const Painted& r) { return l.y != r.y ? l.y < r.y : l.x < r.x; });
  // The texts of one line are laid out as the screen shows them: a text drawn
  // into the spaces of another ("军 vs      军" with a name inside) fills them.
  std::string text;
  for (size_t i = 0; i < pending.size();) {
    size_t end = i;
    while (end < pending.size() && pending[end].y == pending[i].y) ++end;
    std::string line;
    int left = pending[i].x;
    for (size_t k = i; k < end; ++k) {
      const Painted& p = pending[k];
      if (p.x == kOfficerNameX && p.y == kOfficerNameY) {
        if (pendingOfficer.empty()) pendingOfficer = Tidy(p.text);
        continue;
      }
      size_t at = static_cast<size_t>((p.x - left) * 2 / p.height);
      if (line.size() < at + p.text.size()) line.resize(at + p.text.size(), ' ');
      for (size_t b = 0; b < p.text.size(); ++b) {
        if (p.text[b] != ' ' || line[at + b] == ' ') line[at + b] = p.text[b];
      }
    }
    text += Tidy(line);
    i = end;
  }
  Take(text);
  ReportLogDiscardPending();
}

const std::vector<ReportEntry>& ReportLogEntries() { return entries; }

void ReportLogClear() {
  entries.clear();
  ReportLogDiscardPending();
}

void ReportLogAdd(const ReportEntry& entry) {
  int key = MonthKey(entry.year, entry.month);
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [key](const ReportEntry& e) {
                                 int k = MonthKey(e.year, e.month);
                                 return k <= key - kReportLogMonths || k > key;
                               }),
                entries.end());
  if (static_cast<int>(entries.size()) >= kReportLogMaxEntries) entries.erase(entries.begin());
  entries.push_back(entry);
}

std::string ReportLogPathFor(const char* slotPath) {
  std::string p = slotPath ? slotPath : "";
  size_t dot = p.rfind('.');
  if (dot != std::string::npos) p.erase(dot);
  return p + ".rpt";
}

std::string FormatReportLog(const std::vector<ReportEntry>& list) {
  std::string out;
  for (const ReportEntry& e : list) {
    out += std::to_string(e.year) + '\t' + std::to_string(e.month) + '\t' + Field(e.city) + '\t' + Field(e.officer) +
           '\t' + Field(e.text) + '\n';
  }
  return out;
}

std::vector<ReportEntry> ParseReportLog(const std::string& text) {
  std::vector<ReportEntry> out;
  size_t start = 0;
  while (start < text.size() && static_cast<int>(out.size()) < kReportLogMaxEntries) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    std::vector<std::string> f;
    size_t a = 0;
    for (;;) {
      size_t t = line.find('\t', a);
      f.push_back(line.substr(a, t == std::string::npos ? std::string::npos : t - a));
      if (t == std::string::npos) break;
      a = t + 1;
    }
    if (f.size() != 5) continue;
    char* stop = nullptr;
    long year = std::strtol(f[0].c_str(), &stop, 10);
    if (f[0].empty() || *stop != 0 || year < -9999 || year > 9999) continue;
    long month = std::strtol(f[1].c_str(), &stop, 10);
    if (f[1].empty() || *stop != 0 || month < 1 || month > 12) continue;
    ReportEntry e;
    e.year = static_cast<int>(year);
    e.month = static_cast<int>(month);
    e.city = Field(f[2]);
    e.officer = Field(f[3]);
    e.text = Field(f[4]);
    out.push_back(e);
  }
  return out;
}

bool ReportLogWrite(const std::string& path) {
  std::string real = NormalizePath(path);
  std::string temp = real + ".tmp";
  std::string text = FormatReportLog(entries);
  FILE* f = OpenFile(temp, "wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok || !MoveFileTo(temp, real)) {
    DeleteFileAt(temp);
    return false;
  }
  return true;
}

void ReportLogRead(const std::string& path) {
  entries.clear();
  FILE* f = OpenFile(path, "rb");
  if (!f) return;
  std::string text;
  char buf[8192];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && text.size() < kMaxLogFileBytes) text.append(buf, n);
  std::fclose(f);
  for (const ReportEntry& e : ParseReportLog(text)) ReportLogAdd(e);
}

void DumpReportLog(JsonWriter& out) {
  out.BeginArray("reportLog");
  for (const ReportEntry& e : entries) {
    out.BeginObject();
    out.Int("year", e.year);
    out.Int("month", e.month);
    out.String("city", e.city.c_str());
    out.String("officer", e.officer.c_str());
    out.String("text", e.text.c_str());
    out.EndObject();
  }
  out.EndArray();
}
