#pragma once
// The menus and fixed lists of the game, from data/lists/*.txt.
#include <string>

#include "tools/resgen/common/resgen.h"

struct MenuList {
  const char* source;  // under data/lists/
  const char* target;  // under Res/
  int entries;         // the game's menu expects exactly this many
  int maxBytes;        // what the menu's width shows (2 cells: 2 characters)
};
// Every list resgen writes from data/lists, with its required shape.
extern const MenuList kMenuLists[];
extern const int kMenuListCount;

// Reads, checks and writes one list; false (with the reason reported) when
// its entry count or a line's length breaks the menu's shape.
bool WriteMenuList(const std::string& dataDir, const std::string& resDir, const MenuList& list);
bool WriteMenuLists(const ResgenPaths& paths);
