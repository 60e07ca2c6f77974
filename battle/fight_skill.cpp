// Skills: preconditions, target patterns, the ruse roll, effects read from the
// skill table, and their presentation.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "platform/files.h"
#include "platform/random.h"
#include "rules/data_files.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr const char* kSkillSheet = PicPath(Pic::kSkillSheet);
constexpr int kErrorInvalid = -3;
constexpr int kErrorTerrain = -5;
constexpr int kRuseBonus = 25;
constexpr int kRuseDefenceBonus = 5;
constexpr int kFoodBurned = 150;
constexpr int kHealSoldiers = 800;
constexpr int kGreatHealSoldiers = 1800;
constexpr int kSkillFrameW = 330, kSkillFrameH = 320;
constexpr int kSkillFrames = 6;
constexpr int kSkillStageX = 200, kSkillStageY = 80;

// Sheet row (y offset) and frame pause of the animated skills; -1 for none.
struct SkillAnimation {
  int y;
  int pause;
};
SkillAnimation AnimationOf(int skill) {
  switch (skill) {
    case 0:
    case 6:
    case 16: return {0, 200};
    case 1:
    case 2: return {320, 100};
    case 10:
    case 17: return {640, 100};
    case 11: return {960, 100};
    case 12:
    case 13: return {1280, 100};
    case 14: return {1600, 100};
    case 15:
    case 19: return {1920, 100};
    case 23: return {2240, 100};
    default: return {-1, 0};
  }
}
bool PlaysAttackAnimation(int skill) {
  return skill == 3 || skill == 4 || skill == 5 || skill == 7 || skill == 8 || skill == 9 || skill == 21;
}

// Reads the skill's row of the table; a missing or short file leaves zeros.
void ReadSkillRow(int skill, int row[kSkillTableColumns]) {
  for (int i = 0; i < kSkillTableColumns; ++i) row[i] = 0;
  if (skill < 0 || skill >= kSkillCount) return;
  FILE* f = OpenFile(kSkillTable, "r");
  if (!f) return;
  for (int r = 0; r <= skill; ++r) {
    for (int i = 0; i < kSkillTableColumns; ++i) {
      int value = 0;
      if (std::fscanf(f, "%d", &value) != 1) {
        std::fclose(f);
        if (r < skill)
          for (int k = 0; k < kSkillTableColumns; ++k) row[k] = 0;
        return;
      }
      row[i] = value;
    }
  }
  std::fclose(f);
}
}  // namespace

int Fight::ChosenSkill() const {
  const FightHero& u = units[selectedUnit];
  int index = u.skillMenu.selected;
  if (index < 0 || index >= u.skillCount) return -1;
  return u.skills[index];
}

int Fight::WeatherOK(int skill) const {
  Log(1, "Fight::WeatherOK", "开始", 0);
  switch (skill) {
    case 8:
    case 9:
    case 21:
    case kSkillWeather:
    case kSkillSpy: return 1;
    case 0:
    case 6: return weather == kWeatherRain || weather == kWeatherIce ? 0 : 1;
    case 16: return weather >= kWeatherWind && weather <= kWeatherIce ? 0 : 1;
    default:
      if (skill < 0 || skill >= kSkillCount) return 1;
      return weather == kWeatherIce ? 0 : 1;
  }
}

int Fight::LandOK(int skill, int check) const {
  Log(1, "Fight::LandOK", "开始", 0);
  if (check == 0) {
    if (skill != 1 && skill != 2) return 1;
    const FightHero& u = units[selectedUnit];
    return IsMountainTile(battleMap.TileAt(u.row, u.col)) ? 1 : 0;
  }
  if (skill != 3) return 1;
  if (targetUnit < 0 || targetUnit >= kUnitSlots) return 0;
  const FightHero& t = units[targetUnit];
  return battleMap.TileAt(t.row, t.col) == kCityTile ? 1 : 0;
}

int Fight::SkillForceOK(int skill) const {
  Log(1, "Fight::SkillForceOK", "开始", 0);
  return units[selectedUnit].skillPower >= SkillCost(skill) ? 1 : 0;
}

void Fight::SetAtSkill(int row, int col, int unit, int skill) {
  Log(1, "Fight::SetAtSkill", "开始", 0);
  ClearGrid(skillMap);
  SkillPattern p;
  if (!SkillPatternOf(skill, p)) return;
  for (int dr = -p.maxDistance; dr <= p.maxDistance; ++dr) {
    for (int dc = -p.maxDistance; dc <= p.maxDistance; ++dc) {
      if (SkillReaches(skill, dr, dc) && OnBattleMap(row + dr, col + dc)) skillMap[row + dr][col + dc] = 1;
    }
  }
}

void Fight::SubSkillPower(int skill) {
  Log(1, "Fight::SubSkillPower", "开始", 0);
  FightHero& u = units[selectedUnit];
  u.skillPower = std::max(u.skillPower - SkillCost(skill), 0);
}

// The ruse is pitted against the enemy commander (slot 10), whoever the target is.
int Fight::RuseSucceeds() {
  const FightHero& caster = units[selectedUnit];
  const FightHero& commander = units[kEnemyBase];
  int n = std::max(caster.intelligence + caster.level + kRuseBonus, 1);
  int r = Rand() % n;
  int t = (commander.intelligence + commander.level + kRuseDefenceBonus) >> 1;
  return r > t ? 0 : 1;
}

void Fight::ShowRuseFailed(int skill) {
  char name[20];
  SkillName(skill, name);
  PaintBmp(0, kMessageBox, 100, 200);
  PaintText(name, 150, 280, 50);
  PaintText("计谋失败！", 400, 280, 50);
  CopyBackToWindow();
  Wait(1000);
}

