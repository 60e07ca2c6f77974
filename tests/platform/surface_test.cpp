#include "platform/surface.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr Pixel kRed = Rgb(255, 0, 0);
constexpr Pixel kBlue = Rgb(0, 0, 255);

// Counts the pixels of a colour in the whole surface.
int Count(const Surface& s, Pixel p) {
  int n = 0;
  for (Pixel q : s.Pixels()) n += q == p;
  return n;
}

TEST(Surface, EmptySurfaceIgnoresEveryOperation) {
  Surface empty;
  Surface src(4, 4, kRed);
  empty.Blit(0, 0, src, 0, 0, 4, 4, RasterOp::Copy);
  empty.FillRect(0, 0, 10, 10, kRed);
  empty.Rectangle(0, 0, 10, 10, 5, kRed, kBlue);
  empty.InvertRect(0, 0, 10, 10);
  empty.Set(0, 0, kRed);
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.Get(0, 0), kBlack);

  Surface negative(-3, 5);
  EXPECT_TRUE(negative.Empty());
  EXPECT_EQ(negative.Width(), 0);
}

TEST(Surface, BlitClipsAgainstBothSurfaces) {
  Surface dst(10, 10, kBlack);
  Surface src(4, 4, kRed);
  // Half off the left and top of the destination.
  dst.Blit(-2, -2, src, 0, 0, 4, 4, RasterOp::Copy);
  EXPECT_EQ(Count(dst, kRed), 4);
  EXPECT_EQ(dst.Get(1, 1), kRed);
  EXPECT_EQ(dst.Get(2, 2), kBlack);

  // Asking for more than the source has copies only what is there.
  Surface dst2(10, 10, kBlack);
  dst2.Blit(5, 5, src, 2, 2, 100, 100, RasterOp::Copy);
  EXPECT_EQ(Count(dst2, kRed), 4);
  EXPECT_EQ(dst2.Get(6, 6), kRed);
  EXPECT_EQ(dst2.Get(7, 7), kBlack);

  // A negative source origin shifts the destination with it.
  Surface dst3(10, 10, kBlack);
  dst3.Blit(0, 0, src, -1, -1, 3, 3, RasterOp::Copy);
  EXPECT_EQ(dst3.Get(0, 0), kBlack);
  EXPECT_EQ(dst3.Get(1, 1), kRed);
  EXPECT_EQ(Count(dst3, kRed), 4);

  // Extreme coordinates draw nothing and do not overflow.
  dst3.Blit(INT_MAX, INT_MIN, src, INT_MIN, INT_MAX, INT_MAX, INT_MAX, RasterOp::Copy);
  dst3.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kBlue);
  EXPECT_EQ(Count(dst3, kBlue), 100);
}

TEST(Surface, RasterOpsCombineSourceAndDestination) {
  Surface src(1, 1, 0x0F0F0F);
  Surface dst(3, 1, 0xF0F0F0);
  dst.Blit(0, 0, src, 0, 0, 1, 1, RasterOp::Or);
  dst.Blit(1, 0, src, 0, 0, 1, 1, RasterOp::And);
  dst.Blit(2, 0, src, 0, 0, 1, 1, RasterOp::Invert);
  EXPECT_EQ(dst.Get(0, 0), 0xFFFFFFu);
  EXPECT_EQ(dst.Get(1, 0), 0x000000u);
  EXPECT_EQ(dst.Get(2, 0), 0x0F0F0Fu);  // inverted destination, source ignored
  Surface none;
  dst.Blit(0, 0, none, 0, 0, 3, 1, RasterOp::Invert);  // needs no source at all
  EXPECT_EQ(dst.Get(0, 0), 0x000000u);

  // The masked-figure idiom: OR a white-on-black mask, AND the figure on white.
  Surface ground(2, 1, kBlue);
  Surface mask(2, 1, kBlack);
  mask.Set(0, 0, kWhite);
  Surface figure(2, 1, kWhite);
  figure.Set(0, 0, kRed);
  ground.Blit(0, 0, mask, 0, 0, 2, 1, RasterOp::Or);
  ground.Blit(0, 0, figure, 0, 0, 2, 1, RasterOp::And);
  EXPECT_EQ(ground.Get(0, 0), kRed);
  EXPECT_EQ(ground.Get(1, 0), kBlue);
}

TEST(Surface, SelfBlitWithOverlapCopiesTheOriginal) {
  Surface s(6, 1, kBlack);
  for (int x = 0; x < 6; ++x) s.Set(x, 0, static_cast<Pixel>(x + 1));
  s.Blit(1, 0, s, 0, 0, 5, 1, RasterOp::Copy);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(s.Get(x, 0), static_cast<Pixel>(x)) << x;
}

