#include "campaign/new_game.h"

#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr int kScenarioLast = 3;
}

void NewGame::Int() {
  Log(1, "NewGame::Int", "开始", 0);
  scenarioChoice = 0;
}

void NewGame::History() {
  Log(1, "NewGame::History", "开始", 0);
  PaintBmp(0, PicPath(Pic::kHistory), 0, 0);
  if (scenarioChoice < 0 || scenarioChoice > kScenarioLast) return;
  const ScenarioInfo& s = kScenarios[scenarioChoice];
  PaintBmp(0, s.picture, s.x, s.y);
}

int NewGame::KeyDown(int key) {
  Log(1, "NewGame::KeyDown", "开始", 0);
  if (rulerPhase == 1) {
    if (who.KeyDown(key) == -1) {
      rulerPhase = 0;
      return -1;
    }
    return 0;
  }
  if (key == keyDown) {
    scenarioChoice = scenarioChoice >= kScenarioLast ? 0 : scenarioChoice + 1;
    History();
  } else if (key == keyUp) {
    scenarioChoice = scenarioChoice <= 0 ? kScenarioLast : scenarioChoice - 1;
    History();
  } else if (key == keyReturn) {
    who.InitWho(scenarioChoice);
    who.Show();
    rulerPhase = 1;
    screenNumber = kScreenRuler;
  } else if (key == keyEsc) {
    rulerPhase = 0;
    return -1;
  }
  return 0;
}

int NewGame::ScenarioAt(int x, int y) {
  for (int i = 0; i <= kScenarioLast; ++i) {
    const ScenarioInfo& s = kScenarios[i];
    Pic card = ScenarioCardPic(i);
    int top = s.y + kPictureOffsetY;  // pictures are painted below the caption band
    if (x >= s.x && x < s.x + PicWidth(card) && y >= top && y < top + PicHeight(card)) return i;
  }
  return -1;
}

void NewGame::Dump(JsonWriter& out) const {
  out.BeginObject("newGame");
  out.Int("scenarioChoice", scenarioChoice);
  out.Int("rulerPhase", rulerPhase);
  out.EndObject();
  out.BeginObject("who");
  who.DumpWho(out);
  out.EndObject();
  out.BeginObject("map");
  who.Dump(out);
  out.EndObject();
}
