// The troop figures shared by the map sprites and the duel sheets: one rig
// per troop type, drawn in ink outline over mineral washes, with the side's
// colour on banner, plume and sash so the two armies read apart at a glance.
#include <cmath>

#include "tools/resgen/battle/battle_art.h"

namespace battle_art {
namespace {

using paint::Vec2;

constexpr float kPi = 3.14159265f;
constexpr Pixel kSkin = Rgb(226, 190, 150);
constexpr Pixel kIron = Rgb(112, 114, 116);
constexpr Pixel kLeather = Rgb(150, 102, 58);
constexpr Pixel kHorse = Rgb(132, 92, 60);
constexpr Pixel kHorseDark = Rgb(70, 56, 48);
constexpr Pixel kWood = Rgb(112, 80, 48);
constexpr Pixel kHemp = Rgb(214, 196, 150);
constexpr Pixel kRobe = Rgb(238, 234, 222);
constexpr Pixel kBeard = Rgb(150, 146, 140);

// Local figure space: feet at the origin, y up is negative, facing right;
// `lean` tips the whole figure back about its feet (a recoil).
struct Rig {
  paint::Canvas& c;
  float ox, oy, s;
  bool flip;
  float lean;
  uint32_t seed;

  Vec2 P(float x, float y) const {
    float cs = std::cos(lean), sn = std::sin(lean);
    float rx = x * cs + y * sn, ry = -x * sn + y * cs;
    return {ox + (flip ? -rx : rx) * s, oy + ry * s};
  }
  std::vector<Vec2> Pts(std::initializer_list<Vec2> local) const {
    std::vector<Vec2> out;
    for (const Vec2& v : local) out.push_back(P(v.x, v.y));
    return out;
  }
  // A shape laid as a wash and drawn round in a fine ink line.
  void Poly(std::initializer_list<Vec2> local, Pixel col, float a = 1.0f) const {
    std::vector<Vec2> pts = Pts(local);
    uint32_t k = seed + static_cast<uint32_t>(pts[0].x * 7 + pts[0].y * 13);
    paint::WashPolygon(c, pts, col, a, k);
    paint::InkOutline(c, Inset(pts, 0.8f), std::max(0.6f, 0.45f * s), k + 1, true, paint::kInk, 0.85f * a);
  }
  // The outline runs just inside the wash, so a masked figure keeps it whole.
  static std::vector<Vec2> Inset(std::vector<Vec2> pts, float by) {
    float cx = 0, cy = 0;
    for (const Vec2& p : pts) {
      cx += p.x;
      cy += p.y;
    }
    cx /= pts.size();
    cy /= pts.size();
    for (Vec2& p : pts) {
      float d = std::hypot(p.x - cx, p.y - cy);
      if (d > by * 2) {
        p.x += (cx - p.x) / d * by;
        p.y += (cy - p.y) / d * by;
      }
    }
    return pts;
  }
  void Outline(std::initializer_list<Vec2> local, float w, Pixel col = paint::kInk, float a = 0.9f) const {
    paint::Stroke(c, Pts(local), w * s, w * s * 1.2f, w * s * 0.6f, col, a, seed);
  }
  void Limb(std::initializer_list<Vec2> local, float w, Pixel col, float a = 1.0f) const {
    paint::Stroke(c, Pts(local), w * s, w * s, w * s * 0.8f, col, a, seed);
  }
  void Ln(float x0, float y0, float x1, float y1, float w, Pixel col, float a = 1.0f) const {
    Vec2 p = P(x0, y0), q = P(x1, y1);
    paint::Line(c, p.x, p.y, q.x, q.y, std::max(0.8f, w * s), col, a);
  }
  void Ell(float x, float y, float rx, float ry, Pixel col, float a = 1.0f) const {
    Vec2 p = P(x, y);
    if (rx * s < 2.5f || ry * s < 2.5f) {  // eyes, rivets: a dot of ink or colour
      paint::FillEllipse(c, p.x, p.y, rx * s, ry * s, col, a);
      return;
    }
    std::vector<Vec2> pts;
    for (int i = 0; i < 12; ++i)
      pts.push_back({p.x + std::cos(i * kPi / 6) * rx * s, p.y + std::sin(i * kPi / 6) * ry * s});
    uint32_t k = seed + static_cast<uint32_t>(p.x * 7 + p.y * 13);
    paint::WashPolygon(c, pts, col, a, k);
    paint::InkOutline(c, Inset(pts, 0.8f), std::max(0.6f, 0.4f * s), k + 1, true, paint::kInk, 0.75f * a);
  }
};

void Shadow(const Rig& r, float width) {
  Vec2 p{r.ox, r.oy};
  paint::FillEllipse(r.c, p.x, p.y - 1, width * r.s, 3 * r.s, Rgb(60, 56, 50), 0.28f);
}

// A banner on a pole carried at the back: the side's colour, edged in ink.
void Banner(const Rig& r, float baseX, float baseY, float top, Pixel side, float wave) {
  r.Ln(baseX, baseY, baseX, top, 1.3f, kWood);
  float w = wave * 2;
  r.Poly({{baseX, top + 1}, {baseX - 14, top + 2 + w}, {baseX - 14, top + 17 + w}, {baseX, top + 16}}, side);
  r.Outline({{baseX - 14, top + 2 + w}, {baseX - 14, top + 17 + w}, {baseX, top + 16}}, 0.9f, paint::kInk, 0.7f);
  // A pale roundel on the flag where the commander's name would be sewn.
  r.Ell(baseX - 7, top + 9 + wave, 3.2f, 3.2f, paint::kPaperLight, 0.9f);
}

// Head with a helmet or hat; plume in the side's colour.
enum class Headgear { Helmet, StrawHat, Topknot, HeavyHelmet };
void Head(const Rig& r, float x, float y, Headgear gear, Pixel side) {
  r.Ell(x, y, 4.3f, 4.8f, kSkin);
  r.Outline({{x + 4, y - 1}, {x + 4.3f, y + 2}, {x + 2, y + 4.5f}}, 0.6f, paint::kInk, 0.7f);
  r.Ell(x + 2.2f, y - 0.8f, 0.7f, 0.7f, paint::kInk);  // eye
  switch (gear) {
    case Headgear::Helmet:
      r.Poly({{x - 5, y}, {x - 4, y - 5}, {x, y - 7}, {x + 4, y - 5}, {x + 5, y - 1}}, kIron);
      r.Limb({{x, y - 7}, {x - 2, y - 11}, {x - 5, y - 12}}, 1.6f, side);
      break;
    case Headgear::HeavyHelmet:
      r.Poly({{x - 5.5f, y + 3}, {x - 5, y - 5}, {x, y - 8}, {x + 5, y - 5}, {x + 5, y - 1}, {x - 2, y + 0}},
             kHorseDark);
      r.Ln(x - 5, y - 2, x + 5, y - 2, 0.9f, paint::kGold);
      r.Limb({{x, y - 8}, {x - 3, y - 13}, {x - 8, y - 14}}, 2.0f, side);
      break;
    case Headgear::StrawHat:
      r.Poly({{x - 8, y - 2}, {x, y - 9}, {x + 8, y - 2}}, Rgb(200, 170, 104));
      r.Outline({{x - 8, y - 2}, {x, y - 9}, {x + 8, y - 2}}, 0.7f);
      r.Ln(x - 7, y - 2, x + 7, y - 2, 0.8f, side);
      break;
    case Headgear::Topknot:
      r.Ell(x - 0.5f, y - 5, 2.4f, 2.2f, paint::kInk);
      r.Ln(x - 3, y - 6, x + 2, y - 6, 0.7f, paint::kGold);
      // Long beard of the Taoist adept.
      r.Limb({{x + 2, y + 4}, {x + 1, y + 9}, {x - 1, y + 12}}, 1.2f, kBeard);
      break;
  }
}

// Legs from the hip with a stride phase, boots in ink.
void Legs(const Rig& r, float hipY, float stride, Pixel trousers) {
  float sw = std::sin(2 * kPi * stride) * 5;
  r.Limb({{0, hipY}, {2 + sw * 0.5f, hipY * 0.5f}, {3 + sw, 0}}, 3.2f, trousers);
  r.Limb({{0, hipY}, {-2 - sw * 0.5f, hipY * 0.5f}, {-3 - sw, 0}}, 3.2f, paint::Scale(trousers, 0.8f));
  r.Ell(4 + sw, -0.8f, 2.8f, 1.4f, paint::kInk);
  r.Ell(-2 - sw, -0.8f, 2.8f, 1.4f, paint::kInk);
}

// Torso from shoulders (y -36) to hem; armour, sash in the side's colour.
void Torso(const Rig& r, float hemY, Pixel body, Pixel side, bool lamellar) {
  r.Poly({{-6, -36}, {6, -36}, {8, hemY}, {-9, hemY}}, body);
  if (lamellar) {
    for (float y = -32; y < hemY; y += 4)
      r.Ln(-6.5f - (y + 36) * 0.1f, y, 6.5f + (y + 36) * 0.07f, y, 0.5f, paint::kInk, 0.45f);
  }
  r.Outline({{-6, -36}, {-9, hemY}, {8, hemY}, {6, -36}}, 0.8f, paint::kInk, 0.8f);
  r.Poly({{-7.2f, -25}, {7.2f, -25}, {7.4f, -22}, {-7.6f, -22}}, side);
}

// --- the troops ------------------------------------------------------------------

void Infantry(const Rig& r, Pixel side, const Pose& p) {
  Shadow(r, 13);
  Banner(r, -6, -22, -64, side, std::sin(p.stride * 2 * kPi));
  Legs(r, -18, p.stride, Rgb(80, 74, 66));
  Torso(r, -14, kIron, side, true);
  Head(r, 1, -41, Headgear::Helmet, side);
  // Halberd: raised at the ready, levelled in the thrust.
  float a = (1 - p.strike) * 0.9f + 0.05f;
  float hx = 7, hy = -28;
  float bx = hx - 14 * std::cos(a), by = hy + 14 * std::sin(a);
  float tx = hx + 26 * std::cos(a) + p.strike * 8, ty = hy - 26 * std::sin(a);
  r.Limb({{4, -34}, {6, -30}, {hx, hy}}, 2.6f, kIron);
  r.Ln(bx, by, tx, ty, 1.4f, kWood);
  float ux = std::cos(a), uy = -std::sin(a);
  r.Poly({{tx, ty}, {tx + ux * 7, ty + uy * 7}, {tx + uy * 3, ty - ux * 3}}, Rgb(200, 204, 210));
  r.Poly({{tx - ux * 2, ty - uy * 2},
          {tx - ux * 2 - uy * 5, ty - uy * 2 + ux * 5},
          {tx + ux * 1 - uy * 4, ty + uy * 1 + ux * 4}},
         Rgb(180, 184, 190));
  r.Ell(hx, hy, 1.8f, 1.8f, kSkin);
  // A round shield on the near arm.
  r.Ell(-2, -27, 5.5f, 6.5f, kLeather);
  r.Ell(-2, -27, 2.0f, 2.2f, paint::kGold);
}

void Archer(const Rig& r, Pixel side, const Pose& p) {
  Shadow(r, 12);
  Banner(r, -6, -22, -62, side, std::sin(p.stride * 2 * kPi));
  Legs(r, -18, p.stride * 0.3f, Rgb(84, 90, 70));
  Torso(r, -13, Rgb(96, 132, 100), side, false);
  Head(r, 1, -41, Headgear::Helmet, side);
  // The bow drawn: the string hand comes back as the draw builds, then flies open.
  float draw = p.strike < 0.7f ? p.strike / 0.7f : 1 - (p.strike - 0.7f) / 0.3f * 0.8f;
  float bowX = 14, bowY = -32;
  r.Limb({{4, -34}, {9, -33}, {bowX, bowY}}, 2.4f, Rgb(96, 132, 100));
  r.Outline({{bowX - 2, bowY - 13}, {bowX + 4, bowY}, {bowX - 2, bowY + 13}}, 1.3f, kWood, 1.0f);
  float sx = bowX - 2 - draw * 12;
  r.Ln(bowX - 2, bowY - 13, sx, bowY, 0.5f, paint::kInk, 0.8f);
  r.Ln(sx, bowY, bowX - 2, bowY + 13, 0.5f, paint::kInk, 0.8f);
  r.Limb({{-4, -34}, {sx - 2, -33}, {sx, bowY}}, 2.4f, Rgb(86, 120, 90));
  if (p.strike < 0.7f) r.Ln(sx, bowY, bowX + 8, bowY, 0.8f, paint::kInk, 0.9f);
  // Quiver.
  r.Poly({{-9, -36}, {-5, -37}, {-3, -22}, {-7, -21}}, kLeather);
  for (int i = 0; i < 3; ++i) r.Ln(-7 + i * 1.4f, -37, -8 + i * 1.6f, -42, 0.7f, paint::kInk);
}

void Navy(const Rig& r, Pixel side, const Pose& p) {
  Shadow(r, 12);
  Banner(r, -6, -22, -62, side, std::sin(p.stride * 2 * kPi));
  Legs(r, -18, p.stride, Rgb(120, 104, 80));
  Torso(r, -15, kHemp, side, false);
  Head(r, 1, -41, Headgear::StrawHat, side);
  // A boat hook swung in a wide arc.
  float a = 1.3f - p.strike * 1.6f;
  float hx = 7, hy = -29;
  float tx = hx + 28 * std::cos(a), ty = hy - 28 * std::sin(a);
  r.Limb({{4, -34}, {6, -31}, {hx, hy}}, 2.6f, kHemp);
  r.Ln(hx - 10 * std::cos(a), hy + 10 * std::sin(a), tx, ty, 1.4f, kWood);
  r.Outline({{tx, ty},
             {tx + 5 * std::cos(a - 1.2f), ty - 5 * std::sin(a - 1.2f)},
             {tx + 3 * std::cos(a - 2.6f), ty - 3 * std::sin(a - 2.6f)}},
            1.1f, kIron, 1.0f);
  r.Ell(hx, hy, 1.8f, 1.8f, kSkin);
}

void Mystic(const Rig& r, Pixel side, const Pose& p) {
  Shadow(r, 12);
  Banner(r, -7, -24, -64, side, std::sin(p.stride * 2 * kPi));
  // The long robe hides the legs; it sways with the step.
  float sway = std::sin(2 * kPi * p.stride) * 2;
  r.Poly({{-6, -36}, {6, -36}, {10 + sway, 0}, {-10 + sway, 0}}, kRobe);
  r.Outline({{-6, -36}, {-10 + sway, 0}, {10 + sway, 0}, {6, -36}}, 0.9f, paint::kInk, 0.85f);
  r.Poly({{-10 + sway, -3}, {10 + sway, -3}, {10 + sway, 0}, {-10 + sway, 0}}, paint::kInk, 0.85f);
  r.Poly({{-6.5f, -24}, {6.5f, -24}, {7, -21}, {-7, -21}}, side);
  Head(r, 1, -41, Headgear::Topknot, side);
  // Horsetail whisk raised as the spell is cast.
  float a = 0.4f + p.strike * 0.9f;
  float hx = 8, hy = -30 - p.strike * 6;
  r.Limb({{4, -34}, {7, -32}, {hx, hy}}, 3.0f, kRobe);
  float tx = hx + 12 * std::cos(a), ty = hy - 12 * std::sin(a);
  r.Ln(hx, hy, tx, ty, 1.1f, kWood);
  for (int i = 0; i < 4; ++i) r.Limb({{tx, ty}, {tx + 3 + i, ty + 5}, {tx + 1 + i * 1.5f, ty + 11}}, 0.7f, kRobe, 0.9f);
  r.Ell(hx, hy, 1.8f, 1.8f, kSkin);
  if (p.strike > 0.3f) {
    // Qi gathering at the whisk: a small swirl of pale gold.
    float k = (p.strike - 0.3f) / 0.7f;
    r.Ell(tx + 2, ty - 2, 4 + 5 * k, 4 + 5 * k, paint::kGoldPale, 0.35f * k + 0.15f);
  }
}

// Horse with rider. `armoured` puts barding on the horse and heavy plate on the rider.
void Cavalry(const Rig& r, Pixel side, const Pose& p, bool armoured) {
  Shadow(r, 22);
  float g = 2 * kPi * p.stride;
  Pixel coat = armoured ? kHorseDark : kHorse;
  // Far legs first, then tail and body, then near legs.
  auto leg = [&](float hipX, float phase, float shade) {
    float sw = std::sin(g + phase) * 6;
    float lift = std::max(0.0f, std::cos(g + phase)) * 4;
    r.Limb({{hipX, -22}, {hipX + sw * 0.6f, -11 - lift * 0.5f}, {hipX + sw, -lift}}, 3.0f, paint::Scale(coat, shade));
    r.Ell(hipX + sw, -lift - 0.8f, 2.0f, 1.2f, paint::kInk);
  };
  leg(-11, 0.0f, 0.75f);
  leg(9, 1.6f, 0.75f);
  r.Limb({{-17, -28}, {-24, -26 + std::sin(g) * 2}, {-27, -16}}, 3.2f, paint::kInk, 0.85f);
  r.Ell(-1, -26, 17, 8, coat);
  r.Poly({{9, -30}, {15, -22}, {24, -42}, {18, -46}}, coat);
  Vec2 hd{23, -44};
  r.Poly({{hd.x - 3, hd.y - 4}, {hd.x + 8, hd.y + 1}, {hd.x + 7, hd.y + 4}, {hd.x - 2, hd.y + 3}}, coat);
  r.Ell(hd.x + 1, hd.y - 1, 0.8f, 0.8f, paint::kInk);
  r.Limb({{hd.x - 2, hd.y - 4}, {hd.x - 1, hd.y - 8}}, 1.4f, coat);   // ear
  r.Limb({{17, -46}, {12, -42}, {9, -34}}, 2.2f, paint::kInk, 0.9f);  // mane
  r.Outline({{-17, -28}, {-8, -34}, {9, -33}, {18, -46}}, 0.9f, paint::kInk, 0.75f);
  r.Outline({{-17, -24}, {-5, -18}, {12, -21}}, 0.9f, paint::kInk, 0.75f);
  if (armoured) {
    r.Poly({{-14, -32}, {8, -33}, {10, -20}, {-14, -19}}, kIron);
    for (float x = -12; x < 9; x += 4) r.Ln(x, -32, x, -20, 0.5f, paint::kInk, 0.5f);
    r.Ln(-14, -21, 10, -21, 1.0f, paint::kGold);
  }
  // Saddle cloth in the side's colour.
  r.Poly({{-9, -33}, {4, -33}, {5, -23}, {-10, -23}}, side);
  r.Outline({{-10, -23}, {5, -23}}, 0.8f, paint::kInk, 0.7f);
  leg(-7, 3.14f, 1.0f);
  leg(12, 4.7f, 1.0f);
  // Rider.
  r.Limb({{-2, -34}, {3, -28}, {4, -22}}, 3.2f, armoured ? kHorseDark : Rgb(86, 70, 58));
  r.Poly({{-6, -52}, {4, -52}, {5, -34}, {-6, -34}}, armoured ? kIron : kLeather);
  r.Outline({{-6, -52}, {-6, -34}, {5, -34}, {4, -52}}, 0.8f, paint::kInk, 0.8f);
  r.Poly({{-6.4f, -41}, {5, -41}, {5.1f, -38}, {-6.4f, -38}}, side);
  Banner(r, -8, -38, -80 + 8, side, std::sin(g));
  Head(r, 0, -57, armoured ? Headgear::HeavyHelmet : Headgear::Helmet, side);
  // Lance: couched for the charge, driven forward in the thrust.
  float a = 0.35f - p.strike * 0.3f;
  float hx = 6 + p.strike * 5, hy = -44;
  r.Limb({{3, -50}, {5, -46}, {hx, hy}}, 2.6f, armoured ? kIron : kLeather);
  float tx = hx + 30 * std::cos(a), ty = hy - 30 * std::sin(a);
  r.Ln(hx - 12 * std::cos(a), hy + 12 * std::sin(a), tx, ty, 1.4f, kWood);
  r.Poly({{tx, ty - 1.5f}, {tx + 8 * std::cos(a), ty - 8 * std::sin(a)}, {tx, ty + 1.5f}}, Rgb(206, 210, 214));
  r.Ell(tx - 1, ty + 1, 1.6f, 2.4f, side);  // tassel
  r.Ell(hx, hy, 1.8f, 1.8f, kSkin);
}

// A war junk with a matting sail and the side's pennant; oarsmen's heads over the rail.
void Boat(const Rig& r, Pixel side, const Pose& p) {
  float bob = std::sin(2 * kPi * p.stride) * 1.2f;
  // Wake on the water.
  r.Limb({{-30, -2}, {-10, 0}, {18, -2}}, 1.2f, Rgb(236, 244, 240), 0.8f);
  r.Limb({{-26, 2}, {0, 3}, {22, 1}}, 1.0f, Rgb(236, 244, 240), 0.6f);
  r.Poly({{-30, -14 + bob}, {30, -16 + bob}, {22, -2 + bob}, {-24, -2 + bob}}, kWood);
  r.Poly({{-30, -14 + bob}, {30, -16 + bob}, {29, -12 + bob}, {-29, -11 + bob}}, Rgb(150, 112, 70));
  r.Outline({{-30, -14 + bob}, {-24, -2 + bob}, {22, -2 + bob}, {30, -16 + bob}}, 1.0f);
  for (int i = 0; i < 4; ++i) {
    float x = -16 + i * 10;
    r.Ln(x, -8 + bob, x - 5 + p.strike * 4, 2, 1.0f, kWood, 0.9f);  // oars
    r.Ell(x + 2, -16 + bob, 2.4f, 2.4f, kSkin);
    r.Poly({{x - 1, -18 + bob}, {x + 2, -21 + bob}, {x + 5, -18 + bob}}, kIron);
  }
  // Mast and sail.
  r.Ln(2, -14 + bob, 2, -66 + bob, 1.6f, kWood);
  r.Poly({{3, -62 + bob}, {22, -58 + bob}, {20, -24 + bob}, {3, -22 + bob}},
         paint::Mix(Rgb(214, 190, 140), side, 0.4f));
  for (int i = 1; i < 5; ++i) r.Ln(3, -62 + i * 8 + bob, 21.6f - i * 0.4f, -58 + i * 6.8f + bob, 0.7f, kWood, 0.8f);
  r.Outline({{3, -62 + bob}, {22, -58 + bob}, {20, -24 + bob}, {3, -22 + bob}}, 0.8f, paint::kInk, 0.8f);
  r.Poly({{2, -66 + bob}, {-14, -63 + bob}, {-12, -58 + bob}, {2, -56 + bob}}, side);
  r.Outline({{-14, -63 + bob}, {-12, -58 + bob}, {2, -56 + bob}}, 0.7f, paint::kInk, 0.6f);
}

}  // namespace

void PaintTrooper(paint::Canvas& c, Troop troop, float x, float y, float scale, bool faceLeft, int side,
                  const Pose& pose, uint32_t seed) {
  Rig r{c, x, y, scale, faceLeft, -pose.hit * 0.28f, seed};
  Pixel sideColor = kSideColor[side & 1];
  switch (troop) {
    case kCavalry: Cavalry(r, sideColor, pose, false); break;
    case kInfantry: Infantry(r, sideColor, pose); break;
    case kArcher: Archer(r, sideColor, pose); break;
    case kNavy: Navy(r, sideColor, pose); break;
    case kElite: Cavalry(r, sideColor, pose, true); break;
    case kMystic: Mystic(r, sideColor, pose); break;
    default: Boat(r, sideColor, pose); break;
  }
}

}  // namespace battle_art
