#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>

#include "platform/bmp.h"
#include "platform/text.h"

#ifdef __EMSCRIPTEN__
#include "platform/web.h"
#endif

namespace {

enum class Backend { None, Headless, Sdl };

// While idle the loop is handed a Paint this often. Nothing changes on screen
// between keys, and an uncovered window asks for its Paint at once, so this
// only bounds how long the loop sleeps.
constexpr Uint32 kIdleWaitMs = 250;

// Windows virtual-key codes for the keys the game and its key settings can name.
constexpr int kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkShift = 16, kVkControl = 17, kVkMenu = 18;
constexpr int kVkEscape = 27, kVkSpace = 32, kVkPrior = 33, kVkNext = 34, kVkEnd = 35, kVkHome = 36;
constexpr int kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkInsert = 45, kVkDelete = 46;
constexpr int kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSeparator = 108, kVkSubtract = 109;
constexpr int kVkDecimal = 110, kVkDivide = 111, kVkF1 = 112;

// A held d-pad or stick repeats as a held key does: first after a pause, then steadily.
constexpr Uint32 kPadRepeatDelayMs = 400;
constexpr Uint32 kPadRepeatMs = 90;
// A stick this far off centre (of 32767) points somewhere; a worn one rests nearer.
constexpr int kStickDeadZone = 12000;

struct PadPair {
  SDL_GameControllerButton sdl;
  PadButton pad;
};

constexpr PadPair kPadTable[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::kUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::kDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::kLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::kRight},
    {SDL_CONTROLLER_BUTTON_A, PadButton::kA},
    {SDL_CONTROLLER_BUTTON_B, PadButton::kB},
    {SDL_CONTROLLER_BUTTON_X, PadButton::kX},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::kY},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::kLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::kRightShoulder},
};

bool IsDirection(PadButton b) {
  return b == PadButton::kUp || b == PadButton::kDown || b == PadButton::kLeft || b == PadButton::kRight;
}

// The direction held down (d-pad or stick) and when it next repeats.
struct PadHold {
  bool held = false;
  bool byStick = false;
  PadButton button = PadButton::kUp;
  Uint32 nextRepeat = 0;
};

struct KeyPair {
  SDL_Keycode sdl;
  int vk;
};

