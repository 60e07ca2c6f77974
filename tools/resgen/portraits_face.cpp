// One portrait in the manner of the court painters: a bust on paper, the face
// in fine ink lines over a flesh wash, headgear by rank, a robe in mineral
// colours and the cinnabar seal of his surname.
#include <algorithm>
#include <cmath>

#include "tools/resgen/paint.h"
#include "tools/resgen/portraits.h"

namespace {

using paint::Canvas;
using paint::Vec2;

constexpr float kCx = 60;  // the face's vertical axis

// Robe colours of the mineral palette, picked by the name.
constexpr Pixel kRobes[] = {paint::kAzurite, paint::kMalachite, Rgb(122, 60, 40), Rgb(96, 84, 120),
                            paint::kOchre,   Rgb(70, 90, 110),  Rgb(130, 110, 80), Rgb(60, 100, 92)};
constexpr Pixel kSkins[] = {Rgb(232, 196, 160), Rgb(226, 186, 146), Rgb(216, 176, 136), Rgb(236, 204, 172),
                            Rgb(208, 166, 126)};

// The features of one face, drawn from the name's seed and the record.
struct Face {
  float halfWidth, halfHeight;  // the face oval
  float jaw;                    // 0 narrow chin .. 1 broad square jaw
  float eyeY, eyeGap, browLift; // browLift > 0 slants the brows up and out (fierce)
  float browWeight;             // stroke width of the brows
  float eyeOpen;                // 0 narrow, calm .. 1 wide, glaring
  float noseLength, mouthWidth;
  Pixel skin, robe, beardInk;
  int beard;                    // 0 none, 1 moustache, 2 goatee, 3 full beard, 4 long flowing beard
  bool wrinkles;
};

Face MakeFace(const PortraitSubject& who) {
  paint::Rng rng(NameSeed(who.name));
  Face f;
  float fierce = std::clamp((who.force - who.intelligence) / 80.0f, -1.0f, 1.0f);
  f.halfWidth = rng.Range(17.5f, 21.5f) + std::max(0.0f, fierce) * 1.5f;
  f.halfHeight = rng.Range(23.0f, 26.5f);
  f.jaw = std::clamp(rng.Range(0.1f, 0.6f) + fierce * 0.35f, 0.0f, 1.0f);
  f.eyeY = 58 + rng.Range(-1.5f, 1.5f);
  f.eyeGap = rng.Range(8.0f, 9.6f);
  f.browLift = fierce * 3.5f + rng.Range(-0.8f, 0.8f);
  f.browWeight = 1.6f + std::clamp(who.force / 100.0f, 0.0f, 1.0f) * 1.8f;
  f.eyeOpen = std::clamp(0.35f + fierce * 0.45f + rng.Range(-0.1f, 0.1f), 0.0f, 1.0f);
  f.noseLength = rng.Range(8.5f, 11.5f);
  f.mouthWidth = rng.Range(5.5f, 8.0f);
  f.skin = kSkins[rng.Int(5)];
  if (fierce > 0.5f) f.skin = paint::Mix(f.skin, Rgb(170, 110, 80), 0.25f);  // weathered by campaigns
  f.robe = kRobes[rng.Int(8)];
  int beardStyle = rng.Int(4);
  if (who.age < 22) f.beard = 0;
  else if (who.age < 30) f.beard = beardStyle % 2 == 0 ? 0 : 1;
  else if (who.age < 45) f.beard = 1 + beardStyle % 3;
  else f.beard = 2 + (beardStyle % 3 == 0 ? 1 : 2);
  if (fierce > 0.45f && who.age >= 25) f.beard = 3;  // the bristling beard of a fighting man
  f.beardInk = who.age >= 62 ? Rgb(206, 202, 196) : who.age >= 50 ? Rgb(120, 116, 112) : paint::kInk;
  f.wrinkles = who.age >= 50;
  return f;
}

void Bust(Canvas& c, const Face& f, PortraitRole role, uint32_t seed) {
  // Rulers wear court robes: imperial yellow, lacquer red, deep azure or black.
  constexpr Pixel kCourtRobes[] = {Rgb(196, 150, 50), Rgb(150, 40, 32), Rgb(40, 62, 110), Rgb(44, 40, 40)};
  Pixel robe = role == PortraitRole::Ruler ? kCourtRobes[seed % 4] : f.robe;
  // Shoulders and the crossed collar, the right lapel over the left.
  paint::FillPolygon(c, {{4, 120}, {14, 98}, {38, 88}, {82, 88}, {106, 98}, {116, 120}}, robe, 1.0f);
  paint::FillPolygon(c, {{46, 86}, {74, 86}, {80, 120}, {40, 120}}, paint::Scale(robe, 0.85f), 1.0f);
  paint::FillBox(c, 52, 76, 68, 92, paint::Scale(f.skin, 0.88f), 1.0f);  // neck
  Pixel collar = role == PortraitRole::Ruler ? paint::kLacquer : Rgb(238, 232, 216);
  paint::Stroke(c, {{46, 88}, {60, 104}, {72, 120}}, 5, 6, 6, collar, 1.0f, seed);
  paint::Stroke(c, {{74, 88}, {64, 100}, {60, 106}}, 5, 6, 5, collar, 1.0f, seed + 1);
  paint::Stroke(c, {{4, 120}, {14, 98}, {38, 88}}, 1.5f, 2.5f, 1.5f, paint::kInk, 0.85f, seed + 2, 0.2f);
  paint::Stroke(c, {{82, 88}, {106, 98}, {116, 120}}, 1.5f, 2.5f, 1.5f, paint::kInk, 0.85f, seed + 3, 0.2f);
  if (role == PortraitRole::Warrior) {
    // Shoulder guards of lamellar iron.
    for (int side = -1; side <= 1; side += 2) {
      float x = kCx + side * 40;
      paint::FillEllipse(c, x, 102, 20, 12, Rgb(100, 104, 108), 1.0f);
      for (int i = 0; i < 3; ++i)
        paint::Line(c, x - 16, 96 + i * 5, x + 16, 96 + i * 5, 1.0f, paint::kInk, 0.5f);
      paint::FillEllipse(c, x, 94, 5, 3, paint::kGold, 1.0f);
    }
  } else if (role == PortraitRole::Ruler) {
    // Roundels of gold on the imperial yellow.
    for (int side = -1; side <= 1; side += 2) {
      paint::FillEllipse(c, kCx + side * 34, 106, 8, 8, paint::kGold, 1.0f);
      paint::Cloud(c, kCx + side * 34, 106, 7, paint::kLacquer, 0.9f, seed + 4 + side);
    }
  }
}

void Head(Canvas& c, const Face& f, const PortraitSubject& who, uint32_t seed) {
  float cy = 60, hw = f.halfWidth, hh = f.halfHeight;
  // Ears, then the face: an oval with a jaw that squares with force.
  paint::FillEllipse(c, kCx - hw, 62, 3.5f, 6, paint::Scale(f.skin, 0.92f), 1.0f);
  paint::FillEllipse(c, kCx + hw, 62, 3.5f, 6, paint::Scale(f.skin, 0.92f), 1.0f);
  paint::FillEllipse(c, kCx, cy, hw, hh, f.skin, 1.0f);
  float jawW = hw * (0.55f + 0.35f * f.jaw);
  paint::FillPolygon(c, {{kCx - hw + 0.5f, cy + 2}, {kCx - jawW, cy + hh - 3}, {kCx, cy + hh + 1}, {kCx + jawW, cy + hh - 3},
                         {kCx + hw - 0.5f, cy + 2}},
                     f.skin, 1.0f);
  paint::Wash(c, kCx - hw * 0.55f, 68, 5, 3.5f, Rgb(214, 120, 100), 0.18f, seed + 10);
  paint::Wash(c, kCx + hw * 0.55f, 68, 5, 3.5f, Rgb(214, 120, 100), 0.18f, seed + 11);
  // The jaw line in a light ink stroke.
  paint::Stroke(c, {{kCx - hw, cy - 2}, {kCx - hw + 1, cy + 10}, {kCx - jawW, cy + hh - 3}, {kCx, cy + hh + 1},
                    {kCx + jawW, cy + hh - 3}, {kCx + hw - 1, cy + 10}, {kCx + hw, cy - 2}},
                0.8f, 1.3f, 0.8f, Rgb(110, 80, 60), 0.7f, seed + 12);
  // Brows.
  for (int side = -1; side <= 1; side += 2) {
    float inner = kCx + side * 3.5f, outer = kCx + side * (f.eyeGap + 7.5f);
    float by = f.eyeY - 6;
    paint::Stroke(c, {{inner, by + f.browLift * 0.3f}, {(inner + outer) / 2, by - 1.5f}, {outer, by - f.browLift}},
                  f.browWeight * 1.1f, f.browWeight, f.browWeight * 0.4f, paint::kInk, 0.95f, seed + 13 + side);
  }
  // Eyes: an upper lid, the pupil, a lower lid only on wide, glaring eyes.
  for (int side = -1; side <= 1; side += 2) {
    float ex = kCx + side * f.eyeGap, ey = f.eyeY;
    float open = 1.2f + 2.2f * f.eyeOpen;
    if (f.eyeOpen > 0.55f) paint::FillEllipse(c, ex, ey, 4.2f, open * 0.8f, Rgb(246, 240, 228), 1.0f);
    paint::Stroke(c, {{ex - side * 4.5f, ey + 0.5f}, {ex, ey - open}, {ex + side * 4.5f, ey - 0.3f + side * 0.0f}},
                  1.0f, 1.6f, 0.7f, paint::kInk, 0.95f, seed + 16 + side);
    paint::FillEllipse(c, ex + side * 0.3f, ey - open * 0.2f, 1.5f, std::min(1.8f, open * 0.7f), paint::kInk, 1.0f);
    if (f.eyeOpen > 0.55f)
      paint::Stroke(c, {{ex - 3.5f, ey + open * 0.6f}, {ex, ey + open * 0.8f}, {ex + 3.5f, ey + open * 0.6f}}, 0.5f, 0.8f,
                    0.5f, paint::kInk, 0.6f, seed + 18 + side);
  }
  // Nose and mouth.
  float ny = f.eyeY + f.noseLength;
  paint::Stroke(c, {{kCx - 1, f.eyeY + 1}, {kCx - 1.5f, ny - 3}, {kCx + 0.5f, ny}}, 0.7f, 1.0f, 0.8f, Rgb(110, 76, 56),
                0.8f, seed + 20);
  paint::Stroke(c, {{kCx - 4, ny - 0.5f}, {kCx - 2, ny + 1}, {kCx + 2, ny + 1}, {kCx + 4, ny - 0.5f}}, 0.7f, 1.1f, 0.7f,
                Rgb(110, 76, 56), 0.8f, seed + 21);
  float my = ny + 7;
  float turn = (f.browLift > 1.5f) ? 1.0f : -0.6f;  // stern or composed
  paint::Stroke(c, {{kCx - f.mouthWidth, my + turn}, {kCx, my}, {kCx + f.mouthWidth, my + turn}}, 1.0f, 1.6f, 1.0f,
                Rgb(140, 60, 50), 0.9f, seed + 22);
  if (f.wrinkles) {
    paint::Stroke(c, {{kCx - 7, 44}, {kCx, 43}, {kCx + 7, 44}}, 0.4f, 0.7f, 0.4f, Rgb(130, 96, 74), 0.5f, seed + 23);
    for (int side = -1; side <= 1; side += 2)
      paint::Stroke(c, {{kCx + side * 5, ny - 2}, {kCx + side * 7.5f, ny + 4}, {kCx + side * 7, my + 2}}, 0.4f, 0.7f,
                    0.3f, Rgb(130, 96, 74), 0.5f, seed + 24 + side);
  }
  (void)who;
}

void Beard(Canvas& c, const Face& f, uint32_t seed) {
  if (f.beard == 0) return;
  float ny = f.eyeY + f.noseLength, my = ny + 7;
  Pixel ink = f.beardInk;
  // Moustache: two sweeping strokes from under the nose.
  for (int side = -1; side <= 1; side += 2)
    paint::Stroke(c, {{kCx + side * 1.0f, ny + 2.5f}, {kCx + side * 6, ny + 3.5f}, {kCx + side * 10, my + 3}}, 1.8f, 2.2f,
                  0.4f, ink, 0.95f, seed + side);
  if (f.beard == 1) return;
  float chin = 60 + f.halfHeight;
  if (f.beard == 2) {
    paint::Stroke(c, {{kCx, my + 4}, {kCx + 0.5f, chin + 3}, {kCx - 1, chin + 12}}, 3.5f, 4, 0.6f, ink, 0.95f, seed + 3);
    return;
  }
  if (f.beard == 3) {
    // A full bristling beard from ear to ear.
    paint::Rng rng(seed + 4);
    for (int i = 0; i < 26; ++i) {
      float t = i / 25.0f;
      float a = (t - 0.5f) * 2.6f;
      float x0 = kCx + std::sin(a) * f.halfWidth * 0.95f, y0 = 62 + std::cos(a) * f.halfHeight * 0.55f;
      float len = 9 + 6 * std::cos(a) + rng.Range(-2, 2);
      paint::Stroke(c, {{x0, y0}, {x0 + std::sin(a) * len * 0.6f, y0 + len * 0.6f}, {x0 + std::sin(a) * len, y0 + len}},
                    2.0f, 1.6f, 0.3f, ink, 0.9f, rng.Next());
    }
    paint::FillEllipse(c, kCx, my + 6, f.halfWidth * 0.55f, 7, ink, 0.9f);
    return;
  }
  // The long flowing beard of a sage, in three locks.
  for (int i = -1; i <= 1; ++i)
    paint::Stroke(c, {{kCx + i * 4, my + 3}, {kCx + i * 5, chin + 6}, {kCx + i * 3, chin + 22}}, 2.5f, 3.2f, 0.4f, ink,
                  0.9f, seed + 10 + i);
}

// Hair and headgear by rank: a crown for a ruler, a helmet for a warrior, a
// scholar's cap for a strategist.
void Headgear(Canvas& c, const Face& f, PortraitRole role, uint32_t seed) {
  float top = 60 - f.halfHeight, hw = f.halfWidth;
  // Black hair from the forehead up.
  paint::FillPolygon(c, {{kCx - hw - 1, 56}, {kCx - hw, 42}, {kCx - hw * 0.5f, top + 1}, {kCx + hw * 0.5f, top + 1},
                         {kCx + hw, 42}, {kCx + hw + 1, 56}, {kCx + hw - 3, 46}, {kCx, 44}, {kCx - hw + 3, 46}},
                     Rgb(30, 28, 28), 1.0f);
  paint::Rng rng(seed);
  switch (role) {
    case PortraitRole::Ruler: {
      float y = top - 2;
      if (rng.Int(2) == 0) {
        // A tall gold crown with upswept wings and a pearl.
        paint::FillPolygon(c, {{kCx - 13, y + 10}, {kCx - 11, y - 10}, {kCx, y - 14}, {kCx + 11, y - 10}, {kCx + 13, y + 10}},
                           paint::kGold, 1.0f);
        paint::Stroke(c, {{kCx - 13, y + 10}, {kCx - 11, y - 10}, {kCx, y - 14}, {kCx + 11, y - 10}, {kCx + 13, y + 10}}, 0.8f,
                      1.2f, 0.8f, paint::kLacquer, 0.9f, seed + 7);
        for (int side = -1; side <= 1; side += 2)
          paint::Stroke(c, {{kCx + side * 12, y + 2}, {kCx + side * 22, y - 4}, {kCx + side * 27, y - 12}}, 3, 2.5f, 1,
                        paint::kGold, 1.0f, seed + 8 + side);
        paint::FillEllipse(c, kCx, y - 3, 3.2f, 3.2f, Rgb(240, 236, 226), 1.0f);
        paint::FillEllipse(c, kCx, y + 5, 2.2f, 2.2f, paint::kCinnabar, 1.0f);
        break;
      }
      // A crown under a flat board hung with strings of jade beads.
      paint::FillPolygon(c, {{kCx - 12, y + 10}, {kCx - 10, y - 6}, {kCx + 10, y - 6}, {kCx + 12, y + 10}}, Rgb(40, 36, 40), 1.0f);
      paint::FillBox(c, static_cast<int>(kCx - 14), static_cast<int>(y + 6), static_cast<int>(kCx + 14),
                     static_cast<int>(y + 11), paint::kGold, 1.0f);
      paint::FillPolygon(c, {{kCx - 30, y - 10}, {kCx + 30, y - 13}, {kCx + 30, y - 7}, {kCx - 30, y - 4}}, Rgb(30, 26, 30), 1.0f);
      paint::Line(c, kCx - 30, y - 4, kCx + 30, y - 7, 1.2f, paint::kGold, 1.0f);
      for (int i = 0; i < 6; ++i) {
        float x = kCx - 27 + i * 10.8f, y0 = y - 4 - i * 0.5f;
        paint::Line(c, x, y0, x, y0 + 14, 0.6f, paint::kGold, 0.9f);
        for (int b = 0; b < 3; ++b) paint::FillEllipse(c, x, y0 + 4 + b * 4.5f, 1.4f, 1.4f, i % 2 ? paint::kMalachite : paint::kCinnabar, 1.0f);
      }
      paint::Line(c, kCx - 18, y + 4, kCx + 18, y + 2, 1.6f, paint::kGold, 1.0f);  // hairpin
      break;
    }
    case PortraitRole::Warrior: {
      // An iron helmet with cheek guards, a gilt band and a red-tasselled spike.
      float y = top + 2;
      constexpr Pixel kHelmets[] = {Rgb(84, 88, 94), Rgb(150, 112, 60), Rgb(44, 40, 42)};
      int style = rng.Int(4);
      if (style == 3) {
        // No helmet: a topknot and a headband of red cloth with its ends flying.
        paint::FillEllipse(c, kCx, top - 3, 6, 5, Rgb(30, 28, 28), 1.0f);
        paint::Line(c, kCx - hw - 1, 47, kCx + hw + 1, 47, 4.0f, paint::kCinnabar, 1.0f);
        paint::Stroke(c, {{kCx + hw, 47}, {kCx + hw + 8, 52}, {kCx + hw + 12, 62}}, 3, 2.5f, 1, paint::kCinnabar, 1.0f, seed + 5);
        break;
      }
      Pixel helm = kHelmets[style];
      paint::FillPolygon(c, {{kCx - hw - 4, 50}, {kCx - hw - 2, y + 2}, {kCx - 8, y - 10}, {kCx + 8, y - 10}, {kCx + hw + 2, y + 2},
                             {kCx + hw + 4, 50}, {kCx + hw - 1, 50}, {kCx + hw - 2, 44}, {kCx - hw + 2, 44}, {kCx - hw + 1, 50}},
                         helm, 1.0f);
      paint::Line(c, kCx - hw - 2, 44, kCx + hw + 2, 44, 2.5f, paint::kGold, 1.0f);
      for (int side = -1; side <= 1; side += 2)
        paint::FillPolygon(c, {{kCx + side * (hw + 4), 46}, {kCx + side * (hw + 5), 70}, {kCx + side * (hw - 1), 74},
                               {kCx + side * (hw - 1), 46}},
                           paint::Scale(helm, 1.12f), 1.0f);
      paint::Stroke(c, {{kCx - hw - 2, y + 2}, {kCx - 8, y - 10}, {kCx + 8, y - 10}, {kCx + hw + 2, y + 2}}, 1.2f, 2, 1.2f,
                    paint::kInk, 0.9f, seed + 1);
      paint::Line(c, kCx, y - 10, kCx, y - 22, 2.0f, paint::kGold, 1.0f);
      paint::Wash(c, kCx + rng.Range(-2, 2), y - 16, 7, 5, paint::kCinnabar, 0.9f, seed + 2);
      paint::FillEllipse(c, kCx, y - 23, 2.2f, 2.2f, paint::kGold, 1.0f);
      break;
    }
    case PortraitRole::Strategist: {
      // A black silk scholar's cap, its two ribbons falling behind.
      float y = top + 3;
      // Black gauze, a blue cloth cap or the white silk kerchief of a recluse.
      constexpr Pixel kCaps[] = {Rgb(36, 40, 48), Rgb(52, 70, 104), Rgb(226, 224, 214)};
      Pixel cap = kCaps[rng.Int(3)];
      paint::FillPolygon(c, {{kCx - hw, 46}, {kCx - hw + 1, y - 2}, {kCx - 6, y - 12}, {kCx + 8, y - 12}, {kCx + hw - 1, y - 2},
                             {kCx + hw, 46}},
                         cap, 1.0f);
      paint::Stroke(c, {{kCx - hw, 46}, {kCx - hw + 1, y - 2}, {kCx - 6, y - 12}, {kCx + 8, y - 12}, {kCx + hw - 1, y - 2},
                        {kCx + hw, 46}},
                    0.8f, 1.2f, 0.8f, paint::kInk, 0.8f, seed + 6);
      for (int i = 0; i < 4; ++i)
        paint::Line(c, kCx - hw + 4 + i * hw * 0.55f, y - 6, kCx - hw + 3 + i * hw * 0.55f, 45, 0.6f, Rgb(90, 96, 106), 0.7f);
      for (int side = -1; side <= 1; side += 2)
        paint::Stroke(c, {{kCx + side * (hw - 2), 46}, {kCx + side * (hw + 6), 62}, {kCx + side * (hw + 4), 84}}, 3, 2.5f, 1,
                      cap, 0.95f, seed + 3 + side);
      paint::Line(c, kCx - hw, 46, kCx + hw, 46, 2.0f, paint::Scale(cap, 0.8f), 1.0f);
      break;
    }
  }
}

}  // namespace

