// What the player sees of the computer's actions: the target marker, the hit
// and the skill with their losses, and the acting unit's level-up. Nothing is
// shown for an action that took no soldiers.
#include <algorithm>
#include <cstdio>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr const char* kTargetSheet = "Res\\Fight\\atshow.kbp";
constexpr const char* kTargetMask = "Res\\Fight\\atshowmask.kbp";
constexpr const char* kLevelUpSheet = "Res\\Fight\\sj.kbp";
constexpr const char* kLevelUpMask = "Res\\Fight\\sjmask.kbp";
constexpr int kFrames = 5;
constexpr int kTargetFramePause = 200;
constexpr int kResultPause = 1000;
constexpr int kQuoteLevelUpOfTarget = 3;  // ShowInformation kind: level-up quote of targetUnit
}  // namespace

// The status bar and the map with the view on a unit, every live unit in it;
// returns the view's origin.
void Fight::AIViewOn(int unit, int& top, int& left) {
  top = std::clamp(units[unit].row - 2, 0, kMaxViewTop);
  left = std::clamp(units[unit].col - 4, 0, kMaxViewLeft);
  ShowBar();
  battleMap.ShowMove(top, left);
  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i)) || units[i].Beaten()) continue;
    int sr = units[i].row - top, sc = units[i].col - left;
    if (sr >= 0 && sr < kViewRows && sc >= 0 && sc < kViewCols) units[i].Show(sc, sr);
  }
  CopyBackToWindow();
}

void Fight::AIShowArrowAt(int unit) {
  Log(1, "Fight::AIShowArrowAt", "开始", 0);
  PictureScope pictures;
  int top = 0, left = 0;
  AIViewOn(unit, top, left);
  int sx = kTileSize * (units[unit].col - left);
  int sy = kTileSize * (units[unit].row - top) + kPictureOffsetY;
  for (int i = 0; i < kFrames; ++i) {
    PaintMaskedCell(kTargetSheet, kTargetMask, kTileSize * i, 0, kTileSize, kTileSize, sx, sy);
    CopyBackToWindow();
    Wait(kTargetFramePause);
  }
}

void Fight::AIShowAtHurt(int loss, int gain, int unit) {
  Log(1, "Fight::AIShowAtHurt", "开始", 0);
  (void)gain;  // the computer's experience is not shown
  if (loss == 0) return;
  if (menuShow) {
    PlayAttackAnimation(targetUnit, unit, true);
    PaintDigits(loss, 300, 200, 50, 100, 0);
  } else {
    char text[16];
    std::snprintf(text, sizeof text, "-%d", loss);
    PaintText(text, 320, 210, 50);
  }
  CopyBackToWindow();
  Wait(kResultPause);
}

void Fight::AIShowSkillHurt(int loss, int gain, int skill, int unit) {
  Log(1, "Fight::AIShowSkillHurt", "开始", 0);
  (void)gain;
  if (loss == 0) return;
  if (menuShow) {
    // The skill animations draw selectedUnit against targetUnit.
    int keptSelected = selectedUnit, keptTarget = targetUnit;
    selectedUnit = targetUnit;
    targetUnit = unit;
    PlaySkillAnimation(skill);
    selectedUnit = keptSelected;
    targetUnit = keptTarget;
    PaintText("兵力减少", 250, 100, 60);
    PaintDigits(loss, 300, 200, 50, 100, 100);
  } else {
    char name[20];
    SkillName(skill, name);
    PaintPictureAt(kMessageBox, 105, 55);
    PaintText(name, 200, 85, 50);
    PaintText("兵力减少", 400, 85, 50);
    char text[16];
    std::snprintf(text, sizeof text, "-%d", loss);
    PaintText(text, kTileSize * (units[unit].col - battleMap.viewLeft),
              kTileSize * (units[unit].row - battleMap.viewTop) + kPictureOffsetY, 50);
  }
  CopyBackToWindow();
  Wait(kResultPause);
}

void Fight::AIShowsj() {
  Log(1, "Fight::AIShowsj", "开始", 0);
  ShowUnitFrames(targetUnit, kLevelUpSheet, kLevelUpMask);
  ShowInformation(kQuoteLevelUpOfTarget, 0);
}
