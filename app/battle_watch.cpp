#include "app/battle_watch.h"

BattleWatch::Event BattleWatch::Observe(const GameMap& m) {
  const Fight& f = m.fight;
  bool open = m.battleOpen != 0;
  // Days only run forward within a battle: an earlier day is the next one.
  bool another = open && open_ && (f.day < lastDay_ || f.battleCity != city_);
  if (open_ && (!open || another)) {
    bool held = city_ >= 0 && city_ < kCityCount && m.cityList.cities[city_].ownerId == m.playerRuler;
    battle_.won = held;
    open_ = false;
    beginDue_ = open;
    return Event::kEnded;
  }
  if (open && (!open_ || beginDue_)) {
    open_ = true;
    beginDue_ = false;
    city_ = f.battleCity;
    lastDay_ = f.day;
    battle_ = Battle{f.warType != 0, false};
    return Event::kBegun;
  }
  if (open) lastDay_ = f.day;
  return Event::kNone;
}
