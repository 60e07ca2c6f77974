#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/png_writer.h"
#include "platform/window.h"
#include "app/app.h"
#include "shell/globals.h"
#include "shell/sound_cues.h"
#include "app/key_script.h"
#include "app/guided_player.h"
#include "app/monkey.h"

namespace {

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
      if (Command(ParseScriptLine(raw), next)) return true;
    }
    finished_ = true;
    next = Message{MessageType::Destroy, 0};
    return true;
  }

 private:
  // Returns true when the line produced a message for the game.
  bool Command(const ScriptLine& line, Message& next) {
    switch (line.kind) {
      case ScriptLineKind::Blank: break;
      case ScriptLineKind::Shot: Shot(line.text); break;
      case ScriptLineKind::Dump: Dump(line.text); break;
      case ScriptLineKind::Sounds: Sounds(line.text); break;
      case ScriptLineKind::Quit: in_ = nullptr; break;
      case ScriptLineKind::Key: next = Message{MessageType::KeyDown, line.code}; return true;
      case ScriptLineKind::Click: next = Message{MessageType::MouseDown, kMouseLeft, line.x, line.y}; return true;
      case ScriptLineKind::RightClick: next = Message{MessageType::MouseDown, kMouseRight}; return true;
      case ScriptLineKind::Wheel: next = Message{MessageType::MouseWheel, line.code}; return true;
      case ScriptLineKind::Hover: next = Message{MessageType::MouseMove, 0, line.x, line.y}; return true;
      case ScriptLineKind::Pad: next = Message{MessageType::PadPress, line.code}; return true;
      case ScriptLineKind::Unreadable:
        std::fprintf(stderr, "kestrelmoor: key script line %d cannot be read: %s\n", lineNumber_, line.text.c_str());
        failed_ = true;
        break;
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

  void Sounds(const std::string& name) {
    if (!shotsDir_.empty()) MakeDirectory(shotsDir_);
    if (!WriteSoundEvents(OutPath(name))) {
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
  if (options.guidedKeys > 0) return RunGuidedPlayer(options);
  UseVirtualClock(true);
  ScriptReader reader(options);
  if (reader.Failed()) return 2;
  StartHeadless([&reader](Message& next) { return reader.Next(next); });
  int code = WinMain(options);
  if (reader.Failed()) return 2;
  return code;
}
