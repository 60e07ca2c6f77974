#pragma once
// The battle's rule tables: terrain, movement, combat coefficients, skills and
// deployment. The rules the game shares with resgen (directions, battle maps,
// deployment, terrain, skills) live in rules/; this adds the battle's own.
#include "rules/battle_maps.h"
#include "rules/deployment.h"
#include "rules/directions.h"
#include "rules/data_files.h"
#include "rules/skills.h"
#include "rules/terrain.h"
#include "rules/troops.h"
#include "rules/weather.h"
#include "rules/world.h"

constexpr int kUnitSlots = 20;
constexpr int kSideSlots = 10;
constexpr int kEnemyBase = 10;  // first computer-side slot; also its commander
constexpr int kOwnCommander = 0;
constexpr int kStatusBeaten = 8;
constexpr int kLastDay = 31;  // the call of ShowDay that finds this ends the battle

enum UnitStatus {
  kStatusNormal = 0,
  kStatusConfused = 1,
  kStatusSealed = 2,
  kStatusImmobile = 3,
  kStatusQimen = 4,
  kStatusDunjia = 5,
  kStatusStone = 6,
  kStatusHidden = 7
};

// ---- terrain -------------------------------------------------------------
constexpr const char* kTerrainNames[kTerrainKinds] = {"平原", "草地", "山地", "森林", "村庄", "城池", "营寨", "河流"};
constexpr const char* kTerrainText[kTerrainKinds][3] = {
    {"平原：适合各兵种作战之", "地形。无防御效果。", ""},
    {"草地：适合各兵种作战之", "地形。无防御效果。", ""},
    {"山地：适合步兵和弓箭兵", "作战之地形。步兵、弓箭", "兵防御上升30%。"},
    {"森林：适合步兵和弓箭兵", "作战之地形。步兵、弓箭", "兵防御上升30%。"},
    {"村庄：适合各兵种作战之", "地形。各兵种防御上升10%", "。"},
    {"城池：适合各兵种作战之", "地形。各兵种防御上升50%", "。"},
    {"营寨：适合各兵种作战之", "地形。各兵种防御上升20%", "。"},
    {"河流：适合水军作战之地", "形。水军无防御效果。", ""},
};

static_assert(kBattleMapFiles == kBattleMapCount, "one table per battle map");

// ---- movement ------------------------------------------------------------
constexpr int kMoveBase[kTroopTypes] = {5, 4, 4, 5, 8, 8};
constexpr int kMoveCap = 8;
constexpr int kCostClassEnemy = 7;
constexpr int kCostClasses = 8;
inline int CostClassOfTile(int tile) {
  if (tile == 1 || tile == 2) return 0;
  if (IsMountainTile(tile)) return 1;
  if (tile == 5) return 2;
  if (tile == 3) return 4;
  if (tile == 4) return 5;
  if (tile == kCampTile) return 6;
  if (TileKnown(tile)) return 3;  // 16-40, 42-45: river
  return 0;
}
constexpr int kEnterCost[kCostClasses][kTroopTypes] = {
    {1, 1, 1, 2, 1, 1}, {3, 1, 1, 3, 2, 1}, {3, 1, 1, 3, 2, 1}, {3, 3, 3, 1, 2, 3},
    {3, 1, 1, 3, 2, 1}, {3, 1, 1, 3, 2, 1}, {3, 1, 1, 3, 2, 1}, {8, 8, 8, 8, 8, 8},
};

// ---- combat --------------------------------------------------------------
constexpr double kAttackCoefficient[kTerrainKinds][kTroopTypes] = {
    {1.0, 0.8, 0.9, 0.4, 1.3, 0.4}, {1.0, 0.8, 0.9, 0.4, 1.3, 0.4},     {0.25, 0.8, 0.9, 0.1, 1.3, 0.4},
    {0.5, 0.8, 0.9, 0.2, 1.3, 0.4}, {1.0, 0.8, 0.9, 0.4, 1.3, 0.4},     {1.0, 0.8, 0.9, 0.4, 1.3, 0.4},
    {1.0, 0.8, 0.9, 0.4, 1.3, 0.4}, {0.125, 0.2, 0.225, 0.8, 1.3, 0.4},
};
constexpr double kDefenceCoefficient[kTerrainKinds][kTroopTypes] = {
    {0.7, 1.2, 1.0, 0.55, 1.2, 0.6},          {0.7, 1.2, 1.0, 0.55, 1.2, 0.6},
    {0.2275, 1.56, 1.3, 0.17875, 1.56, 0.78}, {0.4025, 1.38, 1.15, 0.31625, 1.38, 0.69},
    {0.77, 1.32, 1.1, 0.605, 1.32, 0.66},     {1.05, 1.8, 1.5, 0.825, 1.8, 0.9},
    {0.84, 1.44, 1.2, 0.66, 1.44, 0.72},      {0.07, 0.24, 0.3, 0.88, 0.96, 0.48},
};
constexpr double kTroopAdvantage[kTroopTypes][kTroopTypes] = {
    {1.0, 1.2, 0.8, 1.0, 0.7, 1.3}, {0.8, 1.0, 1.2, 1.0, 0.6, 1.2}, {1.2, 0.8, 1.0, 1.0, 1.1, 1.2},
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0}, {1.1, 1.3, 0.9, 1.0, 1.0, 1.5}, {0.6, 0.6, 0.6, 0.6, 0.6, 0.6},
};
constexpr int kMinimumHit = 10;
constexpr int kLevelUpExperience = 100;

