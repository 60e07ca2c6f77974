// The headless key script reader on its own: every line of the input read as
// a script line.
#include <cstdint>
#include <string>

#include "app/key_script.h"
#include "platform/window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ScriptLine line = ParseScriptLine(text.substr(start, end - start));
    switch (line.kind) {
      case ScriptLineKind::Key:
        if (line.code < 0 || line.code > 999) __builtin_trap();
        break;
      case ScriptLineKind::Click:
      case ScriptLineKind::Hover:
        if (line.x < 0 || line.x >= kLogicalWidth || line.y < 0 || line.y >= kLogicalHeight) __builtin_trap();
        break;
      case ScriptLineKind::Wheel:
        if (line.code == 0 || line.code < -99 || line.code > 99) __builtin_trap();
        break;
      case ScriptLineKind::Shot:
      case ScriptLineKind::Dump:
      case ScriptLineKind::Sounds:
      case ScriptLineKind::Unreadable:
        if (line.text.empty() || line.text.find('#') != std::string::npos) __builtin_trap();
        break;
      default: break;
    }
    start = end + 1;
  }
  return 0;
}
