// A player's Res folder can be damaged in every way a disk or a careless hand
// allows. Whatever is missing, empty or cut short, the game must go on running:
// each case lets the monkey player loose on a damaged copy and expects it to
// finish its keys with every record check holding and no sanitizer finding.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKeys = 200;

// Folders the sandbox links whole are turned into folders of links, so that
// single files inside them can be damaged without touching the build's data.
void SplitLinkedFolders(const Sandbox& box) {
  for (const auto& entry : fs::directory_iterator(box.Res())) {
    if (!entry.is_symlink() || !fs::is_directory(entry.path())) continue;
    fs::path target = fs::read_symlink(entry.path());
    fs::remove(entry.path());
    fs::create_directory(entry.path());
    for (const auto& inner : fs::directory_iterator(target)) {
      fs::create_symlink(inner.path(), entry.path() / inner.path().filename());
    }
  }
}

using Damage = std::function<void(const fs::path& file)>;

void Remove(const fs::path& file) { fs::remove(file); }

void Empty(const fs::path& file) {
  fs::remove(file);
  std::ofstream(file, std::ios::binary).flush();
}

// Keeps the first half of the file, as an interrupted copy would.
void CutInHalf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  fs::remove(file);
  std::ofstream(file, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
}

// Damages every data file of Res with the extension.
int DamageAll(const Sandbox& box, const std::string& extension, const Damage& damage) {
  SplitLinkedFolders(box);
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(box.Res())) {
    if (entry.path().extension() == extension) files.push_back(entry.path());
  }
  for (const fs::path& f : files) damage(f);
  return static_cast<int>(files.size());
}

// Runs the monkey in the sandbox; returns its exit code and keeps its report.
// Damaged tables cannot agree on who rules whom, so the monkey leaves those
// two checks out here; every bound, and items held where their holder says, still hold.
int RunMonkey(const Sandbox& box, int seed, std::string& report) {
  setenv("KESTREL_MONKEY_DAMAGED_DATA", "1", 1);
  int code = box.RunGame("", "--monkey " + std::to_string(kKeys) + " --seed " + std::to_string(seed));
  unsetenv("KESTREL_MONKEY_DAMAGED_DATA");
  report = box.Read("out.txt") + box.Read("err.txt");
  return code;
}

void ExpectPlaysThrough(const Sandbox& box, int seed) {
  std::string report;
  EXPECT_EQ(RunMonkey(box, seed, report), 0) << report;
  EXPECT_NE(report.find(std::to_string(kKeys) + " keys pressed"), std::string::npos) << report;
}

struct Kind {
  const char* extension;
  const char* what;
};
const Kind kKinds[] = {{".kbp", "pictures"}, {".kss", "lists"}, {".kdt", "tables"}};

}  // namespace

TEST(DamagedRes, EveryKindOfFileMissingEmptyOrCutShort) {
  struct Way {
    const char* name;
    Damage damage;
  };
  const Way ways[] = {{"missing", Remove}, {"empty", Empty}, {"cut in half", CutInHalf}};
  int seed = 11;
  for (const Kind& kind : kKinds) {
    for (const Way& way : ways) {
      SCOPED_TRACE(std::string(kind.what) + " " + way.name);
      Sandbox box;
      ASSERT_GT(DamageAll(box, kind.extension, way.damage), 0);
      ExpectPlaysThrough(box, seed++);
    }
  }
}

TEST(DamagedRes, WholeDataFoldersMissing) {
  int seed = 31;
  for (const char* folder : {"Head", "City", "Fight", "Hero", "Good"}) {
    SCOPED_TRACE(folder);
    Sandbox box;
    fs::remove(box.Res() / folder);
    ExpectPlaysThrough(box, seed++);
  }
}

