// Key scripts are written by hand and by other programs, on any system: the
// reader must take what they write and name the line it cannot read.
#include <gtest/gtest.h>

#include "shell/globals.h"
#include "app/key_script.h"
#include "platform/window.h"

TEST(KeyScript, LinesAsEditorsAndProgramsWriteThem) {
  keyReturn = 13;
  keyUp = 87;  // a remapped role presses the configured key
  struct Case {
    const char* line;
    ScriptLineKind kind;
    int code;
    const char* text;
  };
  const Case cases[] = {
      {"RETURN", ScriptLineKind::Key, 13, ""},
      {"  UP\t# the remapped up key\r", ScriptLineKind::Key, 87, ""},
      {"RETURN\r", ScriptLineKind::Key, 13, ""},
      {"VK:0", ScriptLineKind::Key, 0, ""},
      {"VK:255", ScriptLineKind::Key, 255, ""},
      {"TAB", ScriptLineKind::Key, 9, ""},
      {"shot  map 1.png \r", ScriptLineKind::Shot, 0, "map 1.png"},
      {"dump\tstate.json", ScriptLineKind::Dump, 0, "state.json"},
      {"quit\r", ScriptLineKind::Quit, 0, ""},
      {"# only a comment", ScriptLineKind::Blank, 0, ""},
      {" \t\r", ScriptLineKind::Blank, 0, ""},
      {"", ScriptLineKind::Blank, 0, ""},
      {"return", ScriptLineKind::Unreadable, 0, "return"},
      {"RETURN RETURN", ScriptLineKind::Unreadable, 0, "RETURN RETURN"},
      {"VK:", ScriptLineKind::Unreadable, 0, "VK:"},
      {"VK:1234", ScriptLineKind::Unreadable, 0, "VK:1234"},
      {"VK:-5", ScriptLineKind::Unreadable, 0, "VK:-5"},
      {"VK:1x", ScriptLineKind::Unreadable, 0, "VK:1x"},
      {"shot", ScriptLineKind::Unreadable, 0, "shot"},
      {"quit now", ScriptLineKind::Unreadable, 0, "quit now"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ScriptLine got = ParseScriptLine(c.line);
    EXPECT_EQ(got.kind, c.kind);
    if (c.kind == ScriptLineKind::Key) {
      EXPECT_EQ(got.code, c.code);
    }
    EXPECT_EQ(got.text, c.text);
  }
  keyUp = 38;
}

TEST(KeyScript, MouseAndPadLinesReadTheirArguments) {
  struct Case {
    const char* line;
    ScriptLineKind kind;
    int x, y, code;  // the notches of a wheel, the button of a pad
  };
  const Case cases[] = {
      {"CLICK 0 0", ScriptLineKind::Click, 0, 0, 0},
      {" CLICK\t799  599 \r", ScriptLineKind::Click, 799, 599, 0},
      {"HOVER 410 125 # the second entry", ScriptLineKind::Hover, 410, 125, 0},
      {"RCLICK", ScriptLineKind::RightClick, 0, 0, 0},
      {"WHEEL 3", ScriptLineKind::Wheel, 0, 0, 3},
      {"WHEEL -99", ScriptLineKind::Wheel, 0, 0, -99},
      {"CLICK 800 0", ScriptLineKind::Unreadable, 0, 0, 0},
      {"CLICK 0 600", ScriptLineKind::Unreadable, 0, 0, 0},
      {"CLICK -1 5", ScriptLineKind::Unreadable, 0, 0, 0},
      {"CLICK 5", ScriptLineKind::Unreadable, 0, 0, 0},
      {"CLICK 5 5 5", ScriptLineKind::Unreadable, 0, 0, 0},
      {"CLICK x 5", ScriptLineKind::Unreadable, 0, 0, 0},
      {"RCLICK 5 5", ScriptLineKind::Unreadable, 0, 0, 0},
      {"WHEEL 0", ScriptLineKind::Unreadable, 0, 0, 0},
      {"WHEEL 100", ScriptLineKind::Unreadable, 0, 0, 0},
      {"WHEEL", ScriptLineKind::Unreadable, 0, 0, 0},
      {"click 5 5", ScriptLineKind::Unreadable, 0, 0, 0},
      {"PAD A", ScriptLineKind::Pad, 0, 0, static_cast<int>(PadButton::kA)},
      {"PAD\tRB ", ScriptLineKind::Pad, 0, 0, static_cast<int>(PadButton::kRightShoulder)},
      {"PAD UP", ScriptLineKind::Pad, 0, 0, static_cast<int>(PadButton::kUp)},
      {"PAD", ScriptLineKind::Unreadable, 0, 0, 0},
      {"PAD START", ScriptLineKind::Unreadable, 0, 0, 0},
      {"PAD a", ScriptLineKind::Unreadable, 0, 0, 0},
      {"PAD A B", ScriptLineKind::Unreadable, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ScriptLine got = ParseScriptLine(c.line);
    EXPECT_EQ(got.kind, c.kind);
    if (c.kind == ScriptLineKind::Unreadable) continue;
    EXPECT_EQ(got.x, c.x);
    EXPECT_EQ(got.y, c.y);
    EXPECT_EQ(got.code, c.code);
  }
}
