#pragma once
// The scenario choice, and the key router of the whole campaign.
#include "campaign/who.h"
#include "shell/json_writer.h"

class NewGame {
 public:
  int scenarioChoice = 0;
  Who who;
  int rulerPhase = 0;

  void Int();
  void History();
  // 0 stay, -1 back to the title.
  int KeyDown(int key);
  // The scenario whose card covers (x, y), -1 for none.
  static int ScenarioAt(int x, int y);
  void Dump(JsonWriter& out) const;
};
