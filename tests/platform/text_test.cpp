// Text reaching pixels: GBK in, glyphs drawn through the font stand-ins.
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

namespace {

constexpr const char* kHei = "黑体";
constexpr const char* kLi = "隶书";
constexpr Pixel kInk = Rgb(200, 0, 0);
constexpr Pixel kPaper = Rgb(10, 20, 30);

TextStyle Style(const char* face, int height, bool opaque = false) {
  TextStyle s;
  s.font = {face, height, 900};
  s.color = kInk;
  s.opaque = opaque;
  s.background = kWhite;
  return s;
}

// Pixels inside [x1, x2) x [y1, y2) that differ from the paper colour.
int Inked(const Surface& s, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) n += s.Get(x, y) != kPaper;
  return n;
}

TEST(Text, GbkTextInksItsCellOnly) {
  Surface s(300, 100, kPaper);
  int advance = DrawText(s, 20, 30, "汉字12", Style(kHei, 40));
  // Two full-width characters and two half-width digits at a 40-pixel cell.
  EXPECT_GE(advance, 110);
  EXPECT_LE(advance, 130);
  EXPECT_EQ(advance, MeasureText("汉字12", Style(kHei, 40).font));
  // Each character leaves ink in its own part of the cell.
  int fullWidth = MeasureText("汉", Style(kHei, 40).font);
  EXPECT_GT(Inked(s, 20, 30, 20 + fullWidth, 70), 50);
  EXPECT_GT(Inked(s, 20 + fullWidth, 30, 20 + 2 * fullWidth, 70), 50);
  EXPECT_GT(Inked(s, 20 + 2 * fullWidth, 30, 20 + advance, 70), 30);
  // Nothing outside the cell (a couple of pixels of slack for the emboldening).
  EXPECT_EQ(Inked(s, 0, 0, 300, 28), 0);
  EXPECT_EQ(Inked(s, 0, 72, 300, 100), 0);
  EXPECT_EQ(Inked(s, 0, 0, 18, 100), 0);
  EXPECT_EQ(Inked(s, 20 + advance + 2, 0, 300, 100), 0);
  // Solid strokes come out in the text colour itself.
  int solid = 0;
  for (Pixel p : s.Pixels()) solid += p == kInk;
  EXPECT_GT(solid, 100);
}

TEST(Text, DigitsAdvanceHalfTheHeight) {
  // The numeric dialog lays its digits out on this.
  FontSpec font{kHei, 50, 900};
  int one = MeasureText("0", font);
  EXPECT_GE(one, 25);
  EXPECT_LE(one, 26);
  EXPECT_EQ(MeasureText("0123456789", font), 10 * one);
  // Unemboldened, a digit is half an em and a hanzi a whole one; bold adds a pixel to each.
  FontSpec plain{kHei, 50, 400};
  EXPECT_EQ(MeasureText("8", plain), 25);
  EXPECT_EQ(MeasureText("国", plain), 50);
  EXPECT_EQ(MeasureText("国", font), 51);
}

TEST(Text, OpaqueModeFillsTheCellFirst) {
  Surface s(200, 60, kPaper);
  TextStyle style = Style(kHei, 20, true);
  int advance = DrawText(s, 10, 10, "AB", style);
  ASSERT_GT(advance, 0);
  // Every pixel of the cell is background or ink, none is the old paper.
  EXPECT_EQ(Inked(s, 10, 10, 10 + advance, 30), advance * 20);
  EXPECT_EQ(s.Get(10 + advance, 15), kPaper);
  EXPECT_EQ(s.Get(10, 30), kPaper);
  EXPECT_EQ(s.Get(10, 9), kPaper);
}

TEST(Text, LiShuAndUnknownFacesDraw) {
  Surface s(200, 60, kPaper);
  EXPECT_GT(DrawText(s, 0, 0, "曹操", Style(kLi, 40)), 0);
  EXPECT_GT(Inked(s, 0, 0, 200, 60), 50);
  Surface t(200, 60, kPaper);
  EXPECT_EQ(DrawText(t, 0, 0, "曹操", Style("Arial", 40)), MeasureText("曹操", Style(kHei, 40).font));
}

