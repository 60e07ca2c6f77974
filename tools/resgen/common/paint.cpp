#include "tools/resgen/common/paint.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "platform/text.h"

namespace paint {

namespace {
constexpr float kPi = 3.14159265f;
// Far wider than the rounding of a squared distance: a pixel is passed over
// only when it lies surely beyond what a stamp could give it.
constexpr float kReachMargin = 1.001f;

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

Vec2 CatmullRom(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, float t) {
  float t2 = t * t;
  float t3 = t2 * t;
  auto f = [&](float a, float b, float c, float d) {
    return 0.5f * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
  };
  return {f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)};
}

// Points along a smooth curve through pts, about one per pixel.
std::vector<Vec2> SampleCurve(const std::vector<Vec2>& pts) {
  std::vector<Vec2> out;
  if (pts.empty()) return out;
  if (pts.size() == 1) return pts;
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    const Vec2& p0 = pts[i == 0 ? 0 : i - 1];
    const Vec2& p1 = pts[i];
    const Vec2& p2 = pts[i + 1];
    const Vec2& p3 = pts[i + 2 < pts.size() ? i + 2 : i + 1];
    float len = std::hypot(p2.x - p1.x, p2.y - p1.y);
    int steps = std::max(2, static_cast<int>(len * 1.5f));
    for (int s = 0; s < steps; ++s) out.push_back(CatmullRom(p0, p1, p2, p3, static_cast<float>(s) / steps));
  }
  out.push_back(pts.back());
  return out;
}
}  // namespace

// ---- colour -----------------------------------------------------------------
float Luma(Pixel p) { return 0.299f * Red(p) + 0.587f * Green(p) + 0.114f * Blue(p); }

// ---- randomness ---------------------------------------------------------------
Rng::Rng(uint32_t seed) : state_(0x9E3779B97F4A7C15ULL ^ (static_cast<uint64_t>(seed) * 0xD1B54A32D192ED03ULL)) {
  Next();
}

uint32_t Rng::Next() {
  state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
  uint32_t xorshifted = static_cast<uint32_t>(((state_ >> 18u) ^ state_) >> 27u);
  uint32_t rot = static_cast<uint32_t>(state_ >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

float Rng::Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }
float Rng::Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
int Rng::Int(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

float SmoothStep(float e0, float e1, float x) {
  if (e0 == e1) return x < e0 ? 0.0f : 1.0f;
  float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// ---- canvases ---------------------------------------------------------------
Figure::Figure(int width, int height)
    : color(width, height, kWhite), alpha(static_cast<size_t>(std::max(0, width)) * std::max(0, height), 0.0f) {}

float Figure::Alpha(int x, int y) const {
  if (x < 0 || y < 0 || x >= color.Width() || y >= color.Height()) return 0;
  return alpha[static_cast<size_t>(y) * color.Width() + x];
}

Canvas::Canvas(Surface& surface) : surface_(&surface) {}
Canvas::Canvas(Figure& figure) : surface_(&figure.color), alpha_(&figure.alpha) {}

float Coverage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return value[static_cast<size_t>(y) * width + x];
}

void Coverage::Max(int x, int y, float v) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  float& cell = value[static_cast<size_t>(y) * width + x];
  if (v > cell) cell = v;
}

void Apply(Canvas& canvas, const Coverage& cov, int x, int y, Pixel color, float opacity) {
  for (int j = 0; j < cov.height; ++j)
    for (int i = 0; i < cov.width; ++i) {
      float v = cov.value[static_cast<size_t>(j) * cov.width + i];
      if (v > 0) canvas.Blend(x + i, y + j, color, v * opacity);
    }
}

void ApplyInk(Canvas& canvas, const Coverage& cov, int x, int y, Pixel color, float opacity, uint32_t seed,
              float variation) {
  Pixel light = Mix(color, kPaperLight, 0.45f);
  for (int j = 0; j < cov.height; ++j)
    for (int i = 0; i < cov.width; ++i) {
      float v = cov.value[static_cast<size_t>(j) * cov.width + i];
      if (v <= 0) continue;
      float n = Fbm(seed, (x + i) * 0.045f, (y + j) * 0.045f, 3);
      Pixel c = Mix(color, light, Clamp01((n - 0.35f) * 1.6f) * variation);
      canvas.Blend(x + i, y + j, c, v * opacity * (1.0f - 0.25f * variation * Hash2(seed + 7, x + i, y + j)));
    }
}

// ---- grounds ----------------------------------------------------------------
void Paper(Surface& s, Pixel base, uint32_t seed, float mottle) {
  int w = s.Width();
  int h = s.Height();
  FbmBand mottling(seed, Columns(0, w, 0.008f), 3);
  HashBand grain(seed + 1, w);
  for (int y = 0; y < h; ++y) {
    Pixel* row = s.Row(y);
    mottling.SetRow(y * 0.008f);
    grain.SetRow(y);
    for (int x = 0; x < w; ++x) {
      float low = mottling.At(x) - 0.5f;
      float fine = grain.At(x) - 0.5f;
      float f = 1.0f + mottle * 1.6f * low + 0.018f * fine;
      row[x] = Scale(base, f);
    }
  }
  // Fibres: short faint curls lighter and darker than the sheet.
  Canvas canvas(s);
  Rng rng(seed ^ 0xF1B3E5u);
  int fibres = w * h / 900;
  for (int i = 0; i < fibres; ++i) {
    float x = rng.Range(0, w);
    float y = rng.Range(0, h);
    float ang = rng.Range(0, 2 * kPi);
    float len = rng.Range(4, 16);
    bool dark = rng.Unit() < 0.5f;
    Pixel c = dark ? Scale(base, 0.86f) : Scale(base, 1.07f);
    float bend = rng.Range(-0.08f, 0.08f);
    for (int k = 0; k < static_cast<int>(len); ++k) {
      ang += bend;
      canvas.Blend(static_cast<int>(x), static_cast<int>(y), c, 0.35f);
      x += std::cos(ang);
      y += std::sin(ang);
    }
  }
  int flecks = w * h / 12000;
  for (int i = 0; i < flecks; ++i) {
    int x = rng.Int(w);
    int y = rng.Int(h);
    canvas.Blend(x, y, Scale(base, 0.6f), 0.5f);
  }
}

void Silk(Surface& s, Pixel base, uint32_t seed, float mottle) {
  Paper(s, base, seed, mottle);
  NoiseBand slubs(seed + 5, Columns(0, s.Width(), 0.5f));
  for (int y = 0; y < s.Height(); ++y) {
    Pixel* row = s.Row(y);
    slubs.SetRow(y * 0.02f);
    for (int x = 0; x < s.Width(); ++x) {
      // Warp and weft: alternate rows and columns a shade apart, slubs here and there.
      float weave = ((x & 1) ? 0.985f : 1.0f) * ((y % 3 == 0) ? 0.975f : 1.0f);
      float slub = 1.0f + 0.03f * (slubs.At(x) - 0.5f);
      row[x] = Scale(row[x], weave * slub);
    }
  }
}

void Vignette(Surface& s, float strength, Pixel toward) {
  int w = s.Width();
  int h = s.Height();
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    Pixel* row = s.Row(y);
    float dy = (y - h * 0.5f) / (h * 0.5f);
    for (int x = 0; x < w; ++x) {
      float dx = (x - w * 0.5f) / (w * 0.5f);
      float d = std::sqrt(dx * dx * 0.8f + dy * dy * 0.8f);
      float t = SmoothStep(0.75f, 1.35f, d) * strength;
      if (t > 0) row[x] = Mix(row[x], toward, t);
    }
  }
}

