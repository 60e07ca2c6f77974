#include "battle/battle_paint.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <deque>
#include <memory>

#include "platform/text.h"
#include "rules/data_files.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/text_grid.h"

namespace {
constexpr int kPortraitSize = 120;
constexpr int kPortraitsPerRow = 10;

int ScenarioIndex(int scenario) { return (scenario >= 0 && scenario < 4) ? scenario : 0; }

// A sheet looked up in an open scope: the cache's own picture, shared so that
// it stays valid until the scope closes whatever else is read meanwhile.
struct HeldPicture {
  std::string path;
  std::shared_ptr<const Surface> picture;  // null when the file was missing
};
int openScopes = 0;
std::deque<HeldPicture> held;

// The picture for one cell copy: from the open scope when there is one.
const Surface* SheetPicture(const char* path) {
  // Used at once, before any other picture is read: the kept picture itself.
  if (openScopes == 0) return ::Picture(path);
  for (HeldPicture& h : held)
    if (h.path == path) return h.picture.get();
  held.push_back(HeldPicture{path, SharedPicture(path)});
  return held.back().picture.get();
}

void CopyGridRow(int row, char out[20]) {
  out[0] = 0;
  if (row < 0 || row >= kGridRows) return;
  std::memcpy(out, textGrid[row], kGridWidth);
  out[kGridWidth - 1] = 0;
}
}  // namespace

PictureScope::PictureScope() { ++openScopes; }
PictureScope::~PictureScope() {
  if (--openScopes == 0) held.clear();
}

void PaintPictureAt(const char* path, int x, int y) { PaintBmp(0, path, x, y - kPictureOffsetY); }

void PaintCell(const char* sheet, int sx, int sy, int w, int h, int dx, int dy) {
  const Surface* picture = SheetPicture(sheet);
  if (!picture) return;
  backDC->Blit(dx, dy, *picture, sx, sy, w, h, RasterOp::Copy);
}

void PaintMaskedCell(const char* image, const char* mask, int sx, int sy, int w, int h, int dx, int dy) {
  if (const Surface* m = SheetPicture(mask)) backDC->Blit(dx, dy, *m, sx, sy, w, h, RasterOp::Or);
  if (const Surface* i = SheetPicture(image)) backDC->Blit(dx, dy, *i, sx, sy, w, h, RasterOp::And);
}

void PaintDigits(int value, int x, int y, int step, int height, int pauseMs) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", value);
  for (int i = 0; digits[i]; ++i) {
    char one[2] = {digits[i], 0};
    PaintText(one, x + step * i, y, height);
    CopyBackToWindow();
    if (pauseMs > 0) Wait(pauseMs);
  }
}

void PaintNumberInWidth(int value, int x, int y, int height, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  int fitted = height;
  while (fitted > 1 && MeasureText(text, FontSpec{kFontHei, fitted, kFontWeightHeavy}) > width) --fitted;
  PaintText(text, x, y + (height - fitted) / 2, fitted);
}

void PaintPortrait(int scenario, int officerId, int x, int y) {
  if (officerId < 0) return;
  int col = officerId % kPortraitsPerRow;
  int row = officerId / kPortraitsPerRow;
  PaintCell(PicPath(PortraitSheetPic(ScenarioIndex(scenario))), col * kPortraitSize, row * kPortraitSize, kPortraitSize,
            kPortraitSize, x, y);
}

void OfficerName(int scenario, int officerId, char out[20]) {
  out[0] = 0;
  if (officerId < 0 || officerId >= kGridRows) return;
  if (LoadLineList(kHeroNameLists[ScenarioIndex(scenario)]) <= officerId) return;
  CopyGridRow(officerId, out);
}

void SkillName(int skill, char out[20]) {
  out[0] = 0;
  if (skill < 0 || skill >= kGridRows) return;
  if (LoadLineList(kSkillNames) <= skill) return;
  CopyGridRow(skill, out);
}
