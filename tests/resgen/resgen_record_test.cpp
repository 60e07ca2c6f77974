// A run of resgen does again only the steps whose sources changed: by content,
// through the tables one step writes and the next reads, and whatever happened
// to their outputs since.
#include "tools/resgen/common/resgen_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/resgen/world_test_util.h"

namespace {

using Steps = std::vector<std::string>;

class ResgenRecordTest : public ::testing::Test {
 protected:
  // "copy" turns the source's lines into a table, "join" reads that table,
  // "first" only its first line, judged by a summary; "noisy" reports an error
  // and goes on.
  Steps RunAll(const std::string& version) {
    ResgenRecord& record = RunRecord();
    record.Open(res_, version);
    std::string source = dir_ / "a.txt", table = res_ + "/a.out", joined = res_ + "/b.out";
    record.Run("copy", [&] { return CopyLines(source, table); });
    record.Run("join", [&] { return CopyLines(table, joined); });
    auto firstLine = [&] { return FirstLine(table); };
    record.Run(
        "first", [&] { return WriteText(res_ + "/c.out", FirstLine(table)); }, firstLine);
    record.Run("noisy", [&] {
      ReportError(source, 0, "a warning");
      return true;
    });
    EXPECT_TRUE(record.Save());
    record.Close();
    return done_ = record.StepsRun();
  }
  static bool CopyLines(const std::string& from, const std::string& to) {
    std::vector<SourceRow> rows;
    if (!ReadLineFile(from, rows)) return false;
    std::string text;
    for (const SourceRow& row : rows) text += row.cells.empty() ? "\n" : row.cells[0] + "\n";
    return WriteText(to, text);
  }
  static std::string FirstLine(const std::string& from) {
    std::vector<SourceRow> rows;
    return ReadLineFile(from, rows) && !rows.empty() ? rows[0].cells[0] : "";
  }
  void WriteSource(const std::string& text) { std::ofstream(dir_ / "a.txt") << text; }

  QuietErrors quiet_;
  ScratchDir dir_{"resgen_record"};
  std::string res_ = dir_ / "Res";
  Steps done_;
};

TEST_F(ResgenRecordTest, DoesAgainOnlyWhatAChangeReaches) {
  std::filesystem::create_directories(res_);
  WriteSource("one\ntwo\n");
  EXPECT_EQ(RunAll("v1"), (Steps{"copy", "join", "first", "noisy"}));
  EXPECT_EQ(RunAll("v1"), (Steps{"noisy"})) << "nothing changed; a step that reported an error is never kept";
  WriteSource("# a comment\none\ntwo\n");
  EXPECT_EQ(RunAll("v1"), (Steps{"copy", "noisy"})) << "the table it wrote is the same, so join keeps its output";
  WriteSource("one\nthree\n");
  EXPECT_EQ(RunAll("v1"), (Steps{"copy", "join", "noisy"}))
      << "the first line, all that \"first\" follows, is the same";
  std::filesystem::remove(res_ + "/b.out");
  EXPECT_EQ(RunAll("v1"), (Steps{"join", "noisy"})) << "an output that is gone is written again";
  std::ofstream(res_ + "/a.out", std::ios::app) << "edited\n";
  EXPECT_EQ(RunAll("v1"), (Steps{"copy", "noisy"})) << "an output changed since is written again";
  EXPECT_EQ(RunAll("v2"), (Steps{"copy", "join", "first", "noisy"})) << "another resgen does everything";
  WriteSource("two\nthree\n");
  EXPECT_EQ(RunAll("v2"), (Steps{"copy", "join", "first", "noisy"}));
  std::ifstream joined(res_ + "/b.out");
  std::string first, second;
  joined >> first >> second;
  EXPECT_EQ(first + " " + second, "two three");
}

}  // namespace
