#pragma once
// The screen picture groups GenerateScreenPictures runs, one per file.
#include "tools/resgen/resgen.h"

bool GenerateTitlePictures(const ResgenPaths& paths);   // screens_title.cpp
bool GeneratePanelPictures(const ResgenPaths& paths);   // screens_panels.cpp
bool GenerateWarPictures(const ResgenPaths& paths);     // screens_war.cpp
