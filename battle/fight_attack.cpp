// Attacks: range, target validation, attack and defence values, the hit and
// its experience, and the hit, level-up and defeat presentations.
#include <algorithm>
#include <cstdio>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "platform/random.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"

namespace {
struct Offset {
  int dr;
  int dc;
};
constexpr Offset kOrthogonal[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr Offset kSurrounding[] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};
constexpr Offset kArcherRing[] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

struct OffsetSet {
  const Offset* offsets;
  int count;
};

// The squares a unit of this troop type strikes, around its own.
OffsetSet StrikeOffsets(int troopType) {
  switch (troopType) {
    case kCavalry:
    case kNavy: return {kOrthogonal, 4};
    case kInfantry:
    case kHalberd:
    case kMystic: return {kSurrounding, 8};
    case kArcher: return {kArcherRing, 8};
    default: return {kOrthogonal, 0};
  }
}

void MarkOffsets(int grid[kMapRows][kMapCols], int row, int col, const Offset* offsets, int count) {
  for (int i = 0; i < count; ++i) {
    int r = row + offsets[i].dr, c = col + offsets[i].dc;
    if (OnBattleMap(r, c)) grid[r][c] = 1;
  }
}

// Animation sheets and their cells.
constexpr const char* kAttackerSheet = PicPath(Pic::kDuelAttacker);
constexpr const char* kTargetSheet = PicPath(Pic::kDuelTarget);
constexpr const char* kStageBack = PicPath(Pic::kDuelBack);
constexpr int kAttackerCellW = 215, kAttackerCellH = 205;
constexpr int kTargetCellW = 190, kTargetCellH = 215;
constexpr int kStageX = 75, kStageY = 80;
constexpr int kStageW = 650, kStageH = 320;
constexpr int kFighterY = 150;
constexpr int kAttackerX = 120;
constexpr int kTargetX = 500;
constexpr int kMissileW = 45, kMissileH = 25;
constexpr int kWaterRow = 6;
constexpr int kFramePause = 50;

constexpr const char* kLevelUpSheet = PicPath(Pic::kLevelUp);
constexpr const char* kLevelUpMask = PicPath(Pic::kLevelUpMask);
constexpr const char* kDefeatSheet = PicPath(Pic::kDefeat);
constexpr const char* kDefeatMask = PicPath(Pic::kDefeatMask);
constexpr const char* kInfoBox = PicPath(Pic::kAnswerPanel);
constexpr int kUnitFrames = 5;
constexpr int kUnitFramePause = 300;

constexpr int kQuoteIntel = 0;
constexpr int kQuoteLevelUp = 1;  // 1..3
constexpr int kQuoteDefeat = 4;   // 4..6
constexpr int kQuoteChoices = 3;
}  // namespace

void Fight::SetAt(int row, int col, int unit) {
  Log(1, "Fight::SetAt", "开始", 0);
  ClearGrid(attackMap);
  if (unit < 0 || unit >= kUnitSlots) return;
  OffsetSet set = StrikeOffsets(units[unit].troopType);
  MarkOffsets(attackMap, row, col, set.offsets, set.count);
}

bool Fight::StrikeReachesFrom(int row, int col, int unit, int target) const {
  if (unit < 0 || unit >= kUnitSlots || target < 0 || target >= kUnitSlots) return false;
  const FightHero& t = units[target];
  if (!OnBattleMap(t.row, t.col)) return false;
  OffsetSet set = StrikeOffsets(units[unit].troopType);
  for (int i = 0; i < set.count; ++i)
    if (row + set.offsets[i].dr == t.row && col + set.offsets[i].dc == t.col) return true;
  return false;
}

int Fight::CanAt(int kind) {
  Log(1, "Fight::CanAt", "开始", 0);
  int r = battleMap.CursorMapRow(), c = battleMap.CursorMapCol();
  if (!OnBattleMap(r, c)) return 0;
  const int(*grid)[kMapCols] = kind == kTargetAttack ? attackMap : skillMap;
  if (grid[r][c] != 1) return 0;
  int enemy = EnemyUnitAt(r, c);
  int own = OwnUnitAt(r, c);
  if (kind == kTargetHelpful) {
    if (enemy >= 0) return 2;
    if (own >= 0) {
      targetUnit = own;
      return 1;
    }
    return 0;
  }
  if (enemy >= 0) {
    targetUnit = enemy;
    return 1;
  }
  if (own >= 0) return 2;
  return 0;
}

void Fight::CountAtDf(int unit) {
  FightHero& u = units[unit];
  int kind = KindUnder(unit);
  int troop = TroopRow(u.troopType);
  u.attack = static_cast<int>((u.level + 10) * u.force * kAttackCoefficient[kind][troop]);
  u.defence = static_cast<int>((u.level + 10) * u.intelligence * kDefenceCoefficient[kind][troop]);
}

void Fight::GetLifeSkillAtDf() {
  Log(1, "Fight::GetLifeSkillAtDf", "开始", 0);
  if (selectedUnit < 0 || selectedUnit >= kUnitSlots) return;
  CountAtDf(selectedUnit);
}

