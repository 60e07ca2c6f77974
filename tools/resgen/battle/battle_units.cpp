// The unit sheet and the map markers: range squares and the cursor.
#include <cmath>

#include "tools/resgen/battle/battle_art.h"
#include "tools/resgen/battle/battle_tiles.h"
#include "tools/resgen/common/picture_files.h"

namespace battle_art {
namespace {

using paint::Vec2;

constexpr int kSheetColumns = 14;  // two per troop type and two for the boat
static_assert(PicWidth(Pic::kUnits) == kSheetColumns * kTileSize && PicHeight(Pic::kUnits) == 2 * kTileSize,
              "one row of cells per side");

// A unit that has acted fades to a grey wash but keeps a hint of its colours.
void Fade(paint::Figure& f, int x0, int y0, int w, int h) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      Pixel p = f.color.Get(x, y);
      int g = static_cast<int>(paint::Luma(p) * 0.55f + 96);
      f.color.Set(x, y, paint::Mix(p, Rgb(g, g, g - 6), 0.6f));
    }
}

void CopyFigure(const paint::Figure& from, paint::Figure& to, int dx, int dy) {
  int w = from.color.Width(), h = from.color.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      to.color.Set(dx + x, dy + y, from.color.Get(x, y));
      to.alpha[static_cast<size_t>(dy + y) * to.color.Width() + dx + x] = from.Alpha(x, y);
    }
}

// Marks for a range square: a sparse stipple of the side's wash over the tile
// (bitwise copies cannot blend, so every fourth pixel is coloured) and a brush
// corner at each corner.
void RangeMarker(Surface& image, Surface& mask, Pixel wash, Pixel ink, uint32_t seed) {
  paint::Figure corners(kTileSize, kTileSize);
  paint::Canvas c(corners);
  const float m = 6, len = 18;
  const Vec2 cornerPts[4][3] = {
      {{m, m + len}, {m, m}, {m + len, m}},
      {{80 - m - len, m}, {80 - m, m}, {80 - m, m + len}},
      {{80 - m, 80 - m - len}, {80 - m, 80 - m}, {80 - m - len, 80 - m}},
      {{m + len, 80 - m}, {m, 80 - m}, {m, 80 - m - len}},
  };
  for (int i = 0; i < 4; ++i) {
    std::vector<Vec2> pts(cornerPts[i], cornerPts[i] + 3);
    paint::Stroke(c, pts, 2.5f, 3.5f, 1.5f, ink, 1.0f, seed + i);
  }
  paint::SplitMasked(corners, image, mask);
  for (int y = 3; y < kTileSize - 3; ++y)
    for (int x = 3; x < kTileSize - 3; ++x) {
      if (mask.Get(x, y) == kWhite || x % 2 != 0 || y % 2 != 0) continue;
      image.Set(x, y, wash);
      mask.Set(x, y, kWhite);
    }
}

bool SaveMarker(const ResgenPaths& paths, Pic imagePic, Pic maskPic, Pixel wash, Pixel ink, uint32_t seed) {
  Surface image, mask;
  RangeMarker(image, mask, wash, ink, seed);
  return SavePicture(paths, imagePic, image) && SavePicture(paths, maskPic, mask);
}

}  // namespace

bool PaintUnitSheet(const ResgenPaths& paths) {
  paint::Figure sheet(PicWidth(Pic::kUnits), PicHeight(Pic::kUnits));
  for (int side = 0; side < 2; ++side) {
    for (int col = 0; col < kSheetColumns; ++col) {
      // Each cell is painted on its own so that no banner reaches into a neighbour.
      paint::Figure cell(kTileSize, kTileSize);
      paint::Canvas c(cell);
      Troop troop = static_cast<Troop>(col / 2);
      bool spent = col % 2 == 1;
      float cx = 40.0f, cy = 0.0f;
      bool faceLeft = side == 1;
      uint32_t seed = 5000 + side * 100 + col;
      Pose pose;
      pose.stride = 0.15f;
      pose.strike = 0.2f;
      if (troop == kBoat) {
        PaintTrooper(c, troop, cx, cy + 66, 1.1f, faceLeft, side, pose, seed);
      } else {
        // A base ring in the side's colour, the first thing the eye finds on the map.
        paint::FillEllipse(c, cx, cy + 73, 25, 5.5f, kSideColor[side], 0.9f);
        paint::FillEllipse(c, cx, cy + 72.5f, 21, 3.5f, paint::Mix(kSideColor[side], kWhite, 0.45f), 1.0f);
        bool mounted = troop == kCavalry || troop == kElite;
        float feetX = mounted ? cx - 3 + (faceLeft ? 6 : 0) : cx + (faceLeft ? 4 : -4);
        PaintTrooper(c, troop, feetX, cy + 74, mounted ? 0.95f : 1.12f, faceLeft, side, pose, seed);
      }
      if (spent) Fade(cell, 0, 0, kTileSize, kTileSize);
      CopyFigure(cell, sheet, col * kTileSize, side * kTileSize);
    }
  }
  return SaveFightMasked(paths, Pic::kUnits, Pic::kUnitsMask, sheet);
}

bool PaintMarkers(const ResgenPaths& paths) {
  if (!SaveMarker(paths, Pic::kStepCross, Pic::kStepCrossMask, Rgb(150, 200, 255), Rgb(36, 80, 150), 71)) return false;
  if (!SaveMarker(paths, Pic::kStepAt, Pic::kStepAtMask, Rgb(255, 150, 130), Rgb(170, 30, 24), 72)) return false;
  // The cursor: four heavy lacquer brackets edged in gold, bolder than any range mark.
  paint::Figure cursor(PicWidth(Pic::kFightArrow), PicHeight(Pic::kFightArrow));
  paint::Canvas c(cursor);
  const float m = 2, len = 22;
  const Vec2 pts[4][3] = {
      {{m, m + len}, {m, m}, {m + len, m}},
      {{80 - m - len, m}, {80 - m, m}, {80 - m, m + len}},
      {{80 - m, 80 - m - len}, {80 - m, 80 - m}, {80 - m - len, 80 - m}},
      {{m + len, 80 - m}, {m, 80 - m}, {m, 80 - m - len}},
  };
  for (int i = 0; i < 4; ++i) {
    std::vector<Vec2> v(pts[i], pts[i] + 3);
    for (Vec2& p : v) {
      p.x += (p.x < 40 ? 2.5f : -2.5f);
      p.y += (p.y < 40 ? 2.5f : -2.5f);
    }
    paint::Stroke(c, v, 9, 9, 7, paint::kGold, 1.0f, 80 + i);
    paint::Stroke(c, v, 5.5f, 6, 4, paint::kCinnabar, 1.0f, 90 + i);
  }
  return SaveFightMasked(paths, Pic::kFightArrow, Pic::kFightArrowMask, cursor);
}

}  // namespace battle_art
