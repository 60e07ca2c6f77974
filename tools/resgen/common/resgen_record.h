#pragma once
// What each step of a resgen run read and wrote, kept beside Res/ so that the
// next run does again only the steps whose sources changed. CMake calls resgen
// whenever any file of data/ changes; most of the time one table or list
// changed and the pictures painted from the rest need not be painted again.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class ResgenRecord {
 public:
  // Reads the record left by the last run into resDir. `version` names the
  // resgen making this run: a record made by another one is ignored, so a
  // changed painter repaints everything.
  void Open(const std::string& resDir, const std::string& version);
  bool Save() const;
  bool IsOpen() const { return open_; }
  void Close() { open_ = false; }

  // Runs `step` unless the record holds it with every file it read unchanged
  // (by content) and every file it wrote as it left them (by size and time).
  // Without an open record every step runs. A step is kept for the next run
  // only when it succeeded without reporting an error (some go on past one).
  // A step may instead be judged by a summary of the files it reads where
  // most of their content is none of its business (the portraits follow an
  // officer's name, role and age, not his soldiers): `summary` runs first, and
  // the files it reads count by what it makes of them.
  bool Run(const std::string& name, const std::function<bool()>& step,
           const std::function<std::string()>& summary = nullptr);
  // The readers and writers of resgen say here what the running step touches.
  void NoteRead(const std::string& path);
  void NoteWritten(const std::string& path);

  const std::vector<std::string>& StepsRun() const { return run_; }
  const std::vector<std::string>& StepsKept() const { return kept_; }

 private:
  struct Step {
    std::map<std::string, std::string> reads;   // path to content hash
    std::map<std::string, std::string> writes;  // path to size and modification time
    std::string summary;                        // hash of the summary, if the step has one
  };
  bool StillHolds(const Step& step) const;
  // Runs the summary, noting the files it read; the hash of what it made.
  std::string Summarize(const std::function<std::string()>& summary);

  bool open_ = false;
  std::string path_;
  std::string version_;
  std::map<std::string, Step> last_;
  std::map<std::string, Step> steps_;
  bool running_ = false;
  std::set<std::string> readNow_, writtenNow_, summarized_;
  std::vector<std::string> run_, kept_;
};

// A step of resgen through the run's record.
bool RunStep(const std::string& name, const std::function<bool()>& step,
             const std::function<std::string()>& summary = nullptr);

// The record of this process's run (main opens it; the tests may).
ResgenRecord& RunRecord();
// A file's content hash and its size and modification time as the record keeps them.
std::string ContentHash(const std::string& path);
std::string FileStamp(const std::string& path);
