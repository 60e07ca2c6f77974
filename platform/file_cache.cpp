#include "platform/file_cache.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/files.h"
#ifdef __EMSCRIPTEN__
#include "platform/web.h"
#endif

namespace {

// Every table and list of Res/ together is about 100 KB; the battle maps add
// a few KB each.
constexpr size_t kDataFileBudget = 4u << 20;

// A file's modification time comes from a clock coarser than the writes it
// stamps: two writes of the same size close together may carry the same time.
// Bytes read while the file was this young are read again next time, so a
// file the game writes and reads back at once (the skill menu) is never stale.
constexpr time_t kSettledSeconds = 2;

bool ReadWhole(const std::string& path, std::string& out) {
  FILE* f = OpenFile(path, "rb");
  if (!f) return false;
  char buffer[16384];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, got);
  std::fclose(f);
  return true;
}

bool StatFile(const std::string& real, struct stat& st) {
#ifdef __EMSCRIPTEN__
  // The browser build fetches some files from its server when first opened.
  if (WebIsLate(real)) WebFetchIfLate(real);
#endif
  return stat(real.c_str(), &st) == 0;
}

bool SameStamp(off_t size, const timespec& mtime, const struct stat& st) {
  return size == st.st_size && mtime.tv_sec == st.st_mtim.tv_sec && mtime.tv_nsec == st.st_mtim.tv_nsec;
}

}  // namespace

std::shared_ptr<const std::string> FileCache::Bytes(const std::string& path) {
  std::string real = NormalizePath(path);
  struct stat st;
  bool there = StatFile(real, st);
  if (auto kept = Kept(real, there ? &st : nullptr)) return kept;
  if (!there) return nullptr;
  auto bytes = std::make_shared<std::string>();
  if (!ReadWhole(real, *bytes)) return nullptr;
  Entry entry;
  entry.path = real;
  entry.size = st.st_size;
  entry.mtime = st.st_mtim;
  entry.settled = st.st_mtim.tv_sec + kSettledSeconds < time(nullptr);
  entry.bytes = bytes;
  held_ += bytes->size();
  entries_.push_front(std::move(entry));
  Trim();
  return bytes;
}

std::shared_ptr<const std::string> FileCache::Kept(const std::string& real, const struct stat* st) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->path != real) continue;
    if (st && it->settled && SameStamp(it->size, it->mtime, *st)) {
      entries_.splice(entries_.begin(), entries_, it);
      return it->bytes;
    }
    // Changed or gone: whatever comes back under this name is read afresh.
    held_ -= it->bytes->size();
    entries_.erase(it);
    return nullptr;
  }
  return nullptr;
}

void FileCache::Trim() {
  while (held_ > budget_ && entries_.size() > 1) {
    held_ -= entries_.back().bytes->size();
    entries_.pop_back();
  }
}

FileCache& DataFileCache() {
  static FileCache cache(kDataFileBudget);
  return cache;
}
