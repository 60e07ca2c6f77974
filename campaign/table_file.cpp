#include "campaign/table_file.h"

#include "platform/files.h"

TableFile::TableFile(const char* path) : file_(OpenFile(path, "r")) {}

TableFile::~TableFile() {
  if (file_ != nullptr) fclose(file_);
}

bool TableFile::Read(int& out) {
  if (file_ == nullptr) return false;
  int value = 0;
  if (fscanf(file_, "%d", &value) != 1) return false;
  out = value;
  return true;
}

bool TableFile::Read(double& out) {
  if (file_ == nullptr) return false;
  double value = 0;
  if (fscanf(file_, "%lf", &value) != 1) return false;
  out = value;
  return true;
}
