#include "shell/text_grid.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"

char textGrid[kGridRows][kGridWidth];

namespace {

// Reads one line of at most 19 bytes into buf (zero-terminated), consuming its
// line break. False at the end of the file or for a line too long for a row,
// which ends the list the way the stream read of the original reader did.
bool ReadRow(FILE* f, char (&buf)[kGridWidth]) {
  std::memset(buf, 0, sizeof buf);
  int n = 0;
  for (;;) {
    int c = std::fgetc(f);
    if (c == EOF) return n > 0;
    if (c == '\n') break;
    if (n == kGridWidth - 1) return false;
    buf[n++] = static_cast<char>(c);
  }
  if (n > 0 && buf[n - 1] == '\r') buf[n - 1] = 0;  // lists written on Windows
  return true;
}

}  // namespace

int LoadLineList(const char* path) {
  FILE* f = OpenFile(path, "rb");
  if (!f) return 0;
  int count = 0;
  char buf[kGridWidth];
  while (count < kGridRows && ReadRow(f, buf)) {
    std::memcpy(textGrid[count], buf, kGridWidth);
    ++count;
  }
  std::fclose(f);
  return count;
}
