#pragma once
// The size of the campaign's world: the scenarios, the cities and the officers
// every table holds, shared by the game and by resgen, which writes the tables.

constexpr int kScenarioCount = 4;
constexpr int kCityCount = 50;
// Cities 0..37 stand on the strategic map, are fought over and have a battle
// map; 38..49 exist in every table but never have an owner.
constexpr int kMapCityCount = 38;
constexpr int kHeroCount = 300;
constexpr int kMaxHeroLevel = 20;

static_assert(kMapCityCount <= kCityCount);