// Soldiers a hit would take before it is capped by what the target has.
// A defence of 0 counts as 1: the division would otherwise be undefined.
int Fight::HitLoss(int attacker, int target) {
  CountAtDf(attacker);
  CountAtDf(target);
  const FightHero& a = units[attacker];
  const FightHero& t = units[target];
  int defence = std::max(t.defence, 1);
  int base = static_cast<int>(static_cast<double>(a.attack) / defence * (a.soldiers >> 3));
  base = static_cast<int>(base * kTroopAdvantage[TroopRow(a.troopType)][TroopRow(t.troopType)]);
  return base + kMinimumHit;
}

HitOutcome Fight::StrikeUnit(int attacker, int target, int& sideTotal) {
  int loss = std::min(HitLoss(attacker, target), std::max(units[target].soldiers, 0));
  HitOutcome hit = TakeSoldiers(attacker, target, loss, sideTotal);
  units[attacker].experience += hit.gain;
  return hit;
}

HitOutcome Fight::TakeSoldiers(int attacker, int target, int loss, int& sideTotal) {
  units[target].soldiers -= loss;
  sideTotal -= loss;
  HitOutcome hit{loss, GetExp(attacker, target, loss)};
  lastExp = hit.gain;
  return hit;
}

void Fight::AfterHit(int attacker, int target, bool computerSide) {
  FightHero& t = units[target];
  if (t.soldiers < 1) {
    if (computerSide) {
      AIShowsw(target);
    } else {
      Showsw();
    }
    t.unitStatus = kStatusBeaten;
    t.soldiers = 0;
  }
  LevelUpIfDue(attacker, computerSide);
}

void Fight::CountAtkHurt() {
  Log(1, "Fight::CountAtkHurt", "开始", 0);
  PlayCue(Sound::kAttack);
  HitOutcome hit = StrikeUnit(selectedUnit, targetUnit, enemySoldierTotal);
  ShowHurt(hit.loss, hit.gain);
  AfterHit(selectedUnit, targetUnit, false);
}

int Fight::GetExp(int loss) { return GetExp(selectedUnit, targetUnit, loss); }

int Fight::GetExp(int attacker, int target, int loss) {
  Log(1, "Fight::GetExp", "开始", 0);
  return ExpFor(attacker, target, loss);
}

int Fight::ExpFor(int attacker, int target, int loss) const {
  const FightHero& a = units[attacker];
  const FightHero& t = units[target];
  int d = a.level - t.level;
  int q = SqrtBelow(loss) >> 2;
  int e = 0;
  if (d < 0 || q > d) e = q - d;
  if (t.soldiers > 0) e += 2;
  else e += d < 0 ? 18 : 10;
  return e % 100;
}

void Fight::LevelUpIfDue(int unit, bool computerSide) {
  FightHero& u = units[unit];
  if (u.experience < kLevelUpExperience) return;
  PlayCue(Sound::kLevelUp);
  if (computerSide) {
    AIShowsj();
  } else {
    Showsj();
  }
  u.experience -= kLevelUpExperience;
  u.level = std::min(u.level + 1, kMaxHeroLevel);
  u.life = u.LifeFormula();
  u.skillPower = u.SkillPowerCeiling();
}

int Fight::FightEvent() {
  Log(1, "Fight::FightEvent", "开始", 0);
  if (attackMode) {
    CountAtkHurt();
    attackMode = 0;
  } else if (skillMode) {
    PlayCue(SkillSound(ChosenSkill()));
    if (RuseSucceeds()) {
      if (CountSklHurt() < 0) return kEventInvalid;
    } else {
      ShowRuseFailed(ChosenSkill());
    }
    skillMode = 0;
  }
  units[selectedUnit].canAct = 0;
  int result = TestWinLose();
  if (result == kFightLost) return kEventLost;
  if (result == kFightWon) return kEventWon;
  return 0;
}

void Fight::PlayAttackAnimation(int attacker, int target, bool riverCase) {
  PictureScope pictures;
  const FightHero& a = units[attacker];
  const FightHero& t = units[target];
  bool onRiver = riverCase && KindUnder(target) == kRiver;
  int troop = TroopRow(a.troopType);
  int frames = 4;
  if (!onRiver && (troop == kNavy || troop == kMystic)) frames = 6;
  if (!onRiver && (troop == kCavalry || troop == kHalberd)) frames = 7;
  for (int i = 0; i < frames; ++i) {
    PaintPictureAt(kStageBack, kStageX, kStageY);
    int cellRow = troop, cellCol = i, x = kAttackerX;
    bool missile = false;
    int targetCol = 0;
    if (onRiver) {
      cellRow = kWaterRow;
      cellCol = 0;
      missile = true;
    } else if (troop == kInfantry) {
      x = kAttackerX + 70 * i;
      targetCol = i / 3;
    } else if (troop == kArcher) {
      missile = true;
      targetCol = i / 3;
    } else if (troop == kNavy || troop == kMystic) {
      x = kAttackerX + 42 * i;
      targetCol = i / 5;
    } else {
      x = kAttackerX + 35 * i;
      targetCol = i / 6;
    }
    PaintCell(kAttackerSheet, kAttackerCellW * cellCol, kAttackerCellH * cellRow, kAttackerCellW, kAttackerCellH, x,
              kFighterY);
    if (missile && (i == 1 || i == 2))
      PaintCell(PicPath(MissilePic(i - 1)), 0, 0, kMissileW, kMissileH, 270 + 70 * i, kFighterY);
    int targetRow = onRiver ? kWaterRow : TroopRow(t.troopType);
    PaintCell(kTargetSheet, kTargetCellW * targetCol, kTargetCellH * targetRow, kTargetCellW, kTargetCellH, kTargetX,
              kFighterY);
    CopyBackToWindow();
    Wait(kFramePause);
  }
}

