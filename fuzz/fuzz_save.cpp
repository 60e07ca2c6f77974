// The save slot text: anything a damaged or edited slot file may hold.
#include <cstdint>
#include <cstring>

#include "campaign/save.h"

namespace {
constexpr int kProgramVersion = 130818100;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SaveImage image;
  static SaveImage before;
  std::memcpy(&before, &image, sizeof image);
  int r = ParseSaveText(reinterpret_cast<const char*>(data), size, kProgramVersion, image);
  // A refused file must leave the image exactly as it was.
  if (r != kReadOk && std::memcmp(&before, &image, sizeof image) != 0) __builtin_trap();
  return 0;
}
