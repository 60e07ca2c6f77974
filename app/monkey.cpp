#include "app/monkey.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "campaign/game.h"
#include "app/battle_watch.h"
#include "app/play_lives.h"
#include "app/screen_mode.h"
#include "app/game_invariants.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"
#include "rules/data_files.h"
#include "shell/globals.h"
#include "shell/screenshot.h"
#include "strategy/map_globals.h"
#include "war/war_globals.h"

// Present only in sanitizer builds; lets a sanitizer report say which key it was.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

constexpr int kAnyKeyCodes = 256;  // a keyboard sends virtual-key codes 0..255
constexpr int kTabCode = 9;
constexpr int kSystemMenuQuitEntry = 2;  // "leave the campaign" in the map's system menu
constexpr int kGoalKeys = 40;            // a steering goal gives up after this many keys
// Shares of the keys, out of their sum: the game's keys with Return and the
// arrows most of all, since they move through menus and lists; then any code.
struct KeyWeight {
  int* code;  // null: any code
  int weight;
};
int tabCode = kTabCode;
const KeyWeight kKeyWeights[] = {
    {&keyReturn, 28}, {&keyEsc, 11},  {&keyUp, 10},  {&keyDown, 12}, {&keyLeft, 8},
    {&keyRight, 8},   {&keySpace, 5}, {&keyHome, 3}, {&tabCode, 2},  {nullptr, 6},
};
// Chance (out of 1000) per key that the monkey sets out to end the month, the
// one road to tasks, wars, battles on both sides, captives and successions.
constexpr int kEndMonthUrge = 15;
// Chance (out of 1000) that a quit the monkey is about to press goes through.
constexpr int kQuitLetThrough = 30;

// Kept for the crash reporters, which may not touch anything else.
uint32_t reportSeed = 0;
long long reportKey = 0;

void ReportDeath() {
  char line[96];
  int n = std::snprintf(line, sizeof line, "monkey: died at seed %u, key %lld\n", reportSeed, reportKey);
  if (n > 0) (void)!write(2, line, static_cast<size_t>(n));
}

void OnFatalSignal(int sig) {
  ReportDeath();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void InstallDeathReport() {
  if (__sanitizer_set_death_callback) {
    __sanitizer_set_death_callback(ReportDeath);
    return;
  }
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnFatalSignal);
}

// Modification stamp and size of a save slot, to notice a save written.
long long SlotStamp(int slot) {
  struct stat st {};
  std::string path = NormalizePath(kSaveSlotPaths[slot]);
  if (stat(path.c_str(), &st) != 0) return -1;
  return static_cast<long long>(st.st_mtim.tv_sec) * 1000000007LL + st.st_mtim.tv_nsec + st.st_size;
}

// Whether the modes through which an Esc backs out lead towards the system menu.
bool EscBacksOut(const std::string& mode) {
  return mode != "defence pick" && mode != "succession pick" && mode.rfind("battle", 0) != 0 &&
         mode != "notice before a list" && mode != "system menu" && mode != "map";
}

int CountCaptives(const GameMap& m) {
  int n = 0;
  for (const HeroRecord& h : m.heroList.heroes) n += h.IsCaptive() ? 1 : 0;
  return n;
}

class Monkey {
 public:
  Monkey(long long keys, uint32_t seed) : budget_(keys), seed_(seed), rng_(seed) {
    // Set by the damaged-data tests: tables that disagree cannot give records that agree.
    rulersFromData_ = std::getenv("KESTREL_MONKEY_DAMAGED_DATA") == nullptr;
  }

  bool Failed() const { return !failure_.empty(); }
  bool Exhausted() const { return pressed_ >= budget_; }

  // The key source: checks what the last key left, then picks the next key.
  bool Next(Message& next) {
    if (!Observe()) return false;
    if (Exhausted()) return false;
    next = Message{MessageType::KeyDown, PickKey()};
    ++pressed_;
    reportKey = pressed_;
    return true;
  }

