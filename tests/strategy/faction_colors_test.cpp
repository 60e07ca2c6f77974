// The factions' colours must stay apart for every player, also one with
// red-green colour blindness: distances in CIELAB, with normal sight and after
// a simulation of deuteranopia (Machado, Oliveira and Fernandes 2009, severity 1).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "strategy/game_map.h"

namespace {

using Lab = std::array<double, 3>;

double Linear(int c) {
  double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

Lab ToLab(double r, double g, double b) {
  double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
  double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

Lab Seen(Pixel p, bool deuteranope) {
  double r = Linear((p >> 16) & 255), g = Linear((p >> 8) & 255), b = Linear(p & 255);
  if (!deuteranope) return ToLab(r, g, b);
  auto clamp = [](double v) { return std::min(1.0, std::max(0.0, v)); };
  return ToLab(clamp(0.367322 * r + 0.860646 * g - 0.227968 * b), clamp(0.280085 * r + 0.672501 * g + 0.047413 * b),
               clamp(-0.011820 * r + 0.042940 * g + 0.968881 * b));
}

double Distance(Pixel a, Pixel b) {
  double d = 1e9;
  for (bool deut : {false, true}) {
    Lab x = Seen(a, deut), y = Seen(b, deut);
    d = std::min(d, std::sqrt((x[0] - y[0]) * (x[0] - y[0]) + (x[1] - y[1]) * (x[1] - y[1]) + (x[2] - y[2]) * (x[2] - y[2])));
  }
  return d;
}

constexpr Pixel kPaper = Rgb(226, 206, 160);
constexpr Pixel kPlayersBlue = Rgb(51, 90, 151);

}  // namespace

TEST(FactionColors, EighteenRulersStayApartForNormalAndDeuteranopeSight) {
  for (int i = 0; i < kFactionColors; ++i) {
    EXPECT_GT(Distance(FactionPaletteColor(i), kPaper), 30) << i;         // readable on the map's paper
    EXPECT_GT(Distance(FactionPaletteColor(i), kPlayersBlue), 40) << i;   // never taken for the player's flag
    for (int j = i + 1; j < kFactionColors; ++j) {
      // Two rulers differ by colour, or by the white band across the flag.
      if (FactionPaletteBanded(i) != FactionPaletteBanded(j)) continue;
      EXPECT_GT(Distance(FactionPaletteColor(i), FactionPaletteColor(j)), 20) << i << " " << j;
    }
  }
  for (int i = 0; i < kFactionColors; ++i) {
    EXPECT_EQ(FactionPaletteBanded(i), i >= 9);
    EXPECT_EQ(FactionPaletteColor(i), FactionPaletteColor(i % 9));
  }
}

TEST(FactionColors, StartingRulersKeepTheirRulerChoiceLine) {
  EXPECT_EQ(RulerChoiceOf(0, 6), 0);
  EXPECT_EQ(RulerChoiceOf(0, 5), 17);
  EXPECT_EQ(RulerChoiceOf(3, 4), 4);
  EXPECT_EQ(RulerChoiceOf(0, 200), -1);
  EXPECT_EQ(RulerChoiceOf(7, 6), -1);
}
