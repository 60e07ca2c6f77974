#pragma once
// A data table (".kdt"): whitespace-separated decimal numbers read one at a time.
// A failed read leaves the destination as it was, so a missing or short table
// never puts garbage into a record.
#include <cstdio>

class TableFile {
 public:
  explicit TableFile(const char* path);
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // True when a number was read into `out`; false at the end or on a non-number.
  bool Read(int& out);
  bool Read(double& out);

 private:
  FILE* file_ = nullptr;
};
