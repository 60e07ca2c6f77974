#pragma once
// resgen: writes Res/ (tables, lists, pictures) from the UTF-8 sources in data/.
#include <string>

struct ResgenPaths {
  std::string dataDir;  // the data/ folder of the source tree
  std::string resDir;   // the Res/ folder to write
};

// Folders and the files the game writes for itself: Res, Res/Head, Res/City,
// Res/Fight, Res/Good, Res/Hero, Res/Save, Res/Log, Res/Log/Err; the default
// startup.ini only when there is none (a player's settings are never overwritten).
bool PrepareResFolders(const ResgenPaths& paths);
// Every ".kdt" table and ".kss" list. Returns false and prints the offending
// record when the data break a rule.
bool GenerateTables(const ResgenPaths& paths);
// Every ".kbp" picture (reads the tables written by GenerateTables where the
// pictures follow the data: map, faction map, portraits).
bool GeneratePictures(const ResgenPaths& paths);
