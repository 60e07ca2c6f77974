// The battle tile strip: every land tile shares one ground whose texture
// repeats every 80 pixels, so any two tiles meet without a seam; motifs stay
// inside the tile. River tiles are whole squares of water with banks on
// their land sides (see battle_tiles.h for the numbering).
#include <algorithm>
#include <cmath>

#include "platform/bmp.h"
#include "tools/resgen/battle/battle_art.h"
#include "tools/resgen/battle/battle_tiles.h"

namespace battle_art {
namespace {

using paint::Canvas;
using paint::Vec2;

constexpr float kPi = 3.14159265f;
constexpr Pixel kGround = Rgb(224, 211, 170);
constexpr Pixel kWaterDeep = Rgb(58, 104, 146);
constexpr Pixel kWaterShallow = Rgb(132, 170, 170);
constexpr Pixel kSand = Rgb(206, 184, 132);
constexpr Pixel kShoreInk = Rgb(54, 58, 56);

// Value noise on a lattice of `cells` x `cells` that wraps every 80 pixels.
float TileNoise(uint32_t seed, float x, float y, int cells) {
  float cell = static_cast<float>(kTileSize) / cells;
  float gx = x / cell, gy = y / cell;
  int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
  float fx = gx - ix, fy = gy - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  auto at = [&](int cx, int cy) {
    return paint::Hash2(seed, ((cx % cells) + cells) % cells, ((cy % cells) + cells) % cells);
  };
  float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * fx;
  float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * fx;
  return top + (bottom - top) * fy;
}

Pixel GroundAt(int x, int y) {
  float n = TileNoise(11, x, y, 4) * 0.55f + TileNoise(12, x, y, 10) * 0.3f + TileNoise(13, x, y, 20) * 0.15f;
  Pixel p = paint::Scale(kGround, 0.93f + 0.12f * n);
  // Faint fibres of the paper the map is painted on.
  if (paint::Hash2(14, x, y) > 0.985f) p = paint::Scale(p, 0.9f);
  return p;
}

void FillGround(Surface& s) {
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) s.Set(x, y, GroundAt(x, y));
}

// A tuft of grass: three or four short blades fanned from one root.
void Tuft(Canvas& c, float x, float y, float size, Pixel color, paint::Rng& rng) {
  int blades = 3 + rng.Int(2);
  for (int i = 0; i < blades; ++i) {
    float lean = (i - (blades - 1) * 0.5f) * 0.45f + rng.Range(-0.15f, 0.15f);
    Vec2 tip{x + std::sin(lean) * size, y - std::cos(lean) * size};
    Vec2 mid{x + std::sin(lean) * size * 0.4f, y - std::cos(lean) * size * 0.55f};
    paint::Stroke(c, {{x, y}, mid, tip}, 1.6f, 1.2f, 0.3f, color, 0.8f, rng.Next());
  }
}

void PaintPlain(Surface& s, uint32_t seed) {
  Canvas c(s);
  paint::Rng rng(seed);
  // Dry furrows of a harvested field and a few pebbles.
  for (int i = 0; i < 2; ++i) {
    float y = 26 + i * 28 + rng.Range(-3, 3);
    float x0 = 10 + rng.Range(0, 8), x1 = 70 - rng.Range(0, 8);
    paint::Stroke(c, {{x0, y}, {(x0 + x1) / 2, y + rng.Range(-2, 2)}, {x1, y + rng.Range(-2, 2)}}, 1.2f, 2.0f, 0.6f,
                  paint::kOchre, 0.12f, rng.Next(), 0.6f);
  }
  for (int i = 0; i < 4; ++i)
    paint::FillEllipse(c, rng.Range(10, 70), rng.Range(10, 70), 1.1f, 0.8f, paint::kInkGrey, 0.35f);
}

void PaintGrass(Surface& s, uint32_t seed) {
  Canvas c(s);
  paint::Rng rng(seed);
  paint::Wash(c, 40, 40, 31, 29, paint::kMalachiteLight, 0.55f, rng.Next());
  paint::Wash(c, rng.Range(30, 50), rng.Range(30, 50), 18, 14, Rgb(110, 150, 100), 0.3f, rng.Next());
  for (int i = 0; i < 14; ++i) {
    float x = rng.Range(10, 70), y = rng.Range(16, 72);
    Pixel col = (i % 3 == 0) ? paint::kMalachite : Rgb(84, 120, 70);
    Tuft(c, x, y, rng.Range(5, 8), col, rng);
  }
}

void PaintForest(Surface& s, uint32_t seed) {
  Canvas c(s);
  paint::Rng rng(seed);
  paint::Wash(c, 40, 44, 32, 30, Rgb(92, 132, 96), 0.35f, rng.Next());
  // Back row first so the nearer trees overlap it.
  const Vec2 feet[] = {{22, 38}, {50, 36}, {64, 46}, {16, 60}, {38, 58}, {60, 70}, {30, 72}};
  for (const Vec2& f : feet) {
    paint::Wash(c, f.x, f.y - 14, 10, 9, Rgb(84, 124, 86), 0.45f, rng.Next());
  }
  for (const Vec2& f : feet) {
    Pixel leaves = rng.Int(3) == 0 ? Rgb(60, 96, 70) : Rgb(46, 84, 62);
    paint::Tree(c, f.x + rng.Range(-3, 3), f.y, rng.Range(20, 26), rng.Next(), leaves);
  }
}

void PaintMountainTile(Surface& s, int variant) {
  Canvas c(s);
  paint::Rng rng(600 + variant * 37);
  paint::Wash(c, 40, 58, 34, 16, Rgb(150, 160, 120), 0.3f, rng.Next());
  // Ten shapes: one peak, two peaks or a cluster of three, of varied height.
  int peaks = 1 + variant % 3;
  for (int i = 0; i < peaks; ++i) {
    float width = peaks == 1 ? rng.Range(58, 68) : rng.Range(36, 48);
    float height = peaks == 1 ? rng.Range(48, 60) : rng.Range(34, 50) - i * 4;
    float x = peaks == 1 ? 40 - width / 2 : 8 + i * (64 - width) / std::max(1, peaks - 1) + rng.Range(-3, 3);
    x = std::clamp(x, 5.0f, 75.0f - width);
    float base = 70 + (i % 2) * 4 - (peaks == 3 && i == 1 ? 10 : 0);
    Pixel body = paint::Mix(paint::kMalachite, paint::kAzurite, rng.Range(0.0f, 0.45f));
    paint::Mountain(c, x, base, width, height, rng.Next(), body, 0.8f);
  }
  if (variant % 4 == 3) paint::Tree(c, rng.Range(14, 66), 74, 14, rng.Next(), Rgb(50, 86, 64));
}

// A house seen from the side and above: walls of lime, a tiled roof with upturned eaves.
void House(Canvas& c, float x, float y, float w, uint32_t seed) {
  float h = w * 0.42f;
  paint::FillBox(c, static_cast<int>(x), static_cast<int>(y - h), static_cast<int>(x + w), static_cast<int>(y),
                 Rgb(236, 228, 208), 1.0f);
  paint::Line(c, x, y, x + w, y, 1.2f, paint::kInk, 0.8f);
  paint::Line(c, x, y - h, x, y, 1.0f, paint::kInk, 0.7f);
  paint::Line(c, x + w, y - h, x + w, y, 1.0f, paint::kInk, 0.7f);
  // Door.
  paint::FillBox(c, static_cast<int>(x + w * 0.42f), static_cast<int>(y - h * 0.7f), static_cast<int>(x + w * 0.58f),
                 static_cast<int>(y), Rgb(96, 64, 40), 0.9f);
  // Roof with eaves that lift at both ends.
  float ry = y - h;
  std::vector<Vec2> roof = {{x - 5, ry + 2},
                            {x + 3, ry - w * 0.24f},
                            {x + w - 3, ry - w * 0.24f},
                            {x + w + 5, ry + 2},
                            {x + w * 0.5f, ry - 1}};
  paint::FillPolygon(c, roof, Rgb(74, 80, 88), 1.0f);
  paint::Stroke(c, {{x - 6, ry}, {x + w * 0.5f, ry + 2}, {x + w + 6, ry}}, 1.0f, 2.0f, 1.0f, paint::kInk, 0.9f, seed);
  for (int i = 1; i < 5; ++i) {
    float t = i / 5.0f;
    paint::Line(c, x + w * t, ry - w * 0.22f, x - 2 + (w + 4) * t, ry, 0.7f, Rgb(40, 42, 48), 0.6f);
  }
}

void PaintVillage(Surface& s, uint32_t seed) {
  Canvas c(s);
  paint::Rng rng(seed);
  paint::Wash(c, 40, 50, 32, 24, paint::kOchreLight, 0.3f, rng.Next());
  paint::Tree(c, 64, 40, 24, rng.Next(), Rgb(70, 104, 70));
  House(c, 12, 40, 30, rng.Next());
  House(c, 40, 68, 28, rng.Next());
  House(c, 8, 72, 22, rng.Next());
  // A wattle fence along the lane.
  for (int i = 0; i < 6; ++i) paint::Line(c, 46 + i * 4.5f, 40, 46 + i * 4.5f, 47, 1.0f, Rgb(110, 84, 52), 0.8f);
  paint::Line(c, 45, 43, 70, 43, 0.9f, Rgb(110, 84, 52), 0.8f);
}

// City: a ward of the town. Half a street runs along every edge, so a block
// of city tiles becomes a town of streets and walled compounds; inside, two
// rows of tiled halls.
void PaintCity(Surface& s, uint32_t seed) {
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      float n = TileNoise(31, x, y, 8) * 0.6f + TileNoise(32, x, y, 20) * 0.4f;
      bool street = x < 6 || y < 6 || x >= kTileSize - 6 || y >= kTileSize - 6;
      Pixel base = street ? Rgb(196, 186, 160) : Rgb(168, 160, 144);
      Pixel p = paint::Scale(base, 0.93f + 0.12f * n);
      if (street && ((x + y) % 10 == 0)) p = paint::Scale(p, 0.92f);  // flagstones
      s.Set(x, y, p);
    }
  }
  Canvas c(s);
  paint::Rng rng(seed);
  // The compound wall.
  paint::Line(c, 7, 7, 73, 7, 2.2f, Rgb(120, 112, 100), 1.0f);
  paint::Line(c, 7, 73, 73, 73, 2.2f, Rgb(120, 112, 100), 1.0f);
  paint::Line(c, 7, 7, 7, 73, 2.2f, Rgb(120, 112, 100), 1.0f);
  paint::Line(c, 73, 7, 73, 73, 2.2f, Rgb(120, 112, 100), 1.0f);
  // Two rows of halls with lacquer pillars and dark tiled roofs.
  for (int row = 0; row < 2; ++row) {
    float base = 34 + row * 34;
    for (int i = 0; i < 2; ++i) {
      float x = 11 + i * 31, w = 27;
      float h = 9;
      paint::FillBox(c, static_cast<int>(x), static_cast<int>(base - h), static_cast<int>(x + w),
                     static_cast<int>(base), Rgb(236, 228, 208), 1.0f);
      for (int p = 0; p < 4; ++p)
        paint::FillBox(c, static_cast<int>(x + 1 + p * 8.2f), static_cast<int>(base - h),
                       static_cast<int>(x + 3 + p * 8.2f), static_cast<int>(base),
                       paint::Mix(paint::kLacquer, Rgb(236, 228, 208), 0.35f), 1.0f);
      float ry = base - h;
      paint::FillPolygon(
          c, {{x - 3, ry + 1}, {x + 3, ry - 10}, {x + w - 3, ry - 10}, {x + w + 3, ry + 1}, {x + w / 2, ry - 1}},
          Rgb(112, 118, 128), 1.0f);
      // Soft ink so that units standing in the town stay the strongest marks.
      paint::Stroke(c, {{x - 4, ry}, {x + w / 2, ry + 1.5f}, {x + w + 4, ry}}, 1.0f, 1.6f, 1.0f, paint::kInk, 0.6f,
                    rng.Next());
      paint::Line(c, x + 3, ry - 10, x + w - 3, ry - 10, 1.2f, paint::kInk, 0.55f);
    }
  }
}

