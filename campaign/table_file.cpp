#include "campaign/table_file.h"

#include "platform/file_cache.h"

TableFile::TableFile(const char* path) : numbers_(DataFileCache().Bytes(path)) {}

bool TableFile::Read(int& out) { return numbers_.Read(out); }

bool TableFile::Read(double& out) { return numbers_.Read(out); }
