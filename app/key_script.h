#pragma once
// One line of a headless key script: a key name (the role of a configured key),
// VK:<code>, `shot NAME.png`, `dump NAME.json`, `sounds NAME` (the sound cues so far) or `quit`; the mouse as
// `CLICK x y`, `RCLICK`, `WHEEL n` and `HOVER x y` (logical 800 x 600
// coordinates, n notches away from the player above 0); a game controller's
// button as `PAD name` (UP DOWN LEFT RIGHT A B X Y LB RB); `#` starts a comment.
#include <string>

enum class ScriptLineKind { Blank, Key, Shot, Dump, Sounds, Quit, Click, RightClick, Wheel, Hover, Pad, Unreadable };

struct ScriptLine {
  ScriptLineKind kind = ScriptLineKind::Blank;
  int code = 0;  // the virtual-key code of a Key line, the notches of a Wheel line, the PadButton of a Pad line
  int x = 0;     // the point of a Click or Hover line
  int y = 0;
  std::string text;  // the file name of a shot, dump or sounds line; the trimmed line when unreadable
};

// Reads a key word: a role name presses the key startup.ini maps to it, TAB
// the fixed tab code, VK:<code> a raw code of at most three digits.
bool ParseScriptKey(const std::string& word, int& code);
// Reads one raw line of a script (its line end may still be on it).
ScriptLine ParseScriptLine(const std::string& raw);