uint32_t NameSeed(const std::string& name) {
  uint32_t h = 2166136261u;
  for (unsigned char ch : name) {
    h ^= ch;
    h *= 16777619u;
  }
  return h;
}

void PaintPortrait(Surface& cell, const PortraitSubject& who) {
  if (cell.Width() != kPortraitSize || cell.Height() != kPortraitSize) cell.Resize(kPortraitSize, kPortraitSize);
  uint32_t seed = NameSeed(who.name);
  Face f = MakeFace(who);
  Canvas c(cell);
  // A halo of wash behind the head, in the colour of his calling.
  Pixel halo = who.role == PortraitRole::Ruler ? paint::kGoldPale
               : who.role == PortraitRole::Warrior ? Rgb(200, 160, 140)
                                                   : Rgb(170, 190, 180);
  paint::Wash(c, kCx, 56, 46, 44, halo, 0.35f, seed + 100);
  Bust(c, f, who.role, seed + 200);
  Head(c, f, who, seed + 300);
  Beard(c, f, seed + 400);
  Headgear(c, f, who.role, seed + 500);
  // The paint sits in the paper: a faint grain over everything.
  for (int y = 0; y < kPortraitSize; ++y)
    for (int x = 0; x < kPortraitSize; ++x)
      cell.Set(x, y, paint::Scale(cell.Get(x, y), 0.96f + 0.06f * paint::Hash2(seed, x / 2, y / 2)));
  if (!who.name.empty()) {
    std::string surname;
    // The first UTF-8 character of the name.
    size_t len = 1;
    unsigned char lead = static_cast<unsigned char>(who.name[0]);
    if (lead >= 0xF0) len = 4;
    else if (lead >= 0xE0) len = 3;
    else if (lead >= 0xC0) len = 2;
    surname = who.name.substr(0, len);
    paint::Seal(c, 94, 94, 22, surname, seed + 600);
  }
}
