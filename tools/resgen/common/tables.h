#pragma once
// The table half of resgen: the world (cities, map, scenarios' city tables,
// menus, battle maps, skills) and the people (officers, items, rulers,
// faction tables). Called in this order by GenerateTables.
#include "tools/resgen/common/resgen.h"

// Cities, map tables, start positions, menus and lists, battle maps, skills.
bool GenerateWorldTables(const ResgenPaths& paths);
// Officers, items, ruler lists and the faction tables derived from officers.
bool GeneratePeopleTables(const ResgenPaths& paths);
// Runs once the officers exist: derives each city's governor from them, writes
// Res/City/city1..4.kdt and checks the rules that tie officers to cities.
bool FinishWorldTables(const ResgenPaths& paths);
