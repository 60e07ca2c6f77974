#pragma once
// Follows from outside the battles the player fights, for the players' reports:
// when one begins and when it ends, and whether the player's side won. By the
// time a player sees the key's result the month end has already used up its
// own record of the battle (battleResult), so the outcome is read from who
// holds the contested city: the player's after a won attack or defence.
#include "strategy/game_map.h"

class BattleWatch {
 public:
  enum class Event { kNone, kBegun, kEnded };
  struct Battle {
    bool defending = false;  // the player holds the city a computer army attacks
    bool won = false;        // set when it has ended
  };

  // Call after every key. A battle that ends and another that opens within
  // the same key (the month's next war) report the end; the next call reports
  // the beginning.
  Event Observe(const GameMap& m);
  const Battle& Current() const { return battle_; }

 private:
  bool open_ = false;
  bool beginDue_ = false;
  int city_ = -1;
  int lastDay_ = 0;
  Battle battle_;
};
