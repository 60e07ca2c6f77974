#include "tools/resgen/common/resgen_io.h"

#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tools/resgen/common/resgen_record.h"

ResgenDiagnostics& Diagnostics() {
  static ResgenDiagnostics diagnostics;
  return diagnostics;
}

void ReportError(const std::string& file, int line, const std::string& message) {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  text += ": " + message;
  Diagnostics().messages.push_back(text);
  if (!Diagnostics().quiet) std::fprintf(stderr, "resgen: %s\n", text.c_str());
}

int ErrorCount() { return static_cast<int>(Diagnostics().messages.size()); }

void ClearErrors() { Diagnostics().messages.clear(); }

namespace {

std::string StripLineEnd(std::string s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
  return s;
}

bool IsBlankOrComment(const std::string& s) {
  size_t first = s.find_first_not_of(" \t");
  return first == std::string::npos || s[first] == '#';
}

std::vector<std::string> SplitTabs(const std::string& s) {
  std::vector<std::string> cells;
  size_t start = 0;
  while (true) {
    size_t tab = s.find('\t', start);
    std::string cell = s.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    // Editors pad columns with spaces; the values themselves never start or end with one.
    size_t b = cell.find_first_not_of(' ');
    size_t e = cell.find_last_not_of(' ');
    cells.push_back(b == std::string::npos ? std::string() : cell.substr(b, e - b + 1));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return cells;
}

}  // namespace

bool ParseInt(const std::string& text, int& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < -2147483647L || v > 2147483647L) return false;
  out = static_cast<int>(v);
  return true;
}

int TsvTable::Column(const std::string& name) const {
  for (size_t i = 0; i < header.size(); ++i)
    if (header[i] == name) return static_cast<int>(i);
  ReportError(path, 0, "no column \"" + name + "\" in the header");
  return -1;
}

const std::string& TsvTable::Cell(const SourceRow& row, int column) const {
  static const std::string empty;
  if (column < 0) return empty;
  if (column >= static_cast<int>(row.cells.size())) {
    ReportError(path, row.line, "record has no column \"" + header[column] + "\"");
    return empty;
  }
  return row.cells[column];
}

bool TsvTable::Int(const SourceRow& row, int column, int& out) const {
  if (column < 0 || column >= static_cast<int>(row.cells.size())) {
    Cell(row, column);
    return false;
  }
  if (!ParseInt(row.cells[column], out)) {
    ReportError(path, row.line, header[column] + " \"" + row.cells[column] + "\" is not a whole number");
    return false;
  }
  return true;
}

bool TsvTable::Int(const SourceRow& row, const std::string& name, int& out) const {
  return Int(row, Column(name), out);
}

namespace {

// Hands each line of a source file that is neither blank nor a comment to
// `take`, with its line number; false when the file cannot be opened.
template <typename Take>
bool ForEachSourceLine(const std::string& path, Take take) {
  RunRecord().NoteRead(path);
  std::ifstream in(path);
  if (!in) {
    ReportError(path, 0, "cannot open");
    return false;
  }
  std::string text;
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
    text = StripLineEnd(text);
    if (!IsBlankOrComment(text)) take(line, text);
  }
  return true;
}

}  // namespace

bool ReadTsv(const std::string& path, TsvTable& out) {
  out = TsvTable();
  out.path = path;
  bool opened = ForEachSourceLine(path, [&out](int line, const std::string& text) {
    if (out.header.empty()) out.header = SplitTabs(text);
    else out.rows.push_back(SourceRow{line, SplitTabs(text)});
  });
  if (!opened) return false;
  if (out.header.empty()) {
    ReportError(path, 0, "no header line");
    return false;
  }
  return true;
}

bool ReadLineFile(const std::string& path, std::vector<SourceRow>& out) {
  out.clear();
  return ForEachSourceLine(path, [&out](int line, const std::string& text) { out.push_back(SourceRow{line, {text}}); });
}

bool SplitInts(const std::string& file, int line, const std::string& text, std::vector<int>& out) {
  out.clear();
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    int v = 0;
    if (!ParseInt(word, v)) {
      ReportError(file, line, "\"" + word + "\" is not a whole number");
      return false;
    }
    out.push_back(v);
  }
  return true;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

bool MakeDir(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
  ReportError(path, 0, "cannot create the folder");
  return false;
}

bool ToGbk(const std::string& utf8, std::string& gbk) {
  gbk.clear();
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in = utf8;
  char* src = in.data();
  size_t srcLeft = in.size();
  std::string buffer(in.size() * 2 + 4, '\0');
  char* dst = buffer.data();
  size_t dstLeft = buffer.size();
  size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return false;
  buffer.resize(buffer.size() - dstLeft);
  gbk = buffer;
  return true;
}

bool WriteKss(const std::string& path, const std::vector<std::string>& lines, const std::string& sourceFile,
              const std::vector<int>& sourceLines) {
  std::string body;
  bool ok = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    int srcLine = i < sourceLines.size() ? sourceLines[i] : 0;
    std::string gbk;
    if (!ToGbk(lines[i], gbk)) {
      ReportError(sourceFile, srcLine, "\"" + lines[i] + "\" has a character with no GBK form");
      ok = false;
      continue;
    }
    if (static_cast<int>(gbk.size()) > kListLineBytes) {
      ReportError(sourceFile, srcLine,
                  "\"" + lines[i] + "\" is " + std::to_string(gbk.size()) + " GBK bytes; a list line holds at most " +
                      std::to_string(kListLineBytes) + " (" + path + " line " + std::to_string(i + 1) + ")");
      ok = false;
      continue;
    }
    body += gbk + "\n";
  }
  if (!ok) return false;
  return WriteText(path, body);
}

bool WriteKdt(const std::string& path, const std::vector<std::vector<long long>>& records) {
  std::string body;
  for (const auto& record : records) {
    for (size_t i = 0; i < record.size(); ++i) {
      if (i) body += ' ';
      body += std::to_string(record[i]);
    }
    body += "\n";
  }
  return WriteText(path, body);
}

bool WriteText(const std::string& path, const std::string& text) {
  RunRecord().NoteWritten(path);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    ReportError(path, 0, "cannot write");
    return false;
  }
  out << text;
  if (!out) {
    ReportError(path, 0, "write failed");
    return false;
  }
  return true;
}