void GradientV(Surface& s, int y0, int y1, Pixel top, Pixel bottom, uint32_t seed, float noise) {
  y0 = std::max(0, y0);
  y1 = std::min(s.Height(), y1);
  float span = static_cast<float>(std::max(1, y1 - y0));
  FbmBand grain(seed, Columns(0, noise > 0 ? s.Width() : 0, 0.01f), 3);
  for (int y = y0; y < y1; ++y) {
    Pixel* row = s.Row(y);
    if (noise > 0) grain.SetRow(y * 0.02f);
    for (int x = 0; x < s.Width(); ++x) {
      float n = noise > 0 ? (grain.At(x) - 0.5f) * noise : 0;
      row[x] = Mix(top, bottom, (y - y0) / span + n);
    }
  }
}

// ---- ink and colour ---------------------------------------------------------
void Wash(Canvas& c, float cx, float cy, float rx, float ry, Pixel color, float opacity, uint32_t seed) {
  if (rx <= 0 || ry <= 0) return;
  int x0 = static_cast<int>(cx - rx * 1.4f);
  int x1 = static_cast<int>(cx + rx * 1.4f);
  int y0 = static_cast<int>(cy - ry * 1.4f);
  int y1 = static_cast<int>(cy + ry * 1.4f);
  x0 = std::max(0, x0);
  y0 = std::max(0, y0);
  x1 = std::min(c.Width() - 1, x1);
  y1 = std::min(c.Height() - 1, y1);
  float scale = 2.5f / std::max(rx, ry);
  FbmBand spread(seed, Columns(x0, x1 - x0 + 1, scale), 3);
  for (int y = y0; y <= y1; ++y) {
    spread.SetRow(y * scale);
    for (int x = x0; x <= x1; ++x) {
      float dx = (x - cx) / rx;
      float dy = (y - cy) / ry;
      float d = std::sqrt(dx * dx + dy * dy);
      if (d > 1.45f) continue;
      float n = spread.At(static_cast<size_t>(x - x0));
      float e = d + (n - 0.5f) * 0.55f;
      if (e >= 1.0f) continue;
      // Body fades toward the rim; ink pools a little just inside it.
      float body = 1.0f - SmoothStep(0.25f, 1.0f, e);
      float pool = 0.35f * std::exp(-((e - 0.92f) * (e - 0.92f)) / 0.002f);
      float a = opacity * Clamp01(body * (0.8f + 0.4f * (n - 0.5f)) + pool);
      c.Blend(x, y, color, a);
    }
  }
}

