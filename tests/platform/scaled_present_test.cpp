// Fitting the 800 x 600 picture into the window and scaling it there.
#include <gtest/gtest.h>

#include <vector>

#include "platform/surface.h"

namespace {

Surface Numbered(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.Set(x, y, static_cast<Pixel>(y * w + x + 1));
  return s;
}

TEST(FitKeepingAspect, CentresBetweenBarsOnTheLongerSide) {
  FitRect same = FitKeepingAspect(800, 600, 800, 600);
  EXPECT_EQ(same.x, 0);
  EXPECT_EQ(same.y, 0);
  EXPECT_EQ(same.w, 800);
  EXPECT_EQ(same.h, 600);

  FitRect wide = FitKeepingAspect(800, 600, 1920, 1080);  // bars left and right
  EXPECT_EQ(wide.w, 1440);
  EXPECT_EQ(wide.h, 1080);
  EXPECT_EQ(wide.x, 240);
  EXPECT_EQ(wide.y, 0);

  FitRect tall = FitKeepingAspect(800, 600, 1000, 1000);  // bars above and below
  EXPECT_EQ(tall.w, 1000);
  EXPECT_EQ(tall.h, 750);
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 125);

  FitRect none = FitKeepingAspect(800, 600, 0, 600);
  EXPECT_EQ(none.w, 0);
  EXPECT_EQ(none.h, 0);
}

TEST(ScaleRowsNearest, SameSizeIsAPlainCopyAndDoublingMakesBlocks) {
  Surface src = Numbered(8, 6);
  std::vector<Pixel> same(8 * 6, 0);
  int y0 = -1, y1 = -1;
  ScaleRowsNearest(src, 0, 6, same.data(), 8, FitKeepingAspect(8, 6, 8, 6), y0, y1);
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(y1, 6);
  EXPECT_EQ(same, src.Pixels());

  std::vector<Pixel> twice(16 * 12, 0);
  ScaleRowsNearest(src, 0, 6, twice.data(), 16, FitKeepingAspect(8, 6, 16, 12), y0, y1);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(twice[y * 16 + x], src.Get(x / 2, y / 2)) << x << "," << y;
}

TEST(ScaleRowsNearest, OnlyTheChangedSourceRowsAreWrittenInsideTheFit) {
  Surface src = Numbered(8, 6);
  // 8 x 6 into 20 x 9: the picture is 12 x 9 at x 4, with bars beside it.
  const int pitch = 20;
  std::vector<Pixel> out(pitch * 9, 0xABCDEF);
  FitRect fit = FitKeepingAspect(8, 6, 20, 9);
  ASSERT_EQ(fit.x, 4);
  ASSERT_EQ(fit.w, 12);
  int y0 = 0, y1 = 0;
  ScaleRowsNearest(src, 2, 4, out.data(), pitch, fit, y0, y1);
  // Target row t shows source row (2t + 1) * 6 / 18: rows 3..5 show 2 and 3.
  EXPECT_EQ(y0, 3);
  EXPECT_EQ(y1, 6);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < pitch; ++x) {
      Pixel p = out[y * pitch + x];
      bool written = y >= 3 && y < 6 && x >= 4 && x < 16;
      if (!written) {
        ASSERT_EQ(p, 0xABCDEFu) << x << "," << y;
        continue;
      }
      int sx = ((2 * (x - 4) + 1) * 8) / 24, sy = ((2 * y + 1) * 6) / 18;
      ASSERT_EQ(p, src.Get(sx, sy)) << x << "," << y;
    }
  // Nothing to do for an empty range or an empty picture.
  ScaleRowsNearest(src, 4, 4, out.data(), pitch, fit, y0, y1);
  EXPECT_GE(y0, y1);
  ScaleRowsNearest(Surface(), 0, 6, out.data(), pitch, fit, y0, y1);
  EXPECT_GE(y0, y1);
}

}  // namespace
