// The ruse sheet fight_skill: eight rows of two 330 x 320 frames that the
// game alternates six times. Each row is one kind of ruse painted as a small
// framed scene in wash and ink; the second frame moves it on by half a beat
// (flames flare, boulders bound on, the sea rolls half a wave, stones rise).
#include <cmath>

#include "tools/resgen/battle/battle_art.h"

namespace battle_art {
namespace {

using paint::Vec2;

constexpr float kPi = 3.14159265f;
// Two frames a row, one row per ruse.
constexpr int kRows = 8;
constexpr int kFrameW = PicWidth(Pic::kSkillSheet) / 2, kFrameH = PicHeight(Pic::kSkillSheet) / kRows;
static_assert(2 * kFrameW == PicWidth(Pic::kSkillSheet) && kRows * kFrameH == PicHeight(Pic::kSkillSheet),
              "the sheet is whole frames");

void Ground(Surface& s, Pixel sky, Pixel earth, int horizon, uint32_t seed) {
  paint::Silk(s, paint::kSilk, seed);
  paint::GradientV(s, 0, horizon, sky, paint::Mix(sky, kWhite, 0.3f), seed + 1, 0.03f);
  paint::GradientV(s, horizon, kFrameH, earth, paint::Scale(earth, 0.8f), seed + 2, 0.04f);
  // The horizon in a broken line of dilute ink.
  paint::Canvas c(s);
  paint::Stroke(c, {{0, horizon + 1.0f}, {110, horizon - 1.0f}, {220, horizon + 2.0f}, {330, horizon + 0.0f}}, 1, 2.2f,
                1, paint::kInkGrey, 0.5f, seed + 3, 0.4f);
}

// A shape in wash with its ink outline.
void InkPoly(paint::Canvas& c, const std::vector<Vec2>& pts, Pixel col, float weight, uint32_t seed, float a = 1.0f) {
  paint::WashPolygon(c, pts, col, a, seed);
  paint::InkOutline(c, pts, weight, seed + 1, true, paint::kInk, 0.85f * a);
}

std::vector<Vec2> Oval(float x, float y, float rx, float ry, float turn = 0, int n = 12) {
  std::vector<Vec2> pts;
  for (int i = 0; i < n; ++i) {
    float a = i * 2 * kPi / n + turn;
    pts.push_back({x + std::cos(a) * rx, y + std::sin(a) * ry});
  }
  return pts;
}

void Tents(paint::Canvas& c, float y, int count, float burn, uint32_t seed) {
  for (int i = 0; i < count; ++i) {
    float x = 50 + i * 230.0f / std::max(1, count - 1);
    float sag = burn * (6 + i * 3);  // the canvas slumps as it burns
    InkPoly(c, {{x - 22, y}, {x - 3, y - 30 + sag}, {x + 3, y - 30 + sag * 0.6f}, {x + 22, y}}, Rgb(234, 228, 210),
            1.8f, seed + i * 3);
    paint::Line(c, x, y - 31 + sag, x + burn * 6, y - 48 + sag, 1.3f, paint::kInk, 1.0f);
    InkPoly(c, {{x + burn * 6, y - 48 + sag}, {x + 14 + burn * 6, y - 45 + sag}, {x + burn * 6, y - 41 + sag}},
            kSideColor[1], 0.8f, seed + i * 3 + 2);
  }
}

// A tongue of flame: outer cinnabar, inner gold; beat 0 low and leaning left,
// beat 1 tall and leaning right.
void Flame(paint::Canvas& c, float x, float y, float h, float beat, uint32_t seed) {
  float sway = (beat > 0.5f ? 1.0f : -1.0f) * h * 0.28f;
  h *= beat > 0.5f ? 1.35f : 0.75f;
  InkPoly(c,
          {{x - h * 0.3f, y},
           {x - h * 0.26f + sway * 0.3f, y - h * 0.5f},
           {x + sway, y - h},
           {x + h * 0.25f + sway * 0.4f, y - h * 0.45f},
           {x + h * 0.3f, y}},
          paint::kCinnabar, 1.2f, seed, 0.95f);
  paint::WashPolygon(c,
                     {{x - h * 0.16f, y},
                      {x - h * 0.1f + sway * 0.2f, y - h * 0.35f},
                      {x + sway * 0.7f, y - h * 0.72f},
                      {x + h * 0.12f + sway * 0.3f, y - h * 0.3f},
                      {x + h * 0.16f, y}},
                     paint::kGold, 0.95f, seed + 5);
}

void FireScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(120, 70, 50), Rgb(120, 96, 64), 200, 1500);
  // Smoke rolls up and away between the beats.
  paint::Wash(c, 140 + f * 50, 120 - f * 40, 150, 70, Rgb(60, 50, 46), 0.55f, 1502 + f);
  paint::Wash(c, 240 - f * 60, 60 + f * 20, 80, 40, Rgb(80, 66, 60), 0.4f, 1505 + f);
  Tents(c, 230, 3, f, 1503);
  paint::Rng rng(1504);
  for (int i = 0; i < 14; ++i) {
    float x = rng.Range(20, 310), y = rng.Range(200, 300), h = rng.Range(40, 80);
    // Neighbouring flames beat against each other.
    Flame(c, x, y, h, static_cast<float>((f + i) % 2), rng.Next());
  }
  // Sparks thrown up.
  paint::Rng sparks(1509 + f);
  for (int i = 0; i < 24; ++i)
    paint::FillEllipse(c, sparks.Range(10, 320), sparks.Range(60, 200), 1.6f, 1.6f, paint::kGoldPale, 0.9f);
}

void RockScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(206, 210, 200), Rgb(160, 140, 100), 250, 1510);
  InkPoly(c, {{0, 40}, {120, 60}, {230, 200}, {330, 260}, {330, 320}, {0, 320}}, Rgb(120, 130, 110), 2.5f, 1513);
  paint::Mountain(c, -30, 200, 220, 170, 1511, paint::kMalachite, 0.9f);
  paint::Rng rng(1512);
  for (int i = 0; i < 7; ++i) {
    // Each boulder bounds half a step further down the slope and turns over.
    float t = std::fmod(i * 0.16f + f * 0.1f, 1.0f);
    float jx = rng.Range(-14, 14), jy = rng.Range(-14, 14), r = rng.Range(13, 24);
    float x = 50 + t * 260 + jx, y = 70 + t * 205 + jy - (f ? r * 0.8f : 0);
    float turn = f * 1.4f + i;
    InkPoly(c, Oval(x, y, r, r * 0.8f, turn, 9), Rgb(110, 104, 96), 1.8f, rng.Next());
    paint::Wash(c, x - r * 0.3f * std::cos(turn), y - r * 0.3f, r * 0.4f, r * 0.3f, Rgb(170, 164, 156), 0.8f,
                rng.Next());
    // Speed lines behind, and dust where it last struck.
    paint::Stroke(c, {{x - r * 2.4f, y - r * 1.8f}, {x - r * 1.2f, y - r * 0.8f}}, 0.5f, 2, 0.5f, paint::kInkGrey, 0.6f,
                  rng.Next());
    if (f) paint::Wash(c, x - r * 1.5f, y + r * 0.6f, r * 1.8f, r * 0.9f, Rgb(214, 198, 160), 0.7f, rng.Next());
  }
}

void Wave(paint::Canvas& c, float x, float y, float size, float curl, uint32_t seed) {
  // The curling crest of the old wave drawing; `curl` 0 rising, 1 breaking over.
  float lean = curl * size * 0.5f;
  InkPoly(c,
          {{x - size, y + size * 0.6f},
           {x - size * 0.6f + lean * 0.3f, y - size * 0.4f},
           {x + lean * 0.6f, y - size * 0.7f},
           {x + size * 0.6f + lean, y - size * 0.4f + curl * size * 0.3f},
           {x + size * 0.4f + lean * 0.5f, y},
           {x + size, y + size * 0.6f}},
          paint::kAzurite, 1.6f, seed);
  paint::Stroke(c,
                {{x - size * 0.8f, y + size * 0.3f},
                 {x - size * 0.4f + lean * 0.3f, y - size * 0.5f},
                 {x + size * 0.2f + lean * 0.6f, y - size * 0.6f},
                 {x + size * 0.6f + lean, y - size * 0.3f + curl * size * 0.3f},
                 {x + size * 0.3f + lean, y - size * 0.05f + curl * size * 0.3f}},
                2, size * 0.12f, 1.5f, Rgb(236, 244, 242), 1.0f, seed + 2);
  for (int i = 0; i < 4; ++i) {
    float a = -0.6f + i * 0.35f;
    float fx = x + size * 0.55f + lean + std::cos(a) * size * 0.2f,
          fy = y - size * 0.35f + curl * size * 0.3f + std::sin(a) * size * 0.2f;
    paint::FillEllipse(c, fx, fy, size * 0.06f, size * 0.06f, kWhite, 1.0f);
  }
}

