#include "battle/fight_map.h"

#include <algorithm>
#include <memory>
#include <string>

#include "battle/battle_globals.h"
#include "battle/battle_tables.h"
#include "platform/file_cache.h"
#include "platform/number_text.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr const char* kTileSheet = PicPath(Pic::kTiles);
constexpr const char* kArrow = PicPath(Pic::kFightArrow);
constexpr const char* kArrowMask = PicPath(Pic::kFightArrowMask);
constexpr int kSideComputer = -1;
constexpr int kSidePlayer = 0;
}  // namespace

namespace {

// The values of the battle map file last read, kept with the bytes they came
// from: every unit figure drawn asks for its square's tile, and while the file
// is unchanged the cache hands back the same bytes, so they are parsed once.
struct ParsedBattleMap {
  std::shared_ptr<const std::string> bytes;
  int count = 0;
  int values[kMapRows * kMapCols] = {};
};

const ParsedBattleMap* ParseBattleMap(const char* path) {
  static ParsedBattleMap parsed;
  std::shared_ptr<const std::string> bytes = DataFileCache().Bytes(path);
  if (!bytes) return nullptr;
  if (bytes == parsed.bytes) return &parsed;
  parsed.bytes = bytes;
  parsed.count = 0;
  NumberText numbers(bytes);
  while (parsed.count < kMapRows * kMapCols && numbers.Read(parsed.values[parsed.count])) ++parsed.count;
  return &parsed;
}

}  // namespace

int ReadBattleMapFile(int mapNumber, int* tiles) {
  if (mapNumber < 0 || mapNumber >= kBattleMapCount) mapNumber = 0;
  const ParsedBattleMap* map = ParseBattleMap(kBattleMapTables[mapNumber]);
  if (!map) return 0;
  for (int i = 0; i < map->count; ++i) tiles[(i / kMapCols) * kMapStride + i % kMapCols] = map->values[i];
  return map->count;
}

void FightMap::Init(int scenario, int city) {
  Log(1, "FightMap::Init", "开始", 0);
  mapCity = city;
  viewTop = 0;
  viewLeft = 0;
  cursorCol = kStartCursorCol;
  cursorRow = kStartCursorRow;
  int read = ReadBattleMapFile(MapNumberOfCity(city), tiles);
  for (int i = 0; i < read; ++i) {
    int index = (i / kMapCols) * kMapStride + i % kMapCols;
    terrain[index] = TerrainKindOfTile(tiles[index]);
  }
}

int FightMap::TileAt(int row, int col) const {
  if (!OnBattleMap(row, col)) return 0;
  return tiles[row * kMapStride + col];
}

int FightMap::KindAt(int row, int col) const {
  if (!OnBattleMap(row, col)) return kPlain;
  return TerrainRow(terrain[row * kMapStride + col]);
}

int FightMap::KeyDown(int key) {
  Log(1, "FightMap::KeyDown", "开始", 0);
  if (key == keyUp) {
    if (cursorRow > 0) --cursorRow;
    else viewTop = std::max(viewTop - 1, 0);
  } else if (key == keyDown) {
    if (cursorRow < kViewRows - 1) ++cursorRow;
    else viewTop = std::min(viewTop + 1, kMaxViewTop);
  } else if (key == keyLeft) {
    if (cursorCol > 0) --cursorCol;
    else viewLeft = std::max(viewLeft - 1, 0);
  } else if (key == keyRight) {
    if (cursorCol < kViewCols - 1) ++cursorCol;
    else viewLeft = std::min(viewLeft + 1, kMaxViewLeft);
  } else {
    return 0;
  }
  Show();
  return 0;
}

bool FightMap::SquareAt(int x, int y, int& row, int& col) const {
  if (x < 0 || y < kPictureOffsetY) return false;
  row = (y - kPictureOffsetY) / kTileSize;
  col = x / kTileSize;
  return row < kViewRows && col < kViewCols;
}

void FightMap::DrawTiles(int top, int left) {
  // The kept picture itself: a copy of the whole sheet for every cursor step
  // cost more than the drawing.
  const Surface* kept = Picture(kTileSheet);
  if (!kept) return;
  const Surface& sheet = *kept;
  for (int i = 0; i < kViewRows; ++i) {
    for (int j = 0; j < kViewCols; ++j) {
      int tile = TileAt(top + i, left + j);
      backDC->Blit(kTileSize * j, kTileSize * i + kPictureOffsetY, sheet, 0, kTileSize * tile, kTileSize, kTileSize,
                   RasterOp::Copy);
    }
  }
}

void FightMap::Show() {
  Log(1, "FightMap::Show", "开始", 0);
  LoadFromBMP();
  ShowArrow();
}

void FightMap::LoadFromBMP() {
  Log(1, "FightMap::LoadFromBMP", "开始", 0);
  DrawTiles(viewTop, viewLeft);
  RequestRepaint();
}

void FightMap::LoadFromBMPStart() {
  Log(1, "FightMap::LoadFromBMPStart", "开始", 0);
  DrawTiles(viewTop, viewLeft);
  CopyBackToWindow();
}

void FightMap::ShowMove(int top, int left) {
  Log(1, "FightMap::ShowMove", "开始", 0);
  DrawTiles(top, left);
  CopyBackToWindow();
}

void FightMap::ShowStart(int mode, int warType) {
  Log(1, "FightMap::ShowStart", "开始", 0);
  if (mode == kShowComputerSide) GetStartPosition(kSideComputer, warType);
  if (mode == kShowPlayerSide) GetStartPosition(kSidePlayer, warType);
  LoadFromBMPStart();
}

void FightMap::ShowArrow() {
  Log(1, "FightMap::ShowArrow", "开始", 0);
  PaintMaskedBmp(0, kArrow, kArrowMask, kTileSize * cursorCol, kTileSize * cursorRow);
}

void FightMap::Dump(JsonWriter& out) const {
  out.Int("viewTop", viewTop);
  out.Int("viewLeft", viewLeft);
  out.Int("cursorCol", cursorCol);
  out.Int("cursorRow", cursorRow);
  out.Int("mapCity", mapCity);
  out.Int("warSerial", warSerial);
}
