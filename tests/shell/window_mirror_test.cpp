// The window mirrors the back buffer: whatever was drawn on either since the
// last copy, the next copy leaves the window showing the back buffer, and an
// idle mirror of an unchanged pair changes nothing.
#include <gtest/gtest.h>

#include "platform/window.h"
#include "shell/draw.h"
#include "shell/globals.h"

namespace {

TEST(CopyBackToWindow, TheWindowAlwaysEndsAsTheBackBuffer) {
  windowDC = &WindowSurface();
  backDC->Resize(800, 600, kWhite);
  backDC->FillRect(100, 100, 200, 200, Rgb(10, 20, 30));
  CopyBackToWindow();
  EXPECT_EQ(windowDC->Pixels(), backDC->Pixels());

  // Idle: nothing changed on either, so the window is not touched again.
  uint32_t version = windowDC->Version();
  for (int i = 0; i < 5; ++i) CopyBackToWindow();
  EXPECT_EQ(windowDC->Version(), version);

  // A message box drawn on the window only is gone after the next copy.
  windowDC->Rectangle(50, 280, 770, 340, 5, kBlack, -1);
  ASSERT_NE(windowDC->Pixels(), backDC->Pixels());
  CopyBackToWindow();
  EXPECT_EQ(windowDC->Pixels(), backDC->Pixels());

  // Drawing into the back buffer, or replacing it whole, shows at the next copy.
  backDC->Set(5, 5, Rgb(1, 2, 3));
  CopyBackToWindow();
  EXPECT_EQ(windowDC->Get(5, 5), Rgb(1, 2, 3));
  Surface other(800, 600, Rgb(200, 100, 50));
  *backDC = other;
  CopyBackToWindow();
  EXPECT_EQ(windowDC->Pixels(), other.Pixels());

  // The back buffer changed near the top, the window near the bottom: one
  // copy mends both.
  backDC->FillRect(0, 0, 800, 3, Rgb(9, 9, 9));
  windowDC->FillRect(0, 590, 800, 600, Rgb(7, 7, 7));
  CopyBackToWindow();
  EXPECT_EQ(windowDC->Pixels(), backDC->Pixels());

  // Both changed the same way since the last copy: still the back buffer.
  backDC->FillRect(0, 0, 10, 10, kBlack);
  windowDC->FillRect(0, 0, 800, 600, kWhite);
  CopyBackToWindow();
  EXPECT_EQ(windowDC->Pixels(), backDC->Pixels());
}

}  // namespace
