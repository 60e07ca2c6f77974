#include "tools/resgen/common/tables.h"

#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/common/resgen_record.h"

namespace {

// The game reads these keys with their built-in defaults when the file is
// missing; writing the same defaults gives the player a file to edit.
const char kDefaultStartupIni[] =
    "[Startup]\n"
    "Width=800\n"
    "Height=600\n"
    "Version=130818100\n"
    "Color=0\n"
    "Menushow=0\n"
    "Menumove=0\n"
    "Menuspeed=0\n"
    "Screen=0\n"
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
    "[Sound]\n"
    "Music=7\n"
    "Effects=7\n";

}  // namespace

bool PrepareResFolders(const ResgenPaths& paths) {
  const char* folders[] = {"", "Head", "City", "Fight", "Good", "Hero", "Save", "Log", "Log/Err"};
  for (const char* folder : folders) {
    if (!MakeDir(JoinPath(paths.resDir, folder))) return false;
  }
  // The player's settings (and the battle options the game writes back) survive a rebuild.
  std::string ini = JoinPath(paths.resDir, "startup.ini");
  if (!FileExists(ini) && !WriteText(ini, kDefaultStartupIni)) return false;
  return true;
}

bool GenerateTables(const ResgenPaths& paths) {
  ClearErrors();
  bool ok = RunStep("world-tables", [&paths] { return GenerateWorldTables(paths); });
  ok = RunStep("people-tables", [&paths] { return GeneratePeopleTables(paths); }) && ok;
  ok = RunStep("city-tables", [&paths] { return FinishWorldTables(paths); }) && ok;
  return ok && ErrorCount() == 0;
}
