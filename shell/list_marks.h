#pragma once
// The officer and item lists share one panel: six rows of this height from
// kListRowTop, between these edges.
constexpr int kListRowTop = 120;
constexpr int kListRowHeight = 60;
constexpr int kListPanelLeft = 10;
constexpr int kListPanelRight = 785;

// The shown row (0 up) under a point of the panel, or -1: rows past the list's
// end are not rows.
int ListRowAt(int x, int y, int rowsShown, int listTop, int count);

// The marks of the officer and item lists: which column page is shown ("2/6")
// and whether more rows lie above or below the six shown, written in the dark
// band above the play area, over the list's top right corner.
void PaintListMarks(int page, int pages, bool moreAbove, bool moreBelow);
