// Frames and panels behind the game's own text: the message strip, the framed
// backdrop, the save-slot screen, the scenario screen with its four periods,
// and the window icon.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"
#include "tools/resgen/screens/screens_common.h"

using namespace paint;

namespace {

// The full pictures share the size of the framed backdrop.
constexpr int kW = PicWidth(Pic::kFrame);
constexpr int kH = PicHeight(Pic::kFrame);
constexpr int kStripH = PicHeight(Pic::kMessageBack);

// The message strip. Boxes put their top-left at the strip's left edge (or 20
// pixels inside it) and write black text 5 pixels in, 45 to 50 pixels high; the
// strip runs off the screen's right edge whatever the box's width.
Surface MessageStrip() {
  Surface s(PicWidth(Pic::kMessageBack), kStripH);
  Paper(s, kPaperLight, 601, 0.04f);
  Canvas c(s);
  // A lacquer edge top and bottom, thin enough to stay clear of the text.
  FillBox(c, 0, 0, kW, 3, kLacquer, 1.0f);
  FillBox(c, 0, kStripH - 3, kW, kStripH, kLacquer, 1.0f);
  Line(c, 0, 5.5f, kW, 5.5f, 1.0f, kGold, 0.9f);
  Line(c, 0, 57.5f, kW, 57.5f, 1.0f, kGold, 0.9f);
  FillBox(c, 0, 0, 3, kStripH, kLacquer, 1.0f);
  // A faint cloud pattern at the far right, where text seldom reaches.
  for (int i = 0; i < 2; ++i) Cloud(c, 690 + i * 60, 30, 12, kOchre, 0.22f, 610 + i);
  return s;
}

// The framed backdrop of the ruler choice (without colour) and the road map:
// a mounted sheet; menus, the faction map and the road map sit on its paper.
Surface FramedBackdrop() {
  Surface s(kW, kH);
  Paper(s, kPaperLight, 620, 0.05f);
  MountFrame(s, 0, 0, kW, kH, 22, Mix(kAzurite, kInk, 0.25f), 621);
  Canvas c(s);
  Seal(c, 30, 420, 34, "鹰原", 622);
  return s;
}

// The save and load screen: three dark tablets where the slots' names and
// years are written (in white with colour on, on white otherwise) and the
// chosen one is inverted.
Surface SaveScreen() {
  Surface s(kW, kH);
  Silk(s, Mix(kSilk, kOchre, 0.25f), 640, 0.08f);
  Canvas c(s);
  for (int i = 0; i < 5; ++i) Cloud(c, 80 + i * 160, 440, 18, kOchre, 0.25f, 641 + i);
  CalligraphyCentered(c, 400, 22, "征程记录", kFaceKai, 80, kInk, 1.0f, 650, 700);
  Seal(c, 580, 60, 40, "存档", 651);
  const char* const numbers[3] = {"壹", "贰", "叁"};
  for (int k = 0; k < 3; ++k) {
    int top = 160 + 70 * k;
    // Tablet under the text band (x 155..635), a little wider than the inverted band.
    for (int y = top + 3; y < top + 67; ++y)
      for (int x = 150; x < 640; ++x) {
        float n = Fbm(652 + k, x * 0.02f, y * 0.1f, 3);
        s.Set(x, y, Scale(Mix(kLacquer, kInk, 0.45f), 0.85f + 0.3f * n));
      }
    DoubleRule(c, 150, top + 3, 639, top + 66, kGold, 0.8f);
    // The slot number on a seal at the left, the year's word at the right.
    FillBox(c, 96, top + 10, 146, top + 60, kCinnabar, 0.95f);
    CalligraphyCentered(c, 121, top + 13, numbers[k], kFaceKai, 42, kPaperLight, 1.0f, 655 + k, 700);
    Calligraphy(c, 585, top + 14, "年", kFaceKai, 44, kGoldPale, 1.0f, 660 + k);
  }
  Vignette(s, 0.35f);
  return s;
}

// ---- the scenario screen ----------------------------------------------------
struct Period {
  const char* title;
  const char* year;
  int x;
  int y;
};
const Period kPeriods[4] = {{"董卓弄权", "公元一九〇年", 8, 120},
                            {"曹操崛起", "公元一九八年", 8, 305},
                            {"赤壁之战", "公元二〇八年", 410, 120},
                            {"三国鼎立", "公元二二五年", 410, 305}};

void PalaceScene(Surface& s, uint32_t seed) {
  // Luoyang burning: a palace hall under a red sky, smoke drifting.
  Canvas c(s);
  for (int y = 0; y < kCardH; ++y)
    for (int x = 0; x < kCardW; ++x) c.Blend(x, y, kCinnabar, 0.35f * (1.0f - y / static_cast<float>(kCardH)));
  for (int i = 0; i < 5; ++i) Wash(c, 90 + i * 60, 40 + (i % 2) * 14, 70, 26, kInkGrey, 0.45f, seed + i);
  // The hall: podium, columns and a sweeping roof.
  FillPolygon(c, {{40, 160}, {300, 160}, {285, 140}, {55, 140}}, Mix(kOchre, kInk, 0.3f), 1.0f);
  for (int i = 0; i < 7; ++i) FillBox(c, 78 + i * 30, 100, 84 + i * 30, 140, kLacquer, 1.0f);
  FillPolygon(c, {{30, 104}, {310, 104}, {270, 84}, {70, 84}}, kInk, 0.95f);
  FillPolygon(c, {{70, 86}, {270, 86}, {240, 68}, {100, 68}}, Mix(kInk, kAzurite, 0.2f), 0.95f);
  Stroke(c, {{24, 98}, {30, 104}, {40, 104}}, 2, 3, 1, kInk, 1.0f, seed + 10);
  Stroke(c, {{300, 104}, {310, 104}, {316, 98}}, 1, 3, 2, kInk, 1.0f, seed + 11);
  // Flames licking the roof's right end.
  Rng rng(seed);
  for (int i = 0; i < 9; ++i) {
    float x = 200 + i * 12 + rng.Range(-4, 4);
    float h = rng.Range(20, 46);
    Stroke(c, {{x, 100}, {x + rng.Range(-6, 6), 100 - h * 0.6f}, {x + rng.Range(-8, 8), 100 - h}}, 9, 6, 1,
           Mix(kCinnabar, kGold, rng.Range(0.1f, 0.6f)), 0.9f, seed + 20 + i);
  }
}

void CavalryScene(Surface& s, uint32_t seed) {
  // Cao Cao's riders on the plain under a great banner.
  Canvas c(s);
  Wash(c, 300, 40, 50, 30, kGoldPale, 0.5f, seed);
  Mountain(c, 0, 120, 240, 50, seed + 1, Mix(kAzuriteLight, kSilk, 0.4f), 0.3f);
  Mountain(c, 180, 120, 220, 40, seed + 2, Mix(kAzuriteLight, kSilk, 0.5f), 0.2f);
  FillBox(c, 0, 120, kCardW, kCardH, Mix(kOchreLight, kSilk, 0.4f), 0.8f);
  Rng rng(seed);
  for (int i = 0; i < 11; ++i) {
    float x = 30 + i * 30 + rng.Range(-6, 6);
    float y = 150 + (i % 3) * 6 + rng.Range(-3, 3);
    // A rider: horse body, legs mid-gallop, rider and spear.
    FillEllipse(c, x, y - 10, 12, 5, kInk, 0.9f);
    Line(c, x - 9, y - 8, x - 14, y + 2, 2, kInk, 0.9f);
    Line(c, x + 8, y - 8, x + 14, y + 1, 2, kInk, 0.9f);
    Line(c, x + 10, y - 13, x + 16, y - 20, 3, kInk, 0.9f);
    FillEllipse(c, x + 2, y - 21, 3, 6, kInk, 0.9f);
    Line(c, x + 4, y - 18, x + 22, y - 38, 1, kInk, 0.9f);
  }
  Line(c, 120, 150, 120, 40, 3, kInk, 1.0f);
  FillPolygon(c, {{121, 42}, {186, 48}, {178, 70}, {188, 92}, {121, 86}}, kAzurite, 1.0f);
  Calligraphy(c, 132, 44, "曹", kFaceKai, 40, kPaperLight, 1.0f, seed + 5, 700);
}

void RedCliffScene(Surface& s, uint32_t seed) {
  // Fire on the river at night: burning ships under the red cliffs.
  Canvas c(s);
  FillBox(c, 0, 0, kCardW, kCardH, Rgb(36, 30, 40), 0.75f);
  FillPolygon(c, {{170, 0}, {282, 0}, {282, 112}, {196, 106}, {182, 60}}, Mix(kCinnabar, kInk, 0.35f), 1.0f);
  CalligraphyVertical(c, 230, 16, "赤壁", kFaceKai, 26, kPaperLight, 0.9f, seed + 1);
  for (int y = 110; y < kCardH; ++y)
    for (int x = 0; x < kCardW; ++x) c.Blend(x, y, Mix(kAzurite, kInk, 0.4f), 0.7f);
  Rng rng(seed);
  for (int i = 0; i < 5; ++i) {
    float x = 30 + i * 50;
    float y = 130 + (i % 2) * 12;
    FillPolygon(c, {{x - 18, y}, {x + 18, y}, {x + 12, y + 8}, {x - 12, y + 8}}, kInk, 1.0f);
    for (int k = 0; k < 5; ++k) {
      float fx = x - 12 + k * 6;
      float h = rng.Range(16, 40);
      Stroke(c, {{fx, y}, {fx + rng.Range(-4, 4), y - h * 0.6f}, {fx + rng.Range(-6, 6), y - h}}, 7, 5, 1,
             Mix(kCinnabar, kGold, rng.Range(0.2f, 0.8f)), 0.9f, seed + 10 + i * 5 + k);
    }
    Wash(c, x, y + 14, 26, 5, kGold, 0.35f, seed + 40 + i);  // the fire's reflection
  }
}

}  // namespace

