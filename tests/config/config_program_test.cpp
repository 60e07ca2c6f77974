#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/sandbox.h"
#include "tools/config/config_settings.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMenushow = 4, kSpeed = 7, kMusic = 8, kEffects = 9, kReturnKey = 10, kEscKey = 11, kUpKey = 14,
              kDownKey = 15;
constexpr int kSaveRow = 18;
constexpr int kWidth = 0;

// A startup.ini with lines the program must not touch: a comment, an unknown key,
// a section of its own and a value outside its choices.
const char* const kIni =
    "; tuned by hand\n"
    "[Startup]\n"
    "Width=800\n"
    "Height=600\n"
    "Version=130818100\n"
    "Color=0\n"
    "Menushow=0\n"
    "Menumove=0\n"
    "Menuspeed=0\n"
    "Screen=0\n"
    "Mod=7\n"
    "\n"
    "[Key]\n"
    "Return=13\n"
    "Esc=27\n"
    "Space=32\n"
    "Home=36\n"
    "Up=38\n"
    "Down=40\n"
    "Left=37\n"
    "Right=39\n"
    "\n"
    "[Mods]\n"
    "Path=mods\n";

int RunConfig(const Sandbox& box, const std::string& script) {
  box.Write("config-keys.txt", script);
  std::string cmd = "cd '" + box.Root().string() + "' && '" + (BuildDir() / "kestrelmoor-config").string() +
                    "' --headless --keys config-keys.txt --shots shots >out.txt 2>err.txt";
  int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Downs(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "DOWN\n";
  return s;
}

// The file as expected after replacing `from` by `to` once.
std::string With(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace

TEST(ConfigSettings, KeysAreNeverShared) {
  Sandbox box;
  box.Write("Res/startup.ini", kIni);
  ConfigSettings settings;
  settings.Load((box.Res() / "startup.ini").string());
  int takenBy = -1;
  EXPECT_EQ(settings.AssignKey(kUpKey, 40, takenBy), KeyAssign::Taken);
  EXPECT_EQ(takenBy, kDownKey);
  EXPECT_EQ(settings.AssignKey(kUpKey, 123, takenBy), KeyAssign::Reserved);
  EXPECT_EQ(settings.AssignKey(kUpKey, 112, takenBy), KeyAssign::Reserved);  // F1, the help
  EXPECT_EQ(settings.AssignKey(kUpKey, 113, takenBy), KeyAssign::Reserved);  // F2, the report log
  EXPECT_EQ(settings.AssignKey(kUpKey, 0, takenBy), KeyAssign::Invalid);
  EXPECT_EQ(settings.AssignKey(kUpKey, 256, takenBy), KeyAssign::Invalid);
  EXPECT_EQ(settings.AssignKey(kUpKey, 38, takenBy), KeyAssign::Unchanged);
  EXPECT_FALSE(settings.Changed());
  // Moving Return away frees 13 for another role.
  EXPECT_EQ(settings.AssignKey(kReturnKey, 'J', takenBy), KeyAssign::Done);
  EXPECT_EQ(settings.AssignKey(kEscKey, 13, takenBy), KeyAssign::Done);
  EXPECT_EQ(settings.Value(kEscKey), 13);
  EXPECT_TRUE(settings.Changed());
}

TEST(ConfigSettings, ChoicesStepAndWrapAndOffListValuesMoveToNeighbours) {
  Sandbox box;
  box.Write("Res/startup.ini", With(kIni, "Width=800", "Width=900"));
  ConfigSettings settings;
  settings.Load((box.Res() / "startup.ini").string());
  EXPECT_EQ(settings.Value(kWidth), 900);
  settings.Step(kWidth, 1);
  EXPECT_EQ(settings.Value(kWidth), 1024);
  settings.Load((box.Res() / "startup.ini").string());
  settings.Step(kWidth, -1);
  EXPECT_EQ(settings.Value(kWidth), 800);
  settings.Step(kMenushow, 1);
  EXPECT_EQ(settings.Value(kMenushow), 1);
  settings.Step(kMenushow, 1);
  EXPECT_EQ(settings.Value(kMenushow), 0);
  settings.Step(kMenushow, -1);
  EXPECT_EQ(settings.Value(kMenushow), 1);
}

TEST(ConfigSettings, MissingFileAndBadKeysGiveTheGameDefaults) {
  Sandbox box;
  fs::remove(box.Res() / "startup.ini");
  ConfigSettings settings;
  settings.Load((box.Res() / "startup.ini").string());
  EXPECT_EQ(settings.Value(kWidth), 0);  // no size named: the game fits the desktop
  EXPECT_EQ(settings.Value(kSpeed), 1);
  EXPECT_EQ(settings.Value(kUpKey), 38);
  box.Write("Res/startup.ini", With(kIni, "Up=38", "Up=999"));
  settings.Load((box.Res() / "startup.ini").string());
  EXPECT_EQ(settings.Value(kUpKey), 38);
}

TEST(ConfigProgram, ChangesASettingAndAKeyAndKeepsEveryOtherLine) {
  Sandbox box;
  box.Write("Res/startup.ini", kIni);
  // Menushow on, Up becomes W, then the save row.
  std::string script = Downs(kMenushow) + "RIGHT\nshot list.png\n" + Downs(kUpKey - kMenushow) +
                       "RETURN\nVK:87\nshot key.png\n" + Downs(kSaveRow - kUpKey) + "RETURN\n";
  ASSERT_EQ(RunConfig(box, script), 0) << box.Read("err.txt");
  std::string expected = With(With(kIni, "Menushow=0", "Menushow=1"), "Up=38", "Up=87");
  EXPECT_EQ(box.Read("Res/startup.ini"), expected);
  EXPECT_TRUE(fs::exists(box.Root() / "shots" / "key.png"));
}

TEST(ConfigProgram, RefusesATakenKeyAndLeavesWithoutSavingOnDoubleEsc) {
  Sandbox box;
  box.Write("Res/startup.ini", kIni);
  // Up: Down's key and Esc's key are refused, F12 too; the old key ends the wait.
  std::string script =
      Downs(kUpKey) + "RETURN\nVK:40\nVK:27\nVK:123\nshot refused.png\nVK:38\n" + Downs(kSaveRow - kUpKey) + "RETURN\n";
  ASSERT_EQ(RunConfig(box, script), 0) << box.Read("err.txt");
  EXPECT_EQ(box.Read("Res/startup.ini"), kIni);

  // A change left with Esc twice is thrown away; the file is never rewritten.
  ASSERT_EQ(RunConfig(box, "RIGHT\nESC\nESC\n"), 0) << box.Read("err.txt");
  EXPECT_EQ(box.Read("Res/startup.ini"), kIni);
}

TEST(ConfigProgram, SpeedStepsThroughOneTwoFourAndWidthOffersAutomatic) {
  Sandbox box;
  box.Write("Res/startup.ini", kIni);
  // Speed twice to the right (1 -> 2 -> 4), Width once to the left (800 -> 640), then save.
  std::string script =
      "LEFT\n" + Downs(kSpeed) + "RIGHT\nRIGHT\nshot speed.png\n" + Downs(kSaveRow - kSpeed) + "RETURN\n";
  ASSERT_EQ(RunConfig(box, script), 0) << box.Read("err.txt");
  std::string ini = box.Read("Res/startup.ini");
  EXPECT_NE(ini.find("Speed=4\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Width=640\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[Mods]\nPath=mods\n"), std::string::npos);

  ConfigSettings settings;
  settings.Load((box.Res() / "startup.ini").string());
  settings.Step(kSpeed, 1);
  EXPECT_EQ(settings.Value(kSpeed), 1);  // past four wraps round
  settings.Step(kWidth, -1);
  EXPECT_EQ(settings.Value(kWidth), 0);  // automatic, as a file without the key
}

TEST(ConfigProgram, VolumesRunFromSilenceToTenInASectionOfTheirOwn) {
  Sandbox box;
  box.Write("Res/startup.ini", kIni);
  // Music from the default 7 down to 0 (silent), effects up to 10; the file has no [Sound] yet.
  std::string script = Downs(kMusic) + "LEFT\nLEFT\nLEFT\nLEFT\nLEFT\nLEFT\nLEFT\nDOWN\nRIGHT\nRIGHT\nRIGHT\n" +
                       "shot volumes.png\n" + Downs(kSaveRow - kEffects) + "RETURN\n";
  ASSERT_EQ(RunConfig(box, script), 0) << box.Read("err.txt");
  std::string ini = box.Read("Res/startup.ini");
  EXPECT_NE(ini.find("[Sound]\nMusic=0\nEffects=10\n"), std::string::npos) << ini;
  ConfigSettings settings;
  settings.Load((box.Res() / "startup.ini").string());
  settings.Step(kEffects, 1);
  EXPECT_EQ(settings.Value(kEffects), 0);  // past ten wraps round to silence
}

TEST(ConfigProgram, RejectsAnUnreadableScript) {
  Sandbox box;
  EXPECT_EQ(RunConfig(box, "JUMP\n"), 2);
}
