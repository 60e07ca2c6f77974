#pragma once
// The picture generators. GeneratePictures (resgen.h) runs them in turn: the
// screens and the strategic map here, then the battle art and the portraits.
#include <string>

#include "tools/resgen/common/resgen.h"

// Title, intro, menus, panels and frames (screens_*.cpp).
bool GenerateScreenPictures(const ResgenPaths& paths);
// The strategic map, its icons, the side panel, the road map and the faction map (map_art.cpp).
bool GenerateMapPictures(const ResgenPaths& paths);
// Battle tiles, units, markers, effects, duel and skill sheets.
bool GenerateBattlePictures(const ResgenPaths& paths);
// The four portrait sheets under Res/Head.
bool GeneratePortraits(const ResgenPaths& paths);

// Every picture laid out on one labelled sheet, for review.
bool WriteContactSheet(const std::string& resDir, const std::string& pngPath);
// The famous faces of data/portraits.tsv (its first 40 rows) at twice their size,
// each as the last scenario shows him, from the tables under resDir.
bool WriteFamousFaces(const std::string& dataDir, const std::string& resDir, const std::string& pngPath);