// Three kingdoms: three peaks, each with its banner, all left of the title
// label (x from kCardTitleLeft on).
std::vector<CardBanner> TripodBanners() {
  std::vector<CardBanner> out;
  const char* const names[3] = {"魏", "蜀", "吴"};
  for (int i = 0; i < 3; ++i) {
    CardBanner b;
    b.name = names[i];
    b.peakX = 6 + i * 86;
    b.peakW = 96;
    b.peakH = i == 1 ? 112 : 92;
    int px = b.peakX + b.peakW / 2;
    int py = 170 - b.peakH * 85 / 100;
    b.x1 = px;
    b.y1 = py - 44;
    b.x2 = px + 34;
    b.y2 = py;
    out.push_back(b);
  }
  return out;
}

namespace {

void TripodScene(Surface& s, uint32_t seed) {
  Canvas c(s);
  const Pixel colors[3] = {kAzurite, kCinnabar, kMalachite};
  std::vector<CardBanner> banners = TripodBanners();
  for (int i = 0; i < 3; ++i) {
    const CardBanner& b = banners[i];
    Mountain(c, b.peakX, 170, b.peakW, b.peakH, seed + i, Mix(kMalachite, kAzurite, i * 0.3f), 0.9f);
    float px = b.x1, py = b.y2;
    Line(c, px, py, px, py - 44, 2, kInk, 1.0f);
    FillPolygon(c, {{px + 1, py - 44}, {px + 34, py - 40}, {px + 30, py - 28}, {px + 34, py - 16}, {px + 1, py - 18}},
                colors[i], 1.0f);
    Calligraphy(c, static_cast<int>(px) + 6, static_cast<int>(py) - 42, b.name, kFaceKai, 22, kPaperLight, 1.0f,
                seed + 10 + i, 700);
  }
}

// One period card: the scene, its title and year, a border. Lit cards are in
// full colour with a cinnabar border; on the scenario screen's ground the
// same cards stand faded, so the lit one reads at a glance.
Surface PeriodCard(int k, bool lit) {
  Surface s(kCardW, kCardH);
  Silk(s, kSilk, 700 + k, 0.06f);
  switch (k) {
    case 0: PalaceScene(s, 710); break;
    case 1: CavalryScene(s, 720); break;
    case 2: RedCliffScene(s, 730); break;
    default: TripodScene(s, 740); break;
  }
  Canvas c(s);
  // Title block at the right on a paper label.
  FillBox(c, kCardTitleLeft, 10, kCardW - 12, kCardH - 12, kPaperLight, 0.92f);
  CalligraphyVertical(c, kCardW - 66, 16, kPeriods[k].title, kFaceKai, 34, kInk, 1.0f, 750 + k, 2);
  CalligraphyVertical(c, kCardW - 98, 16, kPeriods[k].year, kFaceKai, 20, lit ? kCinnabar : kInkGrey, 1.0f, 760 + k, 3);
  if (!lit) {
    for (int y = 0; y < kCardH; ++y)
      for (int x = 0; x < kCardW; ++x) {
        Pixel p = s.Get(x, y);
        float l = Luma(p);
        s.Set(x, y,
              Mix(Mix(p, Rgb(static_cast<int>(l), static_cast<int>(l), static_cast<int>(l)), 0.7f), kSilk, 0.35f));
      }
  }
  Pixel border = lit ? kCinnabar : Mix(kOchre, kInk, 0.3f);
  for (int i = 0; i < (lit ? 6 : 3); ++i) {
    Line(c, i, i, kCardW - 1 - i, i, 1, border, 1.0f);
    Line(c, i, kCardH - 1 - i, kCardW - 1 - i, kCardH - 1 - i, 1, border, 1.0f);
    Line(c, i, i, i, kCardH - 1 - i, 1, border, 1.0f);
    Line(c, kCardW - 1 - i, i, kCardW - 1 - i, kCardH - 1 - i, 1, border, 1.0f);
  }
  if (lit) DoubleRule(c, 8, 8, kCardW - 9, kCardH - 9, kGold, 0.9f);
  return s;
}

Surface HistoryScreen() {
  Surface s(kW, kH);
  Silk(s, Mix(kSilk, kOldSilk, 0.5f), 770, 0.08f);
  Canvas c(s);
  for (int i = 0; i < 6; ++i) Cloud(c, 70 + i * 135, 70, 16, kOchre, 0.25f, 771 + i);
  CalligraphyCentered(c, 400, 14, "择史定鼎", kFaceKai, 84, kInk, 1.0f, 780, 700);
  Seal(c, 590, 40, 44, "剧本", 781);
  for (int k = 0; k < 4; ++k) {
    Surface card = PeriodCard(k, false);
    s.Blit(kPeriods[k].x, kPeriods[k].y, card, 0, 0, kCardW, kCardH, RasterOp::Copy);
  }
  return s;
}

// The window's icon: the seal of the game.
Surface WindowIcon() {
  Surface s(PicWidth(Pic::kIcon), PicHeight(Pic::kIcon));
  Paper(s, kPaperLight, 790, 0.03f);
  Canvas c(s);
  Seal(c, 2, 2, 60, "霸", 791);
  return s;
}

}  // namespace

bool GeneratePanelPictures(const ResgenPaths& paths) {
  bool ok = true;
  ok &= SavePicture(paths, Pic::kMessageBack, MessageStrip());
  ok &= SavePicture(paths, Pic::kFrame, FramedBackdrop());
  ok &= SavePicture(paths, Pic::kSaveScreen, SaveScreen());
  ok &= SavePicture(paths, Pic::kHistory, HistoryScreen());
  for (int k = 0; k < kScenarioPics; ++k) ok &= SavePicture(paths, ScenarioCardPic(k), PeriodCard(k, true));
  ok &= SavePicture(paths, Pic::kIcon, WindowIcon());
  return ok;
}
