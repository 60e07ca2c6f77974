// The computer rulers' monthly turn. They take no action yet: their cities
// keep what they have while the player's world moves on.
#include "shell/run_log.h"
#include "strategy/game_map.h"

void GameMap::ComputerStatic() { Log(1, "GameMap::ComputerStatic", "开始", 0); }
