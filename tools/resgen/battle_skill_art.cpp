// The ruse sheet fight_skill: eight rows of two 330 x 320 frames that the
// game alternates six times. Each row is one kind of ruse painted as a small
// framed scene; the second frame moves the scene on by half a beat.
#include <cmath>

#include "tools/resgen/battle_art.h"

namespace battle_art {
namespace {

using paint::Vec2;

constexpr float kPi = 3.14159265f;
constexpr int kFrameW = 330, kFrameH = 320, kRows = 8;

void Ground(Surface& s, Pixel sky, Pixel earth, int horizon, uint32_t seed) {
  paint::Silk(s, paint::kSilk, seed);
  paint::GradientV(s, 0, horizon, sky, paint::Mix(sky, kWhite, 0.3f), seed + 1, 0.03f);
  paint::GradientV(s, horizon, kFrameH, earth, paint::Scale(earth, 0.8f), seed + 2, 0.04f);
}

void Tents(paint::Canvas& c, float y, int count, uint32_t seed) {
  for (int i = 0; i < count; ++i) {
    float x = 50 + i * 230.0f / std::max(1, count - 1);
    paint::FillPolygon(c, {{x - 22, y}, {x, y - 30}, {x + 22, y}}, Rgb(234, 228, 210), 1.0f);
    paint::Stroke(c, {{x - 23, y}, {x, y - 31}, {x + 23, y}}, 1.5f, 2.2f, 1.5f, paint::kInk, 0.9f, seed + i);
    paint::Line(c, x, y - 31, x, y - 48, 1.3f, paint::kInk, 1.0f);
    paint::FillPolygon(c, {{x, y - 48}, {x + 14, y - 45}, {x, y - 41}}, kSideColor[1], 1.0f);
  }
}

// A tongue of flame: outer cinnabar, inner gold, licked by the beat.
void Flame(paint::Canvas& c, float x, float y, float h, float beat, uint32_t seed) {
  float sway = std::sin(beat * kPi + x * 0.05f) * h * 0.15f;
  paint::FillPolygon(c, {{x - h * 0.3f, y}, {x - h * 0.22f, y - h * 0.5f}, {x + sway, y - h}, {x + h * 0.25f, y - h * 0.45f},
                         {x + h * 0.3f, y}},
                     paint::kCinnabar, 0.95f);
  paint::FillPolygon(c, {{x - h * 0.16f, y}, {x - h * 0.1f, y - h * 0.35f}, {x + sway * 0.6f, y - h * 0.7f},
                         {x + h * 0.12f, y - h * 0.3f}, {x + h * 0.16f, y}},
                     paint::kGold, 0.95f);
  paint::Stroke(c, {{x - h * 0.3f, y}, {x - h * 0.2f, y - h * 0.55f}, {x + sway, y - h}}, 1, 2, 0.5f, paint::kLacquer,
                0.8f, seed);
}

void FireScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(120, 70, 50), Rgb(120, 96, 64), 200, 1500 + f);
  paint::Wash(c, 165, 120, 150, 70, Rgb(60, 50, 46), 0.5f, 1502 + f);  // smoke
  Tents(c, 230, 3, 1503);
  paint::Rng rng(1504);
  for (int i = 0; i < 14; ++i) {
    float x = rng.Range(20, 310), y = rng.Range(200, 300);
    Flame(c, x, y, rng.Range(40, 90), f + i * 0.3f, rng.Next());
  }
}

void RockScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(206, 210, 200), Rgb(160, 140, 100), 250, 1510);
  paint::FillPolygon(c, {{0, 40}, {120, 60}, {230, 200}, {330, 260}, {330, 320}, {0, 320}}, Rgb(120, 130, 110), 1.0f);
  paint::Mountain(c, -30, 200, 220, 170, 1511, paint::kMalachite, 0.9f);
  paint::Rng rng(1512);
  for (int i = 0; i < 9; ++i) {
    float t = std::fmod(i * 0.37f + f * 0.18f, 1.0f);
    float x = 60 + t * 240 + rng.Range(-20, 20), y = 80 + t * 200 + rng.Range(-20, 20);
    float r = rng.Range(12, 26);
    paint::FillEllipse(c, x, y, r, r * 0.8f, Rgb(110, 104, 96), 1.0f);
    paint::FillEllipse(c, x - r * 0.3f, y - r * 0.3f, r * 0.4f, r * 0.3f, Rgb(160, 154, 146), 1.0f);
    paint::Stroke(c, {{x - r, y}, {x, y + r * 0.8f}, {x + r, y - r * 0.2f}}, 1.5f, 3, 1, paint::kInk, 0.9f, rng.Next());
    paint::Stroke(c, {{x - r * 2.2f, y - r * 1.6f}, {x - r * 1.2f, y - r * 0.8f}}, 0.5f, 2, 0.5f, paint::kInkGrey, 0.6f,
                  rng.Next());
  }
}

