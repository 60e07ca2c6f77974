#pragma once
// The per-scenario data files (scenario s carries the number s + 1 in its
// names) and the list look-up every name lookup goes through.
#include "rules/world.h"

constexpr const char* kCityTables[kScenarioCount] = {"Res\\City\\city1.kdt", "Res\\City\\city2.kdt",
                                                     "Res\\City\\city3.kdt", "Res\\City\\city4.kdt"};
constexpr const char* kHeroTables[kScenarioCount] = {"Res\\Hero\\hero1.kdt", "Res\\Hero\\hero2.kdt",
                                                     "Res\\Hero\\hero3.kdt", "Res\\Hero\\hero4.kdt"};
constexpr const char* kHeroNameLists[kScenarioCount] = {"Res\\Hero\\heroname1.kss", "Res\\Hero\\heroname2.kss",
                                                        "Res\\Hero\\heroname3.kss", "Res\\Hero\\heroname4.kss"};
constexpr const char* kGoodTables[kScenarioCount] = {"Res\\Good\\goods1.kdt", "Res\\Good\\goods2.kdt",
                                                     "Res\\Good\\goods3.kdt", "Res\\Good\\goods4.kdt"};
constexpr const char* kPortraitSheets[kScenarioCount] = {"Res\\Head\\1dznq.kbp", "Res\\Head\\2ccjq.kbp",
                                                         "Res\\Head\\3cbzz.kbp", "Res\\Head\\4sgdl.kbp"};
constexpr const char* kCityFactionTables[kScenarioCount] = {"Res//citytowho1.kdt", "Res//citytowho2.kdt",
                                                            "Res//citytowho3.kdt", "Res//citytowho4.kdt"};
constexpr const char* kHeroFactionTables[kScenarioCount] = {
    "Res\\Hero\\herotowho1.kdt", "Res\\Hero\\herotowho2.kdt", "Res\\Hero\\herotowho3.kdt",
    "Res\\Hero\\herotowho4.kdt"};

constexpr const char* kCityPositionTable = "Res\\City\\postion.kdt";
constexpr const char* kCityNameByCell = "Res//cityname.kss";
constexpr const char* kCityNameByNumber = "Res\\citynamebylist.kss";
constexpr const char* kGoodNames = "Res\\goods.kss";

// A scenario number that may index the tables above.
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
