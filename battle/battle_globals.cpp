#include "battle/battle_globals.h"

#include <cstring>

#include "shell/sound_cues.h"

int selectedUnit = 0;
int targetUnit = 0;
int savedRow = 0;
int savedCol = 0;
int messageCode = 0;
int pendingEnd = 0;
int lastExp = 0;
int skillMenuCount = 0;
int aiTarget = 0;
int aiBestScore = 0;

int reachMap[kMapRows][kMapCols];
int attackMap[kMapRows][kMapCols];
int skillMap[kMapRows][kMapCols];

void Refuse(int code) {
  messageCode = code;
  PlayCue(Sound::kRefusal);
}

void ClearGrid(int grid[kMapRows][kMapCols]) { std::memset(grid, 0, sizeof(int) * kMapRows * kMapCols); }

namespace {
void DumpGrid(JsonWriter& out, const char* name, const int grid[kMapRows][kMapCols]) {
  out.BeginArray(name);
  for (int r = 0; r < kMapRows; ++r) {
    out.BeginArray();
    for (int c = 0; c < kMapCols; ++c) out.Int(grid[r][c]);
    out.EndArray();
  }
  out.EndArray();
}
}  // namespace

void DumpBattleGlobals(JsonWriter& out) {
  out.Int("selectedUnit", selectedUnit);
  out.Int("targetUnit", targetUnit);
  out.Int("savedRow", savedRow);
  out.Int("savedCol", savedCol);
  out.Int("messageCode", messageCode);
  out.Int("pendingEnd", pendingEnd);
  out.Int("lastExp", lastExp);
  out.Int("skillMenuCount", skillMenuCount);
  out.Int("aiTarget", aiTarget);
  out.Int("aiBestScore", aiBestScore);
  DumpGrid(out, "reachMap", reachMap);
  DumpGrid(out, "attackMap", attackMap);
  DumpGrid(out, "skillMap", skillMap);
}
