#pragma once
// Drawing pieces the battle screens share beyond the toolkit: cells cut from
// picture sheets, masked sprites, digits one by one, portraits and officer
// names. All draw into the back buffer at absolute logical coordinates.
#include "rules/pictures.h"

// While a scope is open, a sheet cut into several cells during one screen
// draw is read from disk once and released when the scope closes, instead of
// once per cell (a redraw draws up to twenty units from the same sheet).
class PictureScope {
 public:
  PictureScope();
  ~PictureScope();
  PictureScope(const PictureScope&) = delete;
  PictureScope& operator=(const PictureScope&) = delete;
};

// The framed box the battle writes its messages in.
constexpr const char* kMessageBox = PicPath(Pic::kBattleMessage);

// A picture whose top-left lands at absolute (x, y) (the toolkit adds 50 to y).
void PaintPictureAt(const char* path, int x, int y);
// The w x h cell of a sheet at (sx, sy), copied to (dx, dy).
void PaintCell(const char* sheet, int sx, int sy, int w, int h, int dx, int dy);
// The same cell of an image and its mask: mask ORed first, image ANDed over it.
void PaintMaskedCell(const char* image, const char* mask, int sx, int sy, int w, int h, int dx, int dy);
// The decimal digits of value, the first at (x, y) and each further one `step`
// pixels right, pausing `pauseMs` after each digit (0 for none); shown on the window.
void PaintDigits(int value, int x, int y, int step, int height, int pauseMs);
// A number in the game font with its left end at (x, y): at `height` when it is
// at most `width` pixels wide, else at the largest height at which it is,
// centred on the line the full height would fill.
void PaintNumberInWidth(int value, int x, int y, int height, int width);
// The 120 x 120 portrait of an officer from the scenario's sheet.
void PaintPortrait(int scenario, int officerId, int x, int y);
// The officer's name from the scenario's name list (empty when out of range).
// Loads the list into the text grid.
void OfficerName(int scenario, int officerId, char out[20]);
// A skill's name line from the skill list (empty when missing).
void SkillName(int skill, char out[20]);