void PaintCamp(Surface& s, uint32_t seed) {
  Canvas c(s);
  paint::Rng rng(seed);
  paint::Wash(c, 40, 44, 30, 26, paint::kOchreLight, 0.3f, rng.Next());
  // Tents: white canvas cones with ink seams.
  const Vec2 tents[] = {{26, 40}, {54, 40}, {40, 60}};
  for (const Vec2& t : tents) {
    std::vector<Vec2> cone = {{t.x - 11, t.y}, {t.x, t.y - 16}, {t.x + 11, t.y}};
    paint::FillPolygon(c, cone, Rgb(238, 232, 214), 1.0f);
    paint::Stroke(c, {{t.x - 12, t.y}, {t.x, t.y - 17}, {t.x + 12, t.y}}, 1.2f, 1.6f, 1.2f, paint::kInk, 0.85f,
                  rng.Next());
    paint::Line(c, t.x, t.y - 16, t.x, t.y, 0.8f, paint::kInkGrey, 0.7f);
    paint::FillBox(c, static_cast<int>(t.x - 2), static_cast<int>(t.y - 6), static_cast<int>(t.x + 2),
                   static_cast<int>(t.y), Rgb(70, 54, 40), 0.9f);
  }
  // Palisade of sharpened stakes around the camp.
  for (int i = 0; i < 28; ++i) {
    float a = i * 2 * kPi / 28;
    float x = 40 + std::cos(a) * 33, y = 46 + std::sin(a) * 28;
    paint::Line(c, x, y, x, y - 6, 1.6f, Rgb(106, 78, 48), 0.95f);
  }
  // The camp's standard.
  paint::Line(c, 40, 30, 40, 8, 1.2f, paint::kInk, 1.0f);
  std::vector<Vec2> flag = {{40, 8}, {54, 10}, {52, 16}, {40, 18}};
  paint::FillPolygon(c, flag, paint::kGold, 1.0f);
}