void Stroke(Canvas& c, const std::vector<Vec2>& pts, float w0, float wMid, float w1, Pixel color, float opacity,
            uint32_t seed, float dryness) {
  std::vector<Vec2> path = SampleCurve(pts);
  if (path.empty()) return;
  float maxW = std::max({w0, wMid, w1}) * 0.5f + 2;
  float minx = path[0].x, maxx = path[0].x, miny = path[0].y, maxy = path[0].y;
  for (const Vec2& p : path) {
    minx = std::min(minx, p.x);
    maxx = std::max(maxx, p.x);
    miny = std::min(miny, p.y);
    maxy = std::max(maxy, p.y);
  }
  int ox = static_cast<int>(std::floor(minx - maxW));
  int oy = static_cast<int>(std::floor(miny - maxW));
  int cw = static_cast<int>(maxx - minx + 2 * maxW) + 2;
  int ch = static_cast<int>(maxy - miny + 2 * maxW) + 2;
  // Keep the plane inside the canvas (with a margin) so long strokes stay cheap.
  int cx0 = std::max(ox, -static_cast<int>(maxW));
  int cy0 = std::max(oy, -static_cast<int>(maxW));
  int cx1 = std::min(ox + cw, c.Width() + static_cast<int>(maxW));
  int cy1 = std::min(oy + ch, c.Height() + static_cast<int>(maxW));
  if (cx1 <= cx0 || cy1 <= cy0) return;
  Coverage cov(cx1 - cx0, cy1 - cy0);
  size_t n = path.size();
  for (size_t i = 0; i < n; ++i) {
    float t = n > 1 ? static_cast<float>(i) / (n - 1) : 0;
    // Press, carry, lift: width rises to the middle and falls to the end.
    float w = t < 0.5f ? w0 + (wMid - w0) * SmoothStep(0, 0.5f, t) : wMid + (w1 - wMid) * SmoothStep(0.5f, 1, t);
    float r = std::max(0.5f, w * 0.5f);
    const Vec2& p = path[i];
    const Vec2& q = path[i + 1 < n ? i + 1 : (i > 0 ? i - 1 : i)];
    float tx = q.x - p.x;
    float ty = q.y - p.y;
    float tl = std::hypot(tx, ty);
    if (tl > 0) {
      tx /= tl;
      ty /= tl;
    } else {
      tx = 1;
      ty = 0;
    }
    int bx0 = static_cast<int>(std::floor(p.x - r - 1));
    int bx1 = static_cast<int>(std::ceil(p.x + r + 1));
    int by0 = static_cast<int>(std::floor(p.y - r - 1));
    int by1 = static_cast<int>(std::ceil(p.y + r + 1));
    // Consecutive points overlap almost wholly: a pixel the stamp cannot raise
    // (it already holds more than r + 0.5 - d can give) is passed over before
    // the square root, with a margin that keeps every pixel that might rise.
    float reachOf = r + 0.5f;
    for (int y = std::max(by0, cy0); y <= std::min(by1, cy1 - 1); ++y) {
      float* row = &cov.value[static_cast<size_t>(y - cy0) * cov.width];
      float dy = y + 0.5f - p.y;
      // Only the pixels of the row within the stamp's reach (with a pixel to spare).
      float span2 = reachOf * reachOf * kReachMargin + kReachMargin - 1 - dy * dy;
      if (span2 < 0) continue;
      float span = std::sqrt(span2);
      int rx0 = std::max({bx0, cx0, static_cast<int>(std::floor(p.x - 0.5f - span)) - 1});
      int rx1 = std::min({bx1, cx1 - 1, static_cast<int>(std::ceil(p.x - 0.5f + span)) + 1});
      for (int x = rx0; x <= rx1; ++x) {
        float& cell = row[x - cx0];
        float reach = reachOf - cell;
        if (reach <= 0 || cell >= 1) continue;  // a stamp gives 1 at most
        float dx = x + 0.5f - p.x;
        float q = dx * dx + dy * dy;
        if (q > reach * reach * kReachMargin + kReachMargin - 1) continue;
        float d = std::sqrt(q);
        float v = Clamp01(r + 0.5f - d);
        if (v <= 0) continue;
        if (dryness > 0) {
          // Bristles run along the stroke: the texture follows the offset across it.
          float across = (-dx * ty + dy * tx) / r;
          float bristle = ValueNoise(seed, across * 4.5f + 10, t * 3.0f);
          float dry = dryness * (0.35f + 0.65f * t);
          v *= SmoothStep(dry - 0.15f, dry + 0.1f, bristle);
        }
        if (v > cell) cell = v;
      }
    }
  }
  Apply(c, cov, cx0, cy0, color, opacity);
}

void Line(Canvas& c, float x0, float y0, float x1, float y1, float width, Pixel color, float opacity) {
  float r = width * 0.5f;
  int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - r - 1));
  int bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + r + 1));
  int by0 = static_cast<int>(std::floor(std::min(y0, y1) - r - 1));
  int by1 = static_cast<int>(std::ceil(std::max(y0, y1) + r + 1));
  bx0 = std::max(0, bx0);
  by0 = std::max(0, by0);
  bx1 = std::min(c.Width() - 1, bx1);
  by1 = std::min(c.Height() - 1, by1);
  float dx = x1 - x0;
  float dy = y1 - y0;
  float len2 = dx * dx + dy * dy;
  for (int y = by0; y <= by1; ++y)
    for (int x = bx0; x <= bx1; ++x) {
      float px = x + 0.5f - x0;
      float py = y + 0.5f - y0;
      float t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0;
      float ex = px - t * dx;
      float ey = py - t * dy;
      float d = std::sqrt(ex * ex + ey * ey);
      float v = Clamp01(r + 0.5f - d);
      if (v > 0) c.Blend(x, y, color, v * opacity);
    }
}

