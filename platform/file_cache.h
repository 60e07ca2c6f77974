#pragma once
// The bytes of the game's data files kept in memory between reads. The game
// looks a table or a list up on disk again for every question it asks, so an
// edited file is seen at once; reading through this keeps that, because an
// entry is used only while the file's size and modification time are those it
// had when it was read, and costs a stat instead of an open, a parse and a close.
#include <sys/stat.h>
#include <sys/types.h>

#include <ctime>
#include <list>
#include <memory>
#include <string>

class FileCache {
 public:
  explicit FileCache(size_t budgetBytes) : budget_(budgetBytes) {}

  // The file's bytes as they are on disk now, or nullptr when it cannot be
  // read. The bytes stay valid while the caller holds them, whatever is read next.
  std::shared_ptr<const std::string> Bytes(const std::string& path);
  size_t HeldBytes() const { return held_; }

 private:
  struct Entry {
    std::string path;
    off_t size = 0;
    timespec mtime{};
    bool settled = false;
    std::shared_ptr<const std::string> bytes;
  };
  // The entry's bytes while the file still has its stamp (`st`, null when it is
  // gone); a stale entry is dropped.
  std::shared_ptr<const std::string> Kept(const std::string& real, const struct stat* st);
  void Trim();

  size_t budget_;
  size_t held_ = 0;
  std::list<Entry> entries_;  // most recently used first
};

// The one cache the game's readers share.
FileCache& DataFileCache();
