#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/resgen/common/pictures.h"
#include "tools/resgen/common/resgen.h"
#include "tools/resgen/common/resgen_record.h"
#include "tools/resgen/sound/sound_render.h"
#include "tools/resgen/sound/sound_sheet.h"

namespace {
int Usage() {
  std::fprintf(stderr,
               "usage: resgen DATA_DIR RES_DIR\n"
               "       resgen --contact-sheet RES_DIR FILE.png\n"
               "       resgen --sound-sheet RES_DIR FILE.png\n"
               "       resgen --famous-faces DATA_DIR RES_DIR FILE.png\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--contact-sheet") == 0) {
    if (!WriteContactSheet(argv[2], argv[3])) return 1;
    std::printf("resgen: contact sheet %s\n", argv[3]);
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "--sound-sheet") == 0) {
    if (!WriteSoundSheet(argv[2], argv[3])) return 1;
    std::printf("resgen: sound sheet %s\n", argv[3]);
    return 0;
  }
  if (argc == 5 && std::strcmp(argv[1], "--famous-faces") == 0) {
    if (!WriteFamousFaces(argv[2], argv[3], argv[4])) return 1;
    std::printf("resgen: famous faces %s\n", argv[4]);
    return 0;
  }
  if (argc != 3) return Usage();
  ResgenPaths paths{argv[1], argv[2]};
  auto start = std::chrono::steady_clock::now();
  // Another build of resgen may paint differently: its own program's content
  // names it (a relink that changed nothing keeps what it wrote).
  RunRecord().Open(paths.resDir, ContentHash("/proc/self/exe"));
  if (!PrepareResFolders(paths)) return 1;
  if (!GenerateTables(paths)) return 1;
  if (!GeneratePictures(paths)) return 1;
  if (!RunStep("sounds", [&paths] { return GenerateSounds(paths); })) return 1;
  if (!RunRecord().Save()) std::fprintf(stderr, "resgen: cannot keep the record of this run\n");
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("resgen: wrote %s in %.2f s (%zu steps done, %zu unchanged)\n", paths.resDir.c_str(), seconds,
              RunRecord().StepsRun().size(), RunRecord().StepsKept().size());
  return 0;
}
