#include "bench/play.h"

#include "app/screen_mode.h"
#include "campaign/game.h"
#include "shell/globals.h"
#include "strategy/game_map.h"
#include "strategy/map_globals.h"
#include "war/war_globals.h"

namespace {

constexpr uint32_t kSeed = 1;
constexpr int kStepBudget = 60;                     // keys to reach a screen
constexpr int kBattleKeyBudget = 400;               // keys to play one battle to its end
constexpr int kArmamentEntry = kGroupArmament - 1;  // the city menu lists the groups in order
constexpr int kAssignEntry = 2;                     // scout, recruit, assign soldiers, ...

const GameMap& Map() { return TheGame().newGame.who; }

KeyCost PressKey(int key, const CostSink& sink) {
  KeyCost c = Driver().Press(key);
  if (sink) sink(c);
  return c;
}

// Presses the key `choose` names until `done` holds. `choose` returns 0 to give up.
bool Steer(const std::function<bool()>& done, const std::function<int()>& choose, const CostSink& sink,
           int budget = kStepBudget) {
  for (int i = 0; i < budget; ++i) {
    if (done()) return true;
    int key = choose();
    if (key == 0) return false;
    PressKey(key, sink);
  }
  return done();
}

bool InBattle(const std::string& mode) { return mode.rfind("battle", 0) == 0; }

// Whether Esc backs out of the mode towards the plain map.
bool EscBacksOut(const std::string& mode) {
  return mode == "save screen" || mode == "amount dialog" || mode == "item list" || mode == "second officer pick" ||
         mode == "officer list" || mode == "interior menu" || mode == "diplomacy menu" || mode == "armament menu" ||
         mode == "system menu" || mode == "city menu" || mode == "city information" || mode == "target choice";
}

// One key of a battle the benchmark plays by ending every day at once: the
// player's units stand while the computer side moves.
int BattleKey() {
  const Fight& f = Map().fight;
  if (f.Mode() == BattleMode::kDayMenu) return f.escMenu.selected == kEscEndDay ? keyReturn : keyUp;
  return keyEsc;  // closes what is open, and on the battle map opens the day menu
}

// A key for whatever the month end left open, or 0 on the plain map.
int SettleKey() {
  std::string mode = ModeName();
  if (mode == "notice before a list") return keyReturn;
  if (mode == "defence pick") {
    if (defenceCommander >= 0) return keyEsc;
    // A tired officer is refused: move down the list and try the next.
    static bool down = false;
    down = !down;
    return down ? keyReturn : keyDown;
  }
  if (mode == "succession pick") {
    static bool down = false;
    down = !down;
    return down ? keyReturn : keyDown;
  }
  if (InBattle(mode)) return BattleKey();
  if (EscBacksOut(mode)) return keyEsc;
  return 0;
}

}  // namespace

GameDriver& Driver() {
  static GameDriver driver;
  if (!driver.Running()) driver.Start(kSeed);
  return driver;
}

bool InCampaign() { return InCampaign(TheGame()); }

int MonthStamp() { return Map().date.year * 12 + Map().date.month; }

std::string ModeName() { return ModeName(TheGame()); }

bool ToTitle(const CostSink& sink) {
  if (ModeName() == "title") return true;
  // A fresh start is the one road back that every screen shares.
  Driver().Stop();
  Driver();
  return ModeName() == "title";
}

bool ToMap(const CostSink& sink) {
  if (!InCampaign() && !ToTitle(sink)) return false;
  return Steer([] { return ModeName() == "map"; },
               [] {
                 std::string mode = ModeName();
                 if (mode == "title") return TheGame().titleChoice == kTitleNewGame ? keyReturn : keyDown;
                 if (mode == "scenario choice" || mode == "ruler choice") return keyReturn;
                 int key = SettleKey();
                 return key;
               },
               sink, kStepBudget + kBattleKeyBudget);
}

bool ToSystemMenuOnEndMonth(const CostSink& sink) {
  if (ModeName() != "system menu" && !ToMap(sink)) return false;
  return Steer([] { return ModeName() == "system menu" && Map().systemMenu.selected == 0; },
               [] { return ModeName() == "map"           ? keyEsc
                           : ModeName() == "system menu" ? keyUp
                                                         : 0; }, sink);
}

bool SettleMonthEnd(const CostSink& sink) {
  return Steer([] { return !InCampaign() || ModeName() == "map"; }, [] { return SettleKey(); }, sink,
               kStepBudget + kBattleKeyBudget * 4);
}

bool EndOneMonth(const CostSink& sink) {
  if (!ToSystemMenuOnEndMonth(sink)) return false;
  PressKey(keyReturn, sink);
  return SettleMonthEnd(sink);
}

bool ToBattleMap(const CostSink& sink, int monthBudget) {
  for (int i = 0; i < monthBudget; ++i) {
    std::string mode = ModeName();
    if (mode == "battle: map") return true;
    if (InBattle(mode)) {
      PressKey(keyEsc, sink);
      continue;
    }
    if (mode == "defence pick" || mode == "notice before a list" || mode == "succession pick") {
      PressKey(SettleKey(), sink);
      continue;
    }
    if (!ToSystemMenuOnEndMonth(sink)) return false;
    PressKey(keyReturn, sink);
    // The month end may stop at the defenders' pick before the battle opens.
    Steer([] { return ModeName() != "defence pick" && ModeName() != "notice before a list"; },
          [] { return SettleKey(); }, sink);
  }
  return ModeName() == "battle: map";
}

bool ToOfficerList(const CostSink& sink) {
  if (ModeName() == "officer list") return true;
  if (!ToMap(sink)) return false;
  return Steer([] { return ModeName() == "officer list"; },
               [] {
                 std::string mode = ModeName();
                 if (mode == "map" || mode == "city menu" || mode == "interior menu") return keyReturn;
                 return keyEsc;
               },
               sink);
}

bool ToAmountDialog(const CostSink& sink) {
  if (ModeName() == "amount dialog") return true;
  if (!ToMap(sink)) return false;
  // Assigning soldiers asks for an amount once its officer is picked.
  return Steer([] { return ModeName() == "amount dialog"; },
               [] {
                 std::string mode = ModeName();
                 const GameMap& m = Map();
                 if (mode == "map") return keyReturn;
                 if (mode == "city menu") return m.cityMenu.selected == kArmamentEntry ? keyReturn : keyDown;
                 if (mode == "armament menu") return m.armamentMenu.selected == kAssignEntry ? keyReturn : keyDown;
                 if (mode == "officer list") return keyReturn;
                 return keyEsc;
               },
               sink);
}

bool ToDayMenuOnEndDay(const CostSink& sink, int monthBudget) {
  if (ModeName() != "battle: day menu" && !ToBattleMap(sink, monthBudget)) return false;
  return Steer([] { return ModeName() == "battle: day menu" && Map().fight.escMenu.selected == kEscEndDay; },
               [] {
                 std::string mode = ModeName();
                 if (mode == "battle: map") return keyEsc;
                 if (mode == "battle: day menu") return keyUp;
                 return 0;
               },
               sink);
}
