#include "app/key_script.h"

#include "platform/window.h"
#include "shell/globals.h"

namespace {

struct KeyName {
  const char* name;
  int* code;  // the configured key of that role
};

// Key names stand for the roles, so a script means the same whatever keys
// startup.ini maps; VK:<code> presses a raw virtual-key code.
const KeyName kKeyNames[] = {
    {"RETURN", &keyReturn}, {"ESC", &keyEsc},   {"SPACE", &keySpace}, {"HOME", &keyHome},
    {"UP", &keyUp},         {"DOWN", &keyDown}, {"LEFT", &keyLeft},   {"RIGHT", &keyRight},
};
constexpr int kTabCode = 9;

// In the order of PadButton.
const char* const kPadNames[kPadButtons] = {"UP", "DOWN", "LEFT", "RIGHT", "A", "B", "X", "Y", "LB", "RB"};
constexpr int kMaxWheelNotches = 99;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

// A decimal number, an optional minus sign first; false for anything else.
bool ParseNumber(const std::string& word, int& value) {
  size_t i = word.size() > 1 && word[0] == '-' ? 1 : 0;
  if (word.empty() || word.size() - i > 4) return false;
  int v = 0;
  for (size_t k = i; k < word.size(); ++k) {
    if (word[k] < '0' || word[k] > '9') return false;
    v = v * 10 + (word[k] - '0');
  }
  value = i ? -v : v;
  return true;
}

// "x y" of a point on the logical picture.
bool ParsePoint(const std::string& arg, int& x, int& y) {
  size_t space = arg.find_first_of(" \t");
  if (space == std::string::npos) return false;
  if (!ParseNumber(arg.substr(0, space), x) || !ParseNumber(Trim(arg.substr(space)), y)) return false;
  return x >= 0 && x < kLogicalWidth && y >= 0 && y < kLogicalHeight;
}

// The mouse lines; false when the word names none of them or its arguments are wrong.
bool ParseMouseLine(const std::string& word, const std::string& arg, ScriptLine& out) {
  if (word == "CLICK" || word == "HOVER") {
    out.kind = word == "CLICK" ? ScriptLineKind::Click : ScriptLineKind::Hover;
    return ParsePoint(arg, out.x, out.y);
  }
  if (word == "RCLICK") {
    out.kind = ScriptLineKind::RightClick;
    return arg.empty();
  }
  if (word == "WHEEL") {
    out.kind = ScriptLineKind::Wheel;
    return ParseNumber(arg, out.code) && out.code != 0 && out.code >= -kMaxWheelNotches && out.code <= kMaxWheelNotches;
  }
  if (word == "PAD") {
    out.kind = ScriptLineKind::Pad;
    for (int b = 0; b < kPadButtons; ++b)
      if (arg == kPadNames[b]) {
        out.code = b;
        return true;
      }
  }
  return false;
}

}  // namespace

bool ParseScriptKey(const std::string& word, int& code) {
  for (const KeyName& k : kKeyNames) {
    if (word == k.name) {
      code = *k.code;
      return true;
    }
  }
  if (word == "TAB") {
    code = kTabCode;
    return true;
  }
  if (word.rfind("VK:", 0) == 0 && word.size() > 3 && word.size() <= 6) {
    int v = 0;
    for (size_t i = 3; i < word.size(); ++i) {
      if (word[i] < '0' || word[i] > '9') return false;
      v = v * 10 + (word[i] - '0');
    }
    code = v;
    return true;
  }
  return false;
}

ScriptLine ParseScriptLine(const std::string& raw) {
  ScriptLine out;
  std::string line = Trim(raw.substr(0, raw.find('#')));
  if (line.empty()) return out;
  size_t space = line.find_first_of(" \t");
  std::string word = line.substr(0, space);
  std::string arg = space == std::string::npos ? "" : Trim(line.substr(space));
  if (word == "shot" && !arg.empty()) {
    out.kind = ScriptLineKind::Shot;
    out.text = arg;
  } else if (word == "dump" && !arg.empty()) {
    out.kind = ScriptLineKind::Dump;
    out.text = arg;
  } else if (word == "sounds" && !arg.empty()) {
    out.kind = ScriptLineKind::Sounds;
    out.text = arg;
  } else if (word == "quit" && arg.empty()) {
    out.kind = ScriptLineKind::Quit;
  } else if (arg.empty() && ParseScriptKey(word, out.code)) {
    out.kind = ScriptLineKind::Key;
  } else if (!ParseMouseLine(word, arg, out)) {
    out = ScriptLine();
    out.kind = ScriptLineKind::Unreadable;
    out.text = line;
  }
  return out;
}
