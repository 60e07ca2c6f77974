// The ".kdt" table reader on its own: numbers read one at a time as integers
// or doubles, the read-until-match record look-up, and the battle map reader.
#include <cstdint>

#include "battle/battle_globals.h"
#include "battle/fight_map.h"
#include "campaign/table_file.h"
#include "fuzz/fuzz_support.h"

namespace {

const char* const kFolders[] = {"Fight"};

struct Record {
  int id = -7;
  int fields[17] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchFolder(kFolders, 1);
  WriteInput("Res/table.kdt", data, size);
  WriteInput("Res/Fight/fightmap00.kdt", data, size);
  {
    // Integers and doubles in an order the input's own bytes choose.
    TableFile table("Res\\table.kdt");
    if (!table.IsOpen()) __builtin_trap();
    for (size_t i = 0;; ++i) {
      bool asDouble = size > 0 && (data[i % size] & 1);
      int n = 12345;
      double d = 0.5;
      bool got = asDouble ? table.Read(d) : table.Read(n);
      if (!got) {
        // A failed read leaves the destination as it was.
        if (n != 12345 || d != 0.5) __builtin_trap();
        break;
      }
    }
  }
  // The look-up fills the slot only from the record with the wanted id.
  int wanted = size > 0 ? data[0] % 64 : 0;
  Record slot;
  LoadMatchingRecord("Res\\table.kdt", 300, wanted, slot, &Record::id, [](TableFile& table, Record& r) {
    bool whole = true;
    for (int& f : r.fields) whole = whole && table.Read(f);
    return whole;
  });
  if (slot.id != -7 && slot.id != wanted) __builtin_trap();
  static int tiles[kMapStride * kMapStride];
  int read = ReadBattleMapFile(0, tiles);
  if (read < 0 || read > kMapRows * kMapCols) __builtin_trap();
  return 0;
}
