// The duel: the backdrop SpeBack, the attacker sheet fight_left, the target
// sheet fight_right and the two missile pictures. The cells are plain copies
// laid over the backdrop while the attacker walks across it, so every cell
// carries the backdrop's own ground: the backdrop's middle band changes only
// from row to row, never along a row, and a cell repeats the rows it covers.
#include <algorithm>
#include <cmath>

#include "tools/resgen/battle/battle_art.h"

namespace battle_art {
namespace {

constexpr int kBackWidth = PicWidth(Pic::kDuelBack), kBackHeight = PicHeight(Pic::kDuelBack);
// Cells stand on the backdrop 70 rows below its top (drawn at y 150 over a
// backdrop at y 80) and inside x 45..615.
constexpr int kCellTop = 70;
constexpr int kStageBottom = 290;
constexpr int kLeftColumns = 7, kRightColumns = 2, kSheetRows = 7;
constexpr int kLeftW = PicWidth(Pic::kDuelAttacker) / kLeftColumns, kLeftH = PicHeight(Pic::kDuelAttacker) / kSheetRows;
constexpr int kRightW = PicWidth(Pic::kDuelTarget) / kRightColumns, kRightH = PicHeight(Pic::kDuelTarget) / kSheetRows;
static_assert(kLeftW * kLeftColumns == PicWidth(Pic::kDuelAttacker) &&
                  kLeftH * kSheetRows == PicHeight(Pic::kDuelAttacker),
              "the attacker sheet is whole cells");
static_assert(kRightW * kRightColumns == PicWidth(Pic::kDuelTarget) &&
                  kRightH * kSheetRows == PicHeight(Pic::kDuelTarget),
              "the target sheet is whole cells");
constexpr int kMissileW = PicWidth(Pic::kMissile1), kMissileH = PicHeight(Pic::kMissile1);
constexpr int kHorizon = 186;
// Frames the attack plays for each attacker row (row 6 is the boat on water).
constexpr int kFramesByRow[kSheetRows] = {7, 4, 4, 6, 7, 6, 1};

// The backdrop's ground at row y: a sky of pale silk over a plain of ochre.
Pixel BandAt(int y) {
  float jitter = (paint::Hash2(77, 0, y) - 0.5f) * 0.03f;
  Pixel p;
  if (y < kHorizon) {
    float t = std::clamp(y / static_cast<float>(kHorizon), 0.0f, 1.0f);
    p = paint::Mix(Rgb(216, 222, 212), Rgb(240, 230, 204), t);
  } else {
    float t = std::clamp((y - kHorizon) / 100.0f, 0.0f, 1.0f);
    p = paint::Mix(Rgb(214, 194, 146), Rgb(184, 158, 108), t);
    if (y == kHorizon || y == kHorizon + 1) p = paint::Mix(p, Rgb(150, 140, 110), 0.5f);
  }
  // Silk threads run along the rows.
  if (y % 3 == 0) jitter -= 0.02f;
  return paint::Scale(p, 1.0f + jitter);
}

void FillBand(Surface& s, int x0, int y0, int x1, int y1, int backOffset) {
  for (int y = y0; y < y1; ++y) {
    Pixel p = BandAt(y + backOffset);
    for (int x = x0; x < x1; ++x) s.Set(x, y, p);
  }
}

bool PaintBackdrop(const ResgenPaths& paths) {
  Surface s(kBackWidth, kBackHeight);
  FillBand(s, 0, 0, kBackWidth, kBackHeight, 0);
  paint::Canvas c(s);
  // Far peaks rising out of mist above the stage.
  paint::Mountain(c, -10, 78, 240, 62, 1201, paint::Mix(paint::kAzuriteLight, Rgb(216, 222, 212), 0.35f), 0.45f);
  paint::Mountain(c, 200, 78, 220, 44, 1202, paint::Mix(paint::kMalachiteLight, Rgb(216, 222, 212), 0.35f), 0.45f);
  paint::Mountain(c, 400, 78, 270, 66, 1203, paint::Mix(paint::kAzuriteLight, Rgb(216, 222, 212), 0.25f), 0.45f);
  paint::Seal(c, 600, 16, 32, "对阵", 1204);
  // The stage itself is the plain band again (across the whole width, so the
  // sides match); the peaks dissolve into it.
  for (int y = kCellTop - 16; y < kStageBottom; ++y) {
    float keep = y < kCellTop ? 1.0f - (y - (kCellTop - 16)) / 16.0f : 0.0f;
    for (int x = 0; x < kBackWidth; ++x) s.Set(x, y, paint::Mix(BandAt(y), s.Get(x, y), keep));
  }
  // Foreground grass and stones below the stage.
  paint::Rng rng(1205);
  for (int i = 0; i < 26; ++i) {
    float x = rng.Range(14, 636), y = rng.Range(kStageBottom + 14, kBackHeight - 9);
    for (int b = 0; b < 4; ++b) {
      float lean = (b - 1.5f) * 0.35f;
      paint::Stroke(c, {{x, y}, {x + std::sin(lean) * 5, y - 6}, {x + std::sin(lean) * 11, y - 12}}, 2, 1.5f, 0.4f,
                    Rgb(86, 110, 64), 0.85f, rng.Next());
    }
  }
  for (int i = 0; i < 6; ++i)
    paint::FillEllipse(c, rng.Range(30, 620), rng.Range(kStageBottom + 10, kBackHeight - 12), rng.Range(5, 9), 3.5f,
                       paint::kInkGrey, 0.8f);
  paint::MountFrame(s, 0, 0, kBackWidth, kBackHeight, 8, paint::kLacquer, 1206);
  return SaveFight(paths, Pic::kDuelBack, s);
}

// Lays a figure painted on a clear layer over a cell that already holds the ground.
void Lay(Surface& sheet, const paint::Figure& f, int x, int y) { paint::Place(sheet, f, x, y); }

void Dust(paint::Canvas& c, float x, float y, float size, uint32_t seed) {
  paint::Rng rng(seed);
  for (int i = 0; i < 5; ++i)
    paint::FillEllipse(c, x - i * size * 0.5f, y - rng.Range(0, size * 0.5f), size * (0.5f + 0.1f * i), size * 0.35f,
                       Rgb(200, 184, 146), 0.55f);
}

void AttackerCell(Surface& sheet, int row, int frame) {
  int frames = kFramesByRow[row];
  paint::Figure f(kLeftW, kLeftH);
  paint::Canvas c(f);
  Pose pose;
  pose.stride = frame / 3.0f;
  pose.strike = std::clamp((frame - (frames - 3)) / 2.0f, 0.0f, 1.0f);
  float feetY = kLeftH - 14.0f;
  uint32_t seed = 1300 + row * 10 + frame;
  switch (row) {
    case kCavalry:
    case kElite:
      if (frame > 0) Dust(c, 40, feetY, 16, seed);
      PaintTrooper(c, static_cast<Troop>(row), 80, feetY, 2.2f, false, 0, pose, seed);
      break;
    case kArcher:
      pose.stride = 0;
      pose.strike = frame / 3.0f;
      PaintTrooper(c, kArcher, 90, feetY, 2.6f, false, 0, pose, seed);
      break;
    case kMystic:
      pose.stride = frame / 6.0f;
      pose.strike = frame / 5.0f;
      PaintTrooper(c, kMystic, 80, feetY, 2.6f, false, 0, pose, seed);
      if (frame >= 3) {
        // The spell leaves the whisk as a swirl of wind and light.
        float k = (frame - 2) / 3.0f;
        for (int i = 0; i < 3; ++i)
          paint::Cloud(c, 140 + i * 22 * k, 70 + i * 10, 14 + 6 * k,
                       paint::Mix(paint::kGold, paint::kCinnabar, 0.3f * i), 0.9f, seed + i);
      }
      break;
    case 6: {
      pose.strike = 0.5f;
      // The boat rides in its own strip of water, an archer at the bow.
      paint::FillBox(c, 0, static_cast<int>(feetY - 8), kLeftW, kLeftH, Rgb(90, 130, 156), 1.0f);
      for (int i = 0; i < 4; ++i)
        paint::Line(c, 10 + i * 50, feetY - 2 + (i % 2) * 6, 45 + i * 50, feetY - 2 + (i % 2) * 6, 1.5f,
                    Rgb(230, 238, 236), 0.8f);
      PaintTrooper(c, kBoat, 100, feetY, 2.2f, false, 0, pose, seed);
      Pose aim;
      aim.strike = 0.6f;
      PaintTrooper(c, kArcher, 150, feetY - 30, 1.5f, false, 0, aim, seed + 1);
      break;
    }
    default: PaintTrooper(c, static_cast<Troop>(row), 80, feetY, 2.6f, false, 0, pose, seed); break;
  }
  Lay(sheet, f, frame * kLeftW, row * kLeftH);
}

void TargetCell(Surface& sheet, int row, int column) {
  paint::Figure f(kRightW, kRightH);
  paint::Canvas c(f);
  Pose pose;
  pose.hit = column == 1 ? 1.0f : 0.0f;
  float feetY = kRightH - 16.0f;
  uint32_t seed = 1400 + row * 10 + column;
  if (row == 6) {
    paint::FillBox(c, 0, static_cast<int>(feetY - 8), kRightW, kRightH, Rgb(90, 130, 156), 1.0f);
    PaintTrooper(c, kBoat, 95, feetY, 2.2f, true, 1, pose, seed);
  } else {
    bool mounted = row == kCavalry || row == kElite;
    PaintTrooper(c, static_cast<Troop>(row), mounted ? 105 : 100, feetY, mounted ? 2.0f : 2.5f, true, 1, pose, seed);
  }
  if (column == 1) {
    // The blow lands: a cinnabar cut and a spray of ink.
    paint::Stroke(c, {{40, 60}, {90, 100}, {140, 150}}, 2, 10, 1, paint::kInk, 1.0f, seed + 5);
    paint::Stroke(c, {{42, 62}, {90, 100}, {138, 148}}, 1, 6, 0.5f, paint::kCinnabar, 1.0f, seed + 6);
    paint::Rng rng(seed + 7);
    for (int i = 0; i < 8; ++i)
      paint::FillEllipse(c, 90 + rng.Range(-30, 30), 100 + rng.Range(-30, 30), rng.Range(1.5f, 3.5f),
                         rng.Range(1.5f, 3.5f), paint::kLacquer, 1.0f);
  }
  Lay(sheet, f, column * kRightW, row * kRightH);
}

bool PaintMissile(const ResgenPaths& paths, int variant) {
  Surface s(kMissileW, kMissileH);
  FillBand(s, 0, 0, kMissileW, kMissileH, kCellTop);
  paint::Canvas c(s);
  float y = 12 + variant;
  // A streak of motion behind, the shaft, white and red fletching, an iron head.
  paint::Line(c, 0, y + 1, 14, y + 0.5f, 1.0f, Rgb(170, 160, 140), 0.6f);
  paint::Line(c, 6, y, 36, y, 1.6f, Rgb(96, 70, 44), 1.0f);
  paint::FillPolygon(c, {{6, y}, {12, y - 5}, {16, y - 5}, {11, y}}, variant ? paint::kCinnabar : kWhite, 1.0f);
  paint::FillPolygon(c, {{6, y}, {12, y + 5}, {16, y + 5}, {11, y}}, variant ? kWhite : paint::kCinnabar, 1.0f);
  paint::FillPolygon(c, {{35, y - 3.5f}, {44, y}, {35, y + 3.5f}}, paint::kInk, 1.0f);
  return SaveFight(paths, MissilePic(variant), s);
}

}  // namespace

bool PaintDuel(const ResgenPaths& paths) {
  if (!PaintBackdrop(paths)) return false;
  Surface left(kLeftColumns * kLeftW, kSheetRows * kLeftH);
  for (int row = 0; row < kSheetRows; ++row) {
    for (int frame = 0; frame < kLeftColumns; ++frame) {
      FillBand(left, frame * kLeftW, row * kLeftH, (frame + 1) * kLeftW, (row + 1) * kLeftH, kCellTop - row * kLeftH);
      if (frame < kFramesByRow[row]) AttackerCell(left, row, frame);
    }
  }
  if (!SaveFight(paths, Pic::kDuelAttacker, left)) return false;
  Surface right(kRightColumns * kRightW, kSheetRows * kRightH);
  for (int row = 0; row < kSheetRows; ++row) {
    for (int column = 0; column < kRightColumns; ++column) {
      FillBand(right, column * kRightW, row * kRightH, (column + 1) * kRightW, (row + 1) * kRightH,
               kCellTop - row * kRightH);
      TargetCell(right, row, column);
    }
  }
  if (!SaveFight(paths, Pic::kDuelTarget, right)) return false;
  return PaintMissile(paths, 0) && PaintMissile(paths, 1);
}

}  // namespace battle_art
