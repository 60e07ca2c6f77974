#pragma once
// What each game controller button presses: the configured key of a role, so
// a key remapped in startup.ini moves with it, or one of the fixed keys.
#include "platform/window.h"

class PadKeys {
 public:
  // The virtual-key code the button presses now.
  static int KeyFor(PadButton button);
  // The button's name as kestrelmoor-config shows it (GBK).
  static const char* ButtonName(PadButton button);
};
