#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "campaign/game.h"
#include "platform/bmp.h"
#include "platform/clock.h"
#include "platform/profile.h"
#include "platform/random.h"
#include "platform/window.h"
#include "app/app.h"
#include "rules/pictures.h"
#include "rules/sounds.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr int kDefaultVersion = 130818100;
constexpr int kLoopPauseMs = 5;
constexpr const char* kStartPicture = PicPath(Pic::kBackBuffer);
constexpr const char* kIconPicture = PicPath(Pic::kIcon);

struct Startup {
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  int screen = 0;
  bool autoSize = false;  // startup.ini names no size
  int music = kDefaultSoundVolume;
  int effects = kDefaultSoundVolume;
};

int ReadInt(const char* section, const char* key, int def) {
  return GetPrivateProfileInt(section, key, def, kStartupIni);
}

// A size the window system cannot make falls back to the logical size.
int SaneSize(int value, int fallback) { return value >= 100 && value <= 16384 ? value : fallback; }
// A volume outside 0..10 is taken as the nearest end of it.
int SaneVolume(int value) { return value < 0 ? 0 : (value > kMaxSoundVolume ? kMaxSoundVolume : value); }
// A key code outside the virtual-key range could never be pressed: keep the default.
int SaneKey(int value, int fallback) { return value > 0 && value < 256 ? value : fallback; }

Startup ReadConfiguration() {
  Startup s;
  s.width = SaneSize(ReadInt("Startup", "Width", kDefaultWidth), kDefaultWidth);
  s.height = SaneSize(ReadInt("Startup", "Height", kDefaultHeight), kDefaultHeight);
  // Without a named size (neither key, or 0 as the configuration program's
  // "automatic") the window fits the desktop; a named size is always kept.
  int namedWidth = ReadInt("Startup", "Width", 0);
  int namedHeight = ReadInt("Startup", "Height", 0);
  s.autoSize = namedWidth == 0 && namedHeight == 0;
  ReadReportSpeed();
  s.music = SaneVolume(ReadInt("Sound", "Music", kDefaultSoundVolume));
  s.effects = SaneVolume(ReadInt("Sound", "Effects", kDefaultSoundVolume));
  gameVersion = ReadInt("Startup", "Version", kDefaultVersion);
  colorMode = ReadInt("Startup", "Color", 0);
  menuShow = ReadInt("Startup", "Menushow", 0);
  menuMove = ReadInt("Startup", "Menumove", 0);
  menuSpeed = ReadInt("Startup", "Menuspeed", 0);
  keyReturn = SaneKey(ReadInt("Key", "Return", 13), 13);
  keyEsc = SaneKey(ReadInt("Key", "Esc", 27), 27);
  keySpace = SaneKey(ReadInt("Key", "Space", 32), 32);
  keyHome = SaneKey(ReadInt("Key", "Home", 36), 36);
  keyUp = SaneKey(ReadInt("Key", "Up", 38), 38);
  keyDown = SaneKey(ReadInt("Key", "Down", 40), 40);
  keyLeft = SaneKey(ReadInt("Key", "Left", 37), 37);
  keyRight = SaneKey(ReadInt("Key", "Right", 39), 39);
  return s;
}

std::string Caption() {
  char caption[64];
  std::snprintf(caption, sizeof caption, "Kestrelmoor ver%d.%02d", (gameVersion % 1000) / 100, gameVersion % 100);
  return caption;
}

void CreateSurfaces() {
  windowDC = &WindowSurface();
  // The start-up picture fixes the back buffer's size; without it the back
  // buffer has no bitmap and drawing has no visible effect.
  Surface start;
  if (!LoadBmp(kStartPicture, start)) start = Surface();
  *backDC = start;
  *workDC = start;
}

void RunMessageLoop() {
  // Whenever the queue runs dry the window mirrors the back buffer, so it is
  // painted before every wait for the next message.
  for (;;) {
    if (screenNumber != kScreenIntro) WindowProc(Message{MessageType::Paint, 0});
    Message m = GetMessage();
    if (m.type == MessageType::Quit) break;
    if (m.type != MessageType::Paint) WindowProc(m);
    SleepMs(kLoopPauseMs);
  }
}

}  // namespace

int WinMain(const LaunchOptions& options) {
  Log(5, "WinMain", "开始", 0);
  Startup config = ReadConfiguration();
  if (!options.headless) {
    WindowConfig wc;
    wc.caption = Caption();
    wc.clientWidth = config.width;
    wc.clientHeight = config.height;
    wc.iconPath = kIconPicture;
    wc.autoSize = config.autoSize;
    if (!OpenWindow(wc)) {
      std::fprintf(stderr, "kestrelmoor: no display could be opened (try --headless)\n");
      return 1;
    }
  }
  mainWindow = 1;
  // Headless runs keep the cues without a device; a window without sound plays on silently.
  StartSound(config.music, config.effects, !options.headless);
  CreateSurfaces();
  SeedRandom(options.seedGiven ? options.seed : static_cast<uint32_t>(std::time(nullptr)));
  config.screen = ReadInt("Startup", "Screen", 0);
  if (config.screen == 1 && !options.headless) SetFullScreen(true);
  TheGame().Game_Init();
  TheGame().Game_Main();
  RunMessageLoop();
  EndRunLog();
  StopSound();
  mainWindow = 0;
  if (!options.headless) CloseWindow();
  return 0;
}

bool ParseLaunchOptions(int argc, char** argv, LaunchOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--seed") {
      if (!value(v)) return false;
      options.seedGiven = true;
      options.seed = static_cast<uint32_t>(std::strtoul(v.c_str(), nullptr, 10));
    } else if (arg == "--keys") {
      if (!value(options.keysPath)) return false;
    } else if (arg == "--shots") {
      if (!value(options.shotsDir)) return false;
    } else if (arg == "--monkey") {
      if (!value(v)) return false;
      options.monkeyKeys = std::strtoll(v.c_str(), nullptr, 10);
    } else if (arg == "--guided") {
      if (!value(v)) return false;
      options.guidedKeys = std::strtoll(v.c_str(), nullptr, 10);
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}
