// The message queue behind the game loop and its delays, on both backends.
#include "platform/window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/bmp.h"
#include "platform/files.h"

namespace {

// A key source that hands out the given messages, then reports it is empty.
KeySource Script(std::vector<Message> keys, int* asked = nullptr) {
  auto index = std::make_shared<size_t>(0);
  return [keys, index, asked](Message& next) {
    if (asked) ++*asked;
    if (*index >= keys.size()) return false;
    next = keys[(*index)++];
    return true;
  };
}

class Headless : public ::testing::Test {
 protected:
  void TearDown() override { CloseWindow(); }
};

TEST_F(Headless, PostedMessagesComeBeforeTheSource) {
  int asked = 0;
  StartHeadless(Script({{MessageType::KeyDown, 38}, {MessageType::KeyDown, 13}}, &asked));
  EXPECT_TRUE(IsHeadless());
  EXPECT_FALSE(WindowIsOpen());
  EXPECT_EQ(WindowSurface().Width(), kLogicalWidth);
  EXPECT_EQ(WindowSurface().Height(), kLogicalHeight);

  // Peek never pulls from the source: a delay must not eat scripted keys.
  EXPECT_FALSE(PeekMessage());
  EXPECT_EQ(asked, 0);

  PostMessage({MessageType::Paint, 0});
  PostQuitMessage(3);
  EXPECT_TRUE(PeekMessage());
  Message m = GetMessage();
  EXPECT_EQ(m.type, MessageType::Paint);
  m = GetMessage();
  EXPECT_EQ(m.type, MessageType::Quit);
  EXPECT_EQ(m.param, 3);
  EXPECT_EQ(asked, 0);

  m = GetMessage();
  EXPECT_EQ(m.type, MessageType::KeyDown);
  EXPECT_EQ(m.param, 38);
  EXPECT_EQ(GetMessage().param, 13);
  // Exhausted: Quit with code 0, and again on every later call.
  m = GetMessage();
  EXPECT_EQ(m.type, MessageType::Quit);
  EXPECT_EQ(m.param, 0);
  EXPECT_EQ(GetMessage().type, MessageType::Quit);
  Present();  // nothing to show, nothing to break

  // Without any backend (or without a source) nothing could ever arrive.
  CloseWindow();
  EXPECT_FALSE(PeekMessage());
  EXPECT_EQ(GetMessage().type, MessageType::Quit);
  StartHeadless(nullptr);
  EXPECT_EQ(GetMessage().type, MessageType::Quit);
}

TEST(VirtualKeys, MapsEachGroupOfKeys) {
  // The eight role keys' defaults, then one key of each numbered range and the ends of the ranges.
  const int roles[][2] = {{SDLK_RETURN, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32}, {SDLK_HOME, 36},
                          {SDLK_LEFT, 37},   {SDLK_UP, 38},     {SDLK_RIGHT, 39}, {SDLK_DOWN, 40}};
  for (const auto& r : roles) EXPECT_EQ(VirtualKeyFromSdl(r[0]), r[1]);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 65);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 90);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_9), 57);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 123);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), 105);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_DIVIDE), 111);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT), 16);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_QUOTE), 222);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_CAPSLOCK), 0);
}

// The real backend on SDL's display-less driver: events pushed into SDL's
// queue come out as the window procedure's messages.
class SdlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Surface icon(32, 32, Rgb(200, 40, 40));
    SaveBmp24("platform_test_icon.bmp", icon);
    WindowConfig config;
    config.caption = "三国 ver1.00";
    config.iconPath = "platform_test_icon.bmp";
    if (!OpenWindow(config)) GTEST_SKIP() << "no SDL video driver: " << SDL_GetError();
  }
  void TearDown() override {
    CloseWindow();
    DeleteFileAt("platform_test_icon.bmp");
  }

  static void PushKey(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
  }
  static void PushWindowEvent(Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    SDL_PushEvent(&e);
  }
};

TEST_F(SdlWindow, KeysCloseAndIdleBecomeMessages) {
  EXPECT_TRUE(WindowIsOpen());
  EXPECT_FALSE(IsHeadless());
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  EXPECT_FALSE(PeekMessage());
  EXPECT_EQ(GetMessage().type, MessageType::Paint);  // idle

  PushKey(SDLK_UP);
  PushKey(SDLK_UP);  // a held key repeats as further key downs
  EXPECT_TRUE(PeekMessage());
  Message m = GetMessage();
  EXPECT_EQ(m.type, MessageType::KeyDown);
  EXPECT_EQ(m.param, 38);
  EXPECT_EQ(GetMessage().param, 38);

  PostMessage({MessageType::KeyDown, 13});
  PushKey(SDLK_ESCAPE);
  EXPECT_EQ(GetMessage().param, 13);  // posted first
  EXPECT_EQ(GetMessage().param, 27);

  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_EQ(GetMessage().type, MessageType::Activate);

  // Closing the last window yields a close and a quit event: one Destroy.
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_TRUE(PeekMessage());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_EQ(GetMessage().type, MessageType::Destroy);
  EXPECT_EQ(GetMessage().type, MessageType::Paint);

  // That close went nowhere (dropped during a delay, say): the next close and
  // a quit of its own (a SIGTERM) still come through.
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(GetMessage().type, MessageType::Destroy);
  SDL_PushEvent(&quit);
  EXPECT_EQ(GetMessage().type, MessageType::Destroy);
  EXPECT_EQ(GetMessage().type, MessageType::Paint);
}

