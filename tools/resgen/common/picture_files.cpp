#include "tools/resgen/common/picture_files.h"

#include <cstdio>
#include <cstdlib>

#include "platform/bmp.h"
#include "platform/png_writer.h"
#include "tools/resgen/common/resgen_record.h"

namespace {
constexpr char kGameFolder[] = "Res\\";
}  // namespace

std::string PicFile(Pic pic) {
  std::string name = PicPath(pic) + (sizeof kGameFolder - 1);
  for (char& c : name)
    if (c == '\\') c = '/';
  return name;
}

std::string PicStem(Pic pic) {
  std::string name = PicFile(pic);
  size_t slash = name.rfind('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return name.substr(0, name.rfind('.'));
}

bool PicOfFile(const std::string& file, Pic& pic) {
  for (int i = 0; i < kPictureCount; ++i) {
    if (PicFile(static_cast<Pic>(i)) != file) continue;
    pic = static_cast<Pic>(i);
    return true;
  }
  return false;
}

bool SavePicture(const ResgenPaths& paths, Pic pic, const Surface& image) {
  std::string name = PicFile(pic);
  std::string path = paths.resDir + "/" + name;
  if (image.Width() != PicWidth(pic) || image.Height() != PicHeight(pic)) {
    std::fprintf(stderr, "resgen: %s is %dx%d, the game expects %dx%d\n", name.c_str(), image.Width(), image.Height(),
                 PicWidth(pic), PicHeight(pic));
    return false;
  }
  RunRecord().NoteWritten(path);
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

bool SaveMaskedPicture(const ResgenPaths& paths, Pic image, Pic mask, const paint::Figure& figure) {
  Surface color;
  Surface cut;
  paint::SplitMasked(figure, color, cut);
  return SavePicture(paths, image, color) && SavePicture(paths, mask, cut);
}