constexpr KeyPair kKeyTable[] = {
    {SDLK_BACKSPACE, kVkBack},
    {SDLK_TAB, kVkTab},
    {SDLK_RETURN, kVkReturn},
    {SDLK_KP_ENTER, kVkReturn},
    {SDLK_ESCAPE, kVkEscape},
    {SDLK_SPACE, kVkSpace},
    {SDLK_PAGEUP, kVkPrior},
    {SDLK_PAGEDOWN, kVkNext},
    {SDLK_END, kVkEnd},
    {SDLK_HOME, kVkHome},
    {SDLK_LEFT, kVkLeft},
    {SDLK_UP, kVkUp},
    {SDLK_RIGHT, kVkRight},
    {SDLK_DOWN, kVkDown},
    {SDLK_INSERT, kVkInsert},
    {SDLK_DELETE, kVkDelete},
    {SDLK_LSHIFT, kVkShift},
    {SDLK_RSHIFT, kVkShift},
    {SDLK_LCTRL, kVkControl},
    {SDLK_RCTRL, kVkControl},
    {SDLK_LALT, kVkMenu},
    {SDLK_RALT, kVkMenu},
    {SDLK_KP_MULTIPLY, kVkMultiply},
    {SDLK_KP_PLUS, kVkAdd},
    {SDLK_KP_COMMA, kVkSeparator},
    {SDLK_KP_MINUS, kVkSubtract},
    {SDLK_KP_PERIOD, kVkDecimal},
    {SDLK_KP_DIVIDE, kVkDivide},
    // The punctuation keys of a US layout, which Windows names VK_OEM_1 and on.
    {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

constexpr SDL_Keycode kKeypadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
constexpr SDL_Keycode kFunctionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                         SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};

struct WindowState {
  Backend backend = Backend::None;
  std::deque<Message> posted;
  KeySource source;
  SDL_Window* window = nullptr;
  // The frame last shown, in logical pixels: a present sends on only the rows
  // that differ from it.
  Surface shown;
  SDL_Surface* converted = nullptr;  // for a window surface not in 0x00RRGGBB
  uint32_t shownVersion = 0;
  bool mustShow = true;  // the window lost its picture (new, uncovered, resized)
  uint32_t presents = 0;
  PadHold pad;
  std::deque<SDL_GameController*> controllers;
  int stickX = 0, stickY = 0;
};

WindowState& State() {
  static WindowState state;
  return state;
}

void DestroySdl(WindowState& s) {
  for (SDL_GameController* pad : s.controllers) SDL_GameControllerClose(pad);
  s.controllers.clear();
  s.pad.held = false;
  if (s.converted) SDL_FreeSurface(s.converted);
  if (s.window) SDL_DestroyWindow(s.window);
  s.converted = nullptr;
  s.window = nullptr;
  s.shown = Surface();
  // The video subsystem stays up until the process ends: shutting it down
  // unloads the display libraries SDL opened, which loses their allocations
  // from the leak checker's view, and a window opened again reuses it.
}

void SetIcon(SDL_Window* window, const std::string& path) {
  Surface icon;
  if (path.empty() || !LoadBmpFile(path, icon)) return;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Pixel*>(icon.Pixels().data()), icon.Width(), icon.Height(), 32,
                                         icon.Width() * 4, SDL_PIXELFORMAT_RGB888);
  if (!surface) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

// Closing the last window brings a close event and then a quit event: they
// are one request, so the quit that follows a close is taken off the queue.
// Nothing else is remembered, so a request dropped during a delay costs only
// that one close: the next close (or a SIGTERM's quit) arrives as ever.
Message CloseRequest() {
  SDL_PumpEvents();
  SDL_FlushEvent(SDL_QUIT);
  return {MessageType::Destroy, 0};
}

Message PadMessage(PadButton b) { return {MessageType::PadPress, static_cast<int>(b)}; }

void Hold(PadButton b, bool byStick) { State().pad = PadHold{true, byStick, b, SDL_GetTicks() + kPadRepeatDelayMs}; }

void Release(bool byStick) {
  PadHold& hold = State().pad;
  if (hold.held && hold.byStick == byStick) hold.held = false;
}

// Plugged in while the game runs, or before: SDL announces those once, when
// its controller support starts, so a window opened again looks for them itself.
void OpenController(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (SDL_GameController* open : State().controllers)
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(open)) == id) return;
  if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) State().controllers.push_back(pad);
}

void CloseController(SDL_JoystickID id) {
  WindowState& s = State();
  for (auto it = s.controllers.begin(); it != s.controllers.end(); ++it) {
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) != id) continue;
    SDL_GameControllerClose(*it);
    s.controllers.erase(it);
    s.pad.held = false;  // a pad pulled out while held lets go
    return;
  }
}

// The stick moved: a new direction presses it, the centre lets go.
bool StickMoved(const SDL_ControllerAxisEvent& axis, Message& out) {
  WindowState& s = State();
  if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) s.stickX = axis.value;
  else if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY) s.stickY = axis.value;
  else return false;
  PadButton b;
  if (!StickDirection(s.stickX, s.stickY, b)) {
    Release(true);
    return false;
  }
  if (s.pad.held && s.pad.byStick && s.pad.button == b) return false;
  Hold(b, true);
  out = PadMessage(b);
  return true;
}

