#pragma once
// The one window and its message queue. Two backends: a real window on SDL2 and
// a headless one with no window at all. The game draws only into surfaces; the
// window surface (logical 800 x 600) is what the player sees, scaled to the
// client size by the backend.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/surface.h"

enum class MessageType {
  None,
  KeyDown,
  Paint,
  Destroy,
  Quit,
  Activate,
  Size,
  MouseDown,
  MouseWheel,
  MouseMove,
  PadPress
};

// The game controller's buttons the game answers to; the d-pad and the left
// stick both give the four directions. PadPress carries one as its param.
enum class PadButton { kUp, kDown, kLeft, kRight, kA, kB, kX, kY, kLeftShoulder, kRightShoulder };
constexpr int kPadButtons = 10;

// MouseDown's buttons, numbered as the windowing systems do.
constexpr int kMouseLeft = 1;
constexpr int kMouseRight = 3;

struct Message {
  MessageType type = MessageType::None;
  // virtual-key code for KeyDown, exit code for Quit, the button for
  // MouseDown, the notches for MouseWheel (away from the player above 0), the
  // PadButton for PadPress
  int param = 0;
  int x = 0;  // where the pointer is, in logical coordinates, for the mouse messages
  int y = 0;
};

struct WindowConfig {
  std::string caption;  // GBK
  int clientWidth = 800;
  int clientHeight = 600;
  bool fullScreen = false;
  std::string iconPath;  // a BMP for the window icon; empty for none
  // No size was named: open at the largest 4:3 size the desktop's usable area
  // holds with the window's caption and borders.
  bool autoSize = false;
};

// The largest 4:3 client size (width a multiple of 4) that fits an area of
// usableWidth x usableHeight with the given frame around the client area.
// Never below 400 x 300.
void FitFourThree(int usableWidth, int usableHeight, int frameWidth, int frameHeight, int& width, int& height);

constexpr int kLogicalWidth = 800;
constexpr int kLogicalHeight = 600;

// What the player sees, in logical coordinates.
Surface& WindowSurface();

// Opens the real window. Returns false when no display can be opened.
bool OpenWindow(const WindowConfig& config);
// Switches an open window to full screen (the logical space is stretched).
void SetFullScreen(bool on);
void CloseWindow();
bool WindowIsOpen();

// Headless backend: no window. Keys come from a source the caller gives; a source
// that returns false has no more keys, and the queue then yields Quit.
using KeySource = std::function<bool(Message& next)>;
void StartHeadless(KeySource source);
bool IsHeadless();

// The queue, as the game's loop and its delays use it.
void PostQuitMessage(int code);
void PostMessage(const Message& message);
// True when a message is waiting. Never blocks. Headless: true only for posted messages.
bool PeekMessage();
// Takes the next message, blocking until one comes (the window backend waits for
// events with a timeout and yields Paint while idle, at most at the display's rate).
Message GetMessage();
// Shows the window surface now if it changed since the last time (or the
// window was uncovered or resized since).
void Present();
// How many frames Present has actually shown (for tests and idle checks).
uint32_t PresentCount();

// The logical point under a point of a window of windowWidth x windowHeight
// showing the picture scaled with black bars; false on a bar.
bool LogicalFromWindow(int windowX, int windowY, int windowWidth, int windowHeight, int& x, int& y);

// The pad button an SDL game controller button stands for; false for the others.
bool PadButtonFromSdl(int sdlButton, PadButton& out);
// The direction a stick's two axes (-32768..32767) point to past the dead
// zone, the larger axis winning; false inside the dead zone.
bool StickDirection(int axisX, int axisY, PadButton& out);

// Translates an SDL key code to a Windows virtual-key code (0 if none); exposed for tests.
int VirtualKeyFromSdl(int sdlKeycode);
