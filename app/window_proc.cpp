#include "campaign/game.h"
#include "platform/window.h"
#include "app/app.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/pad_keys.h"
#include "app/mouse_keys.h"
#include "app/overlay.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "shell/screenshot.h"

namespace {

void KeyDown(int key) {
  // The screenshot key never reaches a screen, so taking one changes nothing.
  if (key == kScreenshotKey) {
    SaveScreenshot("");
    return;
  }
  KeyCue(key);
  // F1 and F2 (and every key while their panel is open) never reach a screen either.
  if (OverlayKeyDown(key)) return;
  TheGame().KeyDown(key);
}

}  // namespace

// The paint handler never validates the window, so between keys the window
// keeps mirroring the back buffer; drawing code only draws into backDC.
void WindowProc(const Message& message) {
  switch (message.type) {
    case MessageType::Destroy:
      DeleteTodayLog();
      PostQuitMessage(0);
      break;
    case MessageType::Paint: CopyBackToWindow(); break;
    case MessageType::KeyDown: KeyDown(message.param); break;
    // The mouse's keys are worked out against the screen as it is before the
    // first of them, and pressed one after another like typed keys.
    case MessageType::MouseDown:
    case MessageType::MouseWheel:
    case MessageType::MouseMove:
      for (int key : MouseKeys::For(message, TheGame())) KeyDown(key);
      break;
    case MessageType::PadPress: KeyDown(PadKeys::KeyFor(static_cast<PadButton>(message.param))); break;
    default: break;
  }
}
