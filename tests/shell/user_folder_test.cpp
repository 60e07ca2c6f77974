#include "shell/user_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

// An installed layout in a temporary folder: prefix/bin and prefix/share/kestrelmoor/Res.
class InstalledTree : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::path data = box_.Root() / "prefix" / "share" / "kestrelmoor" / "Res";
    WriteAll(data / "map.kbp", "picture");
    WriteAll(data / "Hero" / "hero1.kdt", "1 2 3");
    WriteAll(data / "startup.ini", "[Startup]\nWidth=800\n");
    fs::permissions(data / "startup.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directories(data / "Save");  // the build's empty folders must not become links
    fs::create_directories(box_.Root() / "prefix" / "bin");
    data_ = data.string();
    user_ = (box_.Root() / "home" / ".local" / "share" / "kestrelmoor").string();
  }
  Sandbox box_;
  std::string data_;
  std::string user_;
};

}  // namespace

TEST_F(InstalledTree, InstalledOnlyWhenTheDataSitsBesideTheBinariesFolder) {
  EXPECT_EQ(InstalledDataFor((box_.Root() / "prefix" / "bin").string()), data_);
  // A build tree has Res beside the binary: never treated as installed.
  fs::create_directories(box_.Root() / "prefix" / "bin" / "Res");
  EXPECT_EQ(InstalledDataFor((box_.Root() / "prefix" / "bin").string()), "");
  EXPECT_EQ(InstalledDataFor(BuildDir().string()), "");
  EXPECT_EQ(InstalledDataFor(""), "");
}

TEST_F(InstalledTree, FirstStartMakesThePlayersFolderAndLaterStartsKeepIt) {
  ASSERT_TRUE(PrepareUserFolder(data_, user_));
  fs::path res = fs::path(user_) / "Res";
  EXPECT_TRUE(fs::is_symlink(res / "map.kbp"));
  EXPECT_EQ(ReadAll(res / "Hero" / "hero1.kdt"), "1 2 3");
  EXPECT_TRUE(fs::is_directory(res / "Save") && !fs::is_symlink(res / "Save"));
  EXPECT_TRUE(fs::is_directory(res / "Log" / "Err"));
  EXPECT_FALSE(fs::is_symlink(res / "startup.ini"));
  EXPECT_EQ(ReadAll(res / "startup.ini"), "[Startup]\nWidth=800\n");
  // The player's copy must be writable although the installed one is not.
  EXPECT_NE(fs::status(res / "startup.ini").permissions() & fs::perms::owner_write, fs::perms::none);

  WriteAll(res / "Save" / "save0.ksv", "my campaign");
  WriteAll(res / "startup.ini", "[Startup]\nWidth=1024\n");
  // An upgrade brings a new picture and drops an old one.
  WriteAll(fs::path(data_) / "new.kbp", "new");
  fs::remove(fs::path(data_) / "map.kbp");
  ASSERT_TRUE(PrepareUserFolder(data_, user_));
  EXPECT_EQ(ReadAll(res / "Save" / "save0.ksv"), "my campaign");
  EXPECT_EQ(ReadAll(res / "startup.ini"), "[Startup]\nWidth=1024\n");
  EXPECT_EQ(ReadAll(res / "new.kbp"), "new");
  EXPECT_FALSE(fs::exists(fs::symlink_status(res / "map.kbp")));
}

TEST(UserFolderRoot, FollowsTheBaseDirectoryRules) {
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const char* oldHome = std::getenv("HOME");
  std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
  setenv("HOME", "/home/liubei", 1);
  setenv("XDG_DATA_HOME", "/data/liubei", 1);
  EXPECT_EQ(UserFolderRoot(), "/data/liubei/kestrelmoor");
  setenv("XDG_DATA_HOME", "relative", 1);
  EXPECT_EQ(UserFolderRoot(), "/home/liubei/.local/share/kestrelmoor");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserFolderRoot(), "/home/liubei/.local/share/kestrelmoor");
  unsetenv("HOME");
  EXPECT_EQ(UserFolderRoot(), "");
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
  if (oldXdg) setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
}

// The real binary copied into an installed layout runs in the player's folder:
// its screenshot lands there, paths on the command line still mean the folder it
// was started in, and a second start keeps the player's files.
TEST(InstalledGame, RunsInThePlayersFolder) {
  Sandbox box;
  fs::path prefix = box.Root() / "prefix";
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share" / "kestrelmoor");
  fs::copy_file(BuildDir() / "kestrelmoor", prefix / "bin" / "kestrelmoor");
  fs::create_directory_symlink(BuildDir() / "Res", prefix / "share" / "kestrelmoor" / "Res");
  box.Write("keys.txt", "VK:123\nshot title.png\n");
  std::string cmd = "cd '" + box.Root().string() + "' && env -u XDG_DATA_HOME HOME='" + box.Root().string() +
                    "/home' '" + (prefix / "bin" / "kestrelmoor").string() +
                    "' --headless --seed 1 --keys keys.txt --shots shots >out.txt 2>err.txt";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << box.Read("err.txt");
  fs::path user = box.Root() / "home" / ".local" / "share" / "kestrelmoor";
  ASSERT_TRUE(fs::is_directory(user / "Res" / "Save"));
  int shots = 0;
  for (const auto& e : fs::directory_iterator(user)) shots += e.path().extension() == ".png";
  EXPECT_EQ(shots, 1);
  EXPECT_TRUE(fs::exists(box.Root() / "shots" / "title.png"));

  WriteAll(user / "Res" / "Save" / "save1.ksv", "slot");
  std::string ini = ReadAll(user / "Res" / "startup.ini") + "\n; mine\n";
  WriteAll(user / "Res" / "startup.ini", ini);
  ASSERT_EQ(std::system(cmd.c_str()), 0) << box.Read("err.txt");
  EXPECT_EQ(ReadAll(user / "Res" / "Save" / "save1.ksv"), "slot");
  EXPECT_EQ(ReadAll(user / "Res" / "startup.ini"), ini);
}
