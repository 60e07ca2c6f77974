#pragma once
// A data table (".kdt"): whitespace-separated decimal numbers read one at a time.
// A failed read leaves the destination as it was, so a missing or short table
// never puts garbage into a record.
#include <initializer_list>

#include "platform/number_text.h"

class TableFile {
 public:
  explicit TableFile(const char* path);

  bool IsOpen() const { return numbers_.HasText(); }
  // True when a number was read into `out`; false at the end or on a non-number.
  bool Read(int& out);
  bool Read(double& out);

 private:
  NumberText numbers_;
};

// Reads each of the fields in turn; false once one is missing (the rest keep
// what they held).
inline bool ReadFields(TableFile& table, std::initializer_list<int*> fields) {
  bool whole = true;
  for (int* field : fields) whole = whole && table.Read(*field);
  return whole;
}

// The tables' look-up: read records from the start of the file until one
// whose id is `wanted`, and only that record fills `slot`, so a record missing
// from the table keeps what it held. `readRest` reads a record's fields after
// its id (and applies the loading caps); it answers false for a record cut
// short by the end of the file, which also ends the search.
template <typename Record, typename ReadRest>
void LoadMatchingRecord(const char* path, int maxRecords, int wanted, Record& slot, int Record::*id,
                        ReadRest readRest) {
  TableFile table(path);
  for (int n = 0; n < maxRecords && table.IsOpen(); ++n) {
    Record r = slot;
    if (!table.Read(r.*id)) return;
    bool whole = readRest(table, r);
    if (r.*id == wanted) {
      slot = r;
      return;
    }
    if (!whole) return;
  }
}