// --- rivers ---------------------------------------------------------------------

// Bank width along a side: a gentle wave that repeats every tile, so banks of
// neighbouring tiles meet at the same height.
float BankWidth(float t) { return 13.0f + 3.0f * std::sin(2 * kPi * t / kTileSize + 0.7f) - 3.0f * std::sin(0.7f); }

float SmoothMin(float a, float b, float k) {
  float h = std::max(k - std::fabs(a - b), 0.0f) / k;
  return std::min(a, b) - h * h * k * 0.25f;
}

// Distance from land into the water (negative on land).
float WaterDepth(const RiverShape& shape, float x, float y) {
  float d = 1e9f;
  if (shape.landSides & kSideN) d = SmoothMin(d, y - BankWidth(x), 8);
  if (shape.landSides & kSideS) d = SmoothMin(d, (kTileSize - y) - BankWidth(x), 8);
  if (shape.landSides & kSideW) d = SmoothMin(d, x - BankWidth(y), 8);
  if (shape.landSides & kSideE) d = SmoothMin(d, (kTileSize - x) - BankWidth(y), 8);
  float r = BankWidth(0);
  auto corner = [&](float cx, float cy) { return std::hypot(x - cx, y - cy) - r; };
  if (shape.innerCorners & kCornerNE) d = SmoothMin(d, corner(kTileSize, 0), 6);
  if (shape.innerCorners & kCornerSE) d = SmoothMin(d, corner(kTileSize, kTileSize), 6);
  if (shape.innerCorners & kCornerSW) d = SmoothMin(d, corner(0, kTileSize), 6);
  if (shape.innerCorners & kCornerNW) d = SmoothMin(d, corner(0, 0), 6);
  return d;
}

