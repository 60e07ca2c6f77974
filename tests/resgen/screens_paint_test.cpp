// The painting primitives where they can go wrong without anyone noticing:
// masks that leave a halo or a hole, figures that fade at their edges, and
// pictures that change from one run to the next.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/resgen/common/paint.h"
#include "tools/resgen/screens/screens_common.h"

using namespace paint;

namespace {

Figure DiscFigure() {
  Figure f(40, 40);
  Canvas c(f);
  FillEllipse(c, 20, 20, 12, 12, kCinnabar, 1.0f);
  Stroke(c, {{5, 35}, {20, 30}, {35, 36}}, 2, 4, 1, kInk, 1.0f, 7, 0.3f);
  return f;
}

TEST(MaskedFigures, MaskCoversExactlyTheFigure) {
  Figure f = DiscFigure();
  Surface image, mask;
  SplitMasked(f, image, mask);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      bool figure = f.Alpha(x, y) >= 0.5f;
      EXPECT_EQ(mask.Get(x, y), figure ? kWhite : kBlack) << x << "," << y;
      if (!figure) {
        EXPECT_EQ(image.Get(x, y), kWhite) << x << "," << y;
      }
    }
}

TEST(MaskedFigures, OrThenAndGivesACleanFigureOverAnyGround) {
  // The game ORs the mask and then ANDs the image: the figure must come out
  // in its own colours and the ground untouched, on dark and on light ground.
  Figure f = DiscFigure();
  Surface image, mask;
  SplitMasked(f, image, mask);
  for (Pixel groundColor : {Rgb(20, 30, 40), Rgb(230, 220, 200), Rgb(40, 160, 90)}) {
    Surface ground(40, 40, groundColor);
    ground.Blit(0, 0, mask, 0, 0, 40, 40, RasterOp::Or);
    ground.Blit(0, 0, image, 0, 0, 40, 40, RasterOp::And);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        EXPECT_EQ(ground.Get(x, y), f.Alpha(x, y) >= 0.5f ? f.color.Get(x, y) : groundColor) << x << "," << y;
  }
}

TEST(MaskedFigures, EdgesKeepTheirColourInsteadOfFadingToWhite) {
  // A figure's half-covered edge pixels keep the paint's colour: blending with
  // the white ground of the layer would leave a pale halo over dark grounds.
  Figure f(20, 20);
  Canvas c(f);
  FillEllipse(c, 10, 10, 6.3f, 6.3f, kInk, 1.0f);
  bool sawEdge = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      float a = f.Alpha(x, y);
      if (a > 0.05f && a < 0.95f) {
        sawEdge = true;
        EXPECT_EQ(f.color.Get(x, y), kInk) << x << "," << y;
      }
    }
  EXPECT_TRUE(sawEdge);
}

TEST(Painting, CanvasOverSurfaceBlendsAndClips) {
  Surface s(4, 4, kWhite);
  Canvas c(s);
  c.Blend(1, 1, kBlack, 0.5f);
  c.Blend(-1, 9, kBlack, 1.0f);  // outside: ignored, no crash
  EXPECT_EQ(s.Get(1, 1), Rgb(128, 128, 128));
  EXPECT_EQ(s.Get(0, 0), kWhite);
}

TEST(Painting, RandomnessIsFixedBySeed) {
  Rng a(5), b(5), other(6);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    uint32_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    if (x != other.Next()) differs = true;
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(Rng(1).Int(0), 0);  // no division by zero
  float v = Fbm(3, 1.7f, 2.2f, 4);
  EXPECT_GE(v, 0.0f);
  EXPECT_LT(v, 1.0f);
}

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Painting, TwoRunsWriteTheSameBytes) {
  namespace fs = std::filesystem;
  fs::path base = fs::temp_directory_path() / ("kestrel_screens_" + std::to_string(getpid()));
  fs::create_directories(base / "a" / "Fight");
  fs::create_directories(base / "b" / "Fight");
  ASSERT_TRUE(GeneratePanelPictures({"", (base / "a").string()}));
  ASSERT_TRUE(GeneratePanelPictures({"", (base / "b").string()}));
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(base / "a")) {
    if (!entry.is_regular_file()) continue;
    fs::path twin = base / "b" / fs::relative(entry.path(), base / "a");
    EXPECT_EQ(Slurp(entry.path()), Slurp(twin)) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 5);
  fs::remove_all(base);
}

}  // namespace

namespace {

TEST(ScenarioCards, AllThreeKingdomsStandLeftOfTheTitle) {
  std::vector<CardBanner> banners = TripodBanners();
  ASSERT_EQ(banners.size(), 3u);
  for (size_t i = 0; i < banners.size(); ++i) {
    const CardBanner& b = banners[i];
    EXPECT_GE(b.peakX, 0) << b.name;
    EXPECT_LE(b.peakX + b.peakW, kCardTitleLeft) << b.name << "'s peak runs under the title";
    EXPECT_GE(b.y1, 8) << b.name;
    EXPECT_LE(b.x2, kCardTitleLeft) << b.name << "'s banner is under the title";
    if (i > 0) {
      EXPECT_GE(b.x1, banners[i - 1].x2) << b.name << " covers the banner before it";
    }
  }
}

}  // namespace
