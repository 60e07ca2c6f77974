// A save interrupted by the process dying (power cut, kill, full disk quota)
// must leave the slot that was there readable and unchanged.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "campaign/save.h"
#include "shell/globals.h"
#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kVersion = 130818100;

// A campaign image as a game in progress gives it; the year tells saves apart.
SaveImage ImageOfYear(int year) {
  SaveImage s;
  s.playerRuler = 17;
  s.year = year;
  for (int i = 0; i < kSaveHeroes; ++i) {
    for (int f = 0; f < kSaveHeroFields; ++f) s.heroes[i][f] = (i * 7 + f) % 90;
    s.heroes[i][0] = i;
    s.heroes[i][1] = i % 40;
    s.heroes[i][11] = i % 50;
    s.heroes[i][12] = 0;
    s.heroes[i][14] = i % 51;
    s.heroes[i][17] = 0;
  }
  for (int i = 0; i < kSaveCities; ++i) {
    for (int f = 0; f < kSaveCityFields; ++f) s.cities[i][f] = i * 100 + f;
    s.cities[i][0] = i;
    s.cities[i][1] = i % 20;
    s.cities[i][2] = i % 30;
  }
  for (int i = 0; i < kSaveGoods; ++i) {
    for (int f = 0; f < kSaveGoodFields; ++f) s.goods[i][f] = (i + f) % 7;
    s.goods[i][0] = i;
  }
  for (auto& t : s.tasks) t[9] = 1;
  const int map[kSaveMapFields] = {3, 4, 12, 0, 2, 11, 17, 1, 0};
  for (int f = 0; f < kSaveMapFields; ++f) s.mapState[f] = map[f];
  s.heroListState[2] = 11;
  s.cityListState[2] = 11;
  s.goodListState[2] = 11;
  s.month = 7;
  return s;
}

// Runs Save::Write for slot 0 in a child process inside the sandbox, the child
// limited to `byteLimit` bytes per file (0: no limit). Returns the wait status:
// exit 0 when the write succeeded, 1 when Save::Write reported a failure.
// With `killed`, going past the limit ends the child with SIGXFSZ mid-write,
// as a kill would; otherwise the signal is ignored and the write fails with
// EFBIG, as on a full disk.
int WriteInChild(const Sandbox& box, const SaveImage& image, rlim_t byteLimit, bool killed = true) {
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(box.Root().c_str()) != 0) _exit(90);
    if (byteLimit > 0) {
      std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
      rlimit limit{byteLimit, byteLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    gameVersion = kVersion;
    static Save save;
    save.image = image;
    _exit(save.Write(0) ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

int ReadSlot(const Sandbox& box, SaveImage& out) {
  std::string text = box.Read("Res/Save/save0.ksv");
  return ParseSaveText(text.data(), text.size(), kVersion, out);
}

}  // namespace

TEST(DamagedSave, KilledInTheMiddleOfASaveTheOldSlotSurvives) {
  Sandbox box;
  int status = WriteInChild(box, ImageOfYear(190), 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::string old = box.Read("Res/Save/save0.ksv");
  ASSERT_GT(old.size(), 8192u);

  status = WriteInChild(box, ImageOfYear(215), 4096);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the save was meant to die half-way";
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);

  EXPECT_EQ(box.Read("Res/Save/save0.ksv"), old);
  SaveImage back;
  ASSERT_EQ(ReadSlot(box, back), kReadOk);
  EXPECT_EQ(back.year, 190);

  // The half-written temporary left behind does not stand in the next save's way.
  status = WriteInChild(box, ImageOfYear(220), 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(ReadSlot(box, back), kReadOk);
  EXPECT_EQ(back.year, 220);
  EXPECT_EQ(back.heroes[299][14], 299 % 51);
}

TEST(DamagedSave, DiskFullTheSaveFailsAndTheOldSlotSurvives) {
  Sandbox box;
  ASSERT_EQ(WriteInChild(box, ImageOfYear(190), 0), 0);
  std::string old = box.Read("Res/Save/save0.ksv");

  // Every write past 4 KB fails as on a full disk; Save::Write must say so.
  int status = WriteInChild(box, ImageOfYear(215), 4096, false);
  ASSERT_TRUE(WIFEXITED(status)) << "the save must fail, not end the process";
  EXPECT_EQ(WEXITSTATUS(status), 1) << "the failed write was reported as a success";
  EXPECT_EQ(box.Read("Res/Save/save0.ksv"), old);
  EXPECT_FALSE(std::filesystem::exists(box.Res() / "Save" / "save0.ksv.tmp")) << "the cut-off temporary stays behind";
  SaveImage back;
  ASSERT_EQ(ReadSlot(box, back), kReadOk);
  EXPECT_EQ(back.year, 190);
}
