// The status bar under the battle map, the weather icons set into it, the
// five day images shown as the weather turns and the day banner.
//
// The bar is drawn at the bottom 150 pixels of the screen; the game prints
// the food at (60, 10) and the square's name at (390, 10) of the bar in black
// (on white, or straight on the picture with the panel colours), and masks
// the weather icon in at (225, 10). Those places are light paper fields.
#include <cmath>

#include "tools/resgen/battle/battle_art.h"

namespace battle_art {
namespace {

using paint::Vec2;

constexpr float kPi = 3.14159265f;
constexpr int kBarWidth = PicWidth(Pic::kStatusBar), kBarHeight = PicHeight(Pic::kStatusBar);
constexpr int kIconWidth = PicWidth(Pic::kWeatherIcon1), kIconHeight = PicHeight(Pic::kWeatherIcon1);
constexpr int kDayWidth = PicWidth(Pic::kDayClear), kDayHeight = PicHeight(Pic::kDayClear);
constexpr int kBannerWidth = PicWidth(Pic::kDayBanner), kBannerHeight = PicHeight(Pic::kDayBanner);

enum Weather { kClear = 1, kOvercast, kWind, kRain, kIce };
const char* const kWeatherWord[6] = {"", "晴", "阴", "风", "雨", "冰"};
const char* const kWeatherTitle[6] = {"", "晴空万里", "阴云密布", "狂风大作", "大雨滂沱", "天寒地冻"};

void Field(Surface& s, int x1, int y1, int x2, int y2, uint32_t seed) {
  Surface paper(x2 - x1, y2 - y1);
  paint::Paper(paper, paint::kPaperLight, seed, 0.04f);
  s.Blit(x1, y1, paper, 0, 0, paper.Width(), paper.Height(), RasterOp::Copy);
  paint::Canvas c(s);
  paint::DoubleRule(c, x1 + 2, y1 + 2, x2 - 3, y2 - 3, paint::kOchre, 0.9f);
}

// --- weather symbols, shared by the icons and the day images -------------------

void Sun(paint::Canvas& c, float x, float y, float r) {
  for (int i = 0; i < 12; ++i) {
    float a = i * 2 * kPi / 12;
    paint::Line(c, x + std::cos(a) * r * 1.25f, y + std::sin(a) * r * 1.25f, x + std::cos(a) * r * 1.6f,
                y + std::sin(a) * r * 1.6f, std::max(1.2f, r * 0.12f), paint::kGold, 1.0f);
  }
  paint::FillEllipse(c, x, y, r, r, paint::kCinnabar, 1.0f);
  paint::FillEllipse(c, x - r * 0.25f, y - r * 0.25f, r * 0.45f, r * 0.45f, Rgb(214, 76, 50), 1.0f);
}

void CloudBank(paint::Canvas& c, float x, float y, float size, Pixel body, uint32_t seed) {
  paint::FillEllipse(c, x, y, size * 1.3f, size * 0.55f, body, 1.0f);
  paint::FillEllipse(c, x - size * 0.5f, y - size * 0.3f, size * 0.7f, size * 0.5f, body, 1.0f);
  paint::FillEllipse(c, x + size * 0.45f, y - size * 0.4f, size * 0.8f, size * 0.6f, body, 1.0f);
  paint::Cloud(c, x, y - size * 0.1f, size * 0.8f, paint::Scale(body, 0.55f), 0.9f, seed);
}

void WindStrokes(paint::Canvas& c, float x, float y, float size, uint32_t seed) {
  for (int i = 0; i < 3; ++i) {
    float yy = y + (i - 1) * size * 0.45f;
    float len = size * (1.6f - 0.3f * i);
    float x0 = x - len / 2 + i * size * 0.2f;
    paint::Stroke(c,
                  {{x0, yy},
                   {x0 + len * 0.5f, yy - size * 0.12f},
                   {x0 + len, yy},
                   {x0 + len + size * 0.2f, yy - size * 0.3f},
                   {x0 + len - size * 0.05f, yy - size * 0.38f}},
                  size * 0.05f, size * 0.12f, size * 0.03f, paint::kInk, 0.9f, seed + i, 0.3f);
  }
}

void RainStrokes(paint::Canvas& c, float x0, float y0, float x1, float y1, float len, int count, uint32_t seed,
                 Pixel col) {
  paint::Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float x = rng.Range(x0, x1), y = rng.Range(y0, y1);
    paint::Line(c, x, y, x - len * 0.3f, y + len, std::max(1.0f, len * 0.08f), col, 0.9f);
  }
}

void Snowflake(paint::Canvas& c, float x, float y, float r, Pixel col) {
  for (int i = 0; i < 3; ++i) {
    float a = i * kPi / 3;
    float dx = std::cos(a) * r, dy = std::sin(a) * r;
    paint::Line(c, x - dx, y - dy, x + dx, y + dy, std::max(1.0f, r * 0.14f), col, 1.0f);
    for (int s = -1; s <= 1; s += 2) {
      float bx = x + dx * 0.55f * s, by = y + dy * 0.55f * s;
      float a2 = a + 0.6f, a3 = a - 0.6f;
      paint::Line(c, bx, by, bx - std::cos(a2) * r * 0.3f * s, by - std::sin(a2) * r * 0.3f * s,
                  std::max(0.8f, r * 0.1f), col, 1.0f);
      paint::Line(c, bx, by, bx - std::cos(a3) * r * 0.3f * s, by - std::sin(a3) * r * 0.3f * s,
                  std::max(0.8f, r * 0.1f), col, 1.0f);
    }
  }
}

void WeatherSymbol(paint::Canvas& c, int w, float x, float y, float size) {
  switch (w) {
    case kClear: Sun(c, x, y, size * 0.42f); break;
    case kOvercast:
      CloudBank(c, x + size * 0.15f, y - size * 0.15f, size * 0.42f, Rgb(150, 148, 142), 900);
      CloudBank(c, x - size * 0.1f, y + size * 0.2f, size * 0.48f, Rgb(196, 192, 184), 901);
      break;
    case kWind: WindStrokes(c, x, y, size * 0.7f, 910); break;
    case kRain:
      CloudBank(c, x, y - size * 0.25f, size * 0.45f, Rgb(120, 124, 130), 920);
      for (int i = 0; i < 5; ++i) {
        float rx = x - size * 0.4f + i * size * 0.2f;
        paint::Line(c, rx, y + size * 0.08f, rx - size * 0.1f, y + size * 0.45f, std::max(1.2f, size * 0.05f),
                    paint::kAzurite, 1.0f);
      }
      break;
    default: Snowflake(c, x, y, size * 0.42f, paint::kAzurite); break;
  }
}

bool PaintIcon(const ResgenPaths& paths, int w) {
  paint::Figure icon(kIconWidth, kIconHeight);
  paint::Canvas c(icon);
  // A jade medallion with an ink rim, the symbol inside, and the word on a tablet.
  paint::FillEllipse(c, 50, 50, 47, 47, paint::kInk, 1.0f);
  paint::FillEllipse(c, 50, 50, 44, 44, paint::kGold, 1.0f);
  paint::FillEllipse(c, 50, 50, 40, 40, Rgb(232, 236, 222), 1.0f);
  paint::Wash(c, 50, 54, 34, 30, paint::kMalachiteLight, 0.25f, 950 + w);
  WeatherSymbol(c, w, 50, 50, 62);
  paint::FillBox(c, 100, 14, 136, 86, paint::kInk, 1.0f);
  paint::FillBox(c, 102, 16, 134, 84, paint::kPaperLight, 1.0f);
  paint::CalligraphyCentered(c, 118, 30, kWeatherWord[w], paint::kFaceKai, 36, paint::kInk, 1.0f, 960 + w, 700);
  return SaveFightMasked(paths, WeatherIconPic(w), WeatherIconMaskPic(w), icon);
}

// --- the day images ------------------------------------------------------------------

void DayLandscape(Surface& s, int w) {
  Pixel skyTop, skyBottom;
  switch (w) {
    case kClear:
      skyTop = Rgb(222, 226, 214);
      skyBottom = Rgb(240, 226, 190);
      break;
    case kOvercast:
      skyTop = Rgb(150, 150, 148);
      skyBottom = Rgb(204, 200, 188);
      break;
    case kWind:
      skyTop = Rgb(204, 196, 166);
      skyBottom = Rgb(232, 214, 170);
      break;
    case kRain:
      skyTop = Rgb(104, 112, 120);
      skyBottom = Rgb(170, 174, 170);
      break;
    default:
      skyTop = Rgb(206, 220, 230);
      skyBottom = Rgb(240, 242, 240);
      break;
  }
  paint::Silk(s, paint::kSilk, 970 + w);
  paint::GradientV(s, 0, kDayHeight, skyTop, skyBottom, 971 + w, 0.03f);
  paint::Canvas c(s);
  float mute = (w == kOvercast || w == kRain) ? 0.55f : 0.0f;
  auto body = [&](Pixel p) { return paint::Mix(p, skyBottom, mute); };
  if (w == kClear) Sun(c, 470, 80, 30);
  // Far range, a river plain, near range with a camp: the same country every day.
  paint::Mountain(c, -20, 210, 300, 120, 980, body(paint::Mix(paint::kAzuriteLight, skyBottom, 0.4f)), 0.4f);
  paint::Mountain(c, 240, 214, 260, 100, 981, body(paint::Mix(paint::kMalachiteLight, skyBottom, 0.4f)), 0.4f);
  paint::Mountain(c, 440, 220, 240, 130, 982, body(paint::Mix(paint::kAzuriteLight, skyBottom, 0.3f)), 0.4f);
  Pixel water = w == kIce ? Rgb(214, 228, 236) : body(Rgb(110, 146, 160));
  paint::FillBox(c, 0, 220, kDayWidth, 250, water, 0.9f);
  for (int i = 0; i < 8; ++i) {
    float y = 226 + i * 3;
    paint::Line(c, 20 + i * 70, y, 80 + i * 70, y, 1.0f, Rgb(236, 240, 236), 0.6f);
  }
  paint::GradientV(s, 250, kDayHeight, body(Rgb(196, 182, 136)), body(Rgb(168, 150, 104)), 983, 0.04f);
  paint::Mountain(c, -40, 300, 260, 90, 984, body(paint::kMalachite), 0.8f);
  paint::Mountain(c, 480, 305, 200, 80, 985, body(paint::Mix(paint::kMalachite, paint::kAzurite, 0.4f)), 0.8f);
  for (int i = 0; i < 5; ++i) {
    float x = 250 + i * 42;
    paint::FillPolygon(c, {{x - 13, 286}, {x, 268}, {x + 13, 286}}, Rgb(236, 230, 212), 1.0f);
    paint::Stroke(c, {{x - 14, 286}, {x, 267}, {x + 14, 286}}, 1.2f, 1.8f, 1.2f, paint::kInk, 0.85f, 986 + i);
    // The camp's banners stream with the wind, hang in rain.
    float lean = w == kWind ? 16.0f : (w == kRain ? 3.0f : 9.0f);
    float drop = w == kRain ? 10.0f : 4.0f;
    paint::Line(c, x, 267, x, 246, 1.2f, paint::kInk, 1.0f);
    paint::FillPolygon(c, {{x, 246}, {x + lean, 248 + drop * 0.5f}, {x + lean - 2, 254 + drop}, {x, 255}},
                       i % 2 ? kSideColor[0] : kSideColor[1], 1.0f);
  }
  for (int i = 0; i < 4; ++i) {
    float x = 40 + i * 160 + (i % 2) * 30;
    paint::Tree(c, x, 312, 60, 990 + i * 7 + (w == kWind ? 3 : 0), body(Rgb(56, 92, 66)));
  }
  switch (w) {
    case kOvercast:
      for (int i = 0; i < 5; ++i) CloudBank(c, 60 + i * 130, 50 + (i % 2) * 30, 40, Rgb(130, 130, 128), 1000 + i);
      break;
    case kWind: {
      WindStrokes(c, 180, 80, 90, 1010);
      WindStrokes(c, 470, 130, 70, 1011);
      paint::Rng rng(1012);
      for (int i = 0; i < 24; ++i) {
        float x = rng.Range(20, 620), y = rng.Range(40, 300);
        paint::FillEllipse(c, x, y, 3, 1.4f, i % 3 ? Rgb(120, 100, 50) : Rgb(90, 120, 60), 0.9f);
      }
      break;
    }
    case kRain:
      for (int i = 0; i < 4; ++i) CloudBank(c, 80 + i * 160, 40, 50, Rgb(90, 96, 104), 1020 + i);
      RainStrokes(c, 0, 40, kDayWidth + 60, kDayHeight, 22, 420, 1025, Rgb(60, 72, 90));
      break;
    case kIce: {
      // Snow lies on the ridges and the ground; flakes fall.
      for (int y = 0; y < kDayHeight; ++y)
        for (int x = 0; x < kDayWidth; ++x) {
          Pixel p = s.Get(x, y);
          if (y > 250 || paint::Luma(p) < 170) s.Set(x, y, paint::Mix(p, Rgb(246, 248, 250), y > 250 ? 0.7f : 0.45f));
        }
      paint::Rng rng(1030);
      for (int i = 0; i < 70; ++i) Snowflake(c, rng.Range(10, 630), rng.Range(10, 310), rng.Range(2, 6), kWhite);
      break;
    }
    default: break;
  }
}

bool PaintDayImage(const ResgenPaths& paths, int w) {
  Surface s(kDayWidth, kDayHeight);
  DayLandscape(s, w);
  paint::Canvas c(s);
  // Title on a paper cartouche, top left, with the painter's seal.
  paint::FillBox(c, 26, 22, 96, 230, paint::kInk, 0.9f);
  paint::FillBox(c, 29, 25, 93, 227, paint::kPaperLight, 1.0f);
  paint::CalligraphyVertical(c, 37, 32, kWeatherTitle[w], paint::kFaceKai, 46, paint::kInk, 1.0f, 1040 + w);
  paint::Seal(c, 44, 236, 36, kWeatherWord[w], 1045 + w);
  paint::MountFrame(s, 0, 0, kDayWidth, kDayHeight, 10, paint::kOldSilk, 1050 + w);
  return SaveFight(paths, WeatherDayPic(w), s);
}

// The day banner: a lacquer plaque; the game prints the day between the two words.
bool PaintDayBanner(const ResgenPaths& paths) {
  Surface s(kBannerWidth, kBannerHeight);
  paint::Paper(s, paint::kLacquer, 1060, 0.08f);
  paint::Canvas c(s);
  paint::DoubleRule(c, 4, 4, kBannerWidth - 5, kBannerHeight - 5, paint::kGold, 1.0f);
  // Gold ruyi corners.
  const Vec2 corners[4] = {
      {12, 12}, {kBannerWidth - 12.0f, 12}, {12, kBannerHeight - 12.0f}, {kBannerWidth - 12.0f, kBannerHeight - 12.0f}};
  for (const Vec2& p : corners) paint::FillEllipse(c, p.x, p.y, 3, 3, paint::kGold, 1.0f);
  paint::CalligraphyCentered(c, 45, 16, "第", paint::kFaceKai, 60, paint::kGoldPale, 1.0f, 1061, 700);
  paint::CalligraphyCentered(c, 178, 16, "天", paint::kFaceKai, 60, paint::kGoldPale, 1.0f, 1062, 700);
  return SaveFight(paths, Pic::kDayBanner, s);
}

}  // namespace

