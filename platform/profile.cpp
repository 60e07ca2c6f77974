#include "platform/profile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

// One line of the file as read, without its line end.
struct IniFile {
  std::vector<std::string> lines;
  std::string newline = "\n";  // kept as the file has it, so rewriting does not convert it
  bool endsWithNewline = true;
};

bool ReadIni(const char* path, IniFile& ini) {
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);

  size_t start = 0;
  bool sawLineEnd = false;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      ini.lines.push_back(text.substr(start));
      ini.endsWithNewline = false;
      break;
    }
    size_t lineEnd = end;
    if (lineEnd > start && text[lineEnd - 1] == '\r') {
      --lineEnd;
      if (!sawLineEnd) ini.newline = "\r\n";
    }
    sawLineEnd = true;
    ini.lines.push_back(text.substr(start, lineEnd - start));
    start = end + 1;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return s.substr(a, b - a);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const char* b) {
  size_t n = 0;
  for (; b[n]; ++n)
    if (n >= a.size() || Lower(a[n]) != Lower(b[n])) return false;
  return n == a.size();
}

// "[Name]" → true with the trimmed name.
bool SectionName(const std::string& line, std::string& name) {
  std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return false;
  size_t close = t.find(']');
  name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// "key = value" → true with both trimmed. Comment lines are not entries.
bool Entry(const std::string& line, std::string& key, std::string& value) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';') return false;
  size_t eq = t.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return true;
}

// The lines [first, last) that belong to the first section of that name; first
// is the header's line. False when the file has no such section.
bool FindSection(const IniFile& ini, const char* section, size_t& first, size_t& last) {
  std::string name;
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    if (!SectionName(ini.lines[i], name) || !SameName(name, section)) continue;
    first = i;
    last = i + 1;
    while (last < ini.lines.size() && !SectionName(ini.lines[last], name)) ++last;
    return true;
  }
  return false;
}

// The line of the key within the section, or -1.
long FindKey(const IniFile& ini, size_t first, size_t last, const char* key) {
  std::string k, v;
  for (size_t i = first + 1; i < last; ++i)
    if (Entry(ini.lines[i], k, v) && SameName(k, key)) return static_cast<long>(i);
  return -1;
}

// An optional sign, then decimal digits up to the first other character. The
// sum wraps in 32 bits like the platform's reader instead of overflowing.
int ParseProfileInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + (text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

// A value in matching quotes is read without them.
std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

bool WriteIni(const char* path, const IniFile& ini) {
  // Write beside the target and rename over it: a crash midway leaves the old file whole.
  std::string target = NormalizePath(path);
  std::string temporary = target + ".tmp";
  FILE* file = OpenFile(temporary, "wb");
  if (!file) return false;
  bool ok = true;
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    const std::string& line = ini.lines[i];
    ok = ok && std::fwrite(line.data(), 1, line.size(), file) == line.size();
    bool lastLine = i + 1 == ini.lines.size();
    if (!lastLine || ini.endsWithNewline)
      ok = ok && std::fwrite(ini.newline.data(), 1, ini.newline.size(), file) == ini.newline.size();
  }
  ok = (std::fflush(file) == 0) && ok;
  ok = (std::fclose(file) == 0) && ok;
  if (!ok || !MoveFileTo(temporary, target)) {
    DeleteFileAt(temporary);
    return false;
  }
  return true;
}

}  // namespace

int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path) {
  if (!section || !key || !path) return defaultValue;
  IniFile ini;
  if (!ReadIni(path, ini)) return defaultValue;
  size_t first, last;
  if (!FindSection(ini, section, first, last)) return defaultValue;
  long line = FindKey(ini, first, last, key);
  if (line < 0) return defaultValue;
  std::string k, value;
  Entry(ini.lines[line], k, value);
  return ParseProfileInt(Unquote(value));
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value, const char* path) {
  if (!section || !path) return false;
  IniFile ini;
  ReadIni(path, ini);  // a missing file is created
  size_t first, last;
  bool haveSection = FindSection(ini, section, first, last);

  if (!key) {
    // No key: the whole section goes, as the platform's writer does.
    if (haveSection) ini.lines.erase(ini.lines.begin() + first, ini.lines.begin() + last);
    return WriteIni(path, ini);
  }
  std::string entry = std::string(key) + "=" + (value ? value : "");
  if (!haveSection) {
    if (!value) return true;  // deleting a key that is not there
    ini.lines.push_back("[" + std::string(section) + "]");
    ini.lines.push_back(entry);
    ini.endsWithNewline = true;
    return WriteIni(path, ini);
  }
  long line = FindKey(ini, first, last, key);
  if (line >= 0) {
    if (value) ini.lines[line] = entry;
    else ini.lines.erase(ini.lines.begin() + line);
    return WriteIni(path, ini);
  }
  if (!value) return true;
  // A new key goes after the section's last non-blank line, ahead of the blank
  // lines that separate it from the next section.
  size_t insertAt = last;
  while (insertAt > first + 1 && Trim(ini.lines[insertAt - 1]).empty()) --insertAt;
  if (insertAt == ini.lines.size()) ini.endsWithNewline = true;
  ini.lines.insert(ini.lines.begin() + insertAt, entry);
  return WriteIni(path, ini);
}
