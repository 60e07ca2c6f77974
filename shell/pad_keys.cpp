#include "shell/pad_keys.h"

#include "shell/globals.h"

namespace {

// Tab and F1 are fixed keys, never re-mapped, so the shoulders press them as they are.
constexpr int kTabCode = 9;
constexpr int kHelpCode = 112;

struct PadRow {
  const char* name;
  const int* code;  // the role's configured key, read when the button is pressed
};

// In the order of PadButton.
const PadRow kPadRows[kPadButtons] = {
    {"十字键↑", &keyUp}, {"十字键↓", &keyDown}, {"十字键←", &keyLeft}, {"十字键→", &keyRight}, {"A", &keyReturn},
    {"B", &keyEsc},      {"X", &keySpace},      {"Y", &keyHome},       {"LB", &kTabCode},      {"RB", &kHelpCode},
};

const PadRow& Row(PadButton button) {
  int i = static_cast<int>(button);
  return kPadRows[i >= 0 && i < kPadButtons ? i : 0];
}

}  // namespace

int PadKeys::KeyFor(PadButton button) { return *Row(button).code; }

const char* PadKeys::ButtonName(PadButton button) { return Row(button).name; }