  // The game quit (or the keys ran out): check the last state and count why.
  void ProcessEnded() {
    // A lost campaign ends the program at once: its last records (a ruler
    // taken or dead with nobody to crown, his cities still his) are nobody's
    // to keep any more.
    if (!EndedInDefeat(TheGame())) Observe();
    ++restarts_;
    if (Exhausted() || Failed()) return;  // the run ends here, not the game
    const Game& game = TheGame();
    if (!InCampaign(game)) {
      ++events_["game quit from the title"];
    } else {
      const GameMap& m = game.newGame.who;
      int others = 0;
      for (const CityRecord& c : m.cityList.cities) {
        if (c.ownerId != m.playerRuler && c.ownerId != 0) ++others;
      }
      if (EndedInDefeat(game)) ++events_["campaign lost (defeat)"];
      else if (others == 0) ++events_["campaign won (victory)"];
      else ++events_["game quit in a campaign"];
    }
  }

  static bool EndedInDefeat(const Game& game) {
    if (!InCampaign(game)) return false;
    const GameMap& m = game.newGame.who;
    int own = 0;
    for (const CityRecord& c : m.cityList.cities) {
      if (c.ownerId == m.playerRuler) ++own;
    }
    bool rulerGone = m.playerRuler < 1 || m.playerRuler > kHeroCount || !m.heroList.heroes[m.playerRuler - 1].IsRuler();
    return own == 0 || (rulerGone && rulerSuccession != kSuccessionPick);
  }

  void Report(std::FILE* out) const {
    std::fprintf(out, "monkey: seed %u, %lld keys pressed, %d game starts\n", seed_, pressed_, restarts_);
    std::fprintf(out, "screens and modes (keys pressed in each):\n");
    for (const auto& [name, n] : modes_) std::fprintf(out, "  %-24s %lld\n", name.c_str(), n);
    std::fprintf(out, "orders opened (officer list of each command):\n ");
    for (const auto& [command, n] : orders_) std::fprintf(out, " %d:%lld", command, n);
    std::fprintf(out, "\nevents:\n");
    for (const auto& [name, n] : events_) std::fprintf(out, "  %-32s %lld\n", name.c_str(), n);
    if (Failed()) std::fprintf(out, "FAILED at seed %u, key %lld: %s\n", seed_, failedAt_, failure_.c_str());
  }

 private:
  // Returns false (and keeps the failure) when a check broke.
  bool Observe() {
    if (Failed()) return false;
    const Game& game = TheGame();
    std::string broken = CheckInvariants(game, rulersFromData_);
    if (!broken.empty()) {
      failure_ = broken + " (after key code " + std::to_string(lastKey_) + " in " + lastMode_ + ")";
      failedAt_ = pressed_;
      std::fprintf(stderr, "monkey: seed %u, key %lld: %s\n", seed_, pressed_, failure_.c_str());
      return false;
    }
    mode_ = ModeName(game);
    ++modes_[mode_];
    CountEvents(game);
    return true;
  }

  void CountEvents(const Game& game) {
    bool inCampaign = InCampaign(game);
    if (game.titleMode == kModeLoadedCampaign && inCampaign && !wasLoaded_) ++events_["campaign loaded from a slot"];
    wasLoaded_ = game.titleMode == kModeLoadedCampaign && inCampaign;
    if (!inCampaign) {
      if (wasInCampaign_) ++events_["campaign left for the title"];
      wasInCampaign_ = false;
      return;
    }
    const GameMap& m = game.newGame.who;
    int monthStamp = m.date.year * 12 + m.date.month;
    int captives = CountCaptives(m);
    if (!wasInCampaign_) {
      ++events_["campaign begun"];
    } else {
      if (monthStamp != lastMonth_) ++events_["month ended"];
      if (captives > lastCaptives_) events_["officer taken captive"] += captives - lastCaptives_;
      if (m.playerRuler != lastRuler_) ++events_["player's ruler succeeded"];
    }
    BattleWatch::Event battle = battleWatch_.Observe(m);
    if (battle == BattleWatch::Event::kBegun)
      ++events_[battleWatch_.Current().defending ? "battle: player defends" : "battle: player attacks"];
    if (battle == BattleWatch::Event::kEnded) ++events_[battleWatch_.Current().won ? "battle won" : "battle lost"];
    if (warPick == kWarPickOpen && lastWarPick_ != kWarPickOpen) ++events_["defenders picked for an attacked city"];
    if (rulerSuccession == kSuccessionPick && lastSuccession_ != kSuccessionPick)
      ++events_["successor chosen by the player"];
    if (m.saveScreenOpen && !wasSaveScreen_) {
      for (int s = 0; s < kSaveSlots; ++s) slotStamps_[s] = SlotStamp(s);
    }
    if (!m.saveScreenOpen && wasSaveScreen_) {
      for (int s = 0; s < kSaveSlots; ++s) {
        if (SlotStamp(s) != slotStamps_[s]) ++events_["campaign saved to a slot"];
      }
    }
    if (m.command != 0 && m.command != lastCommand_) ++orders_[m.command];
    wasInCampaign_ = true;
    lastMonth_ = monthStamp;
    lastCaptives_ = captives;
    lastRuler_ = m.playerRuler;
    lastWarPick_ = warPick;
    lastSuccession_ = rulerSuccession;
    wasSaveScreen_ = m.saveScreenOpen != 0;
    lastCommand_ = m.command;
  }

