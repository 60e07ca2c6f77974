#include "tools/resgen/picture_files.h"

#include <cstdio>
#include <cstdlib>

#include "platform/bmp.h"
#include "platform/png_writer.h"

bool SavePicture(const ResgenPaths& paths, const std::string& name, const Surface& image) {
  std::string path = paths.resDir + "/" + name;
  if (!SaveBmp24(path, image)) {
    std::fprintf(stderr, "resgen: cannot write %s\n", path.c_str());
    return false;
  }
  if (const char* preview = std::getenv("KESTREL_ART_PREVIEW")) {
    std::string flat = name;
    for (char& c : flat)
      if (c == '/') c = '_';
    SavePng(std::string(preview) + "/" + flat + ".png", image);
  }
  return true;
}

bool SaveMaskedPicture(const ResgenPaths& paths, const std::string& imageName, const std::string& maskName,
                       const paint::Figure& figure) {
  Surface image;
  Surface mask;
  paint::SplitMasked(figure, image, mask);
  return SavePicture(paths, imageName, image) && SavePicture(paths, maskName, mask);
}
