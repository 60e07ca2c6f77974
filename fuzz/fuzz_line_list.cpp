// The ".kss" lists: lines of any length, any bytes, any line ends.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "shell/text_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchFolder(nullptr, 0);
  WriteInput("Res/list.kss", data, size);
  int rows = LoadLineList("Res\\list.kss");
  if (rows < 0 || rows > kGridRows) __builtin_trap();
  return 0;
}
