#include "tools/resgen/tables.h"

// Officers, items, ruler lists and faction tables are not generated yet: the
// game then finds none of those files and starts every city without officers.
bool GeneratePeopleTables(const ResgenPaths& paths) { return true; }
