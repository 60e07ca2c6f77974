// The computer side's turn: every computer unit in slot order moves, then
// attacks, or else tries a skill, or else waits. Where it moves to is decided
// here; what it hits and how is in fight_ai_target.cpp.
#include <cstdlib>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "platform/random.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr int kNoDistance = 255;
constexpr int kTieKeepsEarlier = 10;  // rand() % 10 == 0 keeps the earlier square
constexpr int kMoveDelayBase = 200;
constexpr int kMoveDelayPerSpeed = 800;
constexpr const char* kStatusBar = PicPath(Pic::kStatusBar);
constexpr const char* kStepMarker = PicPath(Pic::kStepCross);
constexpr const char* kStepMarkerMask = PicPath(Pic::kStepCrossMask);
constexpr int kBarTextY = 460;
constexpr int kBarTextHeight = 60;

// Terrain that gives a defender cover: a later square on it wins a tie of estimates.
bool IsCover(int kind) { return kind >= kMountain && kind <= kCamp; }
}  // namespace

// A computer unit that beats the player ends the turn there. One that finds
// the player has won ends it too: the win banner is already up, and the
// remaining units must not fight on under it.
int Fight::AIRun() {
  Log(1, "Fight::AIRun", "开始", 0);
  for (int s = kEnemyBase; s < kEnemyBase + enemyUnitCount && s < kUnitSlots; ++s) {
    if (units[s].unitStatus != kStatusNormal) continue;
    targetUnit = s;
    AIMoveHero();
    if (!AIAtEnable() && !AISkillEnable()) AISleepyHero();
    int result = TestWinLose();
    if (result != 0) return result;
  }
  return 0;
}

void Fight::AIMoveHero() {
  Log(1, "Fight::AIMoveHero", "开始", 0);
  FightHero& u = units[targetUnit];
  SetArrive(u.row, u.col, targetUnit);
  // A defending commander holds his square whatever happens around him.
  if (targetUnit == kEnemyBase && warType == 0) return;

  const int pr = units[kOwnCommander].row, pc = units[kOwnCommander].col;
  int destRow = u.row, destCol = u.col;
  int bestDistance = kNoDistance;
  aiBestScore = 0;
  bool cityTaken = false;
  for (int r = 0; r < kMapRows && !cityTaken; ++r) {
    for (int c = 0; c < kMapCols; ++c) {
      if (reachMap[r][c] != 1) continue;
      int kind = battleMap.KindAt(r, c);
      if (kind == kCity && warType == 1) {
        destRow = r;
        destCol = c;
        cityTaken = true;
        break;
      }
      // The strike is tested square by square rather than marked on the grid
      // for each: the grid's line in the run log, written and flushed for
      // every reachable square, cost more than the rest of the day. The grid
      // is marked anew for the unit's own square before it is read.
      for (int k = 0; k < ownUnitCount && k < kSideSlots; ++k) {
        const FightHero& p = units[k];
        if (p.Beaten() || !StrikeReachesFrom(r, c, targetUnit, k)) continue;
        int e = AICountAtHurtBefore(k);
        if (e > aiBestScore) {
          aiBestScore = e;
          destRow = r;
          destCol = c;
        } else if (e == aiBestScore && IsCover(kind)) {
          destRow = r;
          destCol = c;
        }
      }
      if (aiBestScore != 0) continue;
      int d = std::abs(r - pr) + std::abs(c - pc);
      if (d < bestDistance) {
        destRow = r;
        destCol = c;
        bestDistance = d;
      } else if (d == bestDistance && Rand() % kTieKeepsEarlier != 0) {
        destRow = r;
        destCol = c;
      }
    }
  }

  if (menuMove) AIShowMove(true);
  u.row = destRow;
  u.col = destCol;
  if (menuMove) AIShowMove(false);
}

// The view on the acting unit with its reach (before the move) or its new
// square (after it), the units in view, the status bar with its name.
void Fight::AIShowMove(bool before) {
  PictureScope pictures;
  const FightHero& u = units[targetUnit];
  int top = ViewTopFor(u.row), left = ViewLeftFor(u.col);
  battleMap.ShowMove(top, left);
  if (before) AIShowMoveArrange();
  ShowUnitsInView(top, left);
  PaintBmp(0, kStatusBar, 0, 400);
  ShowWeatherBar();
  ShowFood();
  char name[20];
  OfficerName(scenario, u.officerId, name);
  PaintText(name, 390, kBarTextY, kBarTextHeight);
  CopyBackToWindow();
  Wait(kMoveDelayBase + kMoveDelayPerSpeed * menuSpeed);
}

void Fight::AIShowMoveArrange() {
  Log(1, "Fight::AIShowMoveArrange", "开始", 0);
  const FightHero& u = units[targetUnit];
  int top = ViewTopFor(u.row), left = ViewLeftFor(u.col);
  for (int i = 0; i < kViewRows; ++i) {
    for (int j = 0; j < kViewCols; ++j) {
      int r = top + i, c = left + j;
      if (!OnBattleMap(r, c) || reachMap[r][c] != 1) continue;
      PaintMaskedBmp(0, kStepMarker, kStepMarkerMask, kTileSize * j, kTileSize * i);
      CopyBackToWindow();
    }
  }
}

void Fight::AISleepyHero() { Log(1, "Fight::AISleepyHero", "开始", 0); }
