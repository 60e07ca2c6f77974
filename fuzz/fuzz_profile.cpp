// Res/startup.ini: sections, keys and numbers as any editor may leave them.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchFolder(nullptr, 0);
  WriteInput("Res/startup.ini", data, size);
  // A section key, a key of another section, and the empty names.
  static const char* const kKeys[][2] = {{"Startup", "Width"}, {"Key", "Return"}, {"", ""}};
  for (const auto& k : kKeys) GetPrivateProfileInt(k[0], k[1], 7, "Res\\startup.ini");
  // The battle settings are written back into whatever the file holds.
  WritePrivateProfileString("Startup", "Menuspeed", "2", "Res\\startup.ini");
  if (GetPrivateProfileInt("Startup", "Menuspeed", 7, "Res\\startup.ini") != 2) __builtin_trap();
  return 0;
}
