// The computer side's choice of target and action, and their resolution. The
// blows and losses follow the same rules as the player's (StrikeUnit,
// SkillDamage, SkillStrike, AfterHit); what differs is that the computer pays
// no skill power, rolls no ruse, and its skills only ever take soldiers.
#include <algorithm>

#include "battle/battle_globals.h"
#include "battle/fight.h"
#include "platform/random.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"

namespace {
constexpr int kModeAttack = 0;
constexpr int kModeSkill = 1;
constexpr int kCastDraw = 150;      // rand() % 150 must not exceed intelligence
constexpr int kAbilityWeight = 10;  // (force + intelligence) x 10 + level x 100
constexpr int kLevelWeight = 100;
constexpr int kMountainSkills[] = {1, 2};

bool NeedsMountain(int skill) {
  for (int s : kMountainSkills)
    if (s == skill) return true;
  return false;
}
}  // namespace

int Fight::AIGetRange(int mode, int skill) {
  Log(1, "Fight::AIGetRange", "开始", 0);
  const FightHero& u = units[targetUnit];
  const int(*grid)[kMapCols] = attackMap;
  if (mode == kModeAttack) {
    SetAt(u.row, u.col, targetUnit);
  } else {
    SetAtSkill(u.row, u.col, targetUnit, skill);
    grid = skillMap;
  }
  int candidates[kSideSlots];
  int count = 0;
  bool commanderInRange = false;
  for (int k = 0; k < ownUnitCount && k < kSideSlots; ++k) {
    const FightHero& p = units[k];
    if (p.Beaten() || !OnBattleMap(p.row, p.col) || grid[p.row][p.col] != 1) continue;
    candidates[count++] = k;
    if (k == kOwnCommander) commanderInRange = true;
  }
  if (count == 0) return 0;
  aiTarget = candidates[0];
  if (count == 1) return 1;
  // Beating the commander ends the battle: he is always the first choice.
  if (commanderInRange) {
    aiTarget = kOwnCommander;
    return 1;
  }
  int best = 0;
  if (mode == kModeSkill) aiBestScore = 0;
  for (int i = 0; i < count; ++i) {
    int e = mode == kModeAttack ? AICountAtHurtBefore(candidates[i]) : AICountSkillHurtBefore(candidates[i], skill);
    if (e > best) {
      best = e;
      aiTarget = candidates[i];
    }
  }
  if (mode == kModeSkill) aiBestScore = best;
  return 1;
}

int Fight::AIAtEnable() {
  Log(1, "Fight::AIAtEnable", "开始", 0);
  if (!AIGetRange(kModeAttack, 0)) return 0;
  AICountAtHurt();
  return 1;
}

// Clever units try ruses; strong ones would rather fight. A unit without any
// force, intelligence or level has nothing to weigh its soldiers against and
// goes on to try its ruse.
int Fight::AISkillEnable() {
  Log(1, "Fight::AISkillEnable", "开始", 0);
  FightHero& u = units[targetUnit];
  // A unit the opening never drew has no list yet; the list depends only on
  // its style and troop type, so building it here changes nothing else.
  u.SetSkillList();
  u.GetMenuSkill();
  if (skillMenuCount <= 0) return 0;
  if (Rand() % kCastDraw > u.intelligence) return 0;
  int m = (u.force + u.intelligence) * kAbilityWeight + u.level * kLevelWeight;
  m = m + m / 2;
  if (m > 0 && Rand() % m < u.soldiers) return 0;
  int skill = u.skills[Rand() % skillMenuCount];
  if (IsHelpfulSkill(skill)) return 0;
  if (!AICanUseSkill(skill) || !AIGetRange(kModeSkill, skill)) return 0;
  AICountSkillHurt(skill);
  return 1;
}

int Fight::AICanUseSkill(int skill) {
  Log(1, "Fight::AICanUseSkill", "开始", 0);
  return WeatherOK(skill) && AILandOK(skill) && AISkillOK(skill) ? 1 : 0;
}

// Only the caster's square is tested: the computer may aim skill 3 at any square.
int Fight::AILandOK(int skill) {
  Log(1, "Fight::AILandOK", "开始", 0);
  if (!NeedsMountain(skill)) return 1;
  const FightHero& u = units[targetUnit];
  return IsMountainTile(battleMap.TileAt(u.row, u.col)) ? 1 : 0;
}

int Fight::AISkillOK(int skill) {
  Log(1, "Fight::AISkillOK", "开始", 0);
  return units[targetUnit].skillPower >= SkillCost(skill) ? 1 : 0;
}

int Fight::AICountAtHurtBefore(int unit) {
  Log(1, "Fight::AICountAtHurtBefore", "开始", 0);
  if (unit < 0 || unit >= kUnitSlots) return 0;
  return HitLoss(targetUnit, unit);
}

// Only the skills that take soldiers by the formula are worth an estimate;
// a step of the formula that comes to nothing makes the skill useless (-1).
int Fight::AICountSkillHurtBefore(int unit, int skill) {
  Log(1, "Fight::AICountSkillHurtBefore", "开始", 0);
  if (unit < 0 || unit >= kUnitSlots || !IsDamageSkill(skill)) return -1;
  int p = SkillDamage(skill, targetUnit, unit);
  return p > 0 ? p : -1;
}

void Fight::AICountAtHurt() {
  Log(1, "Fight::AICountAtHurt", "开始", 0);
  if (aiTarget < 0 || aiTarget >= kSideSlots) return;
  const int attacker = targetUnit, target = aiTarget;
  PlayCue(Sound::kAttack);
  HitOutcome hit = StrikeUnit(attacker, target, ownSoldierTotal);
  AIShowArrowAt(target);
  AIShowAtHurt(hit.loss, hit.gain, target);
  AfterHit(attacker, target, true);
}

int Fight::AICountSkillHurt(int skill) {
  Log(1, "Fight::AICountSkillHurt", "开始", 0);
  if (aiTarget < 0 || aiTarget >= kSideSlots) return 0;
  const int attacker = targetUnit, target = aiTarget;
  PlayCue(SkillSound(skill));
  HitOutcome hit = SkillStrike(attacker, target, AICountSkillHurtBefore(target, skill), ownSoldierTotal);
  units[attacker].experience += hit.gain;
  AIShowSkillHurt(hit.loss, hit.gain, skill, target);
  AfterHit(attacker, target, true);
  return 0;
}
