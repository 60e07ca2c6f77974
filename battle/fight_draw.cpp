// The battle's screens: the map with markers, units, cursor and menus; the
// two situation screens; unit and terrain information; the status bar.
#include <algorithm>
#include <cstdio>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr const char* kStatusBar = PicPath(Pic::kStatusBar);
constexpr const char* kWhiteBack = PicPath(Pic::kWhite);
constexpr const char* kStepMarker = PicPath(Pic::kStepCross);
constexpr const char* kStepMarkerMask = PicPath(Pic::kStepCrossMask);
constexpr const char* kTargetMarker = PicPath(Pic::kStepAt);
constexpr const char* kTargetMarkerMask = PicPath(Pic::kStepAtMask);
constexpr const char* kMessages[7] = {"", "无法到达！", "没有目标", "命令无效", "天候错误", "地形错误", "技能不足"};
constexpr int kBarTextY = 460;
constexpr int kBarTextHeight = 60;
// The food field of the bar picture spans x 54-218; the figure starts at 60.
constexpr int kFoodX = 60;
constexpr int kFoodWidth = 154;
constexpr int kMiniMapX = 120, kMiniMapY = 300, kMiniCell = 5;
constexpr int kListRows = 5;

void Number(int value, int x, int y, int height) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  PaintText(text, x, y, height);
}

void MarkGrid(const int grid[kMapRows][kMapCols], const FightMap& map, const char* image, const char* mask) {
  for (int i = 0; i < kViewRows; ++i)
    for (int j = 0; j < kViewCols; ++j) {
      int r = map.viewTop + i, c = map.viewLeft + j;
      if (OnBattleMap(r, c) && grid[r][c] == 1) PaintMaskedBmp(0, image, mask, kTileSize * j, kTileSize * i);
    }
}
}  // namespace

void Fight::Show(int mode) {
  Log(1, "Fight::Show", "开始", 0);
  PictureScope pictures;
  if (mode == kShowOpening) {
    Opening();
    return;
  }
  switch (viewState) {
    case kViewEnemySituation:
    case kViewOwnSituation: {
      PaintBmp(0, kWhiteBack, 0, 0);
      PaintText("战场形势图", 20, 60, 50);
      PaintText("第   天", 20, 130, 50);
      Number(day - 1, 95, 130, 50);
      PaintText("将领分布", 80, 220, 50);
      DrawFrameRect(*backDC, kMiniMapX - 5, kMiniMapY - 5, kMiniMapX + kMiniCell * kMapCols + 5,
                    kMiniMapY + kMiniCell * kMapRows + 5);
      ShowAllOf();
      ShowUpName();
      PaintText("军", 600, 60, 50);
      DrawFrameRect(*backDC, 400, 125, 795, 195);
      PaintText("粮草:", 410, 130, 50);
      if (viewState == kViewOwnSituation) Number(ownFood, 550, 130, 50);
      else if (enemyIntelKnown) Number(enemyFood, 550, 130, 50);
      else PaintText("?????", 550, 130, 50);
      DrawFrameRect(*backDC, 400, 195, 795, 520);
      ShowArmyNumber();
      break;
    }
    case kViewOwnUnit:
    case kViewEnemyUnit: {
      int slot = infoUnit;
      if (slot < 0 || slot >= kUnitSlots) slot = 0;
      if (viewState == kViewOwnUnit) CountAtDf(slot);
      const FightHero& u = units[slot];
      DrawFrameRect(*backDC, 20, 70, 780, 510);
      PaintText("等级:", 40, 80, 50);
      PaintText("|兵种:", 250, 80, 50);
      PaintText("兵|武力:", 40, 145, 50);
      PaintText("|智", 370, 145, 50);
      PaintText("力:", 40, 210, 50);
      PaintText("|经验:", 200, 210, 50);
      PaintText("生命:", 40, 310, 50);
      PaintText("|技力:", 280, 310, 50);
      PaintText("|攻击:", 540, 310, 50);
      PaintText("|防御:", 120, 375, 50);
      PaintText("|兵力:", 400, 375, 50);
      PaintText("状态:", 40, 440, 50);
      Number(u.level, 180, 80, 50);
      PaintText(kTroopNames[TroopRow(u.troopType)], 430, 80, 50);
      Number(u.force, 290, 145, 50);
      Number(u.intelligence, 120, 210, 50);
      Number(u.experience, 410, 210, 50);
      Number(u.life, 180, 310, 50);
      Number(u.skillPower, 470, 310, 50);
      // The attack value wraps: its first digit ends the row, the rest opens the next.
      char digits[16];
      std::snprintf(digits, sizeof digits, "%d", u.attack);
      for (int i = 0; digits[i]; ++i) {
        char one[2] = {digits[i], 0};
        if (i == 0) PaintText(one, 720, 310, 50);
        else PaintText(one, 40 + 30 * (i - 1), 375, 50);
      }
      Number(u.defence, 310, 375, 50);
      Number(u.soldiers, 610, 375, 50);
      int status = (u.unitStatus >= 0 && u.unitStatus < 8) ? u.unitStatus : 0;
      PaintText(kStatusNames[status], 220, 440, 50);
      DrawFrameRect(*backDC, 520, 80, 770, 300);
      portrait = u.officerId;
      PaintPortrait(scenario, u.officerId, 590, 85);
      char name[20];
      OfficerName(scenario, u.officerId, name);
      PaintText(name, 560, 230, 50);
      break;
    }
    case kViewTerrain: {
      DrawFrameRect(*backDC, 20, 70, 780, 510);
      int kind = battleMap.KindAt(battleMap.CursorMapRow(), battleMap.CursorMapCol());
      for (int i = 0; i < 3; ++i)
        if (kTerrainText[kind][i][0]) PaintText(kTerrainText[kind][i], 40, 80 + 80 * i, 50);
      break;
    }
    default: {
      battleMap.Show();
      ShowBar();
      if (moveMode) MarkGrid(reachMap, battleMap, kStepMarker, kStepMarkerMask);
      if (attackMode) MarkGrid(attackMap, battleMap, kTargetMarker, kTargetMarkerMask);
      if (skillMode) MarkGrid(skillMap, battleMap, kTargetMarker, kTargetMarkerMask);
      ShowUnitsInView();
      battleMap.ShowArrow();
      if (escMenuOpen) escMenu.Show(0);
      if (showMenuOpen) showMenu.Show(0);
      if (speedMenuOpen) speedMenu.Show(0);
      if (moveMenuOpen) moveMenu.Show(0);
      if (actionMenuOpen) actionMenu.Show(0);
      if (skillMenuOpen) {
        actionMenu.highlightRow = 1;
        actionMenu.Show(0);
        actionMenu.highlightRow = 0;
        units[selectedUnit].ShowMenuSkill();
      }
      if (viewState == kViewSpyResult || viewState == kViewWeatherResult) ResolveSkillResult();
      break;
    }
  }
  CopyBackToWindow();
}

