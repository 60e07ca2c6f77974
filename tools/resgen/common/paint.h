#pragma once
// Painting primitives for the game's pictures: xuan paper and silk, ink wash,
// brush strokes, mineral colours, calligraphy and seals. Everything is seeded
// from fixed numbers so the same files come out on every run.
//
// Most primitives draw through a Canvas, which is either a plain surface
// (paint blends onto what is there) or a figure layer with its own coverage
// (paint builds colour and alpha, later split into an image and a mask).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "tools/resgen/common/noise.h"

namespace paint {

// The palette: ink, paper and the mineral pigments of court painting.
constexpr Pixel kInk = Rgb(28, 26, 24);
constexpr Pixel kInkGrey = Rgb(92, 88, 82);
constexpr Pixel kPaper = Rgb(236, 224, 196);
constexpr Pixel kPaperLight = Rgb(246, 239, 220);
constexpr Pixel kSilk = Rgb(214, 196, 156);
constexpr Pixel kOldSilk = Rgb(190, 164, 118);
constexpr Pixel kCinnabar = Rgb(190, 42, 30);
constexpr Pixel kLacquer = Rgb(122, 26, 22);
constexpr Pixel kAzurite = Rgb(38, 82, 140);
constexpr Pixel kAzuriteLight = Rgb(96, 140, 176);
constexpr Pixel kMalachite = Rgb(52, 120, 96);
constexpr Pixel kMalachiteLight = Rgb(120, 164, 128);
constexpr Pixel kOchre = Rgb(178, 128, 62);
constexpr Pixel kOchreLight = Rgb(212, 176, 120);
constexpr Pixel kGold = Rgb(206, 164, 72);
constexpr Pixel kGoldPale = Rgb(232, 206, 136);

struct Vec2 {
  float x = 0;
  float y = 0;
};

// ---- colour -----------------------------------------------------------------
// Inline: every painted pixel goes through them, most from other files.
inline int Red(Pixel p) { return (p >> 16) & 255; }
inline int Green(Pixel p) { return (p >> 8) & 255; }
inline int Blue(Pixel p) { return p & 255; }
inline int ClampByte(float v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int>(v + 0.5f)); }
// t = 0 gives a, 1 gives b
inline Pixel Mix(Pixel a, Pixel b, float t) {
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return Rgb(ClampByte(Red(a) + (Red(b) - Red(a)) * t), ClampByte(Green(a) + (Green(b) - Green(a)) * t),
             ClampByte(Blue(a) + (Blue(b) - Blue(a)) * t));
}
// brighter above 1, darker below
inline Pixel Scale(Pixel p, float f) {
  return Rgb(ClampByte(Red(p) * f), ClampByte(Green(p) * f), ClampByte(Blue(p) * f));
}
float Luma(Pixel p);  // 0..255

// ---- deterministic randomness ----------------------------------------------
class Rng {
 public:
  explicit Rng(uint32_t seed);
  uint32_t Next();
  float Unit();                     // [0, 1)
  float Range(float lo, float hi);  // [lo, hi)
  int Int(int n);                   // 0..n-1; 0 when n <= 0
 private:
  uint64_t state_;
};

float SmoothStep(float edge0, float edge1, float x);

// ---- canvases ---------------------------------------------------------------
// A figure painted on its own: colour plus coverage, for masked pictures and
// for painting one motif and then placing it.
struct Figure {
  Surface color;
  std::vector<float> alpha;
  Figure() = default;
  Figure(int width, int height);
  float Alpha(int x, int y) const;
};

