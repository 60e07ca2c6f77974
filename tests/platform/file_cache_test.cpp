// The kept bytes of a data file: the file on disk with its current content
// whatever was read before, and the numbers in it read as the stream reads did.
#include "platform/file_cache.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/number_text.h"

namespace fs = std::filesystem;

namespace {

// Dates a file back (<chrono> does not build with the game's character set).
void SetAge(const std::string& path, int hours) {
  timespec times[2];
  times[0].tv_sec = times[1].tv_sec = time(nullptr) - hours * 3600;
  times[0].tv_nsec = times[1].tv_nsec = 0;
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

class FileCacheTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove(path_); }

  // Writes the file and dates it `hoursAgo` back (0: just now).
  void Write(const std::string& text, int hoursAgo) {
    std::ofstream(path_, std::ios::binary) << text;
    if (hoursAgo > 0) SetAge(path_, hoursAgo);
  }
  std::string Read(FileCache& cache) {
    auto bytes = cache.Bytes(path_);
    return bytes ? *bytes : "<none>";
  }

  std::string path_ =
      (fs::temp_directory_path() /
       ("file_cache_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".kdt"))
          .string();
};

TEST_F(FileCacheTest, SeesEveryChangeOnDiskAndRefusesAFileThatIsGone) {
  FileCache cache(1 << 20);
  Write("1 2 3", 3);
  EXPECT_EQ(Read(cache), "1 2 3");
  auto kept = cache.Bytes(path_);
  EXPECT_EQ(cache.Bytes(path_), kept) << "an unchanged file is not read again";
  Write("4 5 6", 2);  // same size, another time
  EXPECT_EQ(Read(cache), "4 5 6");
  EXPECT_EQ(*kept, "1 2 3") << "bytes handed out stay as they were";
  Write("4 5 6 7", 2);  // same time, another size
  EXPECT_EQ(Read(cache), "4 5 6 7");
  fs::remove(path_);
  EXPECT_EQ(Read(cache), "<none>");
  Write("8 9 0 1", 2);  // back under the stamp the gone file had, with other bytes
  EXPECT_EQ(Read(cache), "8 9 0 1");
}

TEST_F(FileCacheTest, AFileWrittenJustNowIsReadAgainEvenWithTheSameStamp) {
  FileCache cache(1 << 20);
  Write("ab", 0);
  struct stat before;
  ASSERT_EQ(stat(path_.c_str(), &before), 0);
  EXPECT_EQ(Read(cache), "ab");
  Write("cd", 0);
  timespec same[2] = {before.st_mtim, before.st_mtim};
  utimensat(AT_FDCWD, path_.c_str(), same, 0);  // two writes within one tick of the file clock
  EXPECT_EQ(Read(cache), "cd");
}

TEST_F(FileCacheTest, KeepsNoMoreThanItsBudgetButTheNewestFile) {
  FileCache cache(8);
  Write(std::string(20, 'x'), 3);
  EXPECT_EQ(Read(cache).size(), 20u);
  EXPECT_EQ(cache.HeldBytes(), 20u);
  std::string other = path_ + ".other";
  std::ofstream(other) << "y";
  SetAge(other, 3);
  EXPECT_EQ(*cache.Bytes(other), "y");
  EXPECT_EQ(cache.HeldBytes(), 1u);
  fs::remove(other);
}

// The old readers took the tables with fscanf: every text reads the same
// numbers, stops at the same place and goes on after a failure the same way.
TEST(NumberText, ReadsAsFscanfDid) {
  const char* texts[] = {
      "1 -2 +3\n4\t5\r\n", "12abc 7", "-x 5", "- 5", "+", "1e5 2", "99999999999 3", "0x10", "", "   ",
      "3.5 -0.25e1 inf x"};
  std::string path = (fs::temp_directory_path() / "number_text_fscanf.kdt").string();
  for (const char* text : texts) {
    for (bool asDouble : {false, true}) {
      std::ofstream(path, std::ios::binary) << text;
      FILE* f = std::fopen(path.c_str(), "r");
      ASSERT_NE(f, nullptr);
      NumberText numbers(std::make_shared<std::string>(text));
      for (int n = 0; n < 8; ++n) {
        int i0 = -777, i1 = -777;
        double d0 = -777, d1 = -777;
        bool old = asDouble ? std::fscanf(f, "%lf", &d0) == 1 : std::fscanf(f, "%d", &i0) == 1;
        bool now = asDouble ? numbers.Read(d1) : numbers.Read(i1);
        EXPECT_EQ(now, old) << '"' << text << "\" read " << n;
        EXPECT_EQ(i1, i0) << '"' << text << "\" read " << n;
        EXPECT_EQ(d1, d0) << '"' << text << "\" read " << n;
      }
      std::fclose(f);
    }
  }
  fs::remove(path);
}

}  // namespace
