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
  std::memset(buf, 0, sizeof buf);
  int n = 0;
  for (;;) {
    if (at == text.size()) return n > 0;
    char c = text[at++];
    if (c == '\n') break;
    if (n == kGridWidth - 1) return false;
    buf[n++] = c;
  }
  if (n > 0 && buf[n - 1] == '\r') buf[n - 1] = 0;  // lists written on Windows
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
