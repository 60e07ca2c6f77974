#pragma once
// The per-scenario data files (named in rules/data_files.h) and the list
// look-up every name lookup goes through.
#include "rules/data_files.h"
#include "rules/pictures.h"
#include "rules/world.h"

// A scenario number that may index the per-scenario tables.
inline bool ValidScenario(int scenario) { return scenario >= 0 && scenario < kScenarioCount; }

// The officer name list of a scenario (scenario 0's for an invalid number, so
// that a lookup never indexes outside the table).
const char* HeroNameList(int scenario);

// Loads `listFile` into the text grid and copies up to `bytes` bytes of line
// `line` into `out`, which must hold bytes + 1 (always zero-terminated). A line outside the grid, or a missing
// file, leaves `out` as it was and returns false.
bool CopyListLine(const char* listFile, int line, char* out, int bytes);

// Finds the city index whose cell is (col, row) in the position table; -1 when
// no city stands there.
int FindCityAtCell(int col, int row);

// The map cell of a city index, from the position table; false when the table
// has no line for it (col and row are then left as they were).
bool CityCell(int cityIndex, int& col, int& row);
