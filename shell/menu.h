#pragma once
// The vertical text menu used for every command menu, option menu and the
// ruler choice. Entries are the lines of a ".kss" list; rows are 60 pixels high.
#include "shell/json_writer.h"

class Menu {
 public:
  int selected = 0;
  int cellsWide = 0;
  int visibleRows = 0;
  int left = 0;
  int top = 0;
  int lastIndex = 0;
  const char* listFile = "";
  int atTop = 0;
  int atBottom = 0;
  int highlightRow = 0;
  int firstShown = 0;
  int wrapMode = 0;

  void InitMenu(int cellsWide, int visibleRows, int left, int top, int lastIndex, const char* listFile, int wrapMode);
  // 1 for keyReturn, -1 for keyEsc, 0 otherwise (Up and Down move and redraw).
  int KeyDown(int key);
  void Show(int key);
  // The entry whose row is drawn at (x, y), -1 outside the rows shown: a
  // pointer finds its entry where Show put it.
  int EntryAt(int x, int y) const;
  void Dump(JsonWriter& out) const;
};
