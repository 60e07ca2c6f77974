#include <cstdio>
#include <cstdlib>

#include "battle/battle_globals.h"
#include "campaign/game.h"
#include "strategy/map_globals.h"
#include "war/war_globals.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "app/app.h"
#include "shell/globals.h"
#include "app/overlay.h"
#include "shell/report_log.h"

namespace {

void DumpShellGlobals(JsonWriter& out) {
  out.Int("screenNumber", screenNumber);
  out.Int("colorMode", colorMode);
  out.Int("menuShow", menuShow);
  out.Int("menuMove", menuMove);
  out.Int("menuSpeed", menuSpeed);
  out.Int("gameVersion", gameVersion);
  out.Int("keyReturn", keyReturn);
  out.Int("keyEsc", keyEsc);
  out.Int("keySpace", keySpace);
  out.Int("keyHome", keyHome);
  out.Int("keyUp", keyUp);
  out.Int("keyDown", keyDown);
  out.Int("keyLeft", keyLeft);
  out.Int("keyRight", keyRight);
}

}  // namespace

void DumpState(JsonWriter& out) {
  out.BeginObject();
  out.BeginObject("globals");
  DumpShellGlobals(out);
  DumpMapGlobals(out);
  DumpWarGlobals(out);
  DumpBattleGlobals(out);
  out.EndObject();
  out.BeginObject("game");
  TheGame().Dump(out);
  out.EndObject();
  TheGame().newGame.Dump(out);
  // The comfort additions (autosave, help, settings), each under a key of its own.
  out.BeginObject("settings");
  out.Int("speed", reportSpeed);
  out.EndObject();
  // The virtual clock of a headless run, only when asked for: every message
  // moves it on, so it would tell apart dumps whose records agree.
  if (std::getenv("KESTREL_DUMP_CLOCK")) out.Int("tickCount", GetTickCount());
  out.Int("overlay", static_cast<int>(OpenOverlay()));
  DumpReportLog(out);
  out.EndObject();
}

bool WriteStateDump(const std::string& path) {
  JsonWriter out;
  DumpState(out);
  FILE* f = OpenFile(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.Text().data(), 1, out.Text().size(), f) == out.Text().size();
  ok = std::fputc('\n', f) != EOF && ok;
  return std::fclose(f) == 0 && ok;
}
