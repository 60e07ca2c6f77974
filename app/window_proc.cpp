#include "campaign/game.h"
#include "platform/window.h"
#include "app/app.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "app/overlay.h"
#include "shell/run_log.h"
#include "shell/screenshot.h"

// The paint handler never validates the window, so between keys the window
// keeps mirroring the back buffer; drawing code only draws into backDC.
void WindowProc(const Message& message) {
  switch (message.type) {
    case MessageType::Destroy:
      DeleteTodayLog();
      PostQuitMessage(0);
      break;
    case MessageType::Paint: CopyBackToWindow(); break;
    case MessageType::KeyDown:
      // The screenshot key never reaches a screen, so taking one changes nothing.
      if (message.param == kScreenshotKey) {
        SaveScreenshot("");
        break;
      }
      // F1 and F2 (and every key while their panel is open) never reach a screen either.
      if (OverlayKeyDown(message.param)) break;
      TheGame().KeyDown(message.param);
      break;
    default: break;
  }
}
