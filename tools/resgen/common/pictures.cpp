#include "tools/resgen/common/pictures.h"

#include "tools/resgen/common/resgen_record.h"
#include "tools/resgen/portraits/portraits.h"
#include "tools/resgen/screens/screens_common.h"

bool GenerateScreenPictures(const ResgenPaths& paths) {
  return GenerateTitlePictures(paths) && GeneratePanelPictures(paths) && GenerateWarPictures(paths);
}

bool GeneratePictures(const ResgenPaths& paths) {
  if (!RunStep("title-pictures", [&paths] { return GenerateTitlePictures(paths); })) return false;
  if (!RunStep("panel-pictures", [&paths] { return GeneratePanelPictures(paths); })) return false;
  if (!RunStep("war-pictures", [&paths] { return GenerateWarPictures(paths); })) return false;
  if (!RunStep("map-pictures", [&paths] { return GenerateMapPictures(paths); })) return false;
  if (!RunStep("battle-pictures", [&paths] { return GenerateBattlePictures(paths); })) return false;
  auto subjects = [&paths] { return PortraitSubjectsSummary(paths.resDir); };
  if (!RunStep(
          "portraits", [&paths] { return GeneratePortraits(paths); }, subjects))
    return false;
  return true;
}
