// What the player sees of the computer's actions: the target marker, the hit
// and the skill with their losses, and the acting unit's level-up. Nothing is
// shown for an action that took no soldiers.
#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr const char* kTargetSheet = PicPath(Pic::kStrike);
constexpr const char* kTargetMask = PicPath(Pic::kStrikeMask);
constexpr const char* kLevelUpSheet = PicPath(Pic::kLevelUp);
constexpr const char* kLevelUpMask = PicPath(Pic::kLevelUpMask);
constexpr int kFrames = 5;
constexpr int kTargetFramePause = 200;
constexpr int kResultPause = 1000;
constexpr int kQuoteLevelUpOfTarget = 3;  // ShowInformation kind: level-up quote of targetUnit
}  // namespace

void Fight::AIShowArrowAt(int unit) {
  Log(1, "Fight::AIShowArrowAt", "开始", 0);
  PictureScope pictures;
  int top = 0, left = 0;
  ViewOnUnit(unit, top, left);
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
    PaintLossAt(loss, 320, 210);
  }
  CopyBackToWindow();
  Wait(kResultPause);
}

void Fight::AIShowSkillHurt(int loss, int gain, int skill, int unit) {
  Log(1, "Fight::AIShowSkillHurt", "开始", 0);
  (void)gain;
  if (loss == 0) return;
  if (menuShow) {
    PlaySkillAnimation(skill, targetUnit, unit);
    PaintSoldiersLost(loss);
  } else {
    PaintSkillLossBox(skill, loss, kTileSize * (units[unit].col - battleMap.viewLeft),
                      kTileSize * (units[unit].row - battleMap.viewTop) + kPictureOffsetY);
  }
  CopyBackToWindow();
  Wait(kResultPause);
}

void Fight::AIShowsj() {
  Log(1, "Fight::AIShowsj", "开始", 0);
  ShowUnitFrames(targetUnit, kLevelUpSheet, kLevelUpMask);
  ShowInformation(kQuoteLevelUpOfTarget, 0);
}
