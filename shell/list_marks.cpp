#include "shell/list_marks.h"

#include <cstdio>

#include "platform/text.h"
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
  int left = kRight - MeasureText(text, FontSpec{kFontHei, kHeight, kFontWeightHeavy});
  // Black on a white label in both colour modes: the plain mode draws text on
  // opaque white blocks, which would hide white letters.
  backDC->FillRect(left - 8, kY - 2, kRight + 4, kY + kHeight + 2, kWhite);
  DrawTextIn(*backDC, text, left, kY, kFontHei, kHeight, kBlack);
}

int ListRowAt(int x, int y, int rowsShown, int listTop, int count) {
  if (x < kListPanelLeft || x >= kListPanelRight || y < kListRowTop) return -1;
  int row = (y - kListRowTop) / kListRowHeight;
  return row < rowsShown && listTop + row < count ? row : -1;
}