TEST(Surface, RectangleOnePixelPenCoversTheBorderInside) {
  Surface s(10, 10, kBlack);
  s.Rectangle(2, 2, 6, 6, 1, kRed, kBlue);
  // Outline on columns/rows 2 and 5; interior 3..4 brushed.
  EXPECT_EQ(s.Get(2, 2), kRed);
  EXPECT_EQ(s.Get(5, 5), kRed);
  EXPECT_EQ(s.Get(5, 3), kRed);
  EXPECT_EQ(s.Get(3, 3), kBlue);
  EXPECT_EQ(s.Get(4, 4), kBlue);
  EXPECT_EQ(s.Get(6, 6), kBlack);
  EXPECT_EQ(s.Get(1, 1), kBlack);
  EXPECT_EQ(Count(s, kRed), 12);
  EXPECT_EQ(Count(s, kBlue), 4);
}

TEST(Surface, RectangleWidePenStraddlesTheBorder) {
  Surface s(40, 40, kBlack);
  s.Rectangle(10, 10, 30, 30, 5, kRed, -1);
  // A 5-pixel pen reaches 2 pixels outside the left/top border and 2 inside.
  EXPECT_EQ(s.Get(8, 20), kRed);
  EXPECT_EQ(s.Get(7, 20), kBlack);
  EXPECT_EQ(s.Get(12, 20), kRed);
  EXPECT_EQ(s.Get(13, 20), kBlack);  // no brush: the inside is left as it was
  // The right border line is column 29: bands 27..31.
  EXPECT_EQ(s.Get(27, 20), kRed);
  EXPECT_EQ(s.Get(26, 20), kBlack);
  EXPECT_EQ(s.Get(31, 20), kRed);
  EXPECT_EQ(s.Get(32, 20), kBlack);
  EXPECT_EQ(s.Get(20, 8), kRed);
  EXPECT_EQ(s.Get(20, 31), kRed);
  EXPECT_EQ(s.Get(20, 32), kBlack);
  // Outer 24 x 24 minus inner 14 x 14.
  EXPECT_EQ(Count(s, kRed), 24 * 24 - 14 * 14);
}

TEST(Surface, RectangleBrushFillsInteriorAndCornersMaySwap) {
  Surface s(20, 20, kBlack);
  s.Rectangle(15, 15, 5, 5, 0, kRed, kWhite);  // no pen, corners reversed
  EXPECT_EQ(Count(s, kWhite), 100);
  EXPECT_EQ(Count(s, kRed), 0);
  EXPECT_EQ(s.Get(5, 5), kWhite);
  EXPECT_EQ(s.Get(15, 15), kBlack);
  // Clipped at the edges without touching memory outside.
  s.Rectangle(-10, -10, 50, 50, 5, kRed, kBlue);
  EXPECT_EQ(Count(s, kBlue), 400);
}

TEST(Surface, VersionGrowsOnEveryChangeAndAssignment) {
  Surface s(4, 4);
  uint32_t v = s.Version();
  s.FillRect(0, 0, 1, 1, kRed);
  EXPECT_GT(s.Version(), v);
  v = s.Version();
  s.FillRect(10, 10, 12, 12, kRed);  // entirely clipped: nothing changed
  EXPECT_EQ(s.Version(), v);
  Surface src(2, 2);
  s.Blit(0, 0, src, 0, 0, 2, 2, RasterOp::Copy);
  EXPECT_GT(s.Version(), v);
  v = s.Version();
  // Mirroring the same pixels again is not a change.
  s.Blit(0, 0, src, 0, 0, 2, 2, RasterOp::Copy);
  s.Blit(0, 0, src, 0, 0, 2, 2, RasterOp::Or);
  EXPECT_EQ(s.Version(), v);

  // A fresh surface assigned over a long-used one must not look older.
  Surface fresh(4, 4);
  s = fresh;
  EXPECT_GT(s.Version(), v);
  v = s.Version();
  s = Surface(8, 8);
  EXPECT_GT(s.Version(), v);
  EXPECT_EQ(s.Width(), 8);

  Surface moved(std::move(s));
  EXPECT_EQ(moved.Width(), 8);
  EXPECT_TRUE(s.Empty());  // NOLINT(bugprone-use-after-move): a moved-from surface is a valid empty one
  s.FillRect(0, 0, 4, 4, kRed);
}

}  // namespace
