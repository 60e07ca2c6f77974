// kestrelmoor-config: the window configuration program the intro's help line
// names. It edits Res/startup.ini while the game is closed.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/png_writer.h"
#include "platform/window.h"
#include "shell/globals.h"
#include "shell/user_folder.h"
#include "tools/config/config_screen.h"

namespace {

struct Options {
  bool headless = false;
  std::string keysPath;
  std::string shotsDir;
};

// A headless key script like the game's: key names RETURN ESC SPACE HOME UP DOWN
// LEFT RIGHT TAB or VK:<code> (physical keys here, since this program edits the
// mapping), `shot NAME.png`, `quit`; `#` starts a comment.
class KeyScript {
 public:
  KeyScript(const std::string& path, const std::string& shotsDir) : in_(path), shotsDir_(shotsDir) {}
  bool Opened() const { return static_cast<bool>(in_); }
  bool Failed() const { return failed_; }

  bool Next(Message& next) {
    std::string raw;
    while (!done_ && std::getline(in_, raw)) {
      ++line_;
      std::string line = Trim(raw.substr(0, raw.find('#')));
      if (line.empty()) continue;
      if (line == "quit") break;
      if (line.rfind("shot ", 0) == 0) {
        Shot(Trim(line.substr(5)));
        continue;
      }
      int code = 0;
      if (!ParseKey(line, code)) {
        std::fprintf(stderr, "kestrelmoor-config: key script line %d cannot be read: %s\n", line_, line.c_str());
        failed_ = true;
        break;
      }
      next = Message{MessageType::KeyDown, code};
      return true;
    }
    done_ = true;
    return false;
  }

 private:
  static std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
  }

  static bool ParseKey(const std::string& word, int& code) {
    static const struct {
      const char* name;
      int code;
    } kNames[] = {{"RETURN", 13}, {"ESC", 27},  {"SPACE", 32}, {"HOME", 36}, {"UP", 38},
                  {"DOWN", 40},   {"LEFT", 37}, {"RIGHT", 39}, {"TAB", 9}};
    for (const auto& k : kNames) {
      if (word == k.name) {
        code = k.code;
        return true;
      }
    }
    if (word.rfind("VK:", 0) != 0 || word.size() < 4 || word.size() > 6) return false;
    code = 0;
    for (size_t i = 3; i < word.size(); ++i) {
      if (word[i] < '0' || word[i] > '9') return false;
      code = code * 10 + (word[i] - '0');
    }
    return true;
  }

  void Shot(const std::string& name) {
    std::string path = name;
    if (!shotsDir_.empty()) {
      MakeDirectory(shotsDir_);
      path = shotsDir_ + "/" + name;
    }
    if (!SavePng(path, WindowSurface())) std::fprintf(stderr, "kestrelmoor-config: cannot write %s\n", path.c_str());
  }

  std::ifstream in_;
  std::string shotsDir_;
  int line_ = 0;
  bool done_ = false;
  bool failed_ = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) {
      options.headless = true;
    } else if (std::strcmp(argv[i], "--keys") == 0 && i + 1 < argc) {
      options.keysPath = argv[++i];
    } else if (std::strcmp(argv[i], "--shots") == 0 && i + 1 < argc) {
      options.shotsDir = argv[++i];
    } else {
      return false;
    }
  }
  return !options.headless || !options.keysPath.empty();
}

// Shows the screen and hands it keys until it closes or the window goes.
int RunScreen(ConfigScreen& screen) {
  screen.Show();
  for (;;) {
    Message m = GetMessage();
    if (m.type == MessageType::Quit || m.type == MessageType::Destroy) return 0;
    if (m.type == MessageType::Paint) {
      Present();
      continue;
    }
    if (m.type != MessageType::KeyDown) continue;
    int result = screen.KeyDown(m.param);
    screen.Show();
    if (result != 0) return 0;
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: kestrelmoor-config [--headless --keys FILE [--shots DIR]]\n");
    return 2;
  }
  AnchorToStartFolder(options.keysPath);
  AnchorToStartFolder(options.shotsDir);
  // The installed program edits the player's own startup.ini, as the game reads it.
  if (!EnterUserFolder()) return 1;
  // Text over the backdrop is drawn without a background, as the game's colour frames are.
  colorMode = 1;
  windowDC = &WindowSurface();
  *backDC = Surface(kLogicalWidth, kLogicalHeight);
  KeyScript script(options.keysPath, options.shotsDir);
  if (options.headless) {
    if (!script.Opened()) {
      std::fprintf(stderr, "kestrelmoor-config: cannot read key script %s\n", options.keysPath.c_str());
      return 2;
    }
    StartHeadless([&script](Message& next) { return script.Next(next); });
  } else {
    WindowConfig wc;
    wc.caption = "Kestrelmoor 窗口配置程序";
    wc.iconPath = "Res\\about.kbp";
    if (!OpenWindow(wc)) {
      std::fprintf(stderr, "kestrelmoor-config: no display could be opened\n");
      return 1;
    }
  }
  ConfigScreen screen(kStartupIni);
  int code = RunScreen(screen);
  if (!options.headless) CloseWindow();
  return script.Failed() ? 2 : code;
}