TEST(DamagedRes, LogAndSaveFoldersMissingOrInTheWay) {
  {
    SCOPED_TRACE("no Log folder");
    Sandbox box;
    fs::remove_all(box.Res() / "Log");
    ExpectPlaysThrough(box, 41);
  }
  {
    SCOPED_TRACE("a file where the Log folder belongs");
    Sandbox box;
    fs::remove_all(box.Res() / "Log");
    box.Write("Res/Log", "not a folder");
    ExpectPlaysThrough(box, 42);
  }
  {
    // Saves must fail without harm and without a slot appearing.
    SCOPED_TRACE("a file where the Save folder belongs");
    Sandbox box;
    fs::remove_all(box.Res() / "Save");
    box.Write("Res/Save", "not a folder");
    ExpectPlaysThrough(box, 43);
    EXPECT_TRUE(fs::is_regular_file(box.Res() / "Save"));
  }
}

TEST(DamagedRes, GarbageSaveSlotsAreRefusedAndPlayGoesOn) {
  Sandbox box;
  box.Write("Res/Save/save0.ksv", "");
  box.Write("Res/Save/save1.ksv", std::string("\xff\xfe\x00garbage\n-1 -2 99999999999999999999\n", 38));
  std::string numbers;
  for (int i = 0; i < 20000; ++i) numbers += std::to_string(i * 7919 % 100003 - 500) + " ";
  box.Write("Res/Save/save2.ksv", numbers);
  ExpectPlaysThrough(box, 51);
}

TEST(DamagedRes, StartupIniOfJunk) {
  // Width, height and key codes out of range are covered by the title tests;
  // these are the files no settings program would write.
  const std::string cases[] = {
      std::string("\x00\x01\x02\xff[[[=\n=\n[Key\nUp", 18),
      "[Startup]\nColor=-7\nMenushow=99999999999\nMenumove=-1\nMenuspeed=2147483647\nScreen=5\n",
      "[Key]\nReturn=38\nUp=38\nDown=38\nEsc=38\nLeft=38\nRight=38\nSpace=38\nHome=38\n",
      "[Startup]\nVersion=-2147483648\n[Startup]\nWidth=999999999999999999999\n",
  };
  int seed = 61;
  for (const std::string& ini : cases) {
    SCOPED_TRACE(ini);
    Sandbox box;
    box.Write("Res/startup.ini", ini);
    ExpectPlaysThrough(box, seed++);
  }
}