class Canvas {
 public:
  Canvas(Surface& surface);  // NOLINT: a surface is the usual canvas
  Canvas(Figure& figure);    // NOLINT
  int Width() const { return surface_->Width(); }
  int Height() const { return surface_->Height(); }
  // Lays colour c over the pixel with opacity a (0..1); outside is ignored.
  // Inline: every painted pixel comes through here.
  void Blend(int x, int y, Pixel c, float a) {
    if (x < 0 || y < 0 || x >= surface_->Width() || y >= surface_->Height() || a <= 0) return;
    a = a > 1 ? 1 : a;
    Pixel* px = surface_->Row(y) + x;
    if (!alpha_) {
      *px = Mix(*px, c, a);
      return;
    }
    // Painting "over" a layer that has its own coverage: colour is kept
    // un-premultiplied so the figure's edges do not fade into the white ground.
    float& under = (*alpha_)[static_cast<size_t>(y) * surface_->Width() + x];
    if (under == 0) {
      // The first paint on bare ground: a / out is 1, and mixing by 1 gives c.
      *px = Rgb(Red(c), Green(c), Blue(c));
      under = a;
      return;
    }
    float out = a + under * (1 - a);
    if (out <= 0) return;
    *px = Mix(*px, c, a / out);
    under = out;
  }
  Pixel Get(int x, int y) const { return surface_->Get(x, y); }

 private:
  Surface* surface_;
  std::vector<float>* alpha_ = nullptr;
};

// A coverage plane for one motif (a stroke, a glyph) before it is laid down.
struct Coverage {
  int width = 0;
  int height = 0;
  std::vector<float> value;
  Coverage() = default;
  Coverage(int w, int h) : width(w), height(h), value(static_cast<size_t>(w) * h, 0.0f) {}
  float At(int x, int y) const;
  void Max(int x, int y, float v);
};
// Lays a coverage plane at (x, y) in one colour.
void Apply(Canvas& canvas, const Coverage& cov, int x, int y, Pixel color, float opacity);
// The same with the colour varied by a wash texture (ink never lies flat).
void ApplyInk(Canvas& canvas, const Coverage& cov, int x, int y, Pixel color, float opacity, uint32_t seed,
              float variation);

// ---- grounds ----------------------------------------------------------------
// Xuan paper: soft mottling, fibres and a few darker flecks.
void Paper(Surface& s, Pixel base, uint32_t seed, float mottle = 0.06f);
// Silk: paper mottling plus a fine weave.
void Silk(Surface& s, Pixel base, uint32_t seed, float mottle = 0.06f);
// Darkens the edges as old mounted paintings darken.
void Vignette(Surface& s, float strength, Pixel toward = Rgb(60, 40, 20));
// A vertical gradient from top colour to bottom colour with noise, over [y0, y1).
void GradientV(Surface& s, int y0, int y1, Pixel top, Pixel bottom, uint32_t seed, float noise);

// ---- ink and colour ---------------------------------------------------------
// A soft wash blob (ellipse with a ragged, pooled edge).
void Wash(Canvas& c, float cx, float cy, float rx, float ry, Pixel color, float opacity, uint32_t seed);
// A brush stroke along a smooth curve through pts, width tapering from w0 to
// w1 through wMid; dryness 0..1 breaks the stroke into bristle streaks.
void Stroke(Canvas& c, const std::vector<Vec2>& pts, float w0, float wMid, float w1, Pixel color, float opacity,
            uint32_t seed, float dryness = 0.0f);
// An anti-aliased line of even width (for maps, frames, rules).
void Line(Canvas& c, float x0, float y0, float x1, float y1, float width, Pixel color, float opacity);
// A polygon filled with anti-aliased edges.
void FillPolygon(Canvas& c, const std::vector<Vec2>& pts, Pixel color, float opacity);
void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Pixel color, float opacity);
// A rectangle filled flat (no anti-aliasing needed on the pixel grid).
void FillBox(Canvas& c, int x1, int y1, int x2, int y2, Pixel color, float opacity);