void Fight::ShowUnitsInView() { ShowUnitsInView(battleMap.viewTop, battleMap.viewLeft); }

void Fight::ShowUnitsInView(int top, int left) {
  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i)) || units[i].Beaten()) continue;
    int sr = units[i].row - top, sc = units[i].col - left;
    if (sr >= 0 && sr < kViewRows && sc >= 0 && sc < kViewCols) units[i].Show(sc, sr);
  }
}

int ViewTopFor(int row) { return std::clamp(row - 2, 0, kMaxViewTop); }
int ViewLeftFor(int col) { return std::clamp(col - 4, 0, kMaxViewLeft); }

void Fight::ViewOnUnit(int unit, int& top, int& left) {
  top = ViewTopFor(units[unit].row);
  left = ViewLeftFor(units[unit].col);
  ShowBar();
  battleMap.ShowMove(top, left);
  ShowUnitsInView(top, left);
  CopyBackToWindow();
}

void Fight::ShowBar() {
  Log(1, "Fight::ShowBar", "开始", 0);
  PaintBmp(0, kStatusBar, 0, 400);
  ShowWeatherBar();
  ShowGround();
  ShowFood();
}

// The whole figure, however large: the field of the bar picture holds five
// digits at the bar's text height, and longer figures are drawn smaller.
void Fight::ShowFood() { PaintNumberInWidth(ownFood, kFoodX, kBarTextY, kBarTextHeight, kFoodWidth); }

void Fight::ShowGround() {
  Log(1, "Fight::ShowGround", "开始", 0);
  if (messageCode >= 1 && messageCode <= 6) {
    PaintText(kMessages[messageCode], 390, kBarTextY, kBarTextHeight);
    return;
  }
  int r = battleMap.CursorMapRow(), c = battleMap.CursorMapCol();
  int unit = OwnUnitAt(r, c);
  if (unit < 0) unit = EnemyUnitAt(r, c);
  if (unit >= 0) {
    char name[20];
    OfficerName(scenario, units[unit].officerId, name);
    PaintText(name, 390, kBarTextY, kBarTextHeight);
    return;
  }
  int tile = battleMap.TileAt(r, c);
  if (TileKnown(tile)) PaintText(kTerrainNames[TerrainKindOfTile(tile)], 390, kBarTextY, kBarTextHeight);
}

void Fight::ShowAllOf() {
  Log(1, "Fight::ShowAllOf", "开始", 0);
  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i)) || units[i].Beaten()) continue;
    InvertBand(*backDC, kMiniMapX + kMiniCell * units[i].col, kMiniMapY + kMiniCell * units[i].row, kMiniCell,
               kMiniCell);
  }
}

void Fight::ShowUpName() {
  Log(1, "Fight::ShowUpName", "开始", 0);
  char name[20];
  OfficerName(scenario, viewState == kViewOwnSituation ? ownLeaderId : enemyLeaderId, name);
  PaintText(name, 410, 60, 50);
}

void Fight::ShowArmyNumber() {
  Log(1, "Fight::ShowArmyNumber", "开始", 0);
  bool own = viewState == kViewOwnSituation;
  int first = own ? 0 : kEnemyBase;
  int count = own ? ownUnitCount : enemyUnitCount;
  int half = own ? ownListHalf : enemyListHalf;
  for (int i = 0; i < kListRows; ++i) {
    int index = half * kListRows + i;
    if (index >= count || index >= kSideSlots) break;
    const FightHero& u = units[first + index];
    char name[20];
    OfficerName(scenario, u.officerId, name);
    PaintText(name, 410, 200 + 60 * i, 50);
    Number(u.soldiers, 600, 200 + 60 * i, 50);
  }
}