void FloodScene(Surface& s, paint::Canvas& c, int f) {
  // The water climbs and the whole sea rolls on half a wave.
  Ground(s, Rgb(190, 204, 210), Rgb(80, 124, 150), 150 - f * 30, 1520);
  paint::Rng rng(1521);
  for (int row = 0; row < 4; ++row)
    for (int i = -1; i < 4; ++i) {
      float x = i * 100 + (row % 2) * 50 + f * 50, y = 150 + row * 48 - f * 30;
      Wave(c, x, y, 40 + row * 6, static_cast<float>(f), rng.Next());
    }
}

void WhirlpoolScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(170, 190, 196), Rgb(70, 110, 136), 60, 1530);
  float turn = f * 0.63f;  // a tenth of a turn: each arm halfway to where the next one was
  // Dark and pale water wheeling round the eye.
  for (int k = 0; k < 6; ++k) {
    float a = k * kPi / 3 + f * 0.9f;
    paint::WashEllipse(c, 165 + std::cos(a) * 80, 190 + std::sin(a) * 48, 46, 24,
                       k % 2 ? Rgb(30, 60, 84) : Rgb(150, 184, 196), 0.6f, 1546 + k);
  }
  for (int arm = 0; arm < 5; ++arm) {
    std::vector<Vec2> pts;
    for (int k = 0; k <= 14; ++k) {
      float r = 10 + k * 10.5f, a = arm * 2 * kPi / 5 + k * 0.42f + turn;
      pts.push_back({165 + std::cos(a) * r, 190 + std::sin(a) * r * 0.6f});
    }
    paint::Stroke(c, pts, 2, 7, 1, Rgb(232, 240, 238), 0.9f, 1531 + arm);
    paint::Stroke(c, pts, 0.5f, 1.5f, 0.3f, paint::kInk, 0.4f, 1540 + arm);
  }
  paint::WashEllipse(c, 165, 190, 20 + f * 6, 12 + f * 4, Rgb(20, 40, 60), 1.0f, 1535);
  // A boat caught at the rim, drawn round and tipping in.
  float a = 0.3f + f * 0.9f;
  PaintTrooper(c, kBoat, 165 + std::cos(a) * 95, 205 + std::sin(a) * 50, 1.3f - f * 0.2f, f == 1, 1,
               Pose{0, 0, f * 0.9f}, 1536);
}

void TalismanScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(60, 56, 70), Rgb(60, 52, 50), 240, 1540);
  // Rings of cinnabar script turning opposite ways round a paper talisman.
  for (int ring = 0; ring < 2; ++ring) {
    float r = 90 + ring * 40 + f * 12;
    for (int i = 0; i < 36; ++i) {
      float a = i * 2 * kPi / 36 + (ring ? -1 : 1) * f * 0.35f;
      paint::FillEllipse(c, 165 + std::cos(a) * r, 160 + std::sin(a) * r, 3.5f - ring + f, 3.5f - ring + f,
                         ring ? paint::kGold : paint::kCinnabar, 0.9f);
    }
  }
  // The charm flares: a burst of light and rays in the second beat.
  paint::WashEllipse(c, 165, 160, 70 + f * 40, 70 + f * 40, paint::kGoldPale, f ? 0.75f : 0.25f, 1541);
  if (f)
    for (int i = 0; i < 12; ++i) {
      float a = i * 2 * kPi / 12;
      paint::Stroke(
          c, {{165 + std::cos(a) * 40, 160 + std::sin(a) * 40}, {165 + std::cos(a) * 150, 160 + std::sin(a) * 150}}, 4,
          2, 0.5f, paint::kGoldPale, 0.7f, 1544 + i);
    }
  float lift = f * 10;
  InkPoly(c, {{135, 80 - lift}, {195, 80 - lift}, {195, 240 - lift}, {135, 240 - lift}}, Rgb(236, 206, 96), 1.6f, 1545);
  paint::DoubleRule(c, 138, static_cast<int>(83 - lift), 192, static_cast<int>(237 - lift), paint::kCinnabar, 1.0f);
  paint::CalligraphyVertical(c, 143, static_cast<int>(92 - lift), "敕令", paint::kFaceKai, 44, paint::kCinnabar, 1.0f,
                             1542);
  paint::Seal(c, 149, static_cast<int>(196 - lift), 32, "封", 1543);
}

void ConfusionScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(176, 172, 186), Rgb(150, 140, 120), 220, 1550);
  paint::Wash(c, 165 + (f ? 40 : -40), 170, 160, 110, Rgb(120, 116, 140), 0.55f, 1551 + f);
  for (int k = 0; k < 4; ++k) {
    float cx = 70 + k * 65 + (f ? 10 : -10), cy = 120 + (k % 2) * 60 - f * 20;
    std::vector<Vec2> spiral;
    for (int i = 0; i <= 20; ++i) {
      float a = i * 0.55f + f * 2.6f + k, r = 3 + i * (1.6f + f * 0.6f);
      spiral.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    paint::Stroke(c, spiral, 1, 3.5f, 1, paint::kInk, 0.8f, 1552 + k, 0.3f);
  }
  // Soldiers stumbling in the fog, turning this way and that.
  for (int i = 0; i < 3; ++i) {
    Pose p;
    p.stride = 0.3f * i + f * 0.5f;
    p.hit = (i + f) % 2 ? 0.9f : 0.1f;
    PaintTrooper(c, kInfantry, 70 + i * 95 + ((i + f) % 2 ? 14 : -14), 290, 1.6f, (i + f) % 2 == 0, 1, p, 1556 + i);
  }
}

void BlessingScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(240, 226, 180), Rgb(190, 170, 110), 230, 1560);
  // Rays of gold light from the heavens, alternating with the beat, over fresh
  // troops who raise their weapons.
  for (int i = 0; i < 11; ++i) {
    float a = kPi * (0.15f + 0.7f * (i + f * 0.5f) / 10);
    paint::FillPolygon(c,
                       {{165, -20},
                        {165 + std::cos(a - 0.045f) * 420, -20 + std::sin(a - 0.045f) * 420},
                        {165 + std::cos(a + 0.045f) * 420, -20 + std::sin(a + 0.045f) * 420}},
                       paint::kGoldPale, f ? 0.6f : 0.4f);
  }
  paint::Cloud(c, 90 + f * 30, 50, 40, paint::kGold, 0.9f, 1561);
  paint::Cloud(c, 240 - f * 30, 40 + f * 8, 46, paint::kGold, 0.9f, 1562);
  for (int i = 0; i < 4; ++i) {
    Pose p;
    p.stride = 0.25f * i + f * 0.5f;
    p.strike = f ? 1.0f : 0.0f;
    PaintTrooper(c, i % 2 ? kInfantry : kArcher, 55 + i * 75, 295 - f * 8, 1.6f, false, 0, p, 1563 + i);
  }
}

void StoneScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(190, 190, 184), Rgb(140, 130, 110), 150, 1570);
  // Standing stones of the eight-gate maze rise out of the ground by turns,
  // dust thrown up where they break through.
  for (int ring = 0; ring < 2; ++ring) {
    for (int i = 0; i < 8; ++i) {
      float a = i * 2 * kPi / 8 + ring * 0.4f;
      float x = 165 + std::cos(a) * (60 + ring * 60), y = 200 + std::sin(a) * (28 + ring * 30);
      bool rising = (i + ring + f) % 2 == 0;
      float h = (50 + ring * 18) * (rising ? 1.0f : 0.45f);
      InkPoly(c, {{x - 10, y}, {x - 8, y - h}, {x + 2, y - h - 6}, {x + 10, y - h + 4}, {x + 11, y}},
              Rgb(120, 116, 108), 1.8f, 1571 + i + ring * 8);
      paint::Line(c, x + 4, y - h * 0.7f, x + 6, y - h * 0.2f, 1.0f, paint::kInk, 0.5f);
      if (!rising) paint::Wash(c, x, y - 4, 22, 9, Rgb(210, 196, 160), 0.75f, 1590 + i + ring * 8);
    }
  }
  paint::Wash(c, 165, 215, 120, 30, Rgb(210, 196, 160), f ? 0.5f : 0.3f, 1580 + f);
}

void (*const kScenes[kRows])(Surface&, paint::Canvas&, int) = {
    FireScene, RockScene, FloodScene, WhirlpoolScene, TalismanScene, ConfusionScene, BlessingScene, StoneScene,
};

}  // namespace

bool PaintSkillSheet(const ResgenPaths& paths) {
  Surface sheet(2 * kFrameW, kRows * kFrameH);
  for (int row = 0; row < kRows; ++row) {
    for (int f = 0; f < 2; ++f) {
      Surface frame(kFrameW, kFrameH);
      paint::Canvas c(frame);
      kScenes[row](frame, c, f);
      paint::PaperGrain(frame, 1595 + row * 2 + f, 0.07f);
      paint::MountFrame(frame, 0, 0, kFrameW, kFrameH, 8, paint::kLacquer, 1590 + row);
      sheet.Blit(f * kFrameW, row * kFrameH, frame, 0, 0, kFrameW, kFrameH, RasterOp::Copy);
    }
  }
  return SaveFight(paths, Pic::kSkillSheet, sheet);
}

}  // namespace battle_art
