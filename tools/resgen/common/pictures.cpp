#include "tools/resgen/common/pictures.h"

#include "tools/resgen/screens/screens_common.h"

bool GenerateScreenPictures(const ResgenPaths& paths) {
  return GenerateTitlePictures(paths) && GeneratePanelPictures(paths) && GenerateWarPictures(paths);
}

bool GeneratePictures(const ResgenPaths& paths) {
  if (!GenerateScreenPictures(paths)) return false;
  if (!GenerateMapPictures(paths)) return false;
  if (!GenerateBattlePictures(paths)) return false;
  if (!GeneratePortraits(paths)) return false;
  return true;
}
