#pragma once
// Armament rules the player's orders and the computer rulers share.
#include "campaign/city_list.h"
#include "campaign/hero_list.h"

struct PlunderTake {
  int money = 0;
  int food = 0;
};

// The officer plunders the city: its people's loyalty, farming and commerce
// are halved, and it gains what his intelligence and force take.
PlunderTake PlunderCity(CityRecord& city, const HeroRecord& officer);

// The most soldiers an officer can lead.
int SoldierCapacity(const HeroRecord& officer);