Pixel WaterAt(int x, int y, float depth) {
  // Shading settles within 14 pixels of a bank (banks are at most 14 wide), so
  // the middle of every water edge is the same on all river tiles.
  float deep = paint::SmoothStep(2.5f, 13, depth);
  Pixel p = paint::Mix(kWaterShallow, kWaterDeep, deep);
  float n = TileNoise(21, x, y, 5) * 0.6f + TileNoise(22, x, y, 16) * 0.4f;
  p = paint::Scale(p, 0.94f + 0.12f * n);
  // Wave lines in the old manner: rows of soft arcs, repeating every tile.
  float phase = y / 16.0f + 0.22f * std::sin(2 * kPi * x / 40.0f) + 0.08f * std::sin(2 * kPi * x / 16.0f);
  float f = phase - std::floor(phase);
  float line = 1.0f - paint::SmoothStep(0.0f, 0.09f, std::fabs(f - 0.5f));
  line *= paint::SmoothStep(2, 9, depth);
  return paint::Mix(p, Rgb(226, 236, 232), 0.5f * line);
}

void PaintRiver(Surface& s, const RiverShape& shape, uint32_t seed) {
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      float d = WaterDepth(shape, x + 0.5f, y + 0.5f);
      Pixel p;
      if (d < -1.5f) {
        p = GroundAt(x, y);
      } else if (d < 0.8f) {
        // The ink line of the shore, a little ragged.
        float t = paint::SmoothStep(-1.5f, 0.8f, d);
        p = paint::Mix(paint::Mix(GroundAt(x, y), kSand, t), kShoreInk, 0.55f + 0.3f * TileNoise(23, x, y, 20));
      } else if (d < 5.0f) {
        p = paint::Mix(kSand, WaterAt(x, y, d), paint::SmoothStep(0.8f, 5.0f, d));
      } else {
        p = WaterAt(x, y, d);
      }
      s.Set(x, y, p);
    }
  }
  // Reeds on the banks, kept inside the tile.
  Canvas c(s);
  paint::Rng rng(seed);
  for (int i = 0; i < 14; ++i) {
    float x = rng.Range(12, 68), y = rng.Range(14, 68);
    float d = WaterDepth(shape, x, y);
    if (d < -2 || d > 3 || shape.landSides == 0) continue;
    Tuft(c, x, y, rng.Range(5, 8), Rgb(96, 112, 70), rng);
  }
}

