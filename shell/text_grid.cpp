#include "shell/text_grid.h"

#include <cstring>
#include <string>

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

int LoadLineList(const char* path) {
  std::shared_ptr<const std::string> bytes = DataFileCache().Bytes(path);
  if (!bytes) return 0;
  int count = 0;
  size_t at = 0;
  char buf[kGridWidth];
  while (count < kGridRows && ReadRow(*bytes, at, buf)) {
    std::memcpy(textGrid[count], buf, kGridWidth);
    ++count;
  }
  return count;
}