bool PaintStatusBar(const ResgenPaths& paths) {
  Surface bar(kBarWidth, kBarHeight);
  paint::Silk(bar, paint::kOldSilk, 1100);
  paint::Canvas c(bar);
  // The lower band: a long scroll of distant hills and the army's motto.
  paint::Mountain(c, 20, 146, 240, 56, 1101, paint::Mix(paint::kMalachiteLight, paint::kOldSilk, 0.5f), 0.35f);
  paint::Mountain(c, 230, 146, 200, 44, 1102, paint::Mix(paint::kAzuriteLight, paint::kOldSilk, 0.5f), 0.35f);
  paint::Mountain(c, 400, 146, 220, 50, 1103, paint::Mix(paint::kMalachiteLight, paint::kOldSilk, 0.5f), 0.35f);
  paint::Calligraphy(c, 600, 94, "兵贵神速", paint::kFaceKai, 40, paint::kInk, 0.85f, 1104);
  paint::Seal(c, 764, 96, 30, "军令", 1105);
  // The fields the game writes into, and a seal naming the food.
  Field(bar, 54, 6, 218, 78, 1106);
  Field(bar, 380, 6, 794, 78, 1107);
  paint::Seal(c, 6, 10, 44, "粮草", 1108);
  paint::MountFrame(bar, 0, 0, kBarWidth, kBarHeight, 4, paint::kLacquer, 1109);
  if (!SaveFight(paths, Pic::kStatusBar, bar)) return false;
  for (int w = kClear; w <= kIce; ++w)
    if (!PaintIcon(paths, w)) return false;
  return true;
}

bool PaintWeatherDays(const ResgenPaths& paths) {
  for (int w = kClear; w <= kIce; ++w)
    if (!PaintDayImage(paths, w)) return false;
  return PaintDayBanner(paths);
}

}  // namespace battle_art
