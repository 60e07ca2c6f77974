// The factions' colours must stay apart for every player, also one with
// red-green colour blindness: CIEDE2000 distances with normal sight and after
// a simulation of deuteranopia (Machado, Oliveira and Fernandes 2009, severity 1).
//
// KESTREL_FACTION_SHEET=FILE.png makes the test also write the sheet of the
// marks beside their deuteranope view (docs/screenshots/faction-colours-deuteranopia.png).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/png_writer.h"
#include "shell/globals.h"
#include "strategy/game_map.h"
#include "tests/strategy/map_fixture.h"

namespace {

using Lab = std::array<double, 3>;
constexpr double kPi = 3.14159265358979323846;

double Linear(int c) {
  double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

int Encoded(double v) {
  v = std::min(1.0, std::max(0.0, v));
  double e = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
  return static_cast<int>(std::lround(e * 255));
}

Lab ToLab(double r, double g, double b) {
  double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
  double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// Linear RGB as a deuteranope sees it.
std::array<double, 3> Deuteranope(Pixel p) {
  double r = Linear((p >> 16) & 255), g = Linear((p >> 8) & 255), b = Linear(p & 255);
  auto clamp = [](double v) { return std::min(1.0, std::max(0.0, v)); };
  return {clamp(0.367322 * r + 0.860646 * g - 0.227968 * b), clamp(0.280085 * r + 0.672501 * g + 0.047413 * b),
          clamp(-0.011820 * r + 0.042940 * g + 0.968881 * b)};
}

Lab Seen(Pixel p, bool deuteranope) {
  if (!deuteranope) return ToLab(Linear((p >> 16) & 255), Linear((p >> 8) & 255), Linear(p & 255));
  std::array<double, 3> d = Deuteranope(p);
  return ToLab(d[0], d[1], d[2]);
}

Pixel SeenPixel(Pixel p) {
  std::array<double, 3> d = Deuteranope(p);
  return Rgb(Encoded(d[0]), Encoded(d[1]), Encoded(d[2]));
}

double Deg(double rad) { return rad * 180 / kPi; }
double Rad(double deg) { return deg * kPi / 180; }

double Ciede2000(const Lab& x, const Lab& y) {
  double c1 = std::hypot(x[1], x[2]), c2 = std::hypot(y[1], y[2]);
  double cm7 = std::pow((c1 + c2) / 2, 7);
  double g = 0.5 * (1 - std::sqrt(cm7 / (cm7 + std::pow(25.0, 7))));
  double a1 = (1 + g) * x[1], a2 = (1 + g) * y[1];
  double c1p = std::hypot(a1, x[2]), c2p = std::hypot(a2, y[2]);
  double h1 = c1p == 0 ? 0 : std::fmod(Deg(std::atan2(x[2], a1)) + 360, 360);
  double h2 = c2p == 0 ? 0 : std::fmod(Deg(std::atan2(y[2], a2)) + 360, 360);
  double dh = 0;
  if (c1p * c2p != 0) {
    dh = h2 - h1;
    if (dh > 180) dh -= 360;
    if (dh < -180) dh += 360;
  }
  double dL = y[0] - x[0], dC = c2p - c1p;
  double dH = 2 * std::sqrt(c1p * c2p) * std::sin(Rad(dh / 2));
  double lm = (x[0] + y[0]) / 2, cmp = (c1p + c2p) / 2;
  double hm = h1 + h2;
  if (c1p * c2p != 0) {
    if (std::fabs(h1 - h2) <= 180) hm = (h1 + h2) / 2;
    else hm = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
  }
  double t = 1 - 0.17 * std::cos(Rad(hm - 30)) + 0.24 * std::cos(Rad(2 * hm)) + 0.32 * std::cos(Rad(3 * hm + 6)) -
             0.20 * std::cos(Rad(4 * hm - 63));
  double theta = 30 * std::exp(-std::pow((hm - 275) / 25, 2));
  double cmp7 = std::pow(cmp, 7);
  double rc = 2 * std::sqrt(cmp7 / (cmp7 + std::pow(25.0, 7)));
  double sl = 1 + 0.015 * (lm - 50) * (lm - 50) / std::sqrt(20 + (lm - 50) * (lm - 50));
  double sc = 1 + 0.045 * cmp, sh = 1 + 0.015 * cmp * t;
  double rt = -std::sin(Rad(2 * theta)) * rc;
  return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

double Distance(Pixel a, Pixel b, bool deuteranope) { return Ciede2000(Seen(a, deuteranope), Seen(b, deuteranope)); }

double WorseDistance(Pixel a, Pixel b) { return std::min(Distance(a, b, false), Distance(a, b, true)); }

constexpr Pixel kPaper = Rgb(226, 206, 160);
constexpr Pixel kPlayersBlue = Rgb(51, 90, 151);

// Each mark on the left, its deuteranope view on the right, the player's blue last.
void WriteSheet(const char* path) {
  Surface sheet(640, 400, kPaper);
  Surface* saved = backDC;
  backDC = &sheet;
  constexpr int kSize = 34;
  for (int i = 0; i <= kFactionColors; ++i) {
    int x = 18 + (i % 3) * 95, y = 16 + (i / 3) * 54;
    sheet.FillRect(x - 1, y - 1, x + kSize + 1, y + kSize + 1, kBlack);
    if (i < kFactionColors) PaintFactionMark(i, x, y, kSize);
    else sheet.FillRect(x, y, x + kSize, y + kSize, kPlayersBlue);
  }
  backDC = saved;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 318; ++x) sheet.Set(x + 322, y, SeenPixel(sheet.Get(x, y)));
  sheet.FillRect(318, 0, 322, 400, kBlack);
  ASSERT_TRUE(SavePng(path, sheet)) << path;
}

}  // namespace

TEST(FactionColors, TheMeasureAgreesWithPublishedValues) {
  // Pairs from Sharma, Wu and Dalal's CIEDE2000 test data.
  EXPECT_NEAR(Ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
  EXPECT_NEAR(Ciede2000({50, 2.5, 0}, {73, 25, -18}), 27.1492, 1e-4);
  EXPECT_NEAR(Ciede2000({2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}), 0.9082, 1e-4);
  // The simulation keeps grey grey and folds red onto a dark yellow.
  EXPECT_EQ(SeenPixel(Rgb(128, 128, 128)), Rgb(128, 128, 128));
  Lab red = Seen(Rgb(255, 0, 0), true);
  EXPECT_LT(std::fabs(red[1]), 10);
  EXPECT_GT(red[2], 40);
}

TEST(FactionColors, EighteenRulersStayApartForNormalAndDeuteranopeSight) {
  double closest[2] = {1e9, 1e9};
  for (int i = 0; i < kFactionColors; ++i) {
    Pixel c = FactionPaletteColor(i);
    EXPECT_GT(WorseDistance(c, kPaper), 15) << i;        // readable on the map's paper
    EXPECT_GT(WorseDistance(c, kPlayersBlue), 25) << i;  // never taken for the player's flag
    Lab lab = Seen(c, false);
    double hue = std::fmod(std::atan2(lab[2], lab[1]) * 180 / kPi + 360, 360);
    EXPECT_FALSE(std::hypot(lab[1], lab[2]) > 15 && hue >= 225 && hue <= 315) << i << " is a blue";
    if (FactionPaletteBanded(i)) {
      EXPECT_GT(WorseDistance(c, kWhite), 20) << i;  // the band shows
    }
    for (int j = i + 1; j < kFactionColors; ++j) {
      for (bool deut : {false, true}) {
        double d = Distance(c, FactionPaletteColor(j), deut);
        closest[deut] = std::min(closest[deut], d);
        EXPECT_GT(d, 11) << i << " " << j << (deut ? " deuteranope" : " normal");
      }
    }
  }
  RecordProperty("closestNormal", std::to_string(closest[0]));
  RecordProperty("closestDeuteranope", std::to_string(closest[1]));
  EXPECT_EQ(FactionPaletteColor(-1), FactionPaletteColor(kFactionColors - 1));
  EXPECT_EQ(FactionPaletteColor(kFactionColors + 2), FactionPaletteColor(2));
  if (const char* sheet = std::getenv("KESTREL_FACTION_SHEET")) WriteSheet(sheet);
}

TEST(FactionColors, StartingRulersKeepTheirRulerChoiceLine) {
  EXPECT_EQ(RulerChoiceOf(0, 6), 0);
  EXPECT_EQ(RulerChoiceOf(0, 5), 17);
  EXPECT_EQ(RulerChoiceOf(3, 4), 4);
  EXPECT_EQ(RulerChoiceOf(0, 200), -1);
  EXPECT_EQ(RulerChoiceOf(7, 6), -1);
}

// With the first nine lines' rulers holding the cities, an officer who became a
// ruler later flies the first free colour, and its band, as the ruler choice
// would show that line.
TEST_F(MapTest, ARulerWhoRoseLaterTakesTheFirstFreeColourWithItsBand) {
  for (CityRecord& c : map->cityList.cities) c.ownerId = 0;
  int city = 0;
  int risen = 0;
  for (int n = 1; n < kHeroCount; ++n) {
    int line = RulerChoiceOf(0, n);
    if (line >= 0 && line < kFactionColors / 2) City(city++).ownerId = n;
    if (line < 0 && risen == 0 && !Hero(n - 1).IsRuler()) risen = n;
  }
  ASSERT_EQ(city, kFactionColors / 2);
  ASSERT_GT(risen, 0);
  for (int n = 1; n < risen; ++n) ASSERT_FALSE(Hero(n - 1).IsRuler() && RulerChoiceOf(0, n) < 0) << n;
  Hero(risen - 1).heroOwnerId = risen;
  EXPECT_EQ(map->FactionMark(risen), kFactionColors / 2);
  EXPECT_TRUE(FactionPaletteBanded(map->FactionMark(risen)));
  EXPECT_EQ(map->FactionColor(risen), FactionPaletteColor(kFactionColors / 2));
}