// ---- washes with pooled edges and ink outlines -------------------------------
// The paper's take-up of a wash at (x, y): one smooth field of noise read at an
// offset by seed, cheap enough for every pixel of every shape. [0, 1), mean 0.5.
// Inline: it is read for every pixel of every wash.
constexpr int kTakeUpSize = 256;  // the field's side; it repeats beyond
const float* TakeUpField();
inline float TakeUp(uint32_t seed, int x, int y) {
  static const float* field = TakeUpField();
  int ox = static_cast<int>(seed & 255), oy = static_cast<int>((seed >> 8) & 255);
  return field[((y + oy) & (kTakeUpSize - 1)) * kTakeUpSize + ((x + ox) & (kTakeUpSize - 1))];
}
// A polygon laid as a wash: mottled by the take-up and pooled darker just
// inside its edge, instead of a flat fill.
void WashPolygon(Canvas& c, const std::vector<Vec2>& pts, Pixel color, float opacity, uint32_t seed);
// A soft round wash, its rim broken by the take-up.
void WashEllipse(Canvas& c, float cx, float cy, float rx, float ry, Pixel color, float opacity, uint32_t seed);
// An outline in ink of varying weight: pressed and lifted in runs of a few points.
void InkOutline(Canvas& c, const std::vector<Vec2>& pts, float weight, uint32_t seed, bool closed = true,
                Pixel ink = kInk, float opacity = 0.9f);
// The grain of the paper over a whole picture: brightness varied by +-strength/2.
void PaperGrain(Surface& s, uint32_t seed, float strength = 0.08f);

// ---- text -------------------------------------------------------------------
// Faces by their game names (UTF-8 here; converted to GBK for the text layer).
constexpr const char* kFaceKai = "隶书";  // AR PL UKai: brush calligraphy
constexpr const char* kFaceHei = "黑体";  // WenQuanYi Zen Hei: plain strong text
// The coverage of a UTF-8 text in a face, cell height in pixels.
Coverage TextCoverage(const std::string& utf8, const char* face, int height, int weight = 400);
int TextWidth(const std::string& utf8, const char* face, int height, int weight = 400);
// Calligraphy: the text in ink of varied tone with a slightly bled edge.
void Calligraphy(Canvas& c, int x, int y, const std::string& utf8, const char* face, int height, Pixel color,
                 float opacity, uint32_t seed, int weight = 400);
// Centred on cx.
void CalligraphyCentered(Canvas& c, int cx, int y, const std::string& utf8, const char* face, int height, Pixel color,
                         float opacity, uint32_t seed, int weight = 400);
// Vertical text, one character under the other, columns right to left as in
// old books; returns the height used.
int CalligraphyVertical(Canvas& c, int x, int y, const std::string& utf8, const char* face, int height, Pixel color,
                        float opacity, uint32_t seed, int spacing = 0);

// ---- motifs -----------------------------------------------------------------
// A cinnabar seal of side `size` with up to four characters cut in relief
// (white on red, read in columns right to left); worn at the edges.
void Seal(Canvas& c, int x, int y, int size, const std::string& utf8, uint32_t seed, Pixel red = kCinnabar);
// A mountain of the blue-green manner: mineral body, ink ridge and texture strokes.
// (x, baseY) is the left end of its foot.
void Mountain(Canvas& c, float x, float baseY, float width, float height, uint32_t seed, Pixel body, float ink);
// A pine or leafy tree in a few brush strokes; (x, y) is the foot of the trunk.
void Tree(Canvas& c, float x, float y, float height, uint32_t seed, Pixel leaves);
// Scrolling auspicious cloud: a curl of two or three spirals.
void Cloud(Canvas& c, float cx, float cy, float size, Pixel color, float opacity, uint32_t seed);
// A mounted frame: a band of brocade silk with gold rules, inside [x1, x2) x [y1, y2).
void MountFrame(Surface& s, int x1, int y1, int x2, int y2, int band, Pixel silk, uint32_t seed);
// A thin double rule, the border of a panel.
void DoubleRule(Canvas& c, int x1, int y1, int x2, int y2, Pixel color, float opacity);

// ---- figures ----------------------------------------------------------------
// Splits a figure into the image and mask a masked copy takes: the mask is white
// where the figure stands and black elsewhere; the image holds the figure on a
// white ground. Coverage at or above `threshold` counts as figure.
void SplitMasked(const Figure& figure, Surface& image, Surface& mask, float threshold = 0.5f);
// Lays a figure onto a surface at (x, y).
void Place(Surface& target, const Figure& figure, int x, int y);

}  // namespace paint
