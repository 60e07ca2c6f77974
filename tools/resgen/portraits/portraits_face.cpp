// One portrait in ink and wash: a bust on paper, every shape laid as a mottled
// wash with pooled edges and drawn round in ink of varying weight, headgear by
// rank, the famous with the features the data gives them, and the cinnabar seal
// of the surname.
#include <algorithm>
#include <cmath>

#include "tools/resgen/common/paint.h"
#include "tools/resgen/portraits/portraits.h"
#include "tools/resgen/portraits/portraits_look.h"

namespace {

using paint::Canvas;
using paint::Vec2;
using namespace look;

constexpr float kCx = 60;  // the face's vertical axis
constexpr float kCy = 62;  // the face's centre
constexpr Pixel kHairInk = Rgb(30, 28, 28);

// ---- ink and wash shapes ----------------------------------------------------

void InkShape(Canvas& c, const std::vector<Vec2>& pts, Pixel color, float weight, uint32_t seed,
              float opacity = 0.95f) {
  paint::WashPolygon(c, pts, color, opacity, seed);
  paint::InkOutline(c, pts, weight, seed + 50);
}

std::vector<Vec2> EllipsePts(float cx, float cy, float rx, float ry, int n = 14) {
  std::vector<Vec2> pts;
  for (int i = 0; i < n; ++i) {
    float a = i * 6.2831853f / n;
    pts.push_back({cx + std::cos(a) * rx, cy + std::sin(a) * ry});
  }
  return pts;
}

// A lion's mask: a mane of strokes round a gilt face, slanting eyes, fangs.
void LionMask(Canvas& c, float x, float y, float r, Pixel mane, uint32_t seed) {
  for (int i = 0; i < 14; ++i) {
    float a = i * 6.2831853f / 14;
    paint::Stroke(c,
                  {{x + std::cos(a) * r * 0.7f, y + std::sin(a) * r * 0.7f},
                   {x + std::cos(a + 0.3f) * r * 1.35f, y + std::sin(a + 0.3f) * r * 1.35f}},
                  r * 0.35f, r * 0.3f, 0.5f, mane, 0.95f, seed + i, 0.25f);
  }
  InkShape(c, EllipsePts(x, y, r * 0.8f, r * 0.75f, 12), paint::kGold, 1.0f, seed + 20);
  for (int side = -1; side <= 1; side += 2) {
    paint::Stroke(c, {{x + side * r * 0.15f, y - r * 0.35f}, {x + side * r * 0.55f, y - r * 0.5f}}, 1.4f, 1.6f, 0.8f,
                  paint::kInk, 1.0f, seed + 22 + side);
    paint::FillEllipse(c, x + side * r * 0.35f, y - r * 0.22f, r * 0.12f, r * 0.12f, paint::kInk, 1.0f);
  }
  paint::FillEllipse(c, x, y + r * 0.05f, r * 0.18f, r * 0.12f, paint::kInk, 1.0f);
  InkShape(c,
           {{x - r * 0.4f, y + r * 0.3f},
            {x + r * 0.4f, y + r * 0.3f},
            {x + r * 0.25f, y + r * 0.6f},
            {x - r * 0.25f, y + r * 0.6f}},
           paint::kLacquer, 0.8f, seed + 25);
  for (int side = -1; side <= 1; side += 2)
    paint::FillPolygon(c,
                       {{x + side * r * 0.3f, y + r * 0.3f},
                        {x + side * r * 0.18f, y + r * 0.3f},
                        {x + side * r * 0.24f, y + r * 0.52f}},
                       Rgb(246, 244, 236), 1.0f);
}

// ---- the features of one face ------------------------------------------------

// PortraitPaintKey names every field: a field added here goes there too.
struct Face {
  int skinKind, shape, eyes, brows, beard, armour, prop, mark;
  bool bigEars;
  Headgear headgear;
  float halfWidth, halfHeight, jaw;
  float eyeY, eyeGap, browLift, browWeight, noseLength, mouthWidth;
  Pixel skin, robe, hat, beardInk, browInk, halo, trim;
  int hatStyle;  // a variation within the headgear
  bool wrinkles;
  bool plumes;  // a ruler who wore the pheasant crown keeps its feathers over his cap
};

Pixel SkinColour(int kind, paint::Rng& rng) {
  static const Pixel kSkins[kSkinCount] = {Rgb(236, 204, 172), Rgb(228, 190, 150), Rgb(206, 160, 118),
                                           Rgb(242, 222, 204), Rgb(178, 70, 52),   Rgb(120, 86, 66),
                                           Rgb(220, 192, 136), Rgb(184, 128, 84)};
  return paint::Mix(kSkins[kind], Rgb(240, 210, 180), rng.Range(0.0f, 0.12f));
}

template <typename T>
T Pick(paint::Rng& rng, std::initializer_list<T> options) {
  return options.begin()[rng.Int(static_cast<int>(options.size()))];
}

Face MakeFace(const PortraitSubject& who) {
  const PortraitLook& L = who.look;
  paint::Rng rng(NameSeed(who.name) + 0x9E3779B9u * static_cast<uint32_t>(who.variant));
  bool warrior = who.role == PortraitRole::Warrior || (who.role == PortraitRole::Ruler && who.force > who.intelligence);
  float fierce = std::clamp((who.force - who.intelligence) / 80.0f, -1.0f, 1.0f);
  Face f;
  f.skinKind = L.skin >= 0 ? L.skin
               : warrior   ? Pick(rng, {kWarm, kTan, kBronze, kTan, kSallow, kFair})
                           : Pick(rng, {kFair, kWarm, kPale, kSallow, kFair, kTan});
  f.skin = SkinColour(f.skinKind, rng);
  f.shape = L.face >= 0 ? L.face : Pick(rng, {kOval, kRound, kLongFace, kSquare, kBroad, kLean, kOval, kSquare});
  f.eyes = L.eyes >= 0 ? L.eyes
           : warrior   ? Pick(rng, {kFierce, kBright, kNarrow, kCalm, kFierce})
                       : Pick(rng, {kCalm, kNarrow, kGentle, kBright, kCalm});
  f.brows = L.brows >= 0 ? L.brows
            : warrior    ? Pick(rng, {kSword, kBristleBrows, kKnit, kSword})
                         : Pick(rng, {kThin, kSword, kKnit, kThin});
  if (L.beard >= 0) f.beard = L.beard;
  else if (who.age < 20) f.beard = kNone;
  else if (who.age < 30) f.beard = Pick(rng, {kNone, kMoustache, kGoatee, kNone});
  else if (who.age < 45)
    f.beard = warrior ? Pick(rng, {kMoustache, kShort, kFull, kBristle, kCurly, kForked, kGoatee})
                      : Pick(rng, {kMoustache, kGoatee, kShort, kForked});
  else
    f.beard =
        warrior ? Pick(rng, {kFull, kShort, kLong, kForked, kBristle}) : Pick(rng, {kGoatee, kLong, kForked, kShort});
  f.beardInk = L.beardColor >= 0 ? LookColour(L.beardColor)
               : who.age >= 62   ? Rgb(214, 210, 204)
               : who.age >= 50   ? Rgb(128, 124, 120)
                                 : kHairInk;
  f.browInk = f.brows == kWhiteBrows || who.age >= 66 ? Rgb(200, 196, 190) : kHairInk;
  f.bigEars = L.ears == 1;
  f.armour = L.armour >= 0                       ? L.armour
             : who.role == PortraitRole::Warrior ? Pick(rng, {kIron, kSilver, kGoldArmour, kLeather, kIron, kNoArmour})
                                                 : kNoArmour;
  f.prop = L.prop >= 0 ? L.prop
           : who.role == PortraitRole::Warrior
               ? Pick(rng, {kNoProp, kSpear, kNoProp, kHalberd, kAxe, kSwordProp, kNoProp})
           : who.role == PortraitRole::Strategist ? Pick(rng, {kNoProp, kBook, kNoProp, kStaff, kNoProp})
                                                  : kNoProp;
  f.mark = L.mark >= 0 ? L.mark : kNoMark;
  f.headgear = HeadgearOf(who);
  f.plumes = L.headgear == Headgear::Pheasant && f.headgear != Headgear::Pheasant;
  if (f.headgear == Headgear::Auto)
    f.headgear = who.role == PortraitRole::Warrior
                     ? Pick(rng, {Headgear::Helmet, Headgear::PlumeHelmet, Headgear::Headband, Headgear::Topknot,
                                  Headgear::Helmet, Headgear::Hood})
                     : Pick(rng, {Headgear::OfficialCap, Headgear::Kerchief, Headgear::Topknot, Headgear::Hood,
                                  Headgear::Kerchief});
  f.hatStyle = rng.Int(3);
  static const int kRobeChoices[] = {kCRed,   kCCrimson, kCGreen, kCBlack,  kCBlue, kCAzure,  kCPurple, kCGrey,
                                     kCBrown, kCOchre,   kCTeal,  kCOrange, kCJade, kCViolet, kCWhite,  kCYellow};
  f.robe = L.robe >= 0 ? LookColour(L.robe) : LookColour(kRobeChoices[rng.Int(16)]);
  static const int kHatChoices[] = {kCBlack,   kCBlue,  kCGrey, kCBrown, kCGreen,
                                    kCCrimson, kCOchre, kCTeal, kCWhite, kCPurple};
  f.hat = L.hatColor >= 0 ? LookColour(L.hatColor) : LookColour(kHatChoices[rng.Int(10)]);
  static const Pixel kHalos[] = {Rgb(214, 180, 150), Rgb(170, 190, 180), Rgb(180, 186, 206), Rgb(214, 200, 150),
                                 Rgb(200, 170, 190), Rgb(160, 176, 150), Rgb(210, 160, 130), Rgb(190, 196, 196)};
  f.halo = who.role == PortraitRole::Ruler ? paint::kGoldPale : kHalos[rng.Int(8)];
  f.trim = Pick(rng, {paint::kGold, Rgb(238, 232, 216), paint::kCinnabar, paint::kMalachiteLight});
  // Proportions by the face's shape.
  static const float kW[kFaceCount] = {19, 21, 17.5f, 20, 22, 23.5f, 17};
  static const float kH[kFaceCount] = {25, 23, 27.5f, 24.5f, 24, 24, 27};
  static const float kJaw[kFaceCount] = {0.3f, 0.55f, 0.25f, 0.95f, 0.8f, 0.9f, 0.1f};
  f.halfWidth = kW[f.shape] + rng.Range(-0.8f, 0.8f);
  f.halfHeight = kH[f.shape] + rng.Range(-0.8f, 0.8f);
  f.jaw = std::clamp(kJaw[f.shape] + fierce * 0.15f + rng.Range(-0.1f, 0.1f), 0.0f, 1.0f);
  f.eyeY = kCy - 4 + rng.Range(-1.5f, 1.5f);
  f.eyeGap = rng.Range(7.8f, 9.8f);
  f.browLift = (f.brows == kBristleBrows ? 4.5f
                : f.brows == kKnit       ? 2.5f
                : f.brows == kThin       ? 0.0f
                                         : 1.5f) +
               fierce * 1.5f + rng.Range(-0.6f, 0.6f);
  f.browWeight = f.brows == kSilkworm ? 4.2f : f.brows == kBristleBrows ? 3.8f : f.brows == kThin ? 1.4f : 2.4f;
  f.noseLength = rng.Range(8.5f, 11.5f);
  f.mouthWidth = rng.Range(5.0f, 8.0f);
  f.wrinkles = who.age >= 50;
  return f;
}

// ---- the parts --------------------------------------------------------------

// Weapons and staffs stand behind the shoulder, fans and books lie before the chest.
void PropBehind(Canvas& c, const Face& f, uint32_t seed) {
  Pixel wood = Rgb(96, 58, 34);
  switch (f.prop) {
    case kBlade: {  // the crescent blade on a long pole, over the right shoulder
      paint::Stroke(c, {{100, 120}, {96, 70}, {90, 18}}, 3.5f, 3.5f, 3, wood, 1.0f, seed);
      InkShape(c, {{90, 22}, {84, 4}, {92, -2}, {104, 6}, {108, 24}, {98, 34}, {92, 30}}, Rgb(190, 196, 200), 1.4f,
               seed + 1);
      paint::Stroke(c, {{93, 8}, {100, 12}, {103, 24}}, 1.2f, 1.6f, 0.8f, paint::kAzurite, 0.8f,
                    seed + 2);  // the dragon
      paint::Wash(c, 91, 36, 5, 3, paint::kCinnabar, 0.9f, seed + 3);
      break;
    }
    case kHalberd: {
      paint::Stroke(c, {{102, 120}, {98, 60}, {95, 10}}, 3, 3, 2.5f, wood, 1.0f, seed);
      InkShape(c, {{95, 2}, {92, 14}, {98, 14}}, Rgb(200, 204, 210), 1.0f, seed + 1);
      InkShape(c, {{97, 16}, {110, 10}, {112, 22}, {98, 24}}, Rgb(200, 204, 210), 1.2f, seed + 2);
      InkShape(c, {{94, 16}, {84, 12}, {84, 24}, {94, 24}}, Rgb(200, 204, 210), 1.2f, seed + 3);
      paint::Wash(c, 96, 28, 5, 3, paint::kCinnabar, 0.9f, seed + 4);
      break;
    }
    case kSpear:
      paint::Stroke(c, {{16, 120}, {20, 60}, {24, 10}}, 3, 3, 2.5f, wood, 1.0f, seed);
      InkShape(c, {{24, 0}, {29, 14}, {24, 20}, {19, 14}}, Rgb(200, 204, 210), 1.0f, seed + 1);
      paint::Wash(c, 24, 24, 6, 4, paint::kCinnabar, 0.9f, seed + 2);
      break;
    case kAxe:
      paint::Stroke(c, {{104, 120}, {100, 60}, {98, 18}}, 3.5f, 3.5f, 3, wood, 1.0f, seed);
      InkShape(c, {{99, 16}, {114, 6}, {118, 30}, {100, 30}}, Rgb(180, 184, 190), 1.3f, seed + 1);
      break;
    case kStaff:
      paint::Stroke(c, {{18, 120}, {20, 60}, {16, 14}}, 3, 3.5f, 3, Rgb(120, 90, 50), 1.0f, seed, 0.3f);
      paint::Stroke(c, {{16, 14}, {10, 8}, {14, 2}, {22, 6}}, 3, 3, 2, Rgb(120, 90, 50), 1.0f, seed + 1);
      break;
    case kSwordProp:
      paint::Stroke(c, {{20, 120}, {22, 90}, {26, 56}}, 2, 3, 2, Rgb(60, 56, 52), 1.0f, seed);
      paint::Line(c, 16, 60, 34, 54, 2.5f, paint::kGold, 1.0f);
      paint::Wash(c, 28, 46, 3, 5, paint::kCinnabar, 0.9f, seed + 1);
      break;
    default: break;
  }
}

void PropFront(Canvas& c, const Face& f, uint32_t seed) {
  switch (f.prop) {
    case kFan: {  // the feather fan, held up before the chest
      paint::Stroke(c, {{92, 120}, {88, 108}, {84, 96}}, 2.5f, 3, 2.5f, Rgb(110, 80, 50), 1.0f, seed);
      std::vector<Vec2> fan = {{84, 98}, {68, 86}, {64, 70}, {72, 58}, {86, 54}, {100, 58}, {106, 72}, {100, 88}};
      InkShape(c, fan, Rgb(246, 242, 232), 1.2f, seed + 1);
      for (int i = 0; i < 7; ++i) {
        float a = -2.6f + i * 0.36f;
        paint::Stroke(
            c,
            {{84, 96}, {84 + std::cos(a) * 16, 96 + std::sin(a) * 20}, {84 + std::cos(a) * 30, 96 + std::sin(a) * 38}},
            0.5f, 0.9f, 0.3f, paint::kInkGrey, 0.7f, seed + 2 + i);
      }
      paint::FillEllipse(c, 84, 97, 3, 2.5f, paint::kLacquer, 1.0f);
      break;
    }
    case kWhisk:
      paint::Stroke(c, {{88, 118}, {84, 100}, {80, 86}}, 2, 2.5f, 2, Rgb(110, 80, 50), 1.0f, seed);
      for (int i = -3; i <= 3; ++i)
        paint::Stroke(c, {{80, 86}, {76 + i * 2.0f, 74}, {70 + i * 3.0f, 62}}, 0.6f, 1, 0.3f, Rgb(236, 234, 226), 0.95f,
                      seed + 4 + i, 0.2f);
      break;
    case kBook:
      InkShape(c, {{40, 118}, {44, 98}, {70, 100}, {68, 120}}, Rgb(208, 184, 130), 1.2f, seed);
      for (int i = 0; i < 4; ++i) paint::Line(c, 46 + i * 6, 100, 45 + i * 6, 119, 0.7f, paint::kInkGrey, 0.8f);
      break;
    case kKnives:  // the flying knives of the south, fanned in the hand
      for (int i = 0; i < 3; ++i) {
        float x = 80 + i * 7;
        InkShape(c, {{x, 100}, {x + 2, 76}, {x + 4, 100}}, Rgb(206, 210, 214), 0.8f, seed + i);
        paint::Line(c, x - 1, 100, x + 5, 100, 2, paint::kGold, 1.0f);
      }
      break;
    default: break;
  }
}

void Bust(Canvas& c, const Face& f, const PortraitSubject& who, uint32_t seed) {
  bool bare = f.armour == kBare;
  Pixel robe = bare ? f.skin : f.robe;
  std::vector<Vec2> body = {{2, 120}, {10, 100}, {34, 88}, {86, 88}, {110, 100}, {118, 120}};
  InkShape(c, body, robe, 2.2f, seed);
  paint::FillBox(c, 53, 78, 67, 92, paint::Scale(f.skin, 0.9f), 1.0f);  // neck
  paint::InkOutline(c, {{53, 78}, {53, 90}}, 1.0f, seed + 2, false, Rgb(100, 70, 50), 0.7f);
  paint::InkOutline(c, {{67, 78}, {67, 90}}, 1.0f, seed + 3, false, Rgb(100, 70, 50), 0.7f);
  if (bare) {
    // A bare chest: the pectorals and a sash.
    paint::Stroke(c, {{36, 102}, {48, 108}, {58, 104}}, 1, 1.6f, 0.8f, Rgb(110, 70, 50), 0.8f, seed + 4);
    paint::Stroke(c, {{84, 102}, {72, 108}, {62, 104}}, 1, 1.6f, 0.8f, Rgb(110, 70, 50), 0.8f, seed + 5);
    paint::Stroke(c, {{20, 108}, {60, 114}, {100, 104}}, 5, 6, 5, f.trim, 0.95f, seed + 6);
    return;
  }
  // The crossed collar, the right lapel over the left.
  Pixel collar = who.role == PortraitRole::Ruler ? paint::kLacquer : f.trim;
  paint::Stroke(c, {{46, 88}, {60, 104}, {72, 120}}, 5, 6, 6, collar, 1.0f, seed + 7);
  paint::Stroke(c, {{74, 88}, {64, 100}, {60, 106}}, 5, 6, 5, collar, 1.0f, seed + 8);
  paint::InkOutline(c, {{46, 86}, {60, 102}, {72, 120}}, 1.2f, seed + 9, false);
  // Folds of the robe in grey ink.
  for (int i = 0; i < 3; ++i) {
    float x = 20 + i * 12 + paint::Hash2(seed, i, 1) * 4;
    paint::Stroke(c, {{x, 100}, {x - 3, 110}, {x - 2, 120}}, 0.6f, 1.2f, 0.4f, paint::kInk, 0.4f, seed + 10 + i);
    paint::Stroke(c, {{120 - x, 100}, {123 - x, 110}, {122 - x, 120}}, 0.6f, 1.2f, 0.4f, paint::kInk, 0.4f,
                  seed + 13 + i);
  }
  if (f.armour != kNoArmour) {
    static const Pixel kMetal[kArmourCount] = {
        0, Rgb(96, 100, 106), Rgb(200, 204, 212), Rgb(196, 156, 70), Rgb(130, 84, 50), Rgb(196, 156, 70), 0};
    Pixel metal = kMetal[f.armour];
    for (int side = -1; side <= 1; side += 2) {
      float x = kCx + side * 40;
      InkShape(c, EllipsePts(x, 102, 20, 12), metal, 1.4f, seed + 20 + side);
      for (int i = 0; i < 3; ++i)
        paint::Stroke(c, {{x - 15, 97.0f + i * 5}, {x, 99.0f + i * 5}, {x + 15, 97.0f + i * 5}}, 0.6f, 1.0f, 0.5f,
                      paint::kInk, 0.55f, seed + 24 + i);
    }
    if (f.armour == kLionArmour) {
      LionMask(c, kCx, 108, 9, paint::kOchre, seed + 30);  // on the breastplate
    } else {
      paint::Line(c, 40, 118, 80, 118, 3, paint::Scale(metal, 0.8f), 0.9f);  // the belt of the breastplate
    }
  } else if (who.role == PortraitRole::Ruler) {
    for (int side = -1; side <= 1; side += 2) {
      paint::Wash(c, kCx + side * 34, 106, 8, 8, paint::kGold, 0.95f, seed + 40 + side);
      paint::Cloud(c, kCx + side * 34, 106, 7, paint::kLacquer, 0.9f, seed + 44 + side);
    }
  }
}

std::vector<Vec2> FaceOutline(const Face& f) {
  float hw = f.halfWidth, hh = f.halfHeight, cy = kCy;
  float jawW = hw * (0.5f + 0.4f * f.jaw);
  float cheek = f.shape == kFat ? 1.06f : f.shape == kLean ? 0.9f : 1.0f;
  return {{kCx - hw * 0.8f, cy - hh * 0.85f},    {kCx, cy - hh},
          {kCx + hw * 0.8f, cy - hh * 0.85f},    {kCx + hw, cy - hh * 0.3f},
          {kCx + hw * cheek, cy + hh * 0.25f},   {kCx + jawW, cy + hh * 0.8f},
          {kCx + jawW * 0.45f, cy + hh * 0.98f}, {kCx, cy + hh},
          {kCx - jawW * 0.45f, cy + hh * 0.98f}, {kCx - jawW, cy + hh * 0.8f},
          {kCx - hw * cheek, cy + hh * 0.25f},   {kCx - hw, cy - hh * 0.3f}};
}

void Head(Canvas& c, const Face& f, const PortraitSubject& who, uint32_t seed) {
  float hw = f.halfWidth;
  Pixel line = f.skinKind == kRedSkin || f.skinKind == kDark ? Rgb(60, 30, 24) : Rgb(110, 74, 54);
  // Ears: the long lobes of a man born to rule reach towards his shoulders.
  for (int side = -1; side <= 1; side += 2) {
    float ex = kCx + side * hw, len = f.bigEars ? 13 : 6.5f;
    std::vector<Vec2> ear = {{ex, kCy - 8},
                             {ex + side * 4.5f, kCy - 6},
                             {ex + side * 4.5f, kCy + len - 4},
                             {ex + side * 2, kCy + len + 2},
                             {ex, kCy + len - 2}};
    InkShape(c, ear, paint::Scale(f.skin, 0.93f), 1.0f, seed + 1 + side);
  }
  std::vector<Vec2> face = FaceOutline(f);
  paint::WashPolygon(c, face, f.skin, 1.0f, seed + 3);
  paint::Wash(c, kCx - hw * 0.55f, kCy + 6, 5, 3.5f, Rgb(214, 110, 96), 0.2f, seed + 10);
  paint::Wash(c, kCx + hw * 0.55f, kCy + 6, 5, 3.5f, Rgb(214, 110, 96), 0.2f, seed + 11);
  paint::InkOutline(c, face, 1.5f, seed + 12, true, line, 0.85f);
  // Brows.
  for (int side = -1; side <= 1; side += 2) {
    float inner = kCx + side * 3.2f, outer = kCx + side * (f.eyeGap + 8.0f), by = f.eyeY - 6.5f;
    if (f.brows == kBristleBrows) {
      for (int k = 0; k < 5; ++k) {
        float t = k / 4.0f, x = inner + (outer - inner) * t;
        paint::Stroke(c, {{x, by + 1 - t * f.browLift * 0.6f}, {x + side * 2.5f, by - 2 - t * f.browLift}}, 2.2f, 1.8f,
                      0.4f, f.browInk, 0.95f, seed + 14 + k + side * 7);
      }
      continue;
    }
    if (f.brows == kSilkworm) {  // thick and curved like a sleeping silkworm
      paint::Stroke(c, {{inner, by + 0.5f}, {(inner + outer) / 2, by - 3.2f}, {outer, by - f.browLift}}, 3.0f, 4.6f,
                    2.2f, f.browInk, 0.97f, seed + 13 + side);
      continue;
    }
    paint::Stroke(c, {{inner, by + f.browLift * 0.3f}, {(inner + outer) / 2, by - 1.5f}, {outer, by - f.browLift}},
                  f.browWeight * 1.1f, f.browWeight, f.browWeight * 0.35f, f.browInk, 0.95f, seed + 13 + side);
  }
  // Eyes.
  for (int side = -1; side <= 1; side += 2) {
    float ex = kCx + side * f.eyeGap, ey = f.eyeY;
    if (f.mark == kEyepatch && side == -1) {
      InkShape(c, EllipsePts(ex, ey, 5.5f, 4.5f, 10), Rgb(40, 36, 34), 1.0f, seed + 60);
      paint::Stroke(c, {{ex - 6, ey - 2}, {kCx - 20, ey - 8}}, 1.2f, 1.2f, 1.0f, Rgb(40, 36, 34), 1.0f, seed + 61);
      paint::Stroke(c, {{ex + 5, ey - 2}, {kCx + 20, ey - 9}}, 1.2f, 1.2f, 1.0f, Rgb(40, 36, 34), 1.0f, seed + 62);
      continue;
    }
    Pixel iris = f.eyes == kBlueEyes ? Rgb(40, 110, 130) : paint::kInk;
    switch (f.eyes) {
      case kRoundEyes:  // wide, round and glaring
        paint::FillEllipse(c, ex, ey, 4.6f, 4.0f, Rgb(248, 244, 234), 1.0f);
        paint::InkOutline(c, EllipsePts(ex, ey, 4.6f, 4.0f, 10), 1.3f, seed + 16 + side);
        paint::FillEllipse(c, ex, ey, 2.2f, 2.2f, iris, 1.0f);
        break;
      case kPhoenix:  // long, narrow and rising at the outer corner
        paint::Stroke(c, {{ex - side * 5, ey + 0.8f}, {ex, ey - 1.4f}, {ex + side * 6, ey - 3.2f}}, 0.8f, 1.8f, 0.5f,
                      paint::kInk, 0.97f, seed + 16 + side);
        paint::Stroke(c, {{ex - side * 4, ey + 1}, {ex + side * 1, ey + 0.6f}, {ex + side * 5, ey - 1.6f}}, 0.4f, 0.7f,
                      0.3f, paint::kInk, 0.6f, seed + 18 + side);
        paint::FillEllipse(c, ex + side * 0.5f, ey - 0.4f, 1.3f, 1.0f, iris, 1.0f);
        break;
      case kNarrow:
        paint::Stroke(c, {{ex - side * 4.5f, ey}, {ex, ey - 0.8f}, {ex + side * 4.5f, ey - 0.6f}}, 0.8f, 1.6f, 0.6f,
                      paint::kInk, 0.95f, seed + 16 + side);
        paint::FillEllipse(c, ex, ey - 0.2f, 1.2f, 0.8f, iris, 1.0f);
        break;
      default: {
        float open = f.eyes == kFierce                          ? 3.4f
                     : f.eyes == kBright || f.eyes == kBlueEyes ? 2.8f
                     : f.eyes == kGentle                        ? 1.8f
                                                                : 2.2f;
        if (open > 2.5f) paint::FillEllipse(c, ex, ey, 4.2f, open * 0.75f, Rgb(246, 240, 228), 1.0f);
        paint::Stroke(c, {{ex - side * 4.5f, ey + 0.5f}, {ex, ey - open}, {ex + side * 4.5f, ey - 0.3f}}, 1.0f, 1.7f,
                      0.7f, paint::kInk, 0.95f, seed + 16 + side);
        paint::FillEllipse(c, ex + side * 0.3f, ey - open * 0.2f, 1.6f, std::min(1.8f, open * 0.7f), iris, 1.0f);
        if (f.eyes == kFierce)
          paint::Stroke(c, {{ex - 3.5f, ey + open * 0.6f}, {ex, ey + open * 0.8f}, {ex + 3.5f, ey + open * 0.6f}}, 0.5f,
                        0.8f, 0.5f, paint::kInk, 0.6f, seed + 18 + side);
      }
    }
    if (f.mark == kBlind && side == 1)
      paint::Stroke(c, {{ex - 4, ey}, {ex + 4, ey}}, 1.2f, 1.4f, 1.0f, paint::kInk, 1.0f, seed + 63);
  }
  // Nose and mouth.
  float ny = f.eyeY + f.noseLength;
  paint::Stroke(c, {{kCx - 1, f.eyeY + 1}, {kCx - 1.5f, ny - 3}, {kCx + 0.5f, ny}}, 0.7f, 1.1f, 0.8f, line, 0.8f,
                seed + 20);
  paint::Stroke(c, {{kCx - 4.5f, ny - 0.5f}, {kCx - 2, ny + 1}, {kCx + 2, ny + 1}, {kCx + 4.5f, ny - 0.5f}}, 0.7f, 1.2f,
                0.7f, line, 0.8f, seed + 21);
  float my = ny + 7, turn = f.browLift > 2.5f ? 1.0f : -0.6f;
  paint::Stroke(c, {{kCx - f.mouthWidth, my + turn}, {kCx, my}, {kCx + f.mouthWidth, my + turn}}, 1.0f, 1.8f, 1.0f,
                Rgb(150, 56, 46), 0.9f, seed + 22);
  if (f.wrinkles) {
    paint::Stroke(c, {{kCx - 7, kCy - 18}, {kCx, kCy - 19}, {kCx + 7, kCy - 18}}, 0.4f, 0.8f, 0.4f, line, 0.5f,
                  seed + 23);
    for (int side = -1; side <= 1; side += 2)
      paint::Stroke(c, {{kCx + side * 5, ny - 2}, {kCx + side * 7.5f, ny + 4}, {kCx + side * 7, my + 2}}, 0.4f, 0.8f,
                    0.3f, line, 0.5f, seed + 24 + side);
  }
  if (f.mark == kScar)
    paint::Stroke(c, {{kCx + 6, kCy - 14}, {kCx + 11, kCy - 2}, {kCx + 13, kCy + 6}}, 0.8f, 1.4f, 0.6f,
                  Rgb(150, 60, 50), 0.9f, seed + 64);
  if (f.mark == kPaint) {
    // Stripes of the southern peoples' face paint.
    for (int side = -1; side <= 1; side += 2)
      for (int k = 0; k < 2; ++k)
        paint::Stroke(c,
                      {{kCx + side * (f.eyeGap + 1), kCy + 3.0f + k * 4}, {kCx + side * (hw - 2), kCy + 1.0f + k * 4}},
                      1.6f, 1.8f, 1.0f, k ? paint::kAzurite : paint::kCinnabar, 0.9f, seed + 65 + k + side * 3);
  }
  (void)who;
}

void Beard(Canvas& c, const Face& f, uint32_t seed) {
  if (f.beard == kNone) return;
  float ny = f.eyeY + f.noseLength, my = ny + 7, chin = kCy + f.halfHeight, hw = f.halfWidth;
  Pixel ink = f.beardInk;
  auto moustache = [&](float droop) {
    for (int side = -1; side <= 1; side += 2)
      paint::Stroke(c, {{kCx + side * 1.0f, ny + 2.5f}, {kCx + side * 6, ny + 3.5f}, {kCx + side * 10, my + droop}},
                    1.8f, 2.4f, 0.4f, ink, 0.95f, seed + side);
  };
  switch (f.beard) {
    case kMoustache: moustache(2); break;
    case kGoatee:
      moustache(3);
      paint::Stroke(c, {{kCx, my + 4}, {kCx + 0.5f, chin + 2}, {kCx - 1, chin + 11}}, 3.5f, 4, 0.6f, ink, 0.95f,
                    seed + 3);
      break;
    case kShort: {
      moustache(3);
      std::vector<Vec2> pts = {
          {kCx - hw * 0.75f, kCy + 8}, {kCx - hw * 0.6f, chin - 2}, {kCx, chin + 6},  {kCx + hw * 0.6f, chin - 2},
          {kCx + hw * 0.75f, kCy + 8}, {kCx + 6, my + 3},           {kCx - 6, my + 3}};
      paint::WashPolygon(c, pts, ink, 0.85f, seed + 4);
      break;
    }
    case kFull:
    case kBristle:
    case kCurly: {
      moustache(f.beard == kBristle ? -1 : 3);
      // Hair from ear to ear; bristling out like a tiger's whiskers, or in curls.
      paint::Rng rng(seed + 4);
      int n = f.beard == kBristle ? 34 : 26;
      for (int i = 0; i < n; ++i) {
        float t = i / (n - 1.0f), a = (t - 0.5f) * 2.7f;
        float x0 = kCx + std::sin(a) * hw * 0.95f, y0 = kCy + 2 + std::cos(a) * f.halfHeight * 0.55f;
        float len = (f.beard == kBristle ? 13 : 9) + 6 * std::cos(a) + rng.Range(-2, 2);
        float spread = f.beard == kBristle ? 1.1f : 0.6f;
        Vec2 mid{x0 + std::sin(a) * len * spread * 0.6f, y0 + len * 0.6f};
        if (f.beard == kCurly) mid.x += (i % 2 ? 3 : -3);
        paint::Stroke(c, {{x0, y0}, mid, {x0 + std::sin(a) * len * spread, y0 + len}}, 2.2f, 1.8f, 0.3f, ink, 0.9f,
                      rng.Next());
      }
      paint::FillEllipse(c, kCx, my + 6, hw * 0.55f, 7, ink, 0.9f);
      break;
    }
    case kLong:
      // The long flowing beard, in locks down over the chest.
      moustache(5);
      for (int i = -2; i <= 2; ++i)
        paint::Stroke(c, {{kCx + i * 3.5f, my + 2}, {kCx + i * 4.5f, chin + 12}, {kCx + i * 2.5f, chin + 34}}, 3.0f,
                      3.8f, 0.5f, ink, 0.92f, seed + 10 + i, 0.15f);
      for (int side = -1; side <= 1; side += 2)
        paint::Stroke(
            c, {{kCx + side * (hw - 2), kCy + 6}, {kCx + side * (hw - 4), chin + 4}, {kCx + side * 8, chin + 22}}, 2.2f,
            2.6f, 0.4f, ink, 0.9f, seed + 20 + side);
      break;
    case kForked:
      moustache(4);
      for (int side = -1; side <= 1; side += 2)
        paint::Stroke(c, {{kCx + side * 1.5f, my + 3}, {kCx + side * 4, chin + 6}, {kCx + side * 7, chin + 16}}, 3,
                      3.5f, 0.5f, ink, 0.95f, seed + 30 + side);
      break;
    default: break;
  }
}

// Hair and headgear by rank.
void HeadgearPaint(Canvas& c, const Face& f, uint32_t seed) {
  float top = kCy - f.halfHeight, hw = f.halfWidth;
  // Black hair from the forehead up (a woman's hair is dressed with the headgear).
  std::vector<Vec2> hair = {{kCx - hw - 1, kCy - 4},    {kCx - hw, kCy - 18}, {kCx - hw * 0.5f, top + 1},
                            {kCx + hw * 0.5f, top + 1}, {kCx + hw, kCy - 18}, {kCx + hw + 1, kCy - 4},
                            {kCx + hw - 3, kCy - 14},   {kCx, kCy - 17},      {kCx - hw + 3, kCy - 14}};
  Pixel hairInk = f.beardInk == Rgb(214, 210, 204) ? Rgb(200, 196, 190) : kHairInk;
  paint::WashPolygon(c, hair, hairInk, 1.0f, seed);
  paint::Rng rng(seed);
  Pixel hat = f.hat;
  switch (f.headgear) {
    case Headgear::Crown: {
      // The emperor's crown: a flat board hung with strings of jade beads.
      float y = top - 2;
      InkShape(c, {{kCx - 12, y + 10}, {kCx - 10, y - 6}, {kCx + 10, y - 6}, {kCx + 12, y + 10}}, Rgb(40, 36, 40), 1.2f,
               seed + 1);
      paint::FillBox(c, static_cast<int>(kCx - 14), static_cast<int>(y + 6), static_cast<int>(kCx + 14),
                     static_cast<int>(y + 11), paint::kGold, 1.0f);
      InkShape(c, {{kCx - 32, y - 10}, {kCx + 32, y - 13}, {kCx + 32, y - 6}, {kCx - 32, y - 3}}, Rgb(30, 26, 30), 1.2f,
               seed + 2);
      paint::Line(c, kCx - 32, y - 3, kCx + 32, y - 6, 1.4f, paint::kGold, 1.0f);
      for (int i = 0; i < 7; ++i) {
        float x = kCx - 30 + i * 10, y0 = y - 3 - i * 0.45f;
        paint::Line(c, x, y0, x, y0 + 16, 0.7f, paint::kGold, 0.9f);
        for (int b = 0; b < 3; ++b)
          paint::FillEllipse(c, x, y0 + 5 + b * 4.5f, 1.6f, 1.6f, i % 2 ? paint::kMalachite : paint::kCinnabar, 1.0f);
      }
      paint::Line(c, kCx - 20, y + 4, kCx + 20, y + 2, 1.8f, paint::kGold, 1.0f);
      break;
    }
    case Headgear::LordCap: {
      // A lord's tall cap of black lacquered gauze, slanting back, with a gilt pin.
      float y = top + 2;
      if (f.plumes)
        for (int side = -1; side <= 1; side += 2)
          paint::Stroke(c,
                        {{kCx + side * 4, y - 14},
                         {kCx + side * 14, y - 28},
                         {kCx + side * 28, y - 35},
                         {kCx + side * 48, y - 32}},
                        2.8f, 3.2f, 0.8f, Rgb(196, 150, 80), 1.0f, seed + 20 + side);
      Pixel cap = f.hatStyle == 2 ? Rgb(120, 30, 30) : Rgb(36, 34, 38);
      InkShape(c,
               {{kCx - hw + 1, y + 8},
                {kCx - hw + 3, y - 10},
                {kCx - 2, y - 24},
                {kCx + 12, y - 22},
                {kCx + hw - 2, y - 6},
                {kCx + hw - 1, y + 8}},
               cap, 1.6f, seed + 3);
      paint::Stroke(c, {{kCx - 4, y - 20}, {kCx + 2, y - 6}}, 1, 1.4f, 0.8f, paint::kGold, 0.9f, seed + 4);
      paint::Line(c, kCx - hw - 6, y + 2, kCx + hw + 6, y + 1, 2.2f, paint::kGold, 1.0f);
      paint::FillEllipse(c, kCx + hw + 6, y + 1, 2.2f, 2.2f, Rgb(240, 236, 226), 1.0f);
      paint::FillEllipse(c, kCx - hw - 6, y + 2, 2.2f, 2.2f, Rgb(240, 236, 226), 1.0f);
      for (int side = -1; side <= 1; side += 2)
        paint::Stroke(
            c, {{kCx + side * (hw - 1), y + 8}, {kCx + side * (hw + 2), kCy + 8}, {kCx + side * (hw + 1), kCy + 24}},
            1.4f, 1.4f, 1.0f, paint::kLacquer, 0.9f, seed + 5 + side);
      break;
    }
    case Headgear::OfficialCap: {
      // An official's cap: a low black crown with a ridge rising behind.
      float y = top + 4;
      InkShape(c, {{kCx - hw, y + 6}, {kCx - hw + 1, y - 4}, {kCx + hw - 1, y - 4}, {kCx + hw, y + 6}}, Rgb(40, 38, 42),
               1.3f, seed + 7);
      InkShape(
          c,
          {{kCx - 6, y - 3}, {kCx - 4, y - 16 - f.hatStyle * 3}, {kCx + 10, y - 12 - f.hatStyle * 3}, {kCx + 9, y - 3}},
          hat, 1.3f, seed + 8);
      paint::Line(c, kCx - hw, y + 5, kCx + hw, y + 5, 2, paint::Scale(hat, 0.7f), 1.0f);
      break;
    }
    case Headgear::Scholar: {
      // The silk kerchief of a scholar, its folds gathered on top and its two tails behind.
      float y = top + 3;
      Pixel cap = hat;
      InkShape(c,
               {{kCx - hw - 1, y + 6},
                {kCx - hw + 1, y - 4},
                {kCx - 8, y - 14},
                {kCx + 8, y - 15},
                {kCx + hw - 1, y - 4},
                {kCx + hw + 1, y + 6}},
               cap, 1.4f, seed + 9);
      for (int i = 0; i < 4; ++i)
        paint::Stroke(c, {{kCx - 12 + i * 7.0f, y - 12}, {kCx - 10 + i * 7.0f, y - 2}, {kCx - 11 + i * 7.0f, y + 5}},
                      0.5f, 1.1f, 0.4f, paint::kInk, 0.6f, seed + 10 + i);
      for (int side = -1; side <= 1; side += 2)
        paint::Stroke(
            c, {{kCx + side * (hw - 1), y + 4}, {kCx + side * (hw + 8), kCy + 6}, {kCx + side * (hw + 6), kCy + 28}},
            3.5f, 3, 1.2f, cap, 0.95f, seed + 14 + side);
      break;
    }
    case Headgear::Pheasant: {
      // A gold crown that binds the hair, and two long pheasant tail feathers sweeping back.
      float y = top + 1;
      for (int side = -1; side <= 1; side += 2) {
        // Long, thin and barred, rising from the crown and arching out to the sides.
        std::vector<Vec2> plume = {
            {kCx + side * 4, y - 4}, {kCx + side * 12, y - 24}, {kCx + side * 26, y - 33}, {kCx + side * 48, y - 31}};
        paint::Stroke(c, plume, 2.8f, 3.2f, 0.8f, Rgb(196, 150, 80), 1.0f, seed + 20 + side);
        paint::Stroke(c, plume, 0.6f, 0.9f, 0.3f, paint::kInk, 0.8f, seed + 22 + side);
        for (int k = 1; k < 9; ++k) {
          float t = k / 9.0f;
          // A point on the curve's chord, close enough for the bars.
          float x = kCx + side * (4 + 44 * t), yy = y - 4 - 29 * std::sin(t * 2.2f);
          paint::Line(c, x - 1.2f, yy + 1.5f, x + 1.2f, yy - 1.5f, 1.8f, k % 2 ? paint::kInk : Rgb(120, 70, 40), 0.85f);
        }
      }
      InkShape(c,
               {{kCx - 12, y + 8},
                {kCx - 10, y - 8},
                {kCx - 4, y - 4},
                {kCx, y - 12},
                {kCx + 4, y - 4},
                {kCx + 10, y - 8},
                {kCx + 12, y + 8}},
               paint::kGold, 1.3f, seed + 24);
      paint::FillEllipse(c, kCx, y, 2.8f, 2.8f, paint::kCinnabar, 1.0f);
      paint::Line(c, kCx - hw - 1, y + 8, kCx + hw + 1, y + 8, 2.4f, Rgb(104, 56, 112), 1.0f);
      break;
    }
    case Headgear::Southern: {
      // A headdress of the south: a band of red and gold with feathers fanned above and beads below.
      float y = top + 4;
      static const Pixel kFeathers[] = {paint::kCinnabar, paint::kGold, paint::kMalachite, paint::kAzurite,
                                        paint::kInk};
      for (int i = 0; i < 9; ++i) {
        float a = -2.6f + i * 0.165f;
        paint::Stroke(
            c,
            {{kCx, y}, {kCx + std::cos(a) * 20, y + std::sin(a) * 22}, {kCx + std::cos(a) * 34, y + std::sin(a) * 36}},
            2, 4.5f, 0.8f, kFeathers[i % 5], 0.95f, seed + 30 + i);
      }
      InkShape(c, {{kCx - hw - 3, y + 8}, {kCx - hw - 2, y - 2}, {kCx + hw + 2, y - 2}, {kCx + hw + 3, y + 8}},
               paint::kCinnabar, 1.4f, seed + 40);
      for (int i = 0; i < 5; ++i) paint::FillEllipse(c, kCx - 16 + i * 8.0f, y + 3, 2, 2, paint::kGold, 1.0f);
      for (int side = -1; side <= 1; side += 2)
        for (int b = 0; b < 4; ++b)
          paint::FillEllipse(c, kCx + side * (hw + 3), y + 12 + b * 5.0f, 1.8f, 1.8f,
                             b % 2 ? paint::kMalachite : Rgb(240, 236, 226), 1.0f);
      break;
    }
    case Headgear::SouthernWoman:
    case Headgear::Woman: {
      // A woman's dressed hair: side locks and a high knot held by pins.
      bool south = f.headgear == Headgear::SouthernWoman;
      for (int side = -1; side <= 1; side += 2)
        InkShape(c,
                 {{kCx + side * (hw - 2), kCy - 20},
                  {kCx + side * (hw + 5), kCy - 6},
                  {kCx + side * (hw + 4), kCy + 16},
                  {kCx + side * (hw - 1), kCy + 10}},
                 kHairInk, 1.0f, seed + 50 + side);
      InkShape(c, EllipsePts(kCx, top - 6, 13, 10), kHairInk, 1.2f, seed + 53);
      InkShape(c, EllipsePts(kCx + 8, top - 14, 8, 7), kHairInk, 1.0f, seed + 54);
      if (south) {
        for (int i = 0; i < 5; ++i) {
          float a = -2.3f + i * 0.4f;
          paint::Stroke(c, {{kCx, top - 8}, {kCx + std::cos(a) * 26, top - 8 + std::sin(a) * 26}}, 2, 3.5f, 0.8f,
                        i % 2 ? paint::kCinnabar : paint::kGold, 0.95f, seed + 55 + i);
        }
        paint::Line(c, kCx - hw, top + 6, kCx + hw, top + 6, 3, paint::kMalachite, 1.0f);
      } else {
        paint::Line(c, kCx - 20, top - 10, kCx + 22, top - 16, 1.6f, paint::kGold, 1.0f);
        paint::Wash(c, kCx - 12, top - 6, 5, 5, Rgb(220, 90, 110), 0.95f, seed + 56);  // a flower
        paint::Wash(c, kCx - 12, top - 6, 2, 2, paint::kGold, 0.9f, seed + 57);
        for (int b = 0; b < 3; ++b)
          paint::FillEllipse(c, kCx + 22, top - 14 + b * 5.0f, 1.5f, 1.5f, paint::kMalachite, 1.0f);
      }
      break;
    }
    case Headgear::Headband: {
      paint::Wash(c, kCx, top - 3, 7, 6, kHairInk, 1.0f, seed + 60);
      Pixel band = f.hat == LookColour(kCBlack) ? paint::kCinnabar : hat;
      paint::Stroke(c, {{kCx - hw - 1, kCy - 15}, {kCx, kCy - 17}, {kCx + hw + 1, kCy - 15}}, 4.5f, 4.5f, 4.5f, band,
                    1.0f, seed + 61);
      paint::Stroke(c, {{kCx + hw, kCy - 15}, {kCx + hw + 9, kCy - 10}, {kCx + hw + 14, kCy}}, 3, 2.5f, 1, band, 1.0f,
                    seed + 62);
      paint::Stroke(c, {{kCx + hw, kCy - 14}, {kCx + hw + 6, kCy - 4}, {kCx + hw + 8, kCy + 8}}, 2.5f, 2, 1, band, 1.0f,
                    seed + 63);
      break;
    }
    case Headgear::Topknot: {
      InkShape(c, EllipsePts(kCx, top - 4, 7, 6, 10), kHairInk, 1.0f, seed + 64);
      paint::Line(c, kCx - 12, top - 3, kCx + 12, top - 5, 1.8f, f.hatStyle ? paint::kGold : Rgb(230, 226, 214), 1.0f);
      paint::Line(c, kCx - 6, top + 1, kCx + 6, top + 1, 3, hat, 1.0f);
      break;
    }
    case Headgear::Kerchief: {
      float y = top + 4;
      InkShape(c,
               {{kCx - hw - 1, y + 5},
                {kCx - hw, y - 6},
                {kCx - 4, y - 13 - f.hatStyle * 2},
                {kCx + 10, y - 10},
                {kCx + hw, y - 4},
                {kCx + hw + 1, y + 5}},
               hat, 1.3f, seed + 66);
      paint::Stroke(c, {{kCx + hw - 2, y}, {kCx + hw + 8, y + 10}, {kCx + hw + 10, y + 26}}, 3, 2.5f, 1, hat, 0.95f,
                    seed + 67);
      break;
    }
    case Headgear::Taoist: {
      // A recluse's cap of white rattan.
      float y = top + 2;
      InkShape(c, {{kCx - 11, y + 6}, {kCx - 9, y - 12}, {kCx + 9, y - 12}, {kCx + 11, y + 6}}, Rgb(226, 220, 200),
               1.3f, seed + 68);
      for (int i = 0; i < 4; ++i)
        paint::Line(c, kCx - 10, y - 8 + i * 4.0f, kCx + 10, y - 8 + i * 4.0f, 0.6f, paint::kInkGrey, 0.7f);
      paint::Line(c, kCx, y - 12, kCx, y - 20, 1.6f, paint::kInk, 0.9f);
      break;
    }
    case Headgear::Hood: {
      float y = top + 2;
      InkShape(c,
               {{kCx - hw - 5, kCy + 18},
                {kCx - hw - 6, y},
                {kCx - 6, y - 14},
                {kCx + 8, y - 14},
                {kCx + hw + 6, y},
                {kCx + hw + 5, kCy + 18},
                {kCx + hw + 1, kCy + 18},
                {kCx + hw, y + 10},
                {kCx - hw, y + 10},
                {kCx - hw - 1, kCy + 18}},
               hat, 1.4f, seed + 69);
      break;
    }
    case Headgear::Helmet:
    case Headgear::PlumeHelmet:
    case Headgear::LionHelmet:
    default: {
      static const Pixel kHelmets[] = {Rgb(84, 88, 94), Rgb(160, 120, 62), Rgb(44, 40, 42), Rgb(196, 200, 206)};
      Pixel helm = f.headgear == Headgear::LionHelmet ? Rgb(220, 222, 226) : kHelmets[rng.Int(4)];
      float y = top + 2;
      std::vector<Vec2> shell = {{kCx - hw - 4, kCy - 12}, {kCx - hw - 2, y + 2},    {kCx - 8, y - 11},
                                 {kCx + 8, y - 11},        {kCx + hw + 2, y + 2},    {kCx + hw + 4, kCy - 12},
                                 {kCx + hw - 1, kCy - 12}, {kCx + hw - 2, kCy - 18}, {kCx - hw + 2, kCy - 18},
                                 {kCx - hw + 1, kCy - 12}};
      InkShape(c, shell, helm, 1.6f, seed + 70);
      paint::Line(c, kCx - hw - 2, kCy - 18, kCx + hw + 2, kCy - 18, 2.5f, paint::kGold, 1.0f);
      for (int side = -1; side <= 1; side += 2)
        InkShape(c,
                 {{kCx + side * (hw + 4), kCy - 16},
                  {kCx + side * (hw + 6), kCy + 8},
                  {kCx + side * (hw - 1), kCy + 12},
                  {kCx + side * (hw - 1), kCy - 16}},
                 paint::Scale(helm, 1.1f), 1.0f, seed + 71 + side);
      if (f.headgear == Headgear::LionHelmet) {
        // A lion's head crowning the helmet, its mane in white.
        LionMask(c, kCx, y - 10, 9, Rgb(240, 238, 232), seed + 74);
      } else if (f.headgear == Headgear::PlumeHelmet) {
        paint::Stroke(c, {{kCx, y - 10}, {kCx + 10, y - 28}, {kCx + 26, y - 34}}, 3, 5, 1, f.hat, 1.0f, seed + 76);
        paint::Stroke(c, {{kCx, y - 10}, {kCx - 6, y - 26}, {kCx - 2, y - 36}}, 2, 4, 1, paint::Scale(f.hat, 0.8f),
                      1.0f, seed + 77);
      } else {
        paint::Line(c, kCx, y - 10, kCx, y - 22, 2.0f, paint::kGold, 1.0f);
        paint::Wash(c, kCx, y - 16, 7, 5, f.hatStyle == 1 ? paint::kAzurite : paint::kCinnabar, 0.9f, seed + 78);
        paint::FillEllipse(c, kCx, y - 23, 2.2f, 2.2f, paint::kGold, 1.0f);
      }
      break;
    }
  }
  if (f.mark == kBells)  // the bells of a river raider, hung at the ear
    for (int side = -1; side <= 1; side += 2) {
      paint::Line(c, kCx + side * (hw + 2), kCy, kCx + side * (hw + 3), kCy + 12, 0.8f, paint::kGold, 1.0f);
      InkShape(c, EllipsePts(kCx + side * (hw + 3), kCy + 15, 3, 3, 8), paint::kGold, 0.8f, seed + 80 + side);
    }
  if (f.mark == kFlower) paint::Wash(c, kCx - hw + 2, top + 4, 4, 4, Rgb(220, 90, 110), 0.95f, seed + 82);
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

std::string PortraitPaintKey(const PortraitSubject& who) {
  // Field by field (not the struct's bytes, whose padding is unset).
  Face f = MakeFace(who);
  std::string key = who.name;
  auto put = [&key](const auto& value) { key.append(reinterpret_cast<const char*>(&value), sizeof(value)); };
  put(who.variant), put(who.role);
  put(f.skinKind), put(f.shape), put(f.eyes), put(f.brows), put(f.beard), put(f.armour), put(f.prop), put(f.mark);
  put(f.bigEars), put(f.headgear), put(f.halfWidth), put(f.halfHeight), put(f.jaw), put(f.eyeY), put(f.eyeGap);
  put(f.browLift), put(f.browWeight), put(f.noseLength), put(f.mouthWidth);
  put(f.skin), put(f.robe), put(f.hat), put(f.beardInk), put(f.browInk), put(f.halo), put(f.trim);
  put(f.hatStyle), put(f.wrinkles), put(f.plumes);
  return key;
}

paint::Figure PaintPortraitLayer(const PortraitSubject& who) {
  uint32_t seed = NameSeed(who.name) + 7919u * static_cast<uint32_t>(who.variant);
  Face f = MakeFace(who);
  paint::Figure layer(kPortraitSize, kPortraitSize);
  Canvas c(layer);
  // A halo of wash behind the head.
  paint::WashEllipse(c, kCx, 54, 50, 46, f.halo, 0.45f, seed + 100);
  PropBehind(c, f, seed + 150);
  Bust(c, f, who, seed + 200);
  Head(c, f, who, seed + 300);
  Beard(c, f, seed + 400);
  HeadgearPaint(c, f, seed + 500);
  PropFront(c, f, seed + 550);
  return layer;
}

void FinishPortrait(Surface& cell, const paint::Figure& layer, const PortraitSubject& who) {
  if (cell.Width() != kPortraitSize || cell.Height() != kPortraitSize) cell.Resize(kPortraitSize, kPortraitSize);
  uint32_t seed = NameSeed(who.name) + 7919u * static_cast<uint32_t>(who.variant);
  // The layer laid on the paper as paint::Place lays it, and the paint sits in
  // the paper: a faint grain over everything.
  for (int y = 0; y < kPortraitSize; ++y) {
    Pixel* row = cell.Row(y);
    const Pixel* paint = layer.color.Row(y);
    const float* alpha = &layer.alpha[static_cast<size_t>(y) * kPortraitSize];
    for (int x = 0; x < kPortraitSize; ++x) {
      Pixel p = alpha[x] > 0 ? paint::Mix(row[x], paint[x], std::min(alpha[x], 1.0f)) : row[x];
      row[x] = paint::Scale(p, 0.95f + 0.08f * paint::TakeUp(seed * 31u, x * 7, y * 7));
    }
  }
  cell.Touch();
  if (!who.name.empty()) {
    // The first UTF-8 character of the name.
    size_t len = 1;
    unsigned char lead = static_cast<unsigned char>(who.name[0]);
    if (lead >= 0xF0) len = 4;
    else if (lead >= 0xE0) len = 3;
    else if (lead >= 0xC0) len = 2;
    Canvas c(cell);
    paint::Seal(c, 96, 96, 20, who.name.substr(0, len), seed + 600);
  }
}

void PaintPortrait(Surface& cell, const PortraitSubject& who) { FinishPortrait(cell, PaintPortraitLayer(who), who); }