TEST(LogicalPoints, FollowThePictureBetweenItsBars) {
  struct Case {
    int wx, wy, w, h;
    bool onPicture;
    int x, y;
  };
  const Case cases[] = {
      {0, 0, 800, 600, true, 0, 0},
      {799, 599, 800, 600, true, 799, 599},
      {1599, 1199, 1600, 1200, true, 799, 599},
      {801, 601, 1600, 1200, true, 400, 300},
      {160, 0, 1120, 600, true, 0, 0},  // bars left and right of a wide window
      {159, 300, 1120, 600, false, 0, 0},
      {960, 300, 1120, 600, false, 0, 0},
      {400, 99, 800, 800, false, 0, 0},  // bars above and below a tall one
      {400, 100, 800, 800, true, 400, 0},
      {-1, 10, 800, 600, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wx << "," << c.wy << " in " << c.w << "x" << c.h);
    int x = -1, y = -1;
    ASSERT_EQ(LogicalFromWindow(c.wx, c.wy, c.w, c.h, x, y), c.onPicture);
    if (!c.onPicture) continue;
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

// Clicks and the wheel count as keys: a delay's peek sees them, so it drops them.
TEST_F(SdlWindow, ClicksAndTheWheelBecomeMessagesAtLogicalPoints) {
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 10;
  e.button.y = 20;
  SDL_PushEvent(&e);
  EXPECT_TRUE(PeekMessage());
  Message m = GetMessage();
  EXPECT_EQ(m.type, MessageType::MouseDown);
  EXPECT_EQ(m.param, kMouseRight);
  EXPECT_EQ(m.x, 10);
  EXPECT_EQ(m.y, 20);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = -2;
  SDL_PushEvent(&wheel);
  EXPECT_TRUE(PeekMessage());
  m = GetMessage();
  EXPECT_EQ(m.type, MessageType::MouseWheel);
  EXPECT_EQ(m.param, -2);
}

TEST(PadButtons, StickPointsPastItsDeadZoneAndTheLargerAxisWins) {
  struct Case {
    int x, y;
    bool points;
    PadButton direction;
  };
  const Case cases[] = {
      {0, 0, false, PadButton::kUp},           {11000, -11000, false, PadButton::kUp},
      {32767, 0, true, PadButton::kRight},     {-32768, 100, true, PadButton::kLeft},
      {2000, -20000, true, PadButton::kUp},    {-15000, 30000, true, PadButton::kDown},
      {20000, 20000, true, PadButton::kRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    PadButton got = PadButton::kA;
    ASSERT_EQ(StickDirection(c.x, c.y, got), c.points);
    if (c.points) EXPECT_EQ(got, c.direction);
  }
  PadButton b;
  EXPECT_TRUE(PadButtonFromSdl(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, b));
  EXPECT_EQ(b, PadButton::kRightShoulder);
  EXPECT_FALSE(PadButtonFromSdl(SDL_CONTROLLER_BUTTON_START, b));
}

// A controller plugged in while the window is open: its buttons come as
// messages, a held d-pad repeats, and pulling it out lets go.
TEST_F(SdlWindow, AVirtualControllerPluggedInPressesAndRepeats) {
  // The display-less window never has the focus, without which SDL keeps a pad's events back.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
  if (index < 0) GTEST_SKIP() << "no virtual joystick: " << SDL_GetError();
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);
  auto next = [] {
    for (int i = 0; i < 8; ++i) {  // idle Paints come every quarter second
      Message m = GetMessage();
      if (m.type == MessageType::PadPress) return m.param;
    }
    return -1;
  };
  GetMessage();  // the plug-in is taken
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  EXPECT_EQ(next(), static_cast<int>(PadButton::kA));
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 0);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
  EXPECT_EQ(next(), static_cast<int>(PadButton::kDown));
  EXPECT_EQ(next(), static_cast<int>(PadButton::kDown));  // held: the repeat
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -30000);
  EXPECT_TRUE(PeekMessage());  // what a delay asks: the push is input, dropped like a key
  EXPECT_EQ(next(), static_cast<int>(PadButton::kLeft));
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, 0);
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  EXPECT_EQ(next(), -1);  // unplugged: nothing repeats
}

TEST_F(SdlWindow, PresentSkipsUnchangedFrames) {
  Surface& screen = WindowSurface();
  Surface back(kLogicalWidth, kLogicalHeight, Rgb(1, 2, 3));
  screen.Blit(0, 0, back, 0, 0, kLogicalWidth, kLogicalHeight, RasterOp::Copy);
  Present();
  uint32_t shown = PresentCount();
  // The idle loop: mirror the unchanged back buffer and present, many times.
  for (int i = 0; i < 20; ++i) {
    screen.Blit(0, 0, back, 0, 0, kLogicalWidth, kLogicalHeight, RasterOp::Copy);
    Present();
  }
  EXPECT_EQ(PresentCount(), shown);
  back.FillRect(0, 0, 10, 10, kWhite);
  screen.Blit(0, 0, back, 0, 0, kLogicalWidth, kLogicalHeight, RasterOp::Copy);
  Present();
  EXPECT_EQ(PresentCount(), shown + 1);
  // Uncovering the window needs the picture again even though it did not change.
  PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
  EXPECT_EQ(GetMessage().type, MessageType::Paint);
  Present();
  EXPECT_EQ(PresentCount(), shown + 2);
}

}  // namespace
