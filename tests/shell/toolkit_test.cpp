#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/window.h"
#include "shell/draw.h"
#include "shell/globals.h"

TEST(SqrtBelow, LargestRootStrictlyBelow) {
  EXPECT_EQ(SqrtBelow(0), 0);
  EXPECT_EQ(SqrtBelow(1), 0);
  EXPECT_EQ(SqrtBelow(2), 1);
  EXPECT_EQ(SqrtBelow(100), 9);
  EXPECT_EQ(SqrtBelow(101), 10);
  EXPECT_EQ(SqrtBelow(-5), 0);
  for (int a = 2; a < 3000; ++a) {
    int r = SqrtBelow(a);
    ASSERT_LT(r * r, a) << a;
    ASSERT_GE((r + 1) * (r + 1), a) << a;
  }
}

TEST(Wait, DropsInputButKeepsTheQuitRequest) {
  UseVirtualClock(true);
  int asked = 0;
  StartHeadless([&asked](Message&) {
    ++asked;
    return false;
  });
  PostMessage(Message{MessageType::KeyDown, 13});
  PostMessage(Message{MessageType::KeyDown, 40});
  uint32_t before = GetTickCount();
  Wait(1000);
  EXPECT_GE(GetTickCount() - before, 1000u);
  EXPECT_FALSE(PeekMessage());  // both keys were taken off and lost
  PostQuitMessage(0);
  Wait(50);
  Message m = GetMessage();
  EXPECT_EQ(m.type, MessageType::Quit);
  EXPECT_EQ(asked, 0);  // a delay never reads the next scripted key
}

TEST(MessageBoxes, PlainFrameLeavesNoTraceInTheBackBuffer) {
  UseVirtualClock(true);
  colorMode = 0;
  backDC->Resize(800, 600, kWhite);
  windowDC = &WindowSurface();
  Surface before = *backDC;
  ShowMessage2("无法读取空存档！", "", 50, 280, 12, 1, 1000);
  EXPECT_EQ(backDC->Pixels(), before.Pixels());
  EXPECT_EQ(windowDC->Get(52, 300), kBlack);  // the 5-pixel outline is on the window
}

TEST(Pictures, CopiesLandFiftyPixelsLowerAndMissingFilesDrawNothing) {
  backDC->Resize(800, 600, kWhite);
  Surface before = *backDC;
  PaintBmp(0, "Res\\no-such-picture.kbp", 0, 0);
  EXPECT_EQ(backDC->Pixels(), before.Pixels());
  PaintBmp(0, "Res\\black.kbp", 0, 0);
  if (backDC->Pixels() == before.Pixels()) GTEST_SKIP() << "Res/black.kbp not generated";
  EXPECT_EQ(backDC->Get(10, 49), kWhite);
  EXPECT_EQ(backDC->Get(10, 50), kBlack);
  EXPECT_EQ(backDC->Get(10, 529), kBlack);
  EXPECT_EQ(backDC->Get(10, 530), kWhite);  // at most 480 rows of a picture are copied
}

TEST(Text, GbkTextReachesTheBackBuffer) {
  colorMode = 0;
  backDC->Resize(800, 600, Rgb(10, 200, 10));
  PaintText("请按任意键继续", 250, 480, 40);
  int black = 0;
  int white = 0;
  for (int y = 480; y < 520; ++y) {
    for (int x = 250; x < 530; ++x) {
      Pixel p = backDC->Get(x, y);
      black += p == kBlack;
      white += p == kWhite;
    }
  }
  EXPECT_GT(black, 200);  // ink
  EXPECT_GT(white, 200);  // the opaque white cell behind it
}
