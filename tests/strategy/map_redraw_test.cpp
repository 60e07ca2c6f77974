// The map screen draws again only the part where something differs from what
// the back buffer holds; what the player sees after every key must be what a
// whole redraw gives. The same keys are played twice on the real data, once
// with every draw whole, and the frames compared key by key.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/random.h"
#include "platform/window.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "strategy/game_map.h"
#include "strategy/map_frame.h"
#include "war/war_globals.h"
#include "tests/support/sandbox.h"

namespace {

constexpr uint32_t kSeed = 3;
constexpr int kMonthBudget = 48;    // month ends to wait for the computer to attack
constexpr int kBattleBudget = 400;  // keys to play that battle to its end

uint64_t Hash(const Surface& s) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a over the pixels
  for (Pixel p : s.Pixels()) h = (h ^ p) * 1099511628211ull;
  return h;
}

struct Frame {
  int key = 0;
  MapMode mode = MapMode::kMap;
  uint64_t window = 0, back = 0;
};

// One campaign in a folder of its own (the month's autosave is written there).
class Play {
 public:
  explicit Play(bool whole) : folder_(std::filesystem::current_path()) {
    std::filesystem::current_path(box_.Root());
    MapFrame::AlwaysWhole() = whole;
    UseVirtualClock(true);
    windowDC = &window_;
    backDC->Resize(kLogicalWidth, kLogicalHeight, kWhite);
    ResetCampaignGlobals();
    SeedRandom(kSeed);
    map_->InitMap(0, 0);
    map_->menuLevel = kMenuNone;
    map_->Show(0);
  }
  ~Play() {
    while (PeekMessage()) GetMessage();
    MapFrame::AlwaysWhole() = false;
    windowDC = nullptr;
    UseVirtualClock(false);
    ResetCampaignGlobals();
    std::filesystem::current_path(folder_);
  }

  GameMap& Map() { return *map_; }
  void Press(int key) {
    map_->KeyDown(key);
    CopyBackToWindow();  // as the message loop does after every key
    frames.push_back(Frame{key, map_->Mode(), Hash(window_), Hash(*backDC)});
  }
  std::vector<Frame> frames;

 private:
  std::filesystem::path folder_;
  Sandbox box_;
  Surface window_{kLogicalWidth, kLogicalHeight, kWhite};
  std::unique_ptr<GameMap> map_ = std::make_unique<GameMap>();
};

// The key the player presses next in each mode on the way to a battle and through it.
int NextKey(GameMap& m, bool& down) {
  down = !down;
  switch (m.Mode()) {
    case MapMode::kMap: return keyEsc;
    case MapMode::kSystemMenu: return m.systemMenu.selected == 0 ? keyReturn : keyUp;  // end the month
    case MapMode::kDefencePick: return defenceCommander >= 0 ? keyEsc : (down ? keyReturn : keyDown);
    case MapMode::kSuccessionPick: return down ? keyReturn : keyDown;
    case MapMode::kBattle:
      if (m.fight.Mode() == BattleMode::kDayMenu) return m.fight.escMenu.selected == kEscEndDay ? keyReturn : keyUp;
      return keyEsc;
    case MapMode::kNoticeBeforeList: return keyReturn;
    default: return keyEsc;
  }
}

// Map keys, menus over the map, month ends up to a battle, the battle and the map after it.
void Script(Play& play) {
  const int opening[] = {
      keyReturn, keyDown,  keyReturn, keyEsc,   keyEsc,  // the city menu and its interior menu
      keyRight,  keyRight, keyRight,  keyRight, keyRight, keyRight, keyRight, keyRight,  // walks, then scrolls
      keyDown,   keyDown,  keyDown,   keyDown,  keyDown,  keyDown,  keyDown,  keyDown,   // to the bottom
      keyReturn,                                                                         // another's city: a notice
      keyLeft,   keyHome,  keyLeft,   9,        keyUp,    keyUp,    keyEsc,   keyDown,  keyEsc,  // road map, Tab, menu
      keyLeft,   keyLeft,  keyLeft,   keyLeft,  keyLeft,  keyLeft,  keyLeft,  keyUp,    keyUp,
      keyUp,     keyUp,    keyUp,     keyUp,    keyUp,
  };
  for (int key : opening) play.Press(key);
  bool down = false;
  GameMap& m = play.Map();
  for (int month = 0; month < kMonthBudget && m.Mode() != MapMode::kBattle; ++month) {
    for (int i = 0; i < kBattleBudget && m.Mode() != MapMode::kMap && m.Mode() != MapMode::kBattle; ++i)
      play.Press(NextKey(m, down));
    if (m.Mode() == MapMode::kMap) play.Press(keyEsc);
    for (int i = 0; i < kBattleBudget && m.Mode() == MapMode::kSystemMenu; ++i) play.Press(NextKey(m, down));
  }
  for (int i = 0; i < kBattleBudget && m.Mode() != MapMode::kMap; ++i) play.Press(NextKey(m, down));
  for (int key : {keyRight, keyDown, keyLeft, keyUp}) play.Press(key);
}

// Plays the keys with whole draws, then as the map draws them, and holds the frames alike.
void Compare() {
  std::vector<Frame> whole, partial;
  {
    Play play(true);
    Script(play);
    whole = play.frames;
  }
  {
    Play play(false);
    Script(play);
    partial = play.frames;
  }
  bool battle = false;
  for (const Frame& f : whole) battle = battle || f.mode == MapMode::kBattle;
  EXPECT_TRUE(battle) << "no battle within " << kMonthBudget << " months";
  EXPECT_EQ(whole.back().mode, MapMode::kMap);
  ASSERT_EQ(whole.size(), partial.size());
  for (size_t i = 0; i < whole.size(); ++i) {
    SCOPED_TRACE("key " + std::to_string(i) + " (" + std::to_string(whole[i].key) + ")");
    ASSERT_EQ(whole[i].key, partial[i].key);
    EXPECT_EQ(whole[i].window, partial[i].window);
    EXPECT_EQ(whole[i].back, partial[i].back);
  }
}

TEST(MapRedraw, EveryFrameIsTheOneAWholeRedrawGives) {
  if (!std::filesystem::exists("Res/map.kbp")) GTEST_SKIP() << "no generated Res/ here";
  int savedColorMode = colorMode;
  for (int mode : {1, 0}) {  // transparent text over the panel, and opaque text on white
    SCOPED_TRACE("colour mode " + std::to_string(mode));
    colorMode = mode;
    Compare();
  }
  colorMode = savedColorMode;
}

}  // namespace