bool TranslatePad(const SDL_Event& event, Message& out) {
  PadButton b;
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: OpenController(event.cdevice.which); return false;
    case SDL_CONTROLLERDEVICEREMOVED: CloseController(event.cdevice.which); return false;
    case SDL_CONTROLLERBUTTONDOWN:
      if (!PadButtonFromSdl(event.cbutton.button, b)) return false;
      if (IsDirection(b)) Hold(b, false);
      out = PadMessage(b);
      return true;
    case SDL_CONTROLLERBUTTONUP:
      if (PadButtonFromSdl(event.cbutton.button, b) && IsDirection(b) && State().pad.button == b) Release(false);
      return false;
    case SDL_CONTROLLERAXISMOTION: return StickMoved(event.caxis, out);
  }
  return false;
}

// The held direction's repeat, when it is due.
bool PadRepeat(Message& out) {
  PadHold& hold = State().pad;
  if (!hold.held || !SDL_TICKS_PASSED(SDL_GetTicks(), hold.nextRepeat)) return false;
  hold.nextRepeat = SDL_GetTicks() + kPadRepeatMs;
  out = PadMessage(hold.button);
  return true;
}

// A mouse event at a window point as a message at the logical point under it;
// false on the black bars, where there is nothing to point at.
bool MouseMessage(MessageType type, int param, int windowX, int windowY, Message& out) {
  int w = 0, h = 0;
  SDL_GetWindowSize(State().window, &w, &h);
  int x = 0, y = 0;
  if (!LogicalFromWindow(windowX, windowY, w, h, x, y)) return false;
  out = {type, param, x, y};
  return true;
}

bool TranslateMouse(const SDL_Event& event, Message& out) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button != SDL_BUTTON_LEFT && event.button.button != SDL_BUTTON_RIGHT) return false;
      return MouseMessage(MessageType::MouseDown, event.button.button == SDL_BUTTON_LEFT ? kMouseLeft : kMouseRight,
                          event.button.x, event.button.y, out);
    case SDL_MOUSEMOTION: return MouseMessage(MessageType::MouseMove, 0, event.motion.x, event.motion.y, out);
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      if (notches == 0) return false;
      out = {MessageType::MouseWheel, notches};
      return true;
    }
  }
  return false;
}

// An SDL event as the window procedure's message; false for events it ignores.
bool Translate(const SDL_Event& event, Message& out) {
  WindowState& s = State();
  if (TranslateMouse(event, out) || TranslatePad(event, out)) return true;
  switch (event.type) {
    case SDL_KEYDOWN: {
      int vk = VirtualKeyFromSdl(event.key.keysym.sym);
      if (!vk) return false;
      out = {MessageType::KeyDown, vk};
      return true;
    }
    case SDL_QUIT: out = {MessageType::Destroy, 0}; return true;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: out = CloseRequest(); return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out = {MessageType::Activate, 0}; return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          s.mustShow = true;
          out = {MessageType::Size, 0};
          return true;
        case SDL_WINDOWEVENT_EXPOSED:
          s.mustShow = true;
          out = {MessageType::Paint, 0};
          return true;
      }
      return false;
  }
  return false;
}

// Whether the stick motions waiting in SDL's queue point it a new way. That is
// a press, which a delay must take and drop like a key; a motion that only
// centres the stick or keeps its way presses nothing and can wait.
bool StickPressWaiting() {
  SDL_Event events[16];
  int n = SDL_PeepEvents(events, 16, SDL_PEEKEVENT, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERAXISMOTION);
  const WindowState& s = State();
  int x = s.stickX, y = s.stickY;
  bool held = s.pad.held && s.pad.byStick;
  for (int i = 0; i < n; ++i) {
    const SDL_ControllerAxisEvent& axis = events[i].caxis;
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) x = axis.value;
    else if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY) y = axis.value;
    else continue;
    PadButton way;
    if (!StickDirection(x, y, way)) {
      held = false;
    } else if (!held || way != s.pad.button) {
      return true;
    }
  }
  return false;
}

