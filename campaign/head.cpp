#include "campaign/head.h"

#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

void Head::Init(const char* sheetPath, int portraitIndex) {
  Log(1, "Head::Init", "开始", 0);
  sheetFile = sheetPath;
  portrait = portraitIndex;
}

void Head::Show(int x, int y) {
  Log(1, "Head::Show", "开始", 0);
  sheet_ = Picture(sheetFile);
  if (!sheet_) return;
  LoadFromBMP(x, y);
}

// Portraits are placed without the picture area's 50-pixel offset.
void Head::LoadFromBMP(int x, int y) {
  Log(1, "Head::LoadFromBMP", "开始", 0);
  if (portrait < 0) return;
  int sx = (portrait % kPortraitsPerRow) * kPortraitSize;
  int sy = (portrait / kPortraitsPerRow) * kPortraitSize;
  if (sheet_) backDC->Blit(x, y, *sheet_, sx, sy, kPortraitSize, kPortraitSize, RasterOp::Copy);
  RequestRepaint();
}

void Head::Dump(JsonWriter& out) const {
  out.String("sheetFile", sheetFile);
  out.Int("portrait", portrait);
}
