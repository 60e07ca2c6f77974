#include "tools/resgen/battle/battle_art.h"

#include <cstdio>

#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"

namespace battle_art {

bool SaveFight(const ResgenPaths& paths, Pic pic, const Surface& image) { return SavePicture(paths, pic, image); }

bool SaveFightMasked(const ResgenPaths& paths, Pic image, Pic mask, const paint::Figure& figure) {
  // The paint sits in the paper: its grain shows through every figure.
  paint::Figure grained = figure;
  paint::PaperGrain(grained.color, static_cast<uint32_t>(PicStem(image).size()) * 977u + 31u, 0.1f);
  return SaveMaskedPicture(paths, image, mask, grained);
}

}  // namespace battle_art

bool GenerateBattlePictures(const ResgenPaths& paths) {
  using namespace battle_art;
  bool (*const groups[])(const ResgenPaths&) = {
      PaintTiles,     PaintUnitSheet,   PaintMarkers, PaintEffects,
      PaintStatusBar, PaintWeatherDays, PaintDuel,    PaintSkillSheet,
  };
  for (auto group : groups) {
    if (!group(paths)) {
      std::fprintf(stderr, "resgen: cannot write the battle pictures under %s/Fight\n", paths.resDir.c_str());
      return false;
    }
  }
  return true;
}
