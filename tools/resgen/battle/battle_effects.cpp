// Five-frame effects played over one map square: the level-up glow (sj), the
// defeat smoke (sw) and the strike of a computer unit (atshow).
#include <cmath>

#include "tools/resgen/battle/battle_art.h"
#include "tools/resgen/battle/battle_tiles.h"

namespace battle_art {
namespace {

using paint::Vec2;

constexpr int kFrames = 5;
static_assert(PicWidth(Pic::kLevelUp) == kFrames * kTileSize && PicHeight(Pic::kLevelUp) == kTileSize,
              "one battle square per frame");
constexpr float kPi = 3.14159265f;

// A four-pointed spark of light.
void Spark(paint::Canvas& c, float x, float y, float r, Pixel col) {
  paint::FillPolygon(c, {{x, y - r}, {x + r * 0.3f, y}, {x, y + r}, {x - r * 0.3f, y}}, col, 1.0f);
  paint::FillPolygon(c, {{x - r * 0.8f, y}, {x, y - r * 0.25f}, {x + r * 0.8f, y}, {x, y + r * 0.25f}}, col, 1.0f);
}

void LevelUpFrame(paint::Canvas& c, int f, float ox) {
  float t = f / static_cast<float>(kFrames - 1);
  // A ring of gold light spreading at the unit's feet.
  float rx = 14 + 22 * t, ry = 4 + 5 * t;
  for (int i = 0; i < 40; ++i) {
    float a = i * 2 * kPi / 40;
    float x = ox + 40 + std::cos(a) * rx, y = 70 + std::sin(a) * ry;
    paint::FillEllipse(c, x, y, 2.2f, 1.6f, i % 2 ? paint::kGold : paint::kGoldPale, 1.0f);
  }
  // Motes rising up the figure.
  paint::Rng rng(300);
  for (int i = 0; i < 9; ++i) {
    float x = ox + 14 + rng.Range(0, 52);
    float y = 70 - std::fmod(rng.Range(0, 50) + t * 55, 60.0f);
    Spark(c, x, y, 2.5f + 2.5f * rng.Unit(), i % 3 ? paint::kGoldPale : paint::kGold);
  }
  // The character for "rise" gathers in the last frames.
  if (f >= 2) {
    int size = 22 + f * 3;
    paint::Coverage glyph = paint::TextCoverage("升", paint::kFaceKai, size, 700);
    int gx = static_cast<int>(ox + 40 - glyph.width / 2.0f), gy = 2;
    // A cinnabar halo first so the gold reads over any tile.
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) paint::Apply(c, glyph, gx + dx, gy + dy, paint::kCinnabar, 1.0f);
    paint::Apply(c, glyph, gx, gy, paint::kGold, 1.0f);
  }
}

void DefeatFrame(paint::Canvas& c, int f, float ox) {
  float t = f / static_cast<float>(kFrames - 1);
  // Ink splashes first, then grey smoke that swallows the square.
  paint::Rng rng(400);
  for (int i = 0; i < 6; ++i) {
    float a = rng.Range(0, 2 * kPi), d = 10 + 18 * t + rng.Range(0, 6);
    float x = ox + 40 + std::cos(a) * d, y = 48 + std::sin(a) * d * 0.7f;
    float r = 2 + 2 * (1 - t);
    paint::FillEllipse(c, x, y, r, r, paint::kInk, 1.0f);
  }
  int puffs = 1 + f;
  for (int i = 0; i < puffs; ++i) {
    float x = ox + 40 + (i % 2 ? 1 : -1) * (4 + i * 5.0f);
    float y = 60 - i * 9.0f - t * 6;
    float size = 14 + 6 * t + i * 2;
    Pixel grey = paint::Mix(Rgb(120, 116, 110), Rgb(214, 208, 198), 0.3f + 0.14f * i);
    paint::FillEllipse(c, x, y, size * 0.8f, size * 0.5f, paint::Mix(grey, kWhite, 0.35f), 1.0f);
    paint::FillEllipse(c, x + size * 0.4f, y - size * 0.2f, size * 0.5f, size * 0.4f, paint::Mix(grey, kWhite, 0.5f),
                       1.0f);
    paint::Cloud(c, x, y, size, grey, 1.0f, 410 + i);
  }
  // A broken spear falls across the smoke.
  float a = 0.3f + t * 0.9f;
  float cx = ox + 40, cy = 44 + t * 16;
  paint::Line(c, cx - 18 * std::cos(a), cy - 18 * std::sin(a), cx + 18 * std::cos(a), cy + 18 * std::sin(a), 2.2f,
              Rgb(96, 70, 44), 1.0f);
}

void StrikeFrame(paint::Canvas& c, int f, float ox) {
  // Two sabre cuts in cinnabar, crossing; sparks fly at the crossing.
  float grow1 = std::min(1.0f, (f + 1) / 2.0f);
  float grow2 = f < 2 ? 0.0f : std::min(1.0f, (f - 1) / 2.0f);
  float fade = f == kFrames - 1 ? 0.6f : 1.0f;
  auto cut = [&](Vec2 a, Vec2 b, float grow, uint32_t seed) {
    if (grow <= 0) return;
    Vec2 e{a.x + (b.x - a.x) * grow, a.y + (b.y - a.y) * grow};
    Vec2 m{(a.x + e.x) / 2 + 4, (a.y + e.y) / 2 - 4};
    paint::Stroke(c, {a, m, e}, 2, 9 * fade, 1, paint::kInk, 1.0f, seed);
    paint::Stroke(c, {a, m, e}, 1, 5 * fade, 0.5f, paint::kCinnabar, 1.0f, seed + 1);
  };
  cut({ox + 12, 12}, {ox + 68, 66}, grow1, 500);
  cut({ox + 68, 14}, {ox + 12, 64}, grow2, 510);
  if (f >= 2) {
    paint::Rng rng(520 + f);
    for (int i = 0; i < 6; ++i) {
      float a = rng.Range(0, 2 * kPi), d = 8 + f * 4 + rng.Range(0, 6);
      Spark(c, ox + 40 + std::cos(a) * d, 39 + std::sin(a) * d, 3, paint::kGoldPale);
    }
  }
}

bool SaveStrip(const ResgenPaths& paths, Pic image, Pic mask, void (*frame)(paint::Canvas&, int, float)) {
  paint::Figure strip(PicWidth(image), PicHeight(image));
  for (int f = 0; f < kFrames; ++f) {
    // Each frame on its own so nothing spills into the next cell.
    paint::Figure cell(kTileSize, kTileSize);
    paint::Canvas c(cell);
    frame(c, f, 0);
    paint::Canvas sc(strip);
    for (int y = 0; y < kTileSize; ++y)
      for (int x = 0; x < kTileSize; ++x) sc.Blend(f * kTileSize + x, y, cell.color.Get(x, y), cell.Alpha(x, y));
  }
  return SaveFightMasked(paths, image, mask, strip);
}

}  // namespace

bool PaintEffects(const ResgenPaths& paths) {
  return SaveStrip(paths, Pic::kLevelUp, Pic::kLevelUpMask, LevelUpFrame) &&
         SaveStrip(paths, Pic::kDefeat, Pic::kDefeatMask, DefeatFrame) &&
         SaveStrip(paths, Pic::kStrike, Pic::kStrikeMask, StrikeFrame);
}

}  // namespace battle_art
