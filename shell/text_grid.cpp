#include "shell/text_grid.h"

#include <cstring>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_cache.h"

char textGrid[kGridRows][kGridWidth];

namespace {

// Reads one line of at most 19 bytes from `at` into buf (zero-terminated),
// consuming its line break. False at the end of the text or for a line too
// long for a row, which ends the list the way the stream read of the original
// reader did.
bool ReadRow(const std::string& text, size_t& at, char (&buf)[kGridWidth]) {
  size_t end = text.find('\n', at);
  bool last = end == std::string::npos;
  size_t length = (last ? text.size() : end) - at;
  if (length > kGridWidth - 1 || (last && length == 0)) return false;
  std::memset(buf, 0, sizeof buf);
  std::memcpy(buf, text.data() + at, length);
  at += length + (last ? 0 : 1);
  if (length > 0 && buf[length - 1] == '\r') buf[length - 1] = 0;  // lists written on Windows
  return true;
}

}  // namespace

namespace {

// The lists are read again for every name the game shows (each ruler's name
// at the month end reads the whole name list): each version of a list's bytes
// is parsed once, and its rows copied into the grid as a parse would write them.
struct ParsedList {
  std::shared_ptr<const std::string> bytes;  // held, so no other list can have its address
  int count = 0;
  std::vector<char> rows;  // count rows of kGridWidth bytes
};
constexpr size_t kParsedLists = 8;
std::list<ParsedList> parsedLists;  // most recently used first

const ParsedList& Parsed(const std::shared_ptr<const std::string>& bytes) {
  for (auto it = parsedLists.begin(); it != parsedLists.end(); ++it) {
    if (it->bytes != bytes) continue;
    parsedLists.splice(parsedLists.begin(), parsedLists, it);
    return parsedLists.front();
  }
  ParsedList list;
  list.bytes = bytes;
  size_t at = 0;
  char buf[kGridWidth];
  while (list.count < kGridRows && ReadRow(*bytes, at, buf)) {
    list.rows.insert(list.rows.end(), buf, buf + kGridWidth);
    ++list.count;
  }
  parsedLists.push_front(std::move(list));
  if (parsedLists.size() > kParsedLists) parsedLists.pop_back();
  return parsedLists.front();
}

}  // namespace

int LoadLineList(const char* path) {
  std::shared_ptr<const std::string> bytes = DataFileCache().Bytes(path);
  if (!bytes) return 0;
  const ParsedList& list = Parsed(bytes);
  if (list.count > 0) std::memcpy(textGrid, list.rows.data(), list.rows.size());
  return list.count;
}