void Fight::ShowExperienceBox(int gain) {
  PaintPictureAt(kMessageBox, 105, 185);
  PaintText("获得经验：", 200, 215, 50);
  char text[16];
  std::snprintf(text, sizeof text, "%d", gain);
  PaintText(text, 500, 215, 50);
  CopyBackToWindow();
  Wait(1000);
}

void Fight::ShowHurt(int loss, int gain) {
  Log(1, "Fight::ShowHurt", "开始", 0);
  if (menuShow) {
    PlayAttackAnimation(selectedUnit, targetUnit, true);
    PaintDigits(loss, 300, 200, 50, 100, 0);
  } else {
    PaintLossAt(loss, kTileSize * battleMap.cursorCol, kTileSize * battleMap.cursorRow + kPictureOffsetY);
  }
  CopyBackToWindow();
  Wait(1000);
  ShowExperienceBox(gain);
}

void Fight::PaintLossAt(int loss, int x, int y) {
  char text[16];
  std::snprintf(text, sizeof text, "-%d", loss);
  PaintText(text, x, y, 50);
}

// The view centred on a unit, the map and every live unit in it, then five
// frames of a sheet on the unit's square.
void Fight::ShowUnitFrames(int unit, const char* sheet, const char* mask) {
  PictureScope pictures;
  CentreViewOn(units[unit].row, units[unit].col);
  ShowBar();
  battleMap.ShowStart(0, warType);
  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i)) || units[i].Beaten()) continue;
    int sr = units[i].row - battleMap.viewTop, sc = units[i].col - battleMap.viewLeft;
    if (sr >= 0 && sr < kViewRows && sc >= 0 && sc < kViewCols) units[i].ShowDirct(sc, sr);
  }
  int sx = kTileSize * (units[unit].col - battleMap.viewLeft);
  int sy = kTileSize * (units[unit].row - battleMap.viewTop) + kPictureOffsetY;
  for (int i = 0; i < kUnitFrames; ++i) {
    PaintMaskedCell(sheet, mask, kTileSize * i, 0, kTileSize, kTileSize, sx, sy);
    CopyBackToWindow();
    Wait(kUnitFramePause);
  }
}

void Fight::Showsj() {
  Log(1, "Fight::Showsj", "开始", 0);
  ShowUnitFrames(selectedUnit, kLevelUpSheet, kLevelUpMask);
  ShowInformation(1, 0);
}

void Fight::Showsw() {
  Log(1, "Fight::Showsw", "开始", 0);
  ShowUnitFrames(targetUnit, kDefeatSheet, kDefeatMask);
  ShowInformation(2, 0);
}

void Fight::AIShowsw(int unit) {
  Log(1, "Fight::AIShowsw", "开始", 0);
  ShowUnitFrames(unit, kDefeatSheet, kDefeatMask);
  ShowInformation(4, unit);
}

void Fight::ShowInformation(int kind, int unit) {
  Log(1, "Fight::ShowInformation", "开始", 0);
  int quote = kQuoteIntel;
  int speaker = selectedUnit;
  switch (kind) {
    case 0: break;
    case 1: quote = kQuoteLevelUp + Rand() % kQuoteChoices; break;
    case 2:
      quote = kQuoteDefeat + Rand() % kQuoteChoices;
      speaker = targetUnit;
      break;
    case 3:
      quote = kQuoteLevelUp + Rand() % kQuoteChoices;
      speaker = targetUnit;
      break;
    default:
      quote = kQuoteDefeat + Rand() % kQuoteChoices;
      speaker = unit;
      break;
  }
  if (speaker < 0 || speaker >= kUnitSlots) speaker = 0;
  if (colorMode) PaintPictureAt(kInfoBox, 20, 250);
  else DrawFrameRect(*backDC, 20, 250, 780, 500);
  for (int i = 0; i < 3; ++i) DrawTextIn(*backDC, kQuotes[quote][i], 250, 280 + 70 * i, kFontHei, 50, kBlack);
  portrait = units[speaker].officerId;
  PaintPortrait(scenario, units[speaker].officerId, 100, 290);
  char name[20];
  OfficerName(scenario, units[speaker].officerId, name);
  PaintText(name, 100, 430, 40);
  CopyBackToWindow();
  Wait(2000);
}
