#include "shell/menu.h"

#include <cstring>

#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/text_grid.h"

namespace {
constexpr int kRowHeight = 60;
constexpr int kTextInset = 5;
constexpr int kTextHeight = 50;
constexpr int kKeepLastIndex = 3;  // wrap mode that trusts the caller's entry count
constexpr int kMarkSize = 9;

// A small triangle, black with a white rim so it reads on any ground: the mark
// beside a menu that more entries lie above (or below) the rows it shows.
void PaintMoreMark(int x, int y, bool up) {
  for (int i = 0; i < kMarkSize; ++i) {
    int w = up ? i : kMarkSize - 1 - i;
    backDC->FillRect(x - w - 1, y + i - 1, x + w + 2, y + i + 2, kWhite);
  }
  for (int i = 0; i < kMarkSize; ++i) {
    int w = up ? i : kMarkSize - 1 - i;
    backDC->FillRect(x - w, y + i, x + w + 1, y + i + 1, kBlack);
  }
}
}  // namespace

void Menu::InitMenu(int cellsWide_, int visibleRows_, int left_, int top_, int lastIndex_, const char* listFile_,
                    int wrapMode_) {
  Log(1, "Menu::InitMenu", "开始", 0);
  cellsWide = cellsWide_;
  visibleRows = visibleRows_;
  left = left_;
  top = top_;
  lastIndex = lastIndex_;
  listFile = listFile_ ? listFile_ : "";
  wrapMode = wrapMode_;
  selected = 0;
  atTop = 0;
  atBottom = 0;
  highlightRow = 0;
  firstShown = 0;
  std::memset(textGrid, ' ', sizeof textGrid);
}

int Menu::KeyDown(int key) {
  Log(1, "Menu::KeyDown", "开始", 0);
  if (key == keyReturn) return 1;
  if (key == keyEsc) return -1;
  if (key == keyDown) {
    ++selected;
    if (selected > lastIndex) selected = wrapMode ? 0 : lastIndex;
    Show(key);
  } else if (key == keyUp) {
    --selected;
    if (selected < 0) selected = wrapMode ? lastIndex : 0;
    Show(key);
  }
  return 0;
}

void Menu::Show(int key) {
  Log(1, "Menu::Show", "开始", 0);
  int count = LoadLineList(listFile);
  if (wrapMode != kKeepLastIndex) lastIndex = count - 1;
  DrawPanelRect(*backDC, left, top, left + kCell * cellsWide, top + kRowHeight * visibleRows);

  // The window over the list moves with the same keys as the selection.
  bool down = key != 0 && key == keyDown;
  bool up = key != 0 && key == keyUp;
  int lastFirst = lastIndex - visibleRows + 1;
  if (atBottom && down) {
    ++firstShown;
    highlightRow = visibleRows - 1;
    if (firstShown == lastFirst + 1) {
      if (!wrapMode) {
        firstShown = lastFirst;
      } else {
        firstShown = 0;
        atBottom = 0;
        atTop = 1;
        highlightRow = 0;
      }
    }
  } else if (atTop && up) {
    --firstShown;
    highlightRow = 0;
    if (firstShown == -1) {
      if (!wrapMode) {
        firstShown = 0;
      } else {
        firstShown = lastFirst;
        atBottom = 1;
        atTop = 0;
        highlightRow = visibleRows - 1;
      }
    }
  } else if (atBottom && up) {
    atBottom = 0;
    --highlightRow;
  } else if (atTop && down) {
    atTop = 0;
    ++highlightRow;
  } else if (up) {
    --highlightRow;
  } else if (down) {
    ++highlightRow;
  }
  if (highlightRow == visibleRows - 1) atBottom = 1;
  if (highlightRow == 0) atTop = 1;

  for (int i = 0; i < visibleRows; ++i) {
    int row = firstShown + i;
    if (row < 0 || row >= kGridRows) continue;
    char line[kGridWidth];
    std::memcpy(line, textGrid[row], kGridWidth);
    line[kGridWidth - 1] = 0;
    PaintText(line, left + kTextInset, top + kRowHeight * i + kTextInset, kTextHeight);
  }
  InvertBand(*backDC, left + kTextInset, top + kRowHeight * highlightRow + kTextInset,
             kCell * cellsWide - 2 * kTextInset, kTextHeight);
  // More entries than rows: marks beside the frame, like a scroll bar's arrows.
  if (lastIndex + 1 > visibleRows) {
    int x = left + kCell * cellsWide + kMarkSize + 4;
    if (firstShown > 0) PaintMoreMark(x, top + 4, true);
    if (firstShown + visibleRows - 1 < lastIndex)
      PaintMoreMark(x, top + kRowHeight * visibleRows - kMarkSize - 4, false);
  }
}

int Menu::EntryAt(int x, int y) const {
  if (x < left || x >= left + kCell * cellsWide || y < top || y >= top + kRowHeight * visibleRows) return -1;
  int entry = firstShown + (y - top) / kRowHeight;
  return entry >= 0 && entry <= lastIndex ? entry : -1;
}

void Menu::Dump(JsonWriter& out) const {
  out.Int("selected", selected);
  out.Int("cellsWide", cellsWide);
  out.Int("visibleRows", visibleRows);
  out.Int("left", left);
  out.Int("top", top);
  out.Int("lastIndex", lastIndex);
  out.String("listFile", listFile);
  out.Int("atTop", atTop);
  out.Int("atBottom", atBottom);
  out.Int("highlightRow", highlightRow);
  out.Int("firstShown", firstShown);
  out.Int("wrapMode", wrapMode);
}
