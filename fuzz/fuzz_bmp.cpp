// BMP pictures: headers, palettes and pixel rows as a damaged file may have them.
#include <cstdint>

#include "platform/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Surface out;
  if (DecodeBmp(data, size, out)) {
    // What was decoded is a whole picture of sane size.
    if (out.Width() <= 0 || out.Height() <= 0) __builtin_trap();
    if (out.Pixels().size() != static_cast<size_t>(out.Width()) * static_cast<size_t>(out.Height())) __builtin_trap();
  }
  return 0;
}
