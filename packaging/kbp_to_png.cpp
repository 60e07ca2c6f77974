// Turns one of the game's pictures into a PNG at build time: the desktop icon
// is the about picture, so the menu entry and the game window show the same face.
#include <cstdio>

#include "platform/bmp.h"
#include "platform/png_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kbp_to_png PICTURE.kbp OUT.png\n");
    return 2;
  }
  Surface picture;
  if (!LoadBmpFile(argv[1], picture) || picture.Empty()) {
    std::fprintf(stderr, "kbp_to_png: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!SavePng(argv[2], picture)) {
    std::fprintf(stderr, "kbp_to_png: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