// Whether a key, quit or close is waiting in SDL's queue (nothing is taken off it).
bool SdlInputWaiting() {
  SDL_PumpEvents();
  if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN) > 0) return true;
  if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) return true;
  // Clicks and the wheel are keys too: a delay takes them off the queue and drops them.
  if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN) > 0) return true;
  if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEWHEEL, SDL_MOUSEWHEEL) > 0) return true;
  if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONDOWN) > 0) return true;
  if (StickPressWaiting()) return true;
  SDL_Event events[16];
  int n = SDL_PeepEvents(events, 16, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  for (int i = 0; i < n; ++i)
    if (events[i].window.event == SDL_WINDOWEVENT_CLOSE) return true;
  return false;
}

Message NextSdlMessage() {
#ifdef __EMSCRIPTEN__
  WebWaiting(true);
#endif
  Uint32 start = SDL_GetTicks();
  for (;;) {
    Message message;
    if (PadRepeat(message)) return message;
    Uint32 waited = SDL_GetTicks() - start;
    if (waited >= kIdleWaitMs) return {MessageType::Paint, 0};
    Uint32 wait = kIdleWaitMs - waited;
    const PadHold& hold = State().pad;
    if (hold.held) {
      Sint32 due = static_cast<Sint32>(hold.nextRepeat - SDL_GetTicks());
      wait = std::min(wait, static_cast<Uint32>(due > 0 ? due : 0));
    }
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, static_cast<int>(wait))) {
      if (PadRepeat(message)) return message;
      if (SDL_GetTicks() - start >= kIdleWaitMs) return {MessageType::Paint, 0};
      continue;
    }
    if (Translate(event, message)) {
#ifdef __EMSCRIPTEN__
      // The page counts what the game takes as keys: the mouse's and the pad's too.
      if (message.type == MessageType::KeyDown || message.type == MessageType::MouseDown ||
          message.type == MessageType::MouseWheel || message.type == MessageType::PadPress)
        WebWaiting(false);
#endif
      return message;
    }
  }
}

}  // namespace

Surface& WindowSurface() {
  static Surface surface(kLogicalWidth, kLogicalHeight);
  return surface;
}

void FitFourThree(int usableWidth, int usableHeight, int frameWidth, int frameHeight, int& width, int& height) {
  int w = usableWidth - frameWidth;
  int h = usableHeight - frameHeight;
  if (h * 4 / 3 < w) w = h * 4 / 3;
  w -= w % 4;
  if (w < 400) w = 400;
  width = w;
  height = w * 3 / 4;
}

namespace {

// The caption of a window manager that does not tell its frame (yet).
constexpr int kGuessedCaption = 30;

void FitToDesktop(SDL_Window* window) {
  int display = SDL_GetWindowDisplayIndex(window);
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0) return;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) {
    top = kGuessedCaption;
    left = right = bottom = 0;
  }
  int w = 0, h = 0;
  FitFourThree(usable.w, usable.h, left + right, top + bottom, w, h);
  SDL_SetWindowSize(window, w, h);
  SDL_SetWindowPosition(window, usable.x + left + (usable.w - left - right - w) / 2, usable.y + top);
}

}  // namespace

bool OpenWindow(const WindowConfig& config) {
  WindowState& s = State();
  CloseWindow();
#ifdef __EMSCRIPTEN__
  // Keys reach the game only while its canvas has the focus; the rest of the
  // page keeps its own.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas");
#endif
  if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  // Without controller support the game still plays from the keyboard and the mouse.
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  int width = config.clientWidth > 0 ? config.clientWidth : kLogicalWidth;
  int height = config.clientHeight > 0 ? config.clientHeight : kLogicalHeight;
  Uint32 flags = SDL_WINDOW_SHOWN | (config.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
#ifdef __EMSCRIPTEN__
  // The canvas holds the logical picture pixel for pixel; the page scales it
  // to the browser window with crisp edges.
  width = kLogicalWidth;
  height = kLogicalHeight;
  flags = SDL_WINDOW_SHOWN;
#endif
  std::string caption = GbkToUtf8(config.caption);
  s.window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  if (!s.window) {
    DestroySdl(s);
    return false;
  }
  // The picture goes onto the window's own surface, scaled here: no graphics
  // driver is loaded for an 800 x 600 picture (SDL would otherwise back the
  // window surface with an accelerated renderer).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (!SDL_GetWindowSurface(s.window)) {
    DestroySdl(s);
    return false;
  }
#ifndef __EMSCRIPTEN__
  if (config.autoSize && !config.fullScreen) FitToDesktop(s.window);
#endif
  for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenController(i);
  SDL_StopTextInput();  // keys only; no input-method window
  SetIcon(s.window, config.iconPath);
  s.backend = Backend::Sdl;
  s.mustShow = true;
  Present();
  return true;
}

