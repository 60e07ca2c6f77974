#pragma once
// The 25 battle skills by number, the columns of the skill table
// (Res/Fight/skill.kdt, written from data/battle/skills.tsv) and what each
// costs to cast.
#include "rules/terrain.h"
#include "rules/troops.h"
#include "rules/weather.h"

enum Skill {
  kSkillFire = 0,        // 火计
  kSkillRockfall = 1,    // 落石
  kSkillLogs = 2,        // 滚木
  kSkillSiege = 3,       // 攻城
  kSkillVolley = 4,      // 齐射
  kSkillCrossbow = 5,    // 连弩
  kSkillBurnFood = 6,    // 烧粮
  kSkillCharge = 7,      // 冲锋
  kSkillAssault = 8,     // 突击
  kSkillRaid = 9,        // 奔袭
  kSkillFlood = 10,      // 水攻
  kSkillFireShip = 11,   // 火船
  kSkillSeal = 12,       // 禁咒
  kSkillHold = 13,       // 定身
  kSkillConfuse = 14,    // 混乱
  kSkillHeal = 15,       // 鼓舞
  kSkillSkyFire = 16,    // 天火
  kSkillThunder = 17,    // 落雷
  kSkillQimen = 18,      // 奇门
  kSkillGreatHeal = 19,  // 援军
  kSkillDunjia = 20,     // 遁甲
  kSkillMelee = 21,      // 乱击
  kSkillWeather = 22,    // 借风
  kSkillStoneMaze = 23,  // 石阵
  kSkillSpy = 24,        // 谍报
};
constexpr int kSkillCount = 25;

// One row of the skill table: number, cost, power, two unused columns, then
// percentages by weather 1..5, by the caster's terrain, by the target's
// terrain and by the target's troop type.
constexpr int kSkillCostColumn = 1;
constexpr int kSkillBasePowerColumn = 2;
constexpr int kSkillWeatherColumn = 4;      // + weather 1..5
constexpr int kSkillCasterLandColumn = 10;  // + terrain kind
constexpr int kSkillTargetLandColumn = 18;  // + terrain kind
constexpr int kSkillTroopColumn = 26;       // + troop type
constexpr int kSkillTableColumns = 32;
static_assert(kSkillWeatherColumn + kWeatherKinds < kSkillCasterLandColumn);
static_assert(kSkillCasterLandColumn + kTerrainKinds == kSkillTargetLandColumn);
static_assert(kSkillTargetLandColumn + kTerrainKinds == kSkillTroopColumn);
static_assert(kSkillTroopColumn + kTroopTypes == kSkillTableColumns);

// Skill power a cast takes. The battle holds these; the table's cost column
// only repeats them for reading.
constexpr int kSkillCost[kSkillCount] = {15, 20, 25, 30, 15, 20, 25, 15, 20, 25, 15, 30, 15,
                                         20, 20, 15, 30, 30, 20, 30, 30, 25, 10, 20, 15};
constexpr int SkillCost(int skill) { return (skill >= 0 && skill < kSkillCount) ? kSkillCost[skill] : 0; }

// Skills whose whole effect is the damage formula.
constexpr bool IsDamageSkill(int s) {
  return (s >= kSkillFire && s <= kSkillCrossbow) || (s >= kSkillCharge && s <= kSkillFireShip) || s == kSkillSkyFire ||
         s == kSkillThunder;
}
// Skills that take soldiers through the formula, the melee also confusing its target.
constexpr bool DealsDamage(int s) { return IsDamageSkill(s) || s == kSkillMelee; }
constexpr bool IsHelpfulSkill(int s) { return s == kSkillHeal || s == kSkillGreatHeal; }
// The squares a skill reaches from its caster: walking-distance rings, or the
// eight surrounding squares.
struct SkillPattern {
  int minDistance;
  int maxDistance;
  bool surrounding;
};
constexpr bool SkillPatternOf(int skill, SkillPattern& p) {
  switch (skill) {
    case kSkillSiege:
    case kSkillFlood:
    case kSkillFireShip: p = {1, 1, false}; return true;
    case kSkillCharge: p = {1, 1, true}; return true;
    case kSkillRockfall:
    case kSkillLogs: p = {1, 2, false}; return true;
    case kSkillAssault: p = {2, 2, false}; return true;
    case kSkillVolley:
    case kSkillCrossbow:
    case kSkillBurnFood:
    case kSkillRaid:
    case kSkillMelee: p = {3, 3, false}; return true;
    case kSkillFire:
    case kSkillSeal:
    case kSkillHold:
    case kSkillConfuse:
    case kSkillSkyFire:
    case kSkillThunder:
    case kSkillQimen:
    case kSkillDunjia:
    case kSkillStoneMaze: p = {1, 3, false}; return true;
    case kSkillHeal:
    case kSkillGreatHeal: p = {0, 3, false}; return true;
    default: return false;
  }
}
// Whether the square (dr, dc) away from the caster lies in the skill's pattern.
constexpr bool SkillReaches(int skill, int dr, int dc) {
  SkillPattern p{};
  if (!SkillPatternOf(skill, p)) return false;
  int ar = dr < 0 ? -dr : dr, ac = dc < 0 ? -dc : dc;
  if (p.surrounding) return (ar > ac ? ar : ac) == 1;
  return ar + ac >= p.minDistance && ar + ac <= p.maxDistance;
}

// Skills that act on the whole field: no target square is chosen.
constexpr bool IsFieldSkill(int s) { return s == kSkillSpy || s == kSkillWeather; }
