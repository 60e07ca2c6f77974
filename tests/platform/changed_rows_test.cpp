// The rows a surface reports as changed are the ones its mirror must copy
// again: every real change is in them, a copy that changes nothing is not.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

// The columns too: a mirror copies only the part between them.
TEST(ChangedRows, TheChangedBoxSpansEveryChangedColumn) {
  Surface s(100, 80, kWhite);
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  s.TakeChangedBox(x0, y0, x1, y1);
  Surface dot(10, 10, kBlack);
  s.Blit(20, 30, dot, 0, 0, 10, 10, RasterOp::Copy);
  s.FillRect(70, 5, 90, 6, kBlack);
  s.TakeChangedBox(x0, y0, x1, y1);
  EXPECT_EQ(x0, 20);
  EXPECT_EQ(y0, 5);
  EXPECT_EQ(x1, 90);
  EXPECT_EQ(y1, 40);
  s.Set(99, 0, kWhite);
  s.InvertRect(-5, 50, 10, 1);
  s.TakeChangedBox(x0, y0, x1, y1);
  EXPECT_EQ(x0, 0);
  EXPECT_EQ(x1, 100);
}

// A copy repeated onto an unchanged surface from an unchanged source is
// skipped; after a change to either, or anything else drawn, it is made again.
TEST(ChangedRows, ARepeatedCopyIsMadeAgainAfterAnyChange) {
  struct Case {
    const char* what;
    void (*between)(Surface& target, Surface& source);
  };
  const Case cases[] = {
      {"the target drawn on", [](Surface& t, Surface&) { t.FillRect(0, 0, 4, 4, kWhite); }},
      {"the source drawn on", [](Surface&, Surface& s) { s.FillRect(0, 0, 4, 4, kBlack); }},
      {"the target assigned", [](Surface& t, Surface&) { t = Surface(40, 40, kWhite); }},
      {"the source moved away", [](Surface&, Surface& s) { Surface gone(std::move(s)); }},
  };
  for (const Case& c : cases) {
    Surface target(40, 40, kWhite), source(8, 8, Rgb(1, 2, 3));
    target.Blit(0, 0, source, 0, 0, 8, 8, RasterOp::Copy);
    c.between(target, source);
    Surface expect(target);
    expect.Blit(0, 0, source, 0, 0, 8, 8, RasterOp::Copy);
    target.Blit(0, 0, source, 0, 0, 8, 8, RasterOp::Copy);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(target.Get(x, y), expect.Get(x, y)) << c.what;
  }
}

// A drawer that leaves its picture on a surface learns from its watch what
// was drawn over since, whoever drew it; the mirror's own record is apart.
TEST(ChangedRows, AWatchSeesEveryChangeSinceItStartedAndEndsWithTheNext) {
  Surface s(100, 80, kWhite);
  Surface dot(10, 10, kBlack);
  uint64_t ticket = s.StartWatch();
  PixelBoxes box;
  ASSERT_TRUE(s.Watched(ticket, box));
  EXPECT_EQ(box.Count(), 0);
  s.Blit(20, 30, dot, 0, 0, 10, 10, RasterOp::Copy);
  s.Blit(20, 30, dot, 0, 0, 10, 10, RasterOp::Copy);  // in place already: no change
  s.Set(90, 70, kBlack);
  int y0 = 0, y1 = 0;
  s.TakeChangedRows(y0, y1);  // the mirror takes its part; the watch keeps its own
  ASSERT_TRUE(s.Watched(ticket, box));
  ASSERT_EQ(box.Count(), 2) << "changes apart from each other stay apart";
  EXPECT_EQ(box.Bounds(), (PixelBox{20, 30, 91, 71}));
  uint64_t next = s.StartWatch();
  EXPECT_FALSE(s.Watched(ticket, box)) << "a second watch ends the first";
  EXPECT_FALSE(Surface(s).Watched(next, box)) << "a copy is another surface";
  s.Resize(50, 50);
  ASSERT_TRUE(s.Watched(next, box));
  ASSERT_EQ(box.Count(), 1);
  EXPECT_EQ(box[0], (PixelBox{0, 0, 50, 50}));
}

// However many changes come, a few boxes apart from each other hold them all.
TEST(ChangedRows, AFewBoxesHoldEveryChangeWithoutOverlapping) {
  PixelBoxes boxes;
  std::vector<PixelBox> added;
  uint32_t r = 12345;
  auto next = [&r](int n) { return static_cast<int>((r = r * 1103515245u + 12345u) >> 16) % n; };
  for (int i = 0; i < 200; ++i) {
    int x = next(100), y = next(80);
    added.push_back(PixelBox{x, y, x + 1 + next(15), y + 1 + next(10)});
    boxes.Add(added.back());
    ASSERT_LE(boxes.Count(), PixelBoxes::kMax);
    for (int a = 0; a < boxes.Count(); ++a)
      for (int b = a + 1; b < boxes.Count(); ++b) ASSERT_TRUE(boxes[a].Intersect(boxes[b]).Empty()) << i;
    for (const PixelBox& box : added) {
      int covered = 0;
      for (int k = 0; k < boxes.Count(); ++k) {
        PixelBox c = boxes[k].Intersect(box);
        covered += c.Empty() ? 0 : (c.x1 - c.x0) * (c.y1 - c.y0);
      }
      ASSERT_EQ(covered, (box.x1 - box.x0) * (box.y1 - box.y0)) << i;
    }
  }
}

// A copy within a part is the whole copy there and nothing elsewhere.
TEST(ChangedRows, ACopyWithinAPartLeavesTheRestAsItWas) {
  Surface picture(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) picture.Set(x, y, Rgb(x * 6, y * 8, 99));
  const PixelBox parts[] = {{0, 0, 100, 80}, {15, 12, 31, 25}, {-5, -5, 12, 14}, {50, 0, 60, 80}, {30, 20, 30, 40}};
  for (RasterOp op : {RasterOp::Copy, RasterOp::And}) {
    Surface whole(100, 80, Rgb(200, 180, 160));
    whole.Blit(10, 8, picture, 3, 2, 37, 28, op);
    for (const PixelBox& part : parts) {
      Surface within(100, 80, Rgb(200, 180, 160));
      within.BlitWithin(part, 10, 8, picture, 3, 2, 37, 28, op);
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
          bool inside = x >= part.x0 && x < part.x1 && y >= part.y0 && y < part.y1;
          ASSERT_EQ(within.Get(x, y), inside ? whole.Get(x, y) : Rgb(200, 180, 160))
              << "part " << part.x0 << "," << part.y0 << " at " << x << "," << y;
        }
    }
  }
}

}  // namespace