namespace {
constexpr int kPolygonSub = 4;  // sub-scanlines per pixel row give the edge its softness

// The polygon's coverage of pixel row y between x0 and x1 (clipped), into
// rowCov[x - x0]; xs is room for the crossings.
void PolygonRow(const std::vector<Vec2>& pts, int y, int x0, int x1, std::vector<float>& rowCov,
                std::vector<float>& xs) {
  std::fill(rowCov.begin(), rowCov.end(), 0.0f);
  for (int s = 0; s < kPolygonSub; ++s) {
    float sy = y + (s + 0.5f) / kPolygonSub;
    xs.clear();
    for (size_t i = 0; i < pts.size(); ++i) {
      const Vec2& a = pts[i];
      const Vec2& b = pts[(i + 1) % pts.size()];
      if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
        xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      float xa = std::max(xs[k], static_cast<float>(x0));
      float xb = std::min(xs[k + 1], static_cast<float>(x1 + 1));
      auto part = [&](int x) {
        float lo = std::max(xa, static_cast<float>(x));
        float hi = std::min(xb, static_cast<float>(x + 1));
        if (hi > lo) rowCov[x - x0] += (hi - lo) / kPolygonSub;
      };
      int x = static_cast<int>(std::floor(xa));
      if (x < xb) part(x++);
      // Whole pixels inside the span: hi - lo is exactly 1.
      for (; x + 1 <= xb; ++x) rowCov[x - x0] += 1.0f / kPolygonSub;
      for (; x < xb; ++x) part(x);
    }
  }
}
}  // namespace

void FillPolygon(Canvas& c, const std::vector<Vec2>& pts, Pixel color, float opacity) {
  if (pts.size() < 3) return;
  float minx = pts[0].x, maxx = pts[0].x, miny = pts[0].y, maxy = pts[0].y;
  for (const Vec2& p : pts) {
    minx = std::min(minx, p.x);
    maxx = std::max(maxx, p.x);
    miny = std::min(miny, p.y);
    maxy = std::max(maxy, p.y);
  }
  int x0 = std::max(0, static_cast<int>(std::floor(minx)));
  int x1 = std::min(c.Width() - 1, static_cast<int>(std::ceil(maxx)));
  int y0 = std::max(0, static_cast<int>(std::floor(miny)));
  int y1 = std::min(c.Height() - 1, static_cast<int>(std::ceil(maxy)));
  if (x1 < x0 || y1 < y0) return;
  std::vector<float> rowCov(static_cast<size_t>(x1 - x0 + 2));
  std::vector<float> xs;
  for (int y = y0; y <= y1; ++y) {
    PolygonRow(pts, y, x0, x1, rowCov, xs);
    for (int x = x0; x <= x1; ++x)
      if (rowCov[x - x0] > 0) c.Blend(x, y, color, Clamp01(rowCov[x - x0]) * opacity);
  }
}

void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Pixel color, float opacity) {
  if (rx <= 0 || ry <= 0) return;
  int x0 = std::max(0, static_cast<int>(cx - rx - 1));
  int x1 = std::min(c.Width() - 1, static_cast<int>(cx + rx + 1));
  int y0 = std::max(0, static_cast<int>(cy - ry - 1));
  int y1 = std::min(c.Height() - 1, static_cast<int>(cy + ry + 1));
  float rmin = std::min(rx, ry);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      float dx = (x + 0.5f - cx) / rx;
      float dy = (y + 0.5f - cy) / ry;
      float d = std::sqrt(dx * dx + dy * dy);
      float v = Clamp01((1 - d) * rmin + 0.5f);
      if (v > 0) c.Blend(x, y, color, v * opacity);
    }
}

void FillBox(Canvas& c, int x1, int y1, int x2, int y2, Pixel color, float opacity) {
  for (int y = std::max(0, y1); y < std::min(c.Height(), y2); ++y)
    for (int x = std::max(0, x1); x < std::min(c.Width(), x2); ++x) c.Blend(x, y, color, opacity);
}

// ---- text -------------------------------------------------------------------
// ---- washes with pooled edges and ink outlines ----------------------------
// The paper's take-up of the wash: one field of noise, computed once and read
// at an offset by seed (every face paints many shapes; noise per pixel would
// cost more than the painting).
const float* TakeUpField() {
  constexpr int kSize = kTakeUpSize;
  static const std::vector<float> field = [] {
    std::vector<float> f(kSize * kSize);
    for (int j = 0; j < kSize; ++j)
      for (int i = 0; i < kSize; ++i) f[j * kSize + i] = Fbm(4242, i * 0.09f, j * 0.09f, 3);
    return f;
  }();
  return field.data();
}

// A soft round wash (the halo behind the head), its rim broken by the take-up.
void WashEllipse(Canvas& c, float cx, float cy, float rx, float ry, Pixel color, float opacity, uint32_t seed) {
  for (int y = std::max(0, static_cast<int>(cy - ry * 1.3f));
       y < std::min(c.Height(), static_cast<int>(cy + ry * 1.3f)); ++y)
    for (int x = std::max(0, static_cast<int>(cx - rx * 1.3f));
         x < std::min(c.Width(), static_cast<int>(cx + rx * 1.3f)); ++x) {
      float dx = (x - cx) / rx, dy = (y - cy) / ry;
      float n = TakeUp(seed, x, y);
      float e = std::sqrt(dx * dx + dy * dy) + (n - 0.5f) * 0.5f;
      if (e >= 1.0f) continue;
      c.Blend(x, y, color, opacity * (1.0f - SmoothStep(0.3f, 1.0f, e)) * (0.8f + 0.4f * (n - 0.5f)));
    }
}

