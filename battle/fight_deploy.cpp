// Deployment: the defenders stand around a fixed point of the city's battle
// map, the attackers at the edge facing the city they marched from; both in
// the formation of that direction. Also the battle opening that shows them.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "platform/files.h"
#include "rules/data_files.h"
#include "shell/draw.h"
#include "shell/run_log.h"

namespace {
constexpr int kOpeningPause = 2000;

// A city's cell on the strategic map: line `city` of the position table.
bool CityCell(int city, int& col, int& row) {
  FILE* f = OpenFile(kCityPositionTable, "r");
  if (!f) return false;
  int c = 0, r = 0;
  bool found = false;
  for (int line = 0; std::fscanf(f, "%d %d", &c, &r) == 2; ++line) {
    if (line == city) {
      col = c;
      row = r;
      found = true;
      break;
    }
  }
  std::fclose(f);
  return found;
}

constexpr int kFallbackDirection = kTopSide;

int CompassDirection(int fromCity, int toCity) {
  int fromCol = 0, fromRow = 0, toCol = 0, toRow = 0;
  if (!CityCell(fromCity, fromCol, fromRow) || !CityCell(toCity, toCol, toRow)) return kFallbackDirection;
  int dx = fromCol - toCol;
  int dy = toRow - fromRow;  // up on the map is positive
  if (dx == 0 && dy == 0) return kFallbackDirection;
  double angle = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
  int octant = static_cast<int>(std::lround(angle / (M_PI / 4)));
  octant = (octant % 8 + 8) % 8;
  return kDirectionByOctant[octant];
}
}  // namespace

// War orders go only to neighbouring cities, but a city missing from the
// table (or a city past it) still needs a side of the map to attack from.
int AttackDirection(int battleCity, int warSerial) {
  int d = TableDirection(battleCity, warSerial);
  if (d != 0) return d;
  return CompassDirection(warSerial - 1, battleCity);
}

int FightHero::GetMyPosition() const {
  Log(1, "FightHero::GetMyPosition", "开始", 0);
  return TableDirection(battleCity, warSerial);
}

int FightMap::GetMyPosition() const {
  Log(1, "FightMap::GetMyPosition", "开始", 0);
  return TableDirection(mapCity, warSerial);
}

void FightHero::GetStartPosition() {
  Log(1, "FightHero::GetStartPosition", "开始", 0);
  Square defence = DefenceAnchor(MapNumberOfCity(battleCity));
  defenceAnchorRow = defence.row;
  defenceAnchorCol = defence.col;
  int d = AttackDirection(battleCity, warSerial);
  formation = d;
  Square attack = AttackAnchor(d);
  attackAnchorRow = attack.row;
  attackAnchorCol = attack.col;
}

void FightHero::SetPosition(int slot) {
  Log(1, "FightHero::SetPosition", "开始", 0);
  GetStartPosition();
  int position = slot % kSideSlots;
  Square offset = FormationOffset(formation, position);
  bool ownSide = slot < kEnemyBase;
  bool attacking = (warType == 0) == ownSide;
  row = (attacking ? attackAnchorRow : defenceAnchorRow) + offset.row;
  col = (attacking ? attackAnchorCol : defenceAnchorCol) + offset.col;
  spriteRow = ownSide ? 0 : 1;
}

void FightMap::GetStartPosition(int sideShown, int warType) {
  Log(1, "FightMap::GetStartPosition", "开始", 0);
  bool computerSide = sideShown == -1;
  bool defending = computerSide == (warType == 0);
  Square anchor =
      defending ? DefenceAnchor(MapNumberOfCity(mapCity)) : AttackAnchor(AttackDirection(mapCity, warSerial));
  viewTop = std::clamp(anchor.row - kStartCursorRow, 0, kMaxViewTop);
  viewLeft = std::clamp(anchor.col - kStartCursorCol, 0, kMaxViewLeft);
}

int FightHero::GetUnderground() const {
  Log(1, "FightHero::GetUnderground", "开始", 0);
  if (!OnBattleMap(row, col)) return 0;
  static int tiles[kMapStride * kMapStride];
  tiles[row * kMapStride + col] = 0;
  ReadBattleMapFile(MapNumberOfCity(battleCity), tiles);
  return IsRiverTile(tiles[row * kMapStride + col]) ? 1 : 0;
}

void Fight::Opening() {
  Log(1, "Fight::Opening", "开始", 0);
  PictureScope pictures;
  battleMap.warSerial = warSerial;
  for (int i = 0; i < kUnitSlots; ++i) {
    units[i].warSerial = warSerial;
    units[i].warType = warType;
    units[i].SetPosition(i);
  }
  auto showSide = [this](int first, int count, int mode) {
    ShowBar();
    battleMap.ShowStart(mode, warType);
    for (int i = first; i < first + count && i < kUnitSlots; ++i) {
      int sr = units[i].row - battleMap.viewTop, sc = units[i].col - battleMap.viewLeft;
      if (sr >= 0 && sr < kViewRows && sc >= 0 && sc < kViewCols) units[i].ShowDirct(sc, sr);
    }
    Wait(kOpeningPause);
  };
  showSide(kEnemyBase, enemyUnitCount, kShowComputerSide);
  showSide(0, ownUnitCount, kShowPlayerSide);

  CheckForceBefore();
  if (units[kOwnCommander].soldiers == 0) pendingEnd = kPendingLost;
  if (units[kEnemyBase].soldiers == 0) pendingEnd = kPendingWon;

  ShowWeather();
  ShowWeatherBar();
  ShowDay();
  battleMap.Show();

  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i))) continue;
    selectedUnit = i;
    GetLifeSkillAtDf();
  }
  selectedUnit = 0;
  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i)) || units[i].Beaten()) continue;
    units[i].life = units[i].LifeFormula();
    units[i].skillPower = units[i].SkillPowerCeiling();
  }
}
