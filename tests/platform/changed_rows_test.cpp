// The rows a surface reports as changed are the ones its mirror must copy
// again: every real change is in them, a copy that changes nothing is not.
#include <gtest/gtest.h>

#include "platform/surface.h"

namespace {

TEST(ChangedRows, EveryKindOfChangeIsReportedOnceAndUnchangedCopiesNot) {
  Surface s(100, 80, kWhite);
  int y0 = 0, y1 = 0;
  s.TakeChangedRows(y0, y1);  // the fill of a new surface: all of it
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(y1, 80);
  s.TakeChangedRows(y0, y1);
  EXPECT_GE(y0, y1);

  Surface same(100, 80, kWhite);
  s.Blit(0, 0, same, 0, 0, 100, 80, RasterOp::Copy);
  s.Blit(0, 0, same, 0, 0, 100, 80, RasterOp::And);
  s.TakeChangedRows(y0, y1);
  EXPECT_GE(y0, y1) << "pixels as they were are no change";

  Surface dot(100, 80, kWhite);
  dot.Set(3, 40, kBlack);
  s.Blit(0, 0, dot, 0, 0, 100, 80, RasterOp::And);
  s.TakeChangedRows(y0, y1);
  EXPECT_EQ(y0, 40);
  EXPECT_EQ(y1, 41);

  // Several changes add up to the rows from the first to the last.
  s.FillRect(0, 10, 5, 12, kBlack);
  s.InvertRect(0, 60, 5, 3);
  s.Set(99, 79, kBlack);
  s.TakeChangedRows(y0, y1);
  EXPECT_EQ(y0, 10);
  EXPECT_EQ(y1, 80);

  // Clipped to the surface; writes through Row() are declared with Touch.
  s.FillRect(0, -20, 5, 2, kWhite);
  s.TakeChangedRows(y0, y1);
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(y1, 2);
  s.Row(30)[0] = Rgb(1, 2, 3);
  s.Touch();
  s.TakeChangedRows(y0, y1);
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(y1, 80);

  // An assignment changes everything, down to the new height.
  s = Surface(100, 20, kBlack);
  s.TakeChangedRows(y0, y1);
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(y1, 20);
}

}  // namespace