// A shape laid as a wash: its coverage from the polygon, the colour mottled by
// the paper's take-up and pooled darker just inside the edge.
void WashPolygon(Canvas& c, const std::vector<Vec2>& pts, Pixel color, float opacity, uint32_t seed) {
  if (pts.size() < 3) return;
  float minx = 1e9f, miny = 1e9f, maxx = -1e9f, maxy = -1e9f;
  for (const Vec2& p : pts) {
    minx = std::min(minx, p.x);
    miny = std::min(miny, p.y);
    maxx = std::max(maxx, p.x);
    maxy = std::max(maxy, p.y);
  }
  int x0 = std::max(0, static_cast<int>(minx) - 1), y0 = std::max(0, static_cast<int>(miny) - 1);
  int x1 = std::min(c.Width(), static_cast<int>(maxx) + 2), y1 = std::min(c.Height(), static_cast<int>(maxy) + 2);
  int w = x1 - x0, h = y1 - y0;
  if (w <= 0 || h <= 0) return;
  // The coverage as filling the polygon onto a figure of its own would leave it.
  std::vector<Vec2> local;
  for (const Vec2& p : pts) local.push_back({p.x - x0, p.y - y0});
  std::vector<float> cover(static_cast<size_t>(w) * h, 0.0f);
  {
    std::vector<float> rowCov(static_cast<size_t>(w + 1));
    std::vector<float> xs;
    float lminy = local[0].y, lmaxy = local[0].y, lminx = local[0].x, lmaxx = local[0].x;
    for (const Vec2& p : local) {
      lminx = std::min(lminx, p.x), lmaxx = std::max(lmaxx, p.x);
      lminy = std::min(lminy, p.y), lmaxy = std::max(lmaxy, p.y);
    }
    int fx0 = std::max(0, static_cast<int>(std::floor(lminx))),
        fx1 = std::min(w - 1, static_cast<int>(std::ceil(lmaxx)));
    int fy0 = std::max(0, static_cast<int>(std::floor(lminy))),
        fy1 = std::min(h - 1, static_cast<int>(std::ceil(lmaxy)));
    if (fx1 >= fx0)
      for (int y = fy0; y <= fy1; ++y) {
        PolygonRow(local, y, fx0, fx1, rowCov, xs);
        for (int x = fx0; x <= fx1; ++x) cover[static_cast<size_t>(y) * w + x] = Clamp01(rowCov[x - fx0]);
      }
  }
  auto alphaAt = [&](int x, int y) { return cover[static_cast<size_t>(y) * w + x]; };
  // A summed table of the coverage gives each pixel the mean of its 5 x 5 neighbourhood.
  std::vector<float> sum(static_cast<size_t>(w + 1) * (h + 1), 0.0f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      sum[(y + 1) * (w + 1) + x + 1] =
          alphaAt(x, y) + sum[y * (w + 1) + x + 1] + sum[(y + 1) * (w + 1) + x] - sum[y * (w + 1) + x];
  constexpr int r = 2;
  Pixel dark = Scale(color, 0.78f);
  Pixel light = Mix(color, kPaperLight, 0.35f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float a = alphaAt(x, y);
      if (a <= 0) continue;
      int ax = std::max(0, x - r), ay = std::max(0, y - r), bx = std::min(w, x + r + 1), by = std::min(h, y + r + 1);
      float mean = (sum[by * (w + 1) + bx] - sum[ay * (w + 1) + bx] - sum[by * (w + 1) + ax] + sum[ay * (w + 1) + ax]) /
                   ((bx - ax) * (by - ay));
      float edge = std::clamp((a - mean) * 3.0f, 0.0f, 1.0f);
      float n = TakeUp(seed, x + x0, y + y0);
      Pixel col = Mix(color, light, std::clamp((n - 0.45f) * 1.4f, 0.0f, 0.6f));
      if (edge > 0) col = Mix(col, dark, edge * 0.7f);  // mixing by 0 keeps the colour as it is
      c.Blend(x + x0, y + y0, col, std::min(1.0f, a * opacity * (0.7f + 0.3f * n) + edge * 0.25f));
    }
}

// An outline in ink: pressed at the turn, lifted at the ends, in a few strokes
// so the weight varies round the shape.
void InkOutline(Canvas& c, const std::vector<Vec2>& pts, float weight, uint32_t seed, bool closed, Pixel ink,
                float opacity) {
  if (pts.size() < 2) return;
  std::vector<Vec2> loop = pts;
  if (closed) loop.push_back(pts[0]);
  // Runs of three or four points, each its own stroke.
  size_t run = loop.size() > 6 ? 4 : loop.size();
  for (size_t i = 0; i + 1 < loop.size(); i += run - 1) {
    std::vector<Vec2> part(loop.begin() + i, loop.begin() + std::min(loop.size(), i + run));
    if (part.size() < 2) break;
    float press = weight * (0.8f + 0.5f * Hash2(seed, static_cast<int>(i), 3));
    Stroke(c, part, weight * 0.45f, press, weight * 0.35f, ink, opacity, seed + static_cast<uint32_t>(i));
  }
}

void PaperGrain(Surface& s, uint32_t seed, float strength) {
  for (int y = 0; y < s.Height(); ++y) {
    Pixel* row = s.Row(y);
    for (int x = 0; x < s.Width(); ++x)
      row[x] = Scale(row[x], 1.0f - strength * 0.6f + strength * TakeUp(seed * 31u, x * 7, y * 7));
  }
  s.Touch();
}

Coverage TextCoverage(const std::string& utf8, const char* face, int height, int weight) {
  std::string gbk = Utf8ToGbk(utf8);
  std::string faceGbk = Utf8ToGbk(face);
  FontSpec font{faceGbk.c_str(), height, weight};
  int w = MeasureText(gbk.c_str(), font);
  if (w <= 0 || height <= 0) return Coverage();
  // A margin on each side: brush faces overhang their advance.
  int margin = height / 4;
  Surface tmp(w + 2 * margin, height + 2 * margin, kWhite);
  TextStyle style{font, kBlack, false, kWhite};
  DrawText(tmp, margin, margin, gbk.c_str(), style);
  Coverage cov(tmp.Width(), tmp.Height());
  for (int y = 0; y < tmp.Height(); ++y)
    for (int x = 0; x < tmp.Width(); ++x)
      cov.value[static_cast<size_t>(y) * cov.width + x] = 1.0f - Red(tmp.Get(x, y)) / 255.0f;
  return cov;
}

int TextWidth(const std::string& utf8, const char* face, int height, int weight) {
  std::string gbk = Utf8ToGbk(utf8);
  std::string faceGbk = Utf8ToGbk(face);
  FontSpec font{faceGbk.c_str(), height, weight};
  return MeasureText(gbk.c_str(), font);
}

void Calligraphy(Canvas& c, int x, int y, const std::string& utf8, const char* face, int height, Pixel color,
                 float opacity, uint32_t seed, int weight) {
  Coverage cov = TextCoverage(utf8, face, height, weight);
  if (cov.width == 0) return;
  int margin = height / 4;
  // Ink bleeds a hair into the fibres: soften and roughen the glyph edge.
  Coverage bled(cov.width, cov.height);
  for (int j = 0; j < cov.height; ++j)
    for (int i = 0; i < cov.width; ++i) {
      float v = cov.At(i, j);
      float around = (cov.At(i - 1, j) + cov.At(i + 1, j) + cov.At(i, j - 1) + cov.At(i, j + 1)) * 0.25f;
      float rough = Hash2(seed + 3, x + i, y + j);
      float out = std::max(v, around * (0.35f + 0.3f * rough));
      bled.value[static_cast<size_t>(j) * cov.width + i] = Clamp01(out);
    }
  ApplyInk(c, bled, x - margin, y - margin, color, opacity, seed, 0.35f);
}

void CalligraphyCentered(Canvas& c, int cx, int y, const std::string& utf8, const char* face, int height, Pixel color,
                         float opacity, uint32_t seed, int weight) {
  int w = TextWidth(utf8, face, height, weight);
  Calligraphy(c, cx - w / 2, y, utf8, face, height, color, opacity, seed, weight);
}

namespace {
// Splits UTF-8 into characters.
std::vector<std::string> Characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
    len = std::min(len, utf8.size() - i);
    out.push_back(utf8.substr(i, len));
    i += len;
  }
  return out;
}
}  // namespace