void PaintTile(Surface& s, int t) {
  FillGround(s);
  uint32_t seed = 1000 + t * 101;
  if (IsRiverTile(t)) {
    PaintRiver(s, RiverShapeOf(t), seed);
  } else if (t == kTileGrass) {
    PaintGrass(s, seed);
  } else if (t == kTileCity) {
    PaintCity(s, seed);
  } else if (t == kTileVillage) {
    PaintVillage(s, seed);
  } else if (t == kTileForest) {
    PaintForest(s, seed);
  } else if (t >= kTileMountainFirst && t <= kTileMountainLast) {
    PaintMountainTile(s, t - kTileMountainFirst);
  } else if (t == kTileCamp) {
    PaintCamp(s, seed);
  } else {
    PaintPlain(s, seed);  // 0 and 1
  }
}

}  // namespace

bool PaintTiles(const ResgenPaths& paths) {
  Surface strip(PicWidth(Pic::kTiles), PicHeight(Pic::kTiles));
  Surface tile(kTileSize, kTileSize);
  for (int t = 0; t < kTileCount; ++t) {
    PaintTile(tile, t);
    strip.Blit(0, t * kTileSize, tile, 0, 0, kTileSize, kTileSize, RasterOp::Copy);
  }
  return SaveFight(paths, Pic::kTiles, strip);
}

}  // namespace battle_art
