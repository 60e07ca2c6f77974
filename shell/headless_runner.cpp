#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/png_writer.h"
#include "platform/window.h"
#include "shell/app.h"
#include "shell/globals.h"
#include "shell/monkey.h"

namespace {

struct KeyName {
  const char* name;
  int* code;  // the configured key of that role
};

// Key names stand for the roles, so a script means the same whatever keys
// startup.ini maps; VK:<code> presses a raw virtual-key code.
const KeyName kKeyNames[] = {
    {"RETURN", &keyReturn}, {"ESC", &keyEsc},   {"SPACE", &keySpace}, {"HOME", &keyHome},   {"UP", &keyUp},
    {"DOWN", &keyDown},     {"LEFT", &keyLeft}, {"RIGHT", &keyRight},
};
constexpr int kTabCode = 9;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool ParseKey(const std::string& word, int& code) {
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

class ScriptReader {
 public:
  explicit ScriptReader(const LaunchOptions& options) : shotsDir_(options.shotsDir) {
    if (options.keysPath == "-") {
      in_ = &std::cin;
    } else if (!options.keysPath.empty()) {
      file_ = std::make_unique<std::ifstream>(options.keysPath);
      if (!*file_) {
        std::fprintf(stderr, "kestrelmoor: cannot read key script %s\n", options.keysPath.c_str());
        failed_ = true;
      }
      in_ = file_.get();
    }
  }

  bool Failed() const { return failed_; }

  // The next message for the game: a key, or Destroy at the end of the script
  // or on `quit` (as if the player closed the window). Shots and dumps are
  // taken on the way, between keys.
  bool Next(Message& next) {
    if (finished_) return false;
    std::string raw;
    while (!failed_ && in_ && std::getline(*in_, raw)) {
      ++lineNumber_;
      std::string line = Trim(raw.substr(0, raw.find('#')));
      if (line.empty()) continue;
      if (Command(line, next)) return true;
    }
    finished_ = true;
    next = Message{MessageType::Destroy, 0};
    return true;
  }

 private:
  // Returns true when the line produced a message for the game.
  bool Command(const std::string& line, Message& next) {
    size_t space = line.find_first_of(" \t");
    std::string word = line.substr(0, space);
    std::string arg = space == std::string::npos ? "" : Trim(line.substr(space));
    int code = 0;
    if (word == "shot" && !arg.empty()) {
      Shot(arg);
    } else if (word == "dump" && !arg.empty()) {
      Dump(arg);
    } else if (word == "quit" && arg.empty()) {
      in_ = nullptr;
    } else if (arg.empty() && ParseKey(word, code)) {
      next = Message{MessageType::KeyDown, code};
      return true;
    } else {
      std::fprintf(stderr, "kestrelmoor: key script line %d cannot be read: %s\n", lineNumber_, line.c_str());
      failed_ = true;
    }
    return false;
  }

  std::string OutPath(const std::string& name) const {
    if (shotsDir_.empty()) return name;
    return shotsDir_ + "/" + name;
  }

  void Shot(const std::string& name) {
    if (!shotsDir_.empty()) MakeDirectory(shotsDir_);
    if (!SavePng(OutPath(name), WindowSurface())) {
      std::fprintf(stderr, "kestrelmoor: cannot write %s\n", OutPath(name).c_str());
    }
  }

  void Dump(const std::string& name) {
    if (!shotsDir_.empty()) MakeDirectory(shotsDir_);
    if (!WriteStateDump(OutPath(name))) {
      std::fprintf(stderr, "kestrelmoor: cannot write %s\n", OutPath(name).c_str());
    }
  }

  std::string shotsDir_;
  std::istream* in_ = nullptr;
  std::unique_ptr<std::ifstream> file_;
  int lineNumber_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};

}  // namespace

int RunHeadless(const LaunchOptions& options) {
  if (options.monkeyKeys > 0) return RunMonkey(options);
  UseVirtualClock(true);
  ScriptReader reader(options);
  if (reader.Failed()) return 2;
  StartHeadless([&reader](Message& next) { return reader.Next(next); });
  int code = WinMain(options);
  if (reader.Failed()) return 2;
  return code;
}