  int Roll(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

  int RandomKey() {
    int total = 0;
    for (const KeyWeight& k : kKeyWeights) total += k.weight;
    int r = Roll(total);
    for (const KeyWeight& k : kKeyWeights) {
      if (r < k.weight) return k.code ? *k.code : Roll(kAnyKeyCodes);
      r -= k.weight;
    }
    return keyReturn;
  }

  // Drives towards the month end while it is wanted: back out to the map,
  // open the system menu, choose its first entry.
  bool SteerToMonthEnd(int& key) {
    if (goalKeys_ <= 0) return false;
    --goalKeys_;
    const GameMap& m = TheGame().newGame.who;
    if (mode_ == "system menu") {
      key = m.systemMenu.selected == 0 ? keyReturn : keyUp;
      if (key == keyReturn) goalKeys_ = 0;
      return true;
    }
    if (mode_ == "map" || EscBacksOut(mode_)) {
      key = keyEsc;
      return true;
    }
    return false;  // battles, picks and notices play out on their own
  }

  int PickKey() {
    const Game& game = TheGame();
    lastMode_ = mode_;
    int key = 0;
    if (InCampaign(game) && goalKeys_ == 0 && Roll(1000) < kEndMonthUrge) goalKeys_ = kGoalKeys;
    if (!(InCampaign(game) && SteerToMonthEnd(key))) key = RandomKey();
    key = AvoidQuitting(game, key);
    // The screenshot key would only fill the disk with pictures; no screen sees it.
    if (key == kScreenshotKey) key = keyDown;
    lastKey_ = key;
    return key;
  }

  // Quitting throws the campaign away; let only a few quits through so that
  // campaigns grow long, yet the quits and restarts are still played.
  int AvoidQuitting(const Game& game, int key) {
    bool quits = false;
    if (mode_ == "title") {
      quits = key == keyEsc || (key == keyReturn && game.titleChoice == kTitleQuit);
    } else if (mode_ == "scenario choice" || mode_ == "ruler choice") {
      quits = key == keyEsc;
    } else if (mode_ == "system menu") {
      quits = key == keyReturn && game.newGame.who.systemMenu.selected == kSystemMenuQuitEntry;
    }
    if (!quits || Roll(1000) < kQuitLetThrough) return key;
    return keyDown;
  }

  long long budget_;
  uint32_t seed_;
  bool rulersFromData_ = true;
  std::mt19937 rng_;
  long long pressed_ = 0;
  long long failedAt_ = 0;
  std::string failure_;
  std::string mode_ = "title";
  std::string lastMode_ = "start";
  int lastKey_ = 0;
  int goalKeys_ = 0;
  int restarts_ = 0;
  std::map<std::string, long long> modes_;
  std::map<int, long long> orders_;
  std::map<std::string, long long> events_;
  bool wasInCampaign_ = false;
  bool wasLoaded_ = false;
  BattleWatch battleWatch_;
  bool wasSaveScreen_ = false;
  int lastMonth_ = 0;
  int lastCaptives_ = 0;
  int lastRuler_ = 0;
  int lastWarPick_ = 0;
  int lastSuccession_ = 0;
  int lastCommand_ = 0;
  long long slotStamps_[kSaveSlots] = {};
};

}  // namespace

int RunMonkey(const LaunchOptions& options) {
  UseVirtualClock(true);
  uint32_t seed = options.seedGiven ? options.seed : 1;
  reportSeed = seed;
  InstallDeathReport();
  Monkey monkey(options.monkeyKeys, seed);
  PlayLives(monkey, options, seed);
  monkey.Report(stdout);
  return monkey.Failed() ? 3 : 0;
}
