#include "shell/list_marks.h"

#include <cstdio>

#include "shell/draw.h"
#include "shell/globals.h"

namespace {
constexpr int kRight = 785;
constexpr int kY = 20;
constexpr int kHeight = 28;
}  // namespace

void PaintListMarks(int page, int pages, bool moreAbove, bool moreBelow) {
  char text[48];
  std::snprintf(text, sizeof text, "%s%s 第%d/%d栏", moreAbove ? "▲" : "  ", moreBelow ? "▼" : "  ", page, pages);
  int width = 0;
  for (const char* p = text; *p; ++p) ++width;
  backDC->FillRect(kRight - width * kHeight / 2 - 8, kY - 2, kRight, kY + kHeight + 2, kBlack);
  DrawTextIn(*backDC, text, kRight - width * kHeight / 2, kY, kFontHei, kHeight, kWhite);
}
