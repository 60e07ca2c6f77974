#pragma once
// Shared reading and writing for resgen: the UTF-8 sources of data/ in, the
// game's GBK lists and decimal tables out, and one place that reports a broken
// record by file and line.
#include <string>
#include <vector>

#include "platform/files.h"

// ---- Errors -------------------------------------------------------------

// Every problem resgen finds goes through here: printed to stderr as
// "file:line: message" and kept, so the tests can see what was caught.
struct ResgenDiagnostics {
  std::vector<std::string> messages;
  bool quiet = false;  // tests silence the printing, not the collecting
};
ResgenDiagnostics& Diagnostics();
// line 0 means the file as a whole.
void ReportError(const std::string& file, int line, const std::string& message);
int ErrorCount();
void ClearErrors();

// ---- Reading data/ ------------------------------------------------------

// One record of a source file: its 1-based line number and its fields.
struct SourceRow {
  int line = 0;
  std::vector<std::string> cells;
};

// A TSV file: '#' lines and blank lines are skipped, the first remaining line
// is the header naming the columns.
struct TsvTable {
  std::string path;
  std::vector<std::string> header;
  std::vector<SourceRow> rows;

  // Index of a named column, or -1 (and an error) when the header lacks it.
  int Column(const std::string& name) const;
  // The cell of a row, "" when the row is short (and an error).
  const std::string& Cell(const SourceRow& row, int column) const;
  // Integer cell; reports a malformed value and returns false.
  bool Int(const SourceRow& row, int column, int& out) const;
  bool Int(const SourceRow& row, const std::string& name, int& out) const;
};

bool ReadTsv(const std::string& path, TsvTable& out);
// A line file: every line that is neither blank nor a '#' comment, trimmed of
// the line break (a line's own spaces are kept).
bool ReadLineFile(const std::string& path, std::vector<SourceRow>& out);
// Whitespace-separated integers of a line (for grids such as battle maps).
bool SplitInts(const std::string& file, int line, const std::string& text, std::vector<int>& out);
bool ParseInt(const std::string& text, int& out);

// ---- Writing Res/ -------------------------------------------------------

std::string JoinPath(const std::string& dir, const std::string& name);
// Creates the folder when missing (FileExists comes from platform/files.h).
bool MakeDir(const std::string& path);

// UTF-8 to the game's GBK; false when a character has no GBK form.
bool ToGbk(const std::string& utf8, std::string& gbk);

// A ".kss" list: each UTF-8 line converted to GBK and checked against the
// game's 19-byte line limit. sourceFile/sourceLines name the records the lines
// came from in error messages (sourceLines may be empty or shorter).
bool WriteKss(const std::string& path, const std::vector<std::string>& lines, const std::string& sourceFile,
              const std::vector<int>& sourceLines);
// A ".kdt" table: one record per line, decimal numbers separated by one space.
bool WriteKdt(const std::string& path, const std::vector<std::vector<long long>>& records);
// Plain text written as given (startup.ini).
bool WriteText(const std::string& path, const std::string& text);

// The game's limit on a list line, in GBK bytes.
constexpr int kListLineBytes = 19;
// The game copies names from the text grid 10 bytes at a time.
constexpr int kNameBytes = 10;