// A troop type outside the tables fights, moves and casts as cavalry rather
// than reading past a row.
inline int TroopRow(int troopType) { return (troopType >= 0 && troopType < kTroopTypes) ? troopType : 0; }
inline int TerrainRow(int kind) { return (kind >= 0 && kind < kTerrainKinds) ? kind : 0; }

constexpr const char* kTroopNames[kTroopTypes] = {"骑", "步", "弓", "水", "极", "玄"};
constexpr const char* kStatusNames[8] = {"正常", "混乱", "禁咒", "定身", "奇门", "遁甲", "石阵", "潜踪"};

// Quotes of the information box: three lines each.
constexpr const char* kQuotes[7][3] = {
    {"已获取敌人最新", "情报！可使用ho", "me键观看。    "},   {"随着能力的提升", "，我也应该有更", "好的表现吧！  "},
    {"哈哈……，知道", "我的厉害了吧！", "哟哟哟……    "},       {"早就说过，我是", "无敌的嘛！怎么", "就没人肯信呢？"},
    {"就这点兵力，实", "在无法再战下去", "，只好先撤退了。"}, {"谋事在人，成事", "在天。我已尽力", "。时也？命也？"},
    {"为什么受伤的总", "是我？我不甘心", "，我不甘心！  "},
};

// ---- skills --------------------------------------------------------------
constexpr int kSkillFixedExperience = 8;

constexpr int kMaxTroopSkills = 9;
struct TroopSkillList {
  int count;
  int skills[kMaxTroopSkills];
};
constexpr TroopSkillList kTroopSkills[kTroopTypes] = {
    {3, {7, 8, 9}},   {4, {0, 1, 2, 3}},  {3, {4, 5, 6}},
    {3, {10, 11, 6}}, {4, {7, 8, 9, 21}}, {9, {12, 13, 14, 15, 16, 17, 18, 19, 20}},
};
constexpr int kHeroStyles = 10;
struct SpecialSkillList {
  int count;
  int skills[2];
};
constexpr SpecialSkillList kSpecialSkills[kHeroStyles] = {
    {0, {0, 0}},  {1, {22, 0}},  {1, {23, 0}},  {1, {24, 0}}, {1, {18, 0}},
    {1, {24, 0}}, {2, {22, 24}}, {2, {23, 24}}, {1, {24, 0}}, {2, {18, 24}},
};
inline const SpecialSkillList& SpecialSkillsOf(int style) {
  return kSpecialSkills[(style >= 0 && style < kHeroStyles) ? style : 0];
}

// Troop skills offered: the highest level at which each count still applies,
// ascending; above the last threshold every skill of the troop is offered.
struct OfferSteps {
  int steps;
  int upToLevel[kMaxTroopSkills];
};
constexpr OfferSteps kOfferSteps[kTroopTypes] = {
    {2, {6, 10}}, {3, {5, 10, 15}}, {2, {5, 12}}, {2, {6, 12}}, {3, {6, 10, 15}}, {8, {1, 5, 6, 10, 11, 13, 16, 18}},
};
inline int OfferedTroopSkills(int troopType, int level) {
  if (troopType < 0 || troopType >= kTroopTypes) return 0;
  const OfferSteps& s = kOfferSteps[troopType];
  for (int i = 0; i < s.steps; ++i)
    if (level <= s.upToLevel[i]) return i + 1;
  return s.steps + 1;
}

// ---- deployment ----------------------------------------------------------
// The opening view puts a side's anchor under the cursor's start cell.
constexpr int kStartCursorRow = 2;
constexpr int kStartCursorCol = 4;
// FightMap::ShowStart's codes for the side the opening shows.
constexpr int kShowComputerSide = -2;
constexpr int kShowPlayerSide = -1;