void SetFullScreen(bool on) {
  WindowState& s = State();
  if (!s.window) return;
#ifdef __EMSCRIPTEN__
  return;  // the page decides how large the canvas is shown
#endif
  SDL_SetWindowFullscreen(s.window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  s.mustShow = true;
}

void CloseWindow() {
  WindowState& s = State();
  if (s.backend == Backend::Sdl) DestroySdl(s);
  s.backend = Backend::None;
  s.source = nullptr;
  s.posted.clear();
}

bool WindowIsOpen() { return State().window != nullptr; }

void StartHeadless(KeySource source) {
  CloseWindow();
  WindowState& s = State();
  s.backend = Backend::Headless;
  s.source = std::move(source);
}

bool IsHeadless() { return State().backend == Backend::Headless; }

void PostQuitMessage(int code) { State().posted.push_back({MessageType::Quit, code}); }

void PostMessage(const Message& message) { State().posted.push_back(message); }

bool PeekMessage() {
  WindowState& s = State();
  if (!s.posted.empty()) return true;
  if (s.backend == Backend::Sdl) return SdlInputWaiting();
  return false;  // headless keys come only when the loop asks for them
}

Message GetMessage() {
  WindowState& s = State();
  if (!s.posted.empty()) {
    Message next = s.posted.front();
    s.posted.pop_front();
    return next;
  }
  switch (s.backend) {
    case Backend::Sdl: return NextSdlMessage();
    case Backend::Headless: {
      Message next;
      if (s.source && s.source(next)) return next;
      s.source = nullptr;  // an exhausted source stays exhausted
      return {MessageType::Quit, 0};
    }
    case Backend::None: break;
  }
  return {MessageType::Quit, 0};  // no window to wait on: nothing will ever come
}

namespace {

bool IsXrgb(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 4 && f->Rmask == 0xFF0000 && f->Gmask == 0x00FF00 && f->Bmask == 0x0000FF;
}

// The source rows [y0, y1) of `picture` that differ from the frame last shown
// (all of them when the window must be drawn afresh); `shown` takes them over.
void ChangedRows(WindowState& s, const Surface& picture, bool everything, int& y0, int& y1) {
  if (everything || s.shown.Width() != picture.Width() || s.shown.Height() != picture.Height()) {
    s.shown = picture;
    y0 = 0;
    y1 = picture.Height();
    return;
  }
  y0 = y1 = 0;
  size_t bytes = sizeof(Pixel) * static_cast<size_t>(picture.Width());
  for (int y = 0; y < picture.Height(); ++y) {
    if (std::memcmp(s.shown.Row(y), picture.Row(y), bytes) == 0) continue;
    std::memcpy(s.shown.Row(y), picture.Row(y), bytes);
    if (y0 == y1) y0 = y;
    y1 = y + 1;
  }
}

}  // namespace

void Present() {
  WindowState& s = State();
  if (s.backend != Backend::Sdl || !s.window) return;
  const Surface& picture = WindowSurface();
  if (!s.mustShow && picture.Version() == s.shownVersion) return;
  SDL_Surface* target = SDL_GetWindowSurface(s.window);  // made anew after a resize
  if (!target || target->w <= 0 || target->h <= 0) return;
  bool everything = s.mustShow;
  int y0 = 0, y1 = 0;
  ChangedRows(s, picture, everything, y0, y1);
  s.shownVersion = picture.Version();
  s.mustShow = false;
  if (y0 >= y1 && !everything) return;  // touched, but every pixel as it was
  FitRect fit = FitKeepingAspect(kLogicalWidth, kLogicalHeight, target->w, target->h);
  // Draw into the window surface itself, or into a 0x00RRGGBB copy converted onto it.
  SDL_Surface* canvas = target;
  if (!IsXrgb(target->format)) {
    if (!s.converted || s.converted->w != target->w || s.converted->h != target->h) {
      if (s.converted) SDL_FreeSurface(s.converted);
      s.converted = SDL_CreateRGBSurfaceWithFormat(0, target->w, target->h, 32, SDL_PIXELFORMAT_RGB888);
      everything = true;
    }
    if (!s.converted) return;
    canvas = s.converted;
  }
  if (SDL_MUSTLOCK(canvas) && SDL_LockSurface(canvas) != 0) return;
  if (everything) SDL_FillRect(canvas, nullptr, 0);  // the bars
  int ty0 = 0, ty1 = 0;
  ScaleRowsNearest(s.shown, y0, y1, static_cast<Pixel*>(canvas->pixels), canvas->pitch / 4, fit, ty0, ty1);
  if (SDL_MUSTLOCK(canvas)) SDL_UnlockSurface(canvas);
  SDL_Rect rows{0, ty0, target->w, ty1 - ty0};
  if (everything) rows = SDL_Rect{0, 0, target->w, target->h};
  if (canvas != target) SDL_BlitSurface(canvas, &rows, target, &rows);
  if (everything) SDL_UpdateWindowSurface(s.window);
  else if (rows.h > 0) SDL_UpdateWindowSurfaceRects(s.window, &rows, 1);
  ++s.presents;
}

uint32_t PresentCount() { return State().presents; }

bool PadButtonFromSdl(int sdlButton, PadButton& out) {
  for (const PadPair& pair : kPadTable) {
    if (pair.sdl != sdlButton) continue;
    out = pair.pad;
    return true;
  }
  return false;
}

bool StickDirection(int axisX, int axisY, PadButton& out) {
  int ax = axisX < 0 ? -axisX : axisX;
  int ay = axisY < 0 ? -axisY : axisY;
  if (ax < kStickDeadZone && ay < kStickDeadZone) return false;
  if (ax >= ay) out = axisX < 0 ? PadButton::kLeft : PadButton::kRight;
  else out = axisY < 0 ? PadButton::kUp : PadButton::kDown;
  return true;
}

bool LogicalFromWindow(int windowX, int windowY, int windowWidth, int windowHeight, int& x, int& y) {
  FitRect fit = FitKeepingAspect(kLogicalWidth, kLogicalHeight, windowWidth, windowHeight);
  if (fit.w <= 0 || fit.h <= 0) return false;
  int dx = windowX - fit.x;
  int dy = windowY - fit.y;
  if (dx < 0 || dy < 0 || dx >= fit.w || dy >= fit.h) return false;
  x = dx * kLogicalWidth / fit.w;
  y = dy * kLogicalHeight / fit.h;
  return true;
}

int VirtualKeyFromSdl(int sdlKeycode) {
  if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
  if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return '0' + (sdlKeycode - SDLK_0);
  for (int i = 0; i < 10; ++i)
    if (sdlKeycode == kKeypadDigits[i]) return kVkNumpad0 + i;
  for (int i = 0; i < 12; ++i)
    if (sdlKeycode == kFunctionKeys[i]) return kVkF1 + i;
  for (const KeyPair& pair : kKeyTable)
    if (pair.sdl == sdlKeycode) return pair.vk;
  return 0;
}