void Wave(paint::Canvas& c, float x, float y, float size, uint32_t seed) {
  // The curling crest of the old wave drawing, with its foam claws.
  paint::FillPolygon(c, {{x - size, y + size * 0.6f}, {x - size * 0.6f, y - size * 0.4f}, {x, y - size * 0.7f},
                         {x + size * 0.6f, y - size * 0.4f}, {x + size * 0.4f, y}, {x + size, y + size * 0.6f}},
                     paint::kAzurite, 1.0f);
  paint::Stroke(c, {{x - size * 0.8f, y + size * 0.3f}, {x - size * 0.4f, y - size * 0.5f}, {x + size * 0.2f, y - size * 0.6f},
                    {x + size * 0.6f, y - size * 0.3f}, {x + size * 0.3f, y - size * 0.05f}},
                2, size * 0.12f, 1.5f, Rgb(236, 244, 242), 1.0f, seed);
  for (int i = 0; i < 4; ++i) {
    float a = -0.6f + i * 0.35f;
    float fx = x + size * 0.55f + std::cos(a) * size * 0.2f, fy = y - size * 0.35f + std::sin(a) * size * 0.2f;
    paint::FillEllipse(c, fx, fy, size * 0.06f, size * 0.06f, kWhite, 1.0f);
  }
}

void FloodScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(190, 204, 210), Rgb(80, 124, 150), 150, 1520);
  paint::Rng rng(1521);
  for (int row = 0; row < 4; ++row)
    for (int i = 0; i < 4; ++i) {
      float x = i * 100 + (row % 2) * 50 + f * 22 - 20, y = 150 + row * 48;
      Wave(c, x, y, 40 + row * 6, rng.Next());
    }
}

void WhirlpoolScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(170, 190, 196), Rgb(70, 110, 136), 60, 1530);
  float turn = f * 0.5f;
  for (int arm = 0; arm < 5; ++arm) {
    std::vector<Vec2> pts;
    for (int k = 0; k <= 14; ++k) {
      float r = 10 + k * 10.5f, a = arm * 2 * kPi / 5 + k * 0.42f + turn;
      pts.push_back({165 + std::cos(a) * r, 190 + std::sin(a) * r * 0.6f});
    }
    paint::Stroke(c, pts, 2, 7, 1, Rgb(232, 240, 238), 0.9f, 1531 + arm);
  }
  paint::FillEllipse(c, 165, 190, 16, 10, Rgb(20, 40, 60), 1.0f);
  // A boat caught at the rim, tipping in.
  PaintTrooper(c, kBoat, 250 - f * 10, 245, 1.3f, true, 1, Pose{}, 1536);
}

void TalismanScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(60, 56, 70), Rgb(60, 52, 50), 240, 1540);
  // Rings of cinnabar script turning round a paper talisman.
  for (int ring = 0; ring < 2; ++ring) {
    float r = 90 + ring * 40;
    for (int i = 0; i < 36; ++i) {
      float a = i * 2 * kPi / 36 + (f + ring) * 0.09f;
      paint::FillEllipse(c, 165 + std::cos(a) * r, 160 + std::sin(a) * r, 3.5f - ring, 3.5f - ring,
                         ring ? paint::kGold : paint::kCinnabar, 0.9f);
    }
  }
  paint::Wash(c, 165, 160, 70, 70, paint::kGoldPale, f ? 0.5f : 0.3f, 1541);
  paint::FillBox(c, 135, 80, 195, 240, Rgb(236, 206, 96), 1.0f);
  paint::DoubleRule(c, 138, 83, 192, 237, paint::kCinnabar, 1.0f);
  paint::CalligraphyVertical(c, 143, 92, "敕令", paint::kFaceKai, 44, paint::kCinnabar, 1.0f, 1542);
  paint::Seal(c, 149, 196, 32, "封", 1543);
}

void ConfusionScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(176, 172, 186), Rgb(150, 140, 120), 220, 1550);
  paint::Wash(c, 165, 170, 160, 110, Rgb(120, 116, 140), 0.55f, 1551 + f);
  for (int k = 0; k < 4; ++k) {
    float cx = 70 + k * 65, cy = 120 + (k % 2) * 60;
    std::vector<Vec2> spiral;
    for (int i = 0; i <= 20; ++i) {
      float a = i * 0.55f + f * 1.2f + k, r = 3 + i * 1.8f;
      spiral.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    paint::Stroke(c, spiral, 1, 3.5f, 1, paint::kInk, 0.8f, 1552 + k);
  }
  // Soldiers stumbling in the fog.
  for (int i = 0; i < 3; ++i) {
    Pose p;
    p.stride = 0.3f * i + f * 0.5f;
    p.hit = 0.5f + 0.3f * ((i + f) % 2);
    PaintTrooper(c, kInfantry, 70 + i * 95, 290, 1.6f, (i + f) % 2 == 0, 1, p, 1556 + i);
  }
}

void BlessingScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(240, 226, 180), Rgb(190, 170, 110), 230, 1560);
  // Rays of gold light from the heavens over fresh troops with banners.
  for (int i = 0; i < 11; ++i) {
    float a = kPi * (0.15f + 0.7f * i / 10) + f * 0.03f;
    paint::FillPolygon(c, {{165, -20}, {165 + std::cos(a - 0.04f) * 420, -20 + std::sin(a - 0.04f) * 420},
                           {165 + std::cos(a + 0.04f) * 420, -20 + std::sin(a + 0.04f) * 420}},
                       paint::kGoldPale, 0.45f);
  }
  paint::Cloud(c, 90, 50, 40, paint::kGold, 0.9f, 1561);
  paint::Cloud(c, 240, 40, 46, paint::kGold, 0.9f, 1562);
  for (int i = 0; i < 4; ++i) {
    Pose p;
    p.stride = 0.25f * i + f * 0.5f;
    PaintTrooper(c, i % 2 ? kInfantry : kArcher, 55 + i * 75, 295, 1.6f, false, 0, p, 1563 + i);
  }
}

void StoneScene(Surface& s, paint::Canvas& c, int f) {
  Ground(s, Rgb(190, 190, 184), Rgb(140, 130, 110), 150, 1570);
  // Standing stones of the eight-gate maze, dust rising between them.
  for (int ring = 0; ring < 2; ++ring) {
    for (int i = 0; i < 8; ++i) {
      float a = i * 2 * kPi / 8 + ring * 0.4f;
      float x = 165 + std::cos(a) * (60 + ring * 60), y = 200 + std::sin(a) * (28 + ring * 30);
      float h = 50 + ring * 18 + (f && (i + ring) % 3 == 0 ? 10 : 0);
      paint::FillPolygon(c, {{x - 10, y}, {x - 8, y - h}, {x + 2, y - h - 6}, {x + 10, y - h + 4}, {x + 11, y}},
                         Rgb(120, 116, 108), 1.0f);
      paint::Stroke(c, {{x - 10, y}, {x - 8, y - h}, {x + 2, y - h - 6}}, 1.5f, 2.5f, 1, paint::kInk, 0.9f, 1571 + i);
      paint::Line(c, x + 4, y - h * 0.7f, x + 6, y - h * 0.2f, 1.0f, paint::kInk, 0.5f);
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
      paint::MountFrame(frame, 0, 0, kFrameW, kFrameH, 8, paint::kLacquer, 1590 + row);
      sheet.Blit(f * kFrameW, row * kFrameH, frame, 0, 0, kFrameW, kFrameH, RasterOp::Copy);
    }
  }
  return SaveFight(paths, "fight_skill", sheet);
}

}  // namespace battle_art