int CalligraphyVertical(Canvas& c, int x, int y, const std::string& utf8, const char* face, int height, Pixel color,
                        float opacity, uint32_t seed, int spacing) {
  int yy = y;
  uint32_t k = 0;
  for (const std::string& ch : Characters(utf8)) {
    int w = TextWidth(ch, face, height);
    Calligraphy(c, x + (height - w) / 2, yy, ch, face, height, color, opacity, seed + k++);
    yy += height + spacing;
  }
  return yy - y;
}

// ---- motifs -----------------------------------------------------------------
namespace {
// A seal's character as the font draws it, kept: every portrait cuts its
// surname, and drawing the glyph anew cost more than the rest of the seal.
struct SealGlyph {
  Coverage coverage;
  int width = 0;
};
const SealGlyph& SealGlyphOf(const std::string& ch, int height) {
  static thread_local std::map<std::pair<std::string, int>, SealGlyph> kept;
  auto [it, fresh] = kept.try_emplace({ch, height});
  if (fresh) it->second = {TextCoverage(ch, kFaceKai, height, 700), TextWidth(ch, kFaceKai, height, 700)};
  return it->second;
}
}  // namespace

void Seal(Canvas& c, int x, int y, int size, const std::string& utf8, uint32_t seed, Pixel red) {
  std::vector<std::string> chars = Characters(utf8);
  Coverage body(size, size);
  // The stone's face: a square whose edge the years have chipped.
  NoiseBand chips(seed, Columns(0, size, 0.35f));
  NoiseBand wear(seed + 9, Columns(0, size, 0.6f));
  for (int j = 0; j < size; ++j) {
    chips.SetRow(j * 0.35f);
    wear.SetRow(j * 0.6f);
    for (int i = 0; i < size; ++i) {
      float edge = std::min({i, j, size - 1 - i, size - 1 - j}) + 0.5f;
      float chip = chips.At(i) * 1.6f;
      float v = Clamp01(edge - chip + 0.6f);
      v *= 0.82f + 0.18f * wear.At(i);
      body.value[static_cast<size_t>(j) * size + i] = v;
    }
  }
  // Characters cut away from the face (white relief), in columns right to left.
  size_t n = std::min<size_t>(chars.size(), 4);
  int cols = n <= 1 ? 1 : 2;
  int rows = n <= 2 ? (n == 2 ? 2 : 1) : 2;
  if (n == 2) cols = 1;
  int inner = size - size / 6;
  int cellW = inner / cols;
  int cellH = inner / rows;
  int glyph = std::max(6, std::min(cellW, cellH));
  for (size_t k = 0; k < n; ++k) {
    int col = cols == 1 ? 0 : static_cast<int>(cols - 1 - k / rows);
    int row = static_cast<int>(k % rows);
    const SealGlyph& cut = SealGlyphOf(chars[k], glyph);
    const Coverage& g = cut.coverage;
    int margin = glyph / 4;
    int gw = cut.width;
    int gx = size / 12 + col * cellW + (cellW - gw) / 2 - margin;
    int gy = size / 12 + row * cellH + (cellH - glyph) / 2 - margin;
    for (int j = 0; j < g.height; ++j)
      for (int i = 0; i < g.width; ++i) {
        float v = g.At(i, j);
        int bx = gx + i;
        int by = gy + j;
        if (bx < 0 || by < 0 || bx >= size || by >= size) continue;
        float& cell = body.value[static_cast<size_t>(by) * size + bx];
        cell *= 1.0f - Clamp01(v * 1.3f);
      }
  }
  Apply(c, body, x, y, red, 0.92f);
}

