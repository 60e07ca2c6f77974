#pragma once
// The game's own fixed tables that the world data must agree with: which city
// lies in which direction of which (the battle deployment uses it), the ruler
// numbers of each scenario's ruler choice, the battle map of each city, and
// where the two sides deploy on a battle map.

constexpr int kCityCount = 50;
constexpr int kMapCityCount = 38;      // cities 0..37 stand on the map and can be fought over
constexpr int kScenarioCount = 4;
constexpr int kMapCols = 12;
constexpr int kMapRows = 9;
constexpr int kMapRowsUsed = 8;        // the name look-up stops at cell 96, so row 8 stays empty
constexpr int kDirections = 8;
constexpr int kOfficerCount = 300;
constexpr int kWhoBox = 14;  // the faction map frames each city's mark in a box this size

// attackDirectionTable: for city i, the 1-based city number lying in each
// direction 1..8 (1 bottom right, 2 top, 3 top right, 4 right, 5 bottom,
// 6 bottom left, 7 left, 8 top left); 0 = none.
extern const int kAttackDirectionTable[kMapCityCount][kDirections];
// Unit step (column, row) pointing in direction d (index d - 1); rows grow downwards.
extern const int kDirectionStep[kDirections][2];

constexpr int kMaxRulers = 18;
extern const int kRulerCount[kScenarioCount];
// Officer number of the ruler at each ruler-choice entry.
extern const int kRulerTable[kScenarioCount][kMaxRulers];

// Battle map number 0..6 of each city 0..37.
constexpr int kBattleMapCount = 7;
extern const int kCityBattleMap[kMapCityCount];

constexpr int kBattleRows = 31;
constexpr int kBattleCols = 32;
// Where the attackers' first unit stands, by direction 1..8: (row, column).
extern const int kAttackAnchor[kDirections][2];
// Where the defenders' first unit stands, by battle map: (row, column).
extern const int kDefenceAnchor[kBattleMapCount][2];
// Offsets (row, column) of positions 0..9 of a side, by formation 1..8.
extern const int kFormation[kDirections][10][2];

// Battle tile numbers 1..45 and their terrain kinds.
constexpr int kTileFirst = 1;
constexpr int kTileLast = 45;
enum TerrainKind { kPlain = 0, kGrass = 1, kMountain = 2, kForest = 3, kVillage = 4, kCityWall = 5, kCamp = 6, kRiver = 7 };
constexpr int kTerrainKinds = 8;
int TerrainOfTile(int tile);

constexpr int kSkillCount = 25;
constexpr int kSkillColumns = 32;
constexpr int kTroopTypes = 6;
constexpr int kWeatherKinds = 5;
