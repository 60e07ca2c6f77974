// A whole new campaign set up from tables of one input (slow: every run sets
// up a campaign): every table a new campaign and a battle read, all filled
// with the same input, then a campaign set up from them and a battle map read.
#include <cstdint>

#include "campaign/who.h"
#include "fuzz/fuzz_support.h"

namespace {
const char* const kFolders[] = {"City", "Hero", "Good", "Fight"};
const char* const kTables[] = {
    "Res/City/city1.kdt", "Res/Hero/hero1.kdt",     "Res/Good/goods1.kdt",  "Res/Hero/herotowho1.kdt",
    "Res/citytowho1.kdt", "Res/City/setowner1.kdt", "Res/City/postion.kdt", "Res/arrive.kdt",
    "Res/who.kdt",        "Res/arrowset1.kdt",      "Res/Fight/skill.kdt",  "Res/Fight/fightmap00.kdt",
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchFolder(kFolders, 4);
  for (const char* table : kTables) WriteInput(table, data, size);
  static Who campaign;
  campaign.InitMap(0, 0);
  static int tiles[kMapStride * kMapStride];
  ReadBattleMapFile(0, tiles);
  return 0;
}