void Mountain(Canvas& c, float x, float baseY, float width, float height, uint32_t seed, Pixel body, float ink) {
  Rng rng(seed);
  // Ridge line: a main peak with shoulders, jittered by noise.
  int n = std::max(8, static_cast<int>(width / 6));
  float peakAt = rng.Range(0.35f, 0.65f);
  std::vector<Vec2> ridge;
  for (int i = 0; i <= n; ++i) {
    float t = static_cast<float>(i) / n;
    float shape = std::pow(std::max(0.0f, 1.0f - std::fabs(t - peakAt) / std::max(peakAt, 1 - peakAt)), 1.3f);
    float bumps = (Fbm(seed + 11, t * 6.0f, 0.5f, 3) - 0.5f) * 0.5f;
    float h = height * Clamp01(shape * (0.85f + bumps) + 0.02f);
    if (i == 0 || i == n) h = 0;
    ridge.push_back({x + t * width, baseY - h});
  }
  std::vector<Vec2> poly = ridge;
  poly.push_back({x + width, baseY});
  poly.push_back({x, baseY});
  // Body: mineral colour at the crest fading into the paper at the foot.
  Figure fig(static_cast<int>(width) + 4, static_cast<int>(height) + 4);
  {
    Canvas fc(fig);
    std::vector<Vec2> local;
    for (const Vec2& p : poly) local.push_back({p.x - x + 2, p.y - (baseY - height) + 2});
    FillPolygon(fc, local, body, 1.0f);
  }
  FbmBand shading(seed + 21, Columns(0, fig.color.Width(), 0.05f), 3);
  for (int j = 0; j < fig.color.Height(); ++j) {
    shading.SetRow(j * 0.05f);
    for (int i = 0; i < fig.color.Width(); ++i) {
      float a = fig.Alpha(i, j);
      if (a <= 0) continue;
      float depth = static_cast<float>(j) / std::max(1.0f, height);
      float fade = 1.0f - SmoothStep(0.45f, 1.0f, depth);
      float n2 = shading.At(static_cast<size_t>(i));
      Pixel col = Mix(body, Scale(body, 0.7f), Clamp01((n2 - 0.4f) * 1.5f));
      c.Blend(static_cast<int>(x) - 2 + i, static_cast<int>(baseY - height) - 2 + j, col,
              a * (0.25f + 0.75f * fade) * (0.85f + 0.3f * (n2 - 0.5f)));
    }
  }
  if (ink <= 0) return;
  // Ridge in a dry brush, then texture strokes (cun) falling from it.
  Stroke(c, ridge, 1.0f, 2.6f, 1.0f, kInk, 0.75f * ink, seed + 31, 0.3f);
  int cun = static_cast<int>(width / 9);
  for (int i = 0; i < cun; ++i) {
    int k = 1 + rng.Int(n - 1);
    const Vec2& top = ridge[k];
    float h = baseY - top.y;
    if (h < 8) continue;
    float len = h * rng.Range(0.2f, 0.5f);
    float dir = (top.x - x) / width < peakAt ? -1.0f : 1.0f;
    float sx = top.x + rng.Range(-2, 2);
    float sy = top.y + rng.Range(2, 6);
    std::vector<Vec2> pts = {{sx, sy}, {sx + dir * len * 0.15f, sy + len * 0.5f}, {sx + dir * len * 0.3f, sy + len}};
    Stroke(c, pts, 1.6f, 1.2f, 0.3f, kInk, 0.35f * ink, seed + 100 + i, 0.45f);
  }
}

