#include "tools/resgen/common/resgen_record.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/resgen/common/resgen_io.h"

namespace {

constexpr const char* kRecordHeader = "resgen-record 1";
constexpr const char* kRecordSuffix = ".resgen-record";
constexpr uint64_t kFnvOffset = 1469598103934665603ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;
constexpr const char* kMissing = "-";

}  // namespace

namespace {

uint64_t Fnv(uint64_t hash, const char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kFnvPrime;
  return hash;
}

std::string HashText(uint64_t hash) {
  char text[32];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace

std::string ContentHash(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return kMissing;
  uint64_t hash = kFnvOffset;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) hash = Fnv(hash, buffer, static_cast<size_t>(in.gcount()));
  return HashText(hash);
}

std::string FileStamp(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return kMissing;
  return std::to_string(st.st_size) + ":" + std::to_string(st.st_mtim.tv_sec) + "." +
         std::to_string(st.st_mtim.tv_nsec);
}

// One line per file: "r HASH PATH" or "w STAMP PATH" (the path last, so it may
// hold spaces), each under the "step NAME" line of the step that touched it.
void ResgenRecord::Open(const std::string& resDir, const std::string& version) {
  open_ = true;
  path_ = resDir + kRecordSuffix;
  version_ = version;
  last_.clear();
  steps_.clear();
  run_.clear();
  kept_.clear();
  std::ifstream in(path_);
  std::string line;
  if (!std::getline(in, line) || line != std::string(kRecordHeader) + " " + version) return;
  Step* step = nullptr;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind, value, path;
    fields >> kind >> value;
    std::getline(fields >> std::ws, path);
    if (kind == "step") step = &last_[value];
    else if (step && kind == "r") step->reads[path] = value;
    else if (step && kind == "w") step->writes[path] = value;
    else if (step && kind == "s") step->summary = value;
  }
}

bool ResgenRecord::Save() const {
  if (!open_) return true;
  std::ofstream out(path_, std::ios::trunc);
  out << kRecordHeader << " " << version_ << "\n";
  for (const auto& [name, step] : steps_) {
    out << "step " << name << "\n";
    if (!step.summary.empty()) out << "s " << step.summary << "\n";
    for (const auto& [path, hash] : step.reads) out << "r " << hash << " " << path << "\n";
    for (const auto& [path, stamp] : step.writes) out << "w " << stamp << " " << path << "\n";
  }
  return static_cast<bool>(out);
}

bool ResgenRecord::StillHolds(const Step& step) const {
  for (const auto& [path, hash] : step.reads)
    if (ContentHash(path) != hash) return false;
  for (const auto& [path, stamp] : step.writes)
    if (stamp == kMissing || FileStamp(path) != stamp) return false;
  return true;
}

std::string ResgenRecord::Summarize(const std::function<std::string()>& summary) {
  summarized_.clear();
  if (!summary) return "";
  readNow_.clear();
  running_ = true;
  std::string text = summary();
  running_ = false;
  summarized_ = readNow_;
  return HashText(Fnv(kFnvOffset, text.data(), text.size()));
}

bool ResgenRecord::Run(const std::string& name, const std::function<bool()>& step,
                       const std::function<std::string()>& summary) {
  if (!open_) return step();
  std::string summaryHash = Summarize(summary);
  auto last = last_.find(name);
  if (last != last_.end() && last->second.summary == summaryHash && StillHolds(last->second)) {
    steps_[name] = last->second;
    kept_.push_back(name);
    return true;
  }
  readNow_.clear();
  writtenNow_.clear();
  Step done;
  done.summary = summaryHash;
  running_ = true;
  int errorsBefore = ErrorCount();
  bool ok = step();
  running_ = false;
  run_.push_back(name);
  // A step that failed is done again next time, whatever it left behind.
  if (!ok || ErrorCount() != errorsBefore) {
    steps_.erase(name);
    return ok;
  }
  for (const std::string& path : readNow_)
    if (!writtenNow_.count(path) && !summarized_.count(path)) done.reads[path] = ContentHash(path);
  for (const std::string& path : writtenNow_) done.writes[path] = FileStamp(path);
  steps_[name] = done;
  return true;
}

void ResgenRecord::NoteRead(const std::string& path) {
  if (running_) readNow_.insert(path);
}

void ResgenRecord::NoteWritten(const std::string& path) {
  if (running_) writtenNow_.insert(path);
}

bool RunStep(const std::string& name, const std::function<bool()>& step, const std::function<std::string()>& summary) {
  return RunRecord().Run(name, step, summary);
}

ResgenRecord& RunRecord() {
  static ResgenRecord record;
  return record;
}