namespace {

// A new campaign (the first ruler, or the second with `secondRuler`) saved
// into slot 0, then the game is left.
std::string SaveScript(bool secondRuler) {
  return std::string("RETURN\nRETURN\nRETURN\n") + (secondRuler ? "DOWN\n" : "") +
         "RETURN\nESC\nDOWN\nRETURN\nRETURN\nRETURN\nquit\n";
}

// Box::RunGame with a shell prefix in front of the game (a limit or a trap).
int RunGameAfter(const Sandbox& box, const std::string& prefix, const std::string& script) {
  box.Write("keys.txt", script);
  std::string cmd = "cd '" + box.Root().string() + "' && " + prefix + "'" + (BuildDir() / "kestrelmoor").string() +
                    "' --headless --seed 7 --keys keys.txt >out.txt 2>err.txt";
  int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ino_t Inode(const fs::path& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A folder mounted over with something small or read-only for the life of the
// object; only root can mount, and a container may forbid it even to root.
class Mount {
 public:
  bool Tmpfs(const fs::path& at, long long bytes) {
    std::string options = "size=" + std::to_string(bytes);
    return Done(at, mount("kestrel-test", at.c_str(), "tmpfs", 0, options.c_str()) == 0);
  }
  bool ReadOnlyBind(const fs::path& at) {
    if (mount(at.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) != 0) return false;
    at_ = at;
    return mount(nullptr, at.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  ~Mount() {
    if (!at_.empty()) umount2(at_.c_str(), MNT_DETACH);
  }

 private:
  bool Done(const fs::path& at, bool ok) {
    if (ok) at_ = at;
    return ok;
  }
  fs::path at_;
};

}  // namespace

// The disk fills up while the game saves: the save fails, the slot that was
// there stays byte for byte, and play goes on. As root the Save folder is a
// tmpfs with room for little more than the old slot; otherwise the shell's
// file size limit stands in for the full disk (with SIGXFSZ ignored, so
// writes fail instead of the process dying).
TEST(DamagedRes, DiskFullWhileSavingKeepsTheOldSlot) {
  Sandbox maker;
  ASSERT_EQ(maker.RunGame(SaveScript(false)), 0) << maker.Read("err.txt");
  std::string old = maker.Read("Res/Save/save0.ksv");
  ASSERT_GT(old.size(), 8192u);

  Sandbox box;
  fs::path save = box.Res() / "Save";
  Mount disk;
  bool tmpfs = geteuid() == 0 && disk.Tmpfs(save, static_cast<long long>(old.size()) + 8192);
  box.Write("Res/Save/save0.ksv", old);
  ino_t before = Inode(save / "save0.ksv");
  std::string limit = tmpfs ? "" : "trap '' XFSZ; ulimit -f " + std::to_string(old.size() / 1024) + "; ";
  // The size limit applies to the run log as well; the game must live with that too.
  int code = RunGameAfter(box, limit, SaveScript(true));
  SCOPED_TRACE(tmpfs ? "tmpfs" : "ulimit -f");
  EXPECT_EQ(code, 0) << box.Read("err.txt");
  EXPECT_EQ(box.Read("Res/Save/save0.ksv"), old);
  EXPECT_EQ(Inode(save / "save0.ksv"), before) << "the slot was replaced";
  EXPECT_FALSE(fs::exists(save / "save0.ksv.tmp"));

  // With room again the same keys do replace the slot: the failure above was the disk's.
  Sandbox roomy;
  roomy.Write("Res/Save/save0.ksv", old);
  ASSERT_EQ(roomy.RunGame(SaveScript(true)), 0);
  EXPECT_NE(roomy.Read("Res/Save/save0.ksv"), old);
}

// A Res folder nobody may write to (a read-only medium or mount): saves, the
// run log, the skill list and the battle settings all fail; the game plays on
// and the old slot stays.
TEST(DamagedRes, ReadOnlyResFolder) {
  Sandbox maker;
  ASSERT_EQ(maker.RunGame(SaveScript(false)), 0);
  std::string old = maker.Read("Res/Save/save0.ksv");
  Sandbox box;
  box.Write("Res/Save/save0.ksv", old);
  Mount readOnly;
  if (geteuid() == 0) {
    if (!readOnly.ReadOnlyBind(box.Res())) GTEST_SKIP() << "root, but no read-only bind mount allowed here";
  } else {
    for (const auto& e : fs::recursive_directory_iterator(box.Res())) {
      if (!e.is_symlink()) fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::remove);
    }
    fs::permissions(box.Res(), fs::perms::owner_write, fs::perm_options::remove);
  }
  EXPECT_EQ(box.RunGame(SaveScript(true)), 0) << box.Read("err.txt");
  EXPECT_EQ(box.Read("Res/Save/save0.ksv"), old);
  ExpectPlaysThrough(box, 71);
  EXPECT_EQ(box.Read("Res/Save/save0.ksv"), old);
  if (geteuid() != 0) {
    fs::permissions(box.Res(), fs::perms::owner_all, fs::perm_options::add);
    for (const auto& e : fs::recursive_directory_iterator(box.Res())) {
      if (!e.is_symlink()) fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
    }
  }
}

TEST(DamagedRes, StartupIniIsAFolder) {
  Sandbox box;
  fs::remove(box.Res() / "startup.ini");
  fs::create_directories(box.Res() / "startup.ini" / "inside");
  ExpectPlaysThrough(box, 72);
  EXPECT_TRUE(fs::is_directory(box.Res() / "startup.ini"));
}