void Tree(Canvas& c, float x, float y, float height, uint32_t seed, Pixel leaves) {
  Rng rng(seed);
  float lean = rng.Range(-0.25f, 0.25f);
  std::vector<Vec2> trunk = {
      {x, y}, {x + lean * height * 0.3f, y - height * 0.5f}, {x + lean * height * 0.5f, y - height}};
  Stroke(c, trunk, height * 0.08f + 1, height * 0.06f + 1, 0.8f, kInk, 0.85f, seed, 0.2f);
  int clumps = 3 + rng.Int(3);
  for (int i = 0; i < clumps; ++i) {
    float t = 0.45f + 0.55f * i / std::max(1, clumps - 1);
    float cx = x + lean * height * 0.5f * t + rng.Range(-height * 0.25f, height * 0.25f);
    float cy = y - height * t;
    float r = height * rng.Range(0.14f, 0.22f);
    Wash(c, cx, cy, r * 1.3f, r * 0.7f, leaves, 0.75f, seed + 10 + i);
    // Ink dots over the foliage (the dotting of leaves).
    for (int d = 0; d < 6; ++d)
      FillEllipse(c, cx + rng.Range(-r, r), cy + rng.Range(-r * 0.5f, r * 0.5f), rng.Range(0.8f, 1.8f),
                  rng.Range(0.6f, 1.2f), kInk, 0.6f);
  }
}

void Cloud(Canvas& c, float cx, float cy, float size, Pixel color, float opacity, uint32_t seed) {
  Rng rng(seed);
  int curls = 2 + rng.Int(2);
  for (int k = 0; k < curls; ++k) {
    float ox = cx + (k - (curls - 1) * 0.5f) * size * 0.9f;
    float oy = cy + rng.Range(-size * 0.2f, size * 0.2f);
    float r0 = size * rng.Range(0.45f, 0.6f);
    float dir = (k % 2) ? 1.0f : -1.0f;
    std::vector<Vec2> spiral;
    for (int i = 0; i <= 28; ++i) {
      float t = static_cast<float>(i) / 28;
      float ang = dir * t * 2.2f * kPi;
      float r = r0 * (1.0f - 0.8f * t);
      spiral.push_back({ox + std::cos(ang) * r, oy + std::sin(ang) * r * 0.75f});
    }
    Stroke(c, spiral, size * 0.12f, size * 0.09f, size * 0.03f, color, opacity, seed + k);
  }
  // The trailing tail that joins the curls.
  std::vector<Vec2> tail = {
      {cx - size * 1.6f, cy + size * 0.5f}, {cx, cy + size * 0.6f}, {cx + size * 1.7f, cy + size * 0.45f}};
  Stroke(c, tail, size * 0.03f, size * 0.08f, size * 0.02f, color, opacity * 0.9f, seed + 77);
}

void MountFrame(Surface& s, int x1, int y1, int x2, int y2, int band, Pixel silk, uint32_t seed) {
  Canvas c(s);
  // Brocade: a lozenge lattice woven a shade darker than the silk.
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) {
      bool inBand = x < x1 + band || x >= x2 - band || y < y1 + band || y >= y2 - band;
      if (!inBand) continue;
      int u = (x - x1 + y - y1) % 14;
      int v = (x - x1 - (y - y1) + 1400) % 14;
      float lattice = (u == 0 || v == 0) ? 0.8f : 1.0f;
      float n = 0.94f + 0.08f * Fbm(seed, x * 0.05f, y * 0.05f, 2);
      s.Set(x, y, Scale(silk, lattice * n));
    }
  // Gold rules inside and outside the band, a dark edge at the outside.
  DoubleRule(c, x1 + 2, y1 + 2, x2 - 3, y2 - 3, Scale(silk, 0.45f), 0.9f);
  DoubleRule(c, x1 + band - 5, y1 + band - 5, x2 - band + 4, y2 - band + 4, kGold, 0.95f);
}

void DoubleRule(Canvas& c, int x1, int y1, int x2, int y2, Pixel color, float opacity) {
  auto box = [&](int a, int b, int cc, int d, float w) {
    Line(c, a, b, cc, b, w, color, opacity);
    Line(c, a, d, cc, d, w, color, opacity);
    Line(c, a, b, a, d, w, color, opacity);
    Line(c, cc, b, cc, d, w, color, opacity);
  };
  box(x1, y1, x2, y2, 2.0f);
  box(x1 + 4, y1 + 4, x2 - 4, y2 - 4, 1.0f);
}

// ---- figures ----------------------------------------------------------------
void SplitMasked(const Figure& figure, Surface& image, Surface& mask, float threshold) {
  int w = figure.color.Width();
  int h = figure.color.Height();
  image.Resize(w, h, kWhite);
  mask.Resize(w, h, kBlack);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (figure.Alpha(x, y) >= threshold) {
        image.Set(x, y, figure.color.Get(x, y));
        mask.Set(x, y, kWhite);
      }
}

void Place(Surface& target, const Figure& figure, int x, int y) {
  // Blend's own mixing, row by row over the part inside the target.
  int w = figure.color.Width();
  int i0 = std::max(0, -x), i1 = std::min(w, target.Width() - x);
  int j0 = std::max(0, -y), j1 = std::min(figure.color.Height(), target.Height() - y);
  for (int j = j0; j < j1; ++j) {
    const float* alpha = &figure.alpha[static_cast<size_t>(j) * w];
    const Pixel* src = figure.color.Row(j);
    Pixel* dst = target.Row(y + j) + x;
    for (int i = i0; i < i1; ++i) {
      float a = alpha[i];
      if (a > 0) dst[i] = Mix(dst[i], src[i], a > 1 ? 1 : a);
    }
  }
  if (i0 < i1 && j0 < j1) target.Changed(x + i0, y + j0, x + i1, y + j1);
}

}  // namespace paint