// The damage formula: each step truncates; a step that reaches 0 refuses the
// skill (terrain for the two terrain steps, invalid for the troop step).
int Fight::SkillDamage(int skill, int caster, int target) {
  int row[kSkillTableColumns];
  ReadSkillRow(skill, row);
  int w = std::clamp(weather, 1, kWeatherKinds);
  int p = row[kSkillBasePowerColumn];
  p = p * row[kSkillWeatherColumn + w] / 100;
  p = p * row[kSkillCasterLandColumn + KindUnder(caster)] / 100;
  if (p == 0) return kErrorTerrain;
  p = p * row[kSkillTargetLandColumn + KindUnder(target)] / 100;
  if (p == 0) return kErrorTerrain;
  p = p * row[kSkillTroopColumn + TroopRow(units[target].troopType)] / 100;
  if (p == 0) return kErrorInvalid;
  return p;
}

int Fight::GetSkill() {
  Log(1, "Fight::GetSkill", "开始", 0);
  int skill = ChosenSkill();
  FightHero& t = units[targetUnit];
  if (IsDamageSkill(skill)) return SkillDamage(skill, selectedUnit, targetUnit);
  switch (skill) {
    case 21: {
      int damage = SkillDamage(skill, selectedUnit, targetUnit);
      if (damage > 0) t.unitStatus = kStatusConfused;
      return damage;
    }
    case 6: enemyFood -= kFoodBurned; return 0;
    case 12: t.unitStatus = kStatusSealed; return 0;
    case 13: t.unitStatus = kStatusImmobile; return 0;
    case 14: t.unitStatus = kStatusConfused; return 0;
    case 18: t.unitStatus = kStatusQimen; return 0;
    case 23: t.unitStatus = kStatusStone; return 0;
    case kSkillHeal: t.soldiers += kHealSoldiers; return 0;
    case kSkillGreatHeal: t.soldiers += kGreatHealSoldiers; return 0;
    case 20: return kErrorInvalid;
    default: return 0;
  }
}

int Fight::CountSklHurt() {
  Log(1, "Fight::CountSklHurt", "开始", 0);
  int skill = ChosenSkill();
  int a = GetSkill();
  if (a == kErrorInvalid) {
    Refuse(kMessageInvalid);
    return -1;
  }
  if (a == kErrorTerrain) {
    Refuse(kMessageTerrain);
    return -1;
  }
  HitOutcome hit = SkillStrike(selectedUnit, targetUnit, a, enemySoldierTotal);
  // Skills that take no soldiers by the formula earn a fixed experience.
  int gain = IsDamageSkill(skill) ? hit.gain : kSkillFixedExperience;
  ShowSkillHurt(hit.loss, gain);
  units[selectedUnit].experience += gain;
  AfterHit(selectedUnit, targetUnit, false);
  return 0;
}

HitOutcome Fight::SkillStrike(int caster, int target, int damage, int& sideTotal) {
  return TakeSoldiers(caster, target, std::clamp(damage, 0, std::max(units[target].soldiers, 0)), sideTotal);
}

void Fight::PlaySkillAnimation(int skill, int caster, int target) {
  if (PlaysAttackAnimation(skill)) {
    PlayAttackAnimation(caster, target, false);
    return;
  }
  SkillAnimation anim = AnimationOf(skill);
  if (anim.y < 0) return;
  PictureScope pictures;
  for (int i = 0; i < kSkillFrames; ++i) {
    PaintCell(kSkillSheet, kSkillFrameW * (i % 2), anim.y, kSkillFrameW, kSkillFrameH, kSkillStageX, kSkillStageY);
    CopyBackToWindow();
    Wait(anim.pause);
  }
}

void Fight::ShowSkillHurt(int loss, int gain) {
  Log(1, "Fight::ShowSkillHurt", "开始", 0);
  int skill = ChosenSkill();
  bool damage = IsDamageSkill(skill);
  if (!(loss == 0 && damage)) {
    if (menuShow) {
      PlaySkillAnimation(skill, selectedUnit, targetUnit);
      if (damage || skill == 21) {
        PaintSoldiersLost(loss);
        Wait(1000);
      }
    } else {
      PaintSkillLossBox(skill, loss, kTileSize * battleMap.cursorCol,
                        kTileSize * battleMap.cursorRow + kPictureOffsetY);
      CopyBackToWindow();
      Wait(1000);
    }
  }
  ShowExperienceBox(gain);
}

void Fight::PaintSoldiersLost(int loss) {
  PaintText("兵力减少", 250, 100, 60);
  PaintDigits(loss, 300, 200, 50, 100, 100);
}

void Fight::PaintSkillLossBox(int skill, int loss, int x, int y) {
  char name[20];
  SkillName(skill, name);
  PaintPictureAt(kMessageBox, 105, 55);
  PaintText(name, 200, 85, 50);
  PaintText("兵力减少", 400, 85, 50);
  PaintLossAt(loss, x, y);
}

// The weather and spying skills take effect at the redraw after they were chosen.
void Fight::ResolveSkillResult() {
  Log(1, "Fight::ResolveSkillResult", "开始", 0);
  if (!skillResultPending) return;
  skillResultPending = 0;
  FightHero& caster = units[selectedUnit];
  if (viewState == kViewSpyResult) {
    if (!RuseSucceeds()) {
      PaintBmp(0, kMessageBox, 100, 200);
      PaintText("谍报    计谋失败！", 150, 280, 50);
      CopyBackToWindow();
      Wait(1000);
      return;
    }
    enemyIntelKnown = 1;
    ShowInformation(0, 0);
  }
  caster.experience += kSkillFixedExperience;
  ShowSkillHurt(0, kSkillFixedExperience);
  LevelUpIfDue(selectedUnit, false);
}
