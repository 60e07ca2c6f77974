#pragma once
// Where the next key goes, worked out in one place for the tools that play or
// watch the game from outside (the monkey, the guided player, the bench): the
// screen, and within a campaign the map's and the battle's own modes, which
// follow the order in which GameMap::KeyDown and Fight::KeyDown hand out keys.
#include <string>

#include "battle/fight.h"
#include "strategy/game_map.h"

class Game;

enum class Screen { kTitle, kAbout, kLoadScreen, kScenarioChoice, kRulerChoice, kCampaign };

struct ScreenMode {
  Screen screen = Screen::kTitle;
  MapMode map = MapMode::kMap;           // meaningful in a campaign
  BattleMode battle = BattleMode::kMap;  // meaningful in a battle
  bool InCampaign() const { return screen == Screen::kCampaign; }
  bool InBattle() const { return InCampaign() && map == MapMode::kBattle; }
};

ScreenMode CurrentMode(const Game& game);
// On the map of a campaign (the scenario and the ruler chosen).
bool InCampaign(const Game& game);
// The mode's name in reports and summaries ("map", "officer list", "battle: move").
std::string ModeName(const ScreenMode& mode);
std::string ModeName(const Game& game);