TEST(Text, BadInputNeverCrashes) {
  Surface s(100, 40, kPaper);
  // A lone lead byte, bytes no GBK sequence uses, and a lead byte at the end.
  const char broken[] = {'A', static_cast<char>(0xFF), static_cast<char>(0x81), '\x30', 'B', static_cast<char>(0xB0),
                         0};
  int advance = DrawText(s, 0, 0, broken, Style(kHei, 20));
  EXPECT_GE(advance, MeasureText("AB", Style(kHei, 20).font));
  EXPECT_EQ(DrawText(s, 0, 0, "", Style(kHei, 20)), 0);
  EXPECT_EQ(DrawText(s, 0, 0, nullptr, Style(kHei, 20)), 0);
  EXPECT_EQ(DrawText(s, 0, 0, "x", Style(kHei, 0)), 0);
  EXPECT_EQ(DrawText(s, 0, 0, "x", Style(kHei, -5)), 0);
  TextStyle nullFace = Style(nullptr, 20);
  EXPECT_GT(DrawText(s, 0, 0, "x", nullFace), 0);
  // Text running past every edge of the target is clipped.
  DrawText(s, -30, -10, "汉字汉字汉字", Style(kHei, 60, true));
  DrawText(s, 90, 35, "汉字", Style(kHei, 60, true));
  Surface empty;
  EXPECT_GT(DrawText(empty, 0, 0, "汉", Style(kHei, 20)), 0);
}

// Transparent text drawn where it was drawn before may be put back from memory;
// it must come out as a fresh drawing would, whatever lies under it: the same
// ground, a ground changed under part of it, and its own ink drawn over again.
TEST(Text, RepeatedTransparentTextMatchesAFreshDrawing) {
  constexpr int kW = 300, kH = 100;
  constexpr int kNoBand = -1;
  struct Round {
    const char* what;
    bool freshGround;  // the ground painted anew before the text is drawn
    int band;          // a band of another colour across part of the text, or kNoBand
  };
  const Round rounds[] = {{"first", true, kNoBand},
                          {"same ground", true, kNoBand},
                          {"ground changed", true, Rgb(90, 160, 40)},
                          {"ground as before", true, kNoBand},
                          {"over its ink", false, kNoBand},
                          {"over its ink again", false, kNoBand}};
  Surface s(kW, kH, kPaper);
  int width = 1000;  // each fresh drawing goes on a target of a width never drawn on
  for (const Round& r : rounds) {
    if (r.freshGround) s.FillRect(0, 0, kW, kH, kPaper);
    if (r.band != kNoBand) s.FillRect(60, 40, 200, 60, static_cast<Pixel>(r.band));
    Surface fresh(++width, kH, kBlack);
    fresh.Blit(0, 0, s, 0, 0, kW, kH, RasterOp::Copy);
    DrawText(s, 20, 30, "汉字12", Style(kHei, 40));
    DrawText(fresh, 20, 30, "汉字12", Style(kHei, 40));
    for (int y = 0; y < kH; ++y)
      ASSERT_EQ(0, std::memcmp(s.Row(y), fresh.Row(y), sizeof(Pixel) * kW)) << r.what << ", row " << y;
  }
}

TEST(Text, EncodingConversions) {
  std::string gbk = "三国";
  ASSERT_EQ(gbk.size(), 4u);  // the literal is GBK at run time
  EXPECT_EQ(GbkToUtf8(gbk), "\xE4\xB8\x89\xE5\x9B\xBD");
  EXPECT_EQ(Utf8ToGbk("\xE4\xB8\x89\xE5\x9B\xBD"), gbk);
  EXPECT_EQ(GbkToUtf8("abc"), "abc");
  EXPECT_EQ(GbkToUtf8(std::string("a\xFF"
                                  "b",
                                  3)),
            "ab");
  EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80y"), "xy");  // an emoji has no GBK form
}

TEST(Text, WarmLinesRenderQuickly) {
  Surface s(800, 600, kPaper);
  const char* line = "关羽张飞赵云马超黄忠诸葛亮12";
  DrawText(s, 0, 0, line, Style(kHei, 45, true));
  // The thread's processor time: other builds on the machine stretch the
  // wall clock far more than the work.
  std::timespec a{}, b{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
  const int kRounds = 200;
  for (int i = 0; i < kRounds; ++i) DrawText(s, 0, (i % 10) * 50, line, Style(kHei, 45, true));
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
  double perLineMs = ((b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6) / kRounds;
  // Well under a millisecond in an optimised build; the sanitizers slow it several-fold.
  EXPECT_LT(perLineMs, 5.0);
  RecordProperty("per_line_us", static_cast<int>(perLineMs * 1000));
}

}  // namespace
