#pragma once
// The battle's grid: tile numbers and terrain kinds of the city's battle map,
// the 10 x 5 visible window and the cursor inside it.
#include "shell/json_writer.h"

constexpr int kMapStride = 50;  // the grids are 50 x 50; rows 0-30, columns 0-31 are used
constexpr int kViewRows = 5;
constexpr int kViewCols = 10;
constexpr int kMaxViewTop = 26;
constexpr int kMaxViewLeft = 22;
constexpr int kTileSize = 80;

class FightMap {
 public:
  int viewTop = 0;
  int viewLeft = 0;
  int cursorCol = 0;
  int cursorRow = 0;
  int tiles[kMapStride * kMapStride] = {};
  int terrain[kMapStride * kMapStride] = {};
  int mapCity = 0;
  int warSerial = 0;

  void Init(int scenario, int city);
  int KeyDown(int key);
  void Show();
  void LoadFromBMP();
  void LoadFromBMPStart();
  void ShowMove(int top, int left);
  void ShowStart(int mode, int warType);
  void ShowArrow();
  void GetStartPosition(int sideShown, int warType);
  int GetMyPosition() const;
  void Dump(JsonWriter& out) const;

  // Tile number and terrain kind of a map square; 0 (plain) off the map.
  int TileAt(int row, int col) const;
  int KindAt(int row, int col) const;
  // The square of the visible window drawn at (x, y) (its row and column in
  // the window, as cursorRow and cursorCol count); false outside the window.
  bool SquareAt(int x, int y, int& row, int& col) const;
  int CursorMapRow() const { return viewTop + cursorRow; }
  int CursorMapCol() const { return viewLeft + cursorCol; }

 private:
  void DrawTiles(int top, int left);
};

// Reads a battle map file (31 rows of 32 tile numbers) into a 50-wide grid.
// Squares the file does not reach keep their values. Returns the count read.
int ReadBattleMapFile(int mapNumber, int* tiles);
