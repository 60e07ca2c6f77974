#include "strategy/armament_rule.h"

#include "rules/tasks.h"

PlunderTake PlunderCity(CityRecord& city, const HeroRecord& officer) {
  city.peopleLoyalty /= 2;
  city.farming /= 2;
  city.commerce /= 2;
  int u = officer.intelligence + officer.force;
  PlunderTake take{kPlunderMoney * u, kPlunderFood * u};
  city.food += take.food;
  city.money += take.money;
  return take;
}

int SoldierCapacity(const HeroRecord& officer) {
  return (officer.level * 10 + officer.force + officer.intelligence) * 10;
}
