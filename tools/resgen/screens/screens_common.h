#pragma once
// The screen picture groups GenerateScreenPictures runs, one per file.
#include "rules/pictures.h"
#include "tools/resgen/common/resgen.h"

bool GenerateTitlePictures(const ResgenPaths& paths);  // screens_title.cpp
bool GeneratePanelPictures(const ResgenPaths& paths);  // screens_panels.cpp
bool GenerateWarPictures(const ResgenPaths& paths);    // screens_war.cpp

#include <string>
#include <vector>

// The scenario cards, the title label from kCardTitleLeft to the right.
constexpr int kCardW = PicWidth(Pic::kCard1);
constexpr int kCardH = PicHeight(Pic::kCard1);
constexpr int kCardTitleLeft = kCardW - 106;
// The 225 card's peaks and their banners (banner box x1..x2, y1..y2).
struct CardBanner {
  std::string name;
  int peakX = 0, peakW = 0, peakH = 0;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
std::vector<CardBanner> TripodBanners();
