// A player's Res folder can be damaged in every way a disk or a careless hand
// allows. Whatever is missing, empty or cut short, the game must go on running:
// each case lets the monkey player loose on a damaged copy and expects it to
// finish its keys with every record check holding and no sanitizer finding.
#include <gtest/gtest.h>

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
