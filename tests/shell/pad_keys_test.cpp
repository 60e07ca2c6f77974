// The gamepad presses the roles' keys: a key remapped in startup.ini moves
// with its button, and the shoulders press the fixed Tab and F1.
#include "shell/pad_keys.h"

#include <gtest/gtest.h>

#include "shell/globals.h"

TEST(PadKeys, EachButtonPressesItsRolesKeyAsConfiguredNow) {
  keyReturn = 70;  // remapped
  keyUp = 87;
  struct Case {
    PadButton button;
    int key;
  };
  const Case cases[] = {
      {PadButton::kUp, 87},          {PadButton::kDown, 40},
      {PadButton::kLeft, 37},        {PadButton::kRight, 39},
      {PadButton::kA, 70},           {PadButton::kB, 27},
      {PadButton::kX, 32},           {PadButton::kY, 36},
      {PadButton::kLeftShoulder, 9}, {PadButton::kRightShoulder, 112},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(PadKeys::ButtonName(c.button));
    EXPECT_EQ(PadKeys::KeyFor(c.button), c.key);
  }
  keyReturn = 13;
  keyUp = 38;
}
