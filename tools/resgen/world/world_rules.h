#pragma once
// The game's own fixed tables that the world data must agree with (rules/):
// which city lies in which direction of which, the ruler numbers of each
// scenario's ruler choice, the battle map of each city, where the two sides
// deploy on a battle map, the terrain of each tile and the skill table's
// columns. resgen writes the data so that the game finds them true.
#include "rules/battle_maps.h"
#include "rules/city_grid.h"
#include "rules/deployment.h"
#include "rules/directions.h"
#include "rules/rulers.h"
#include "rules/skills.h"
#include "rules/terrain.h"
#include "rules/troops.h"
#include "rules/weather.h"
#include "rules/world.h"

constexpr int kOfficerCount = kHeroCount;  // officer records in every officer table
constexpr int kWhoBox = 14;                // the faction map frames each city's mark in a box this size
