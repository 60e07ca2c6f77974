#pragma once
// Battle-wide values shared by the player's turn, the computer's turn and the
// drawing code. They live outside Fight because the computer side reuses the
// same acting-unit, target and range grids as the player's routines.
#include "rules/battle_maps.h"
#include "shell/json_writer.h"

constexpr int kMapRows = kBattleRows;
constexpr int kMapCols = kBattleCols;

extern int selectedUnit;  // acting unit (player turn) or the attacking unit
extern int targetUnit;    // target unit; during the computer turn the moving computer unit
extern int savedRow;      // where the selected unit stood before its last move
extern int savedCol;
extern int messageCode;  // status-bar message, see kMessage* below
extern int pendingEnd;   // result noticed at the opening, consumed by the next key
extern int lastExp;      // experience gained by the last action
extern int skillMenuCount;
// The computer turn's choice: the player slot its acting unit will hit, and
// the best damage estimate found for that unit so far.
extern int aiTarget;
extern int aiBestScore;

extern int reachMap[kMapRows][kMapCols];
extern int attackMap[kMapRows][kMapCols];
extern int skillMap[kMapRows][kMapCols];

// messageCode values.
constexpr int kMessageNone = 0;
constexpr int kMessageUnreachable = 1;
constexpr int kMessageNoTarget = 2;
constexpr int kMessageInvalid = 3;
constexpr int kMessageWeather = 4;
constexpr int kMessageTerrain = 5;
constexpr int kMessageSkillPower = 6;

// A refused order: the status bar names why (one of the codes above) and the
// player hears the refusal.
void Refuse(int code);

// pendingEnd values.
constexpr int kPendingNone = 0;
constexpr int kPendingLost = 1;
constexpr int kPendingWon = 2;

inline bool OnBattleMap(int row, int col) { return row >= 0 && row < kMapRows && col >= 0 && col < kMapCols; }

void ClearGrid(int grid[kMapRows][kMapCols]);
void DumpBattleGlobals(JsonWriter& out);
