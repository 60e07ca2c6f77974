#pragma once
// The marks of the officer and item lists: which column page is shown ("2/6")
// and whether more rows lie above or below the six shown, written in the dark
// band above the play area, over the list's top right corner.
void PaintListMarks(int page, int pages, bool moreAbove, bool moreBelow);
