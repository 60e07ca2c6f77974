#include "app/guided_player.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "battle/battle_globals.h"
#include "battle/battle_tables.h"
#include "campaign/game.h"
#include "app/game_invariants.h"
#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/png_writer.h"
#include "platform/window.h"
#include "shell/globals.h"
#include "app/battle_paths.h"
#include "app/battle_watch.h"
#include "app/play_lives.h"
#include "app/screen_mode.h"
#include "shell/screenshot.h"
#include "strategy/map_globals.h"
#include "war/war_globals.h"
#include "war/war_tables.h"

namespace {

constexpr int kCommands = 24;
constexpr int kOrderWithoutEffect = 18;
constexpr int kSystemEndMonth = 0;  // entries of the map's system menu
constexpr int kSystemSave = 1;
constexpr int kSystemQuit = 2;
constexpr int kCityInfoEntry = 3;  // the city menu's fourth entry
constexpr int kCommandBase[4] = {0, 1, 15, 20};
constexpr int kStuckKeys = 120;    // keys in one mode before the player backs out
constexpr int kSkillTries = 3;     // skills a unit tries before it attacks instead
constexpr int kUnitKeys = 60;      // keys spent on one battle unit before it stands by
constexpr int kHoldBackOneIn = 6;  // attacks in which the army never advances
constexpr int kCloseIn = 10;       // a defender goes for the enemy commander within this
constexpr int kWarDays = 15;       // days of food a war party should carry
constexpr int kWarPartyMin = 3;    // units a war party needs before the guided player attacks
constexpr int kOrdersPerMonth = 14;
constexpr int kSaveEveryMonths = 5;

enum class Mode {
  Title,
  About,
  LoadScreen,
  Scenario,
  Ruler,
  NoticeBeforeList,
  DefencePick,
  SuccessionPick,
  BattleDayMenu,
  BattleSettings,
  BattleSkillMenu,
  BattleSkillTarget,
  BattleAttackTarget,
  BattleMove,
  BattleActionMenu,
  BattleInformation,
  BattleMap,
  SaveScreen,
  AmountDialog,
  ItemList,
  SecondPick,
  OfficerList,
  SubMenu,
  SystemMenu,
  CityMenu,
  CityInformation,
  TargetChoice,
  Map
};

// The guided player's own, coarser view of the mode: the three order menus
// are one to it, and so are the battle's information screens.
Mode BattleModeOf(BattleMode mode) {
  switch (mode) {
    case BattleMode::kEndPending:
    case BattleMode::kInformation:
    case BattleMode::kSituation: return Mode::BattleInformation;
    case BattleMode::kSkillMenu: return Mode::BattleSkillMenu;
    case BattleMode::kSettings: return Mode::BattleSettings;
    case BattleMode::kActionMenu: return Mode::BattleActionMenu;
    case BattleMode::kDayMenu: return Mode::BattleDayMenu;
    case BattleMode::kAttackTarget: return Mode::BattleAttackTarget;
    case BattleMode::kSkillTarget: return Mode::BattleSkillTarget;
    case BattleMode::kMove: return Mode::BattleMove;
    case BattleMode::kMap: break;
  }
  return Mode::BattleMap;
}

Mode MapModeOf(MapMode mode) {
  switch (mode) {
    case MapMode::kNoticeBeforeList: return Mode::NoticeBeforeList;
    case MapMode::kDefencePick: return Mode::DefencePick;
    case MapMode::kSuccessionPick: return Mode::SuccessionPick;
    case MapMode::kBattle: return Mode::BattleMap;
    case MapMode::kSaveScreen: return Mode::SaveScreen;
    case MapMode::kAmountDialog: return Mode::AmountDialog;
    case MapMode::kItemList: return Mode::ItemList;
    case MapMode::kSecondPick: return Mode::SecondPick;
    case MapMode::kOfficerList: return Mode::OfficerList;
    case MapMode::kInteriorMenu:
    case MapMode::kDiplomacyMenu:
    case MapMode::kArmamentMenu: return Mode::SubMenu;
    case MapMode::kSystemMenu: return Mode::SystemMenu;
    case MapMode::kCityMenu: return Mode::CityMenu;
    case MapMode::kCityInformation: return Mode::CityInformation;
    case MapMode::kTargetChoice: return Mode::TargetChoice;
    case MapMode::kMap: break;
  }
  return Mode::Map;
}

Mode ModeOf(const Game& game) {
  ScreenMode mode = CurrentMode(game);
  switch (mode.screen) {
    case Screen::kTitle: return Mode::Title;
    case Screen::kAbout: return Mode::About;
    case Screen::kLoadScreen: return Mode::LoadScreen;
    case Screen::kScenarioChoice: return Mode::Scenario;
    case Screen::kRulerChoice: return Mode::Ruler;
    case Screen::kCampaign: break;
  }
  return mode.InBattle() ? BattleModeOf(mode.battle) : MapModeOf(mode.map);
}

const char* const kModeNames[] = {"title",
                                  "about",
                                  "load screen",
                                  "scenario",
                                  "ruler",
                                  "notice before a list",
                                  "defence pick",
                                  "succession pick",
                                  "battle: day menu",
                                  "battle: settings",
                                  "battle: skill menu",
                                  "battle: skill target",
                                  "battle: attack target",
                                  "battle: move",
                                  "battle: action menu",
                                  "battle: information",
                                  "battle: map",
                                  "save screen",
                                  "amount dialog",
                                  "item list",
                                  "second pick",
                                  "officer list",
                                  "sub-menu",
                                  "system menu",
                                  "city menu",
                                  "city information",
                                  "target choice",
                                  "map"};

bool IsBattle(Mode m) { return m >= Mode::BattleDayMenu && m <= Mode::BattleMap; }

// FNV-1a over the records an order may change: whether an order went through
// is whether any of them changed.
uint64_t RecordsStamp(const GameMap& m) {
  uint64_t h = 1469598103934665603ULL;
  auto mix = [&h](const void* p, size_t n) {
    const unsigned char* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ULL;
  };
  mix(m.heroList.heroes, sizeof m.heroList.heroes);
  for (const CityRecord& c : m.cityList.cities) {
    int v[] = {c.ownerId,
               c.farming,
               c.commerce,
               c.peopleLoyalty,
               c.disasterPrevention,
               c.money,
               c.food,
               c.reserveSoldiers,
               static_cast<int>(c.population)};
    mix(v, sizeof v);
  }
  mix(m.goodList.goods, sizeof m.goodList.goods);
  mix(m.taskTable, sizeof m.taskTable);
  mix(&taskCount, sizeof taskCount);
  return h;
}

int Distance(int r1, int c1, int r2, int c2) { return std::abs(r1 - r2) + std::abs(c1 - c2); }

class GuidedPlayer {
 public:
  GuidedPlayer(long long keys, uint32_t seed) : budget_(keys), seed_(seed), rng_(seed * 2654435761u + 17) {
    ReadRoads();
    trace_ = std::getenv("KESTREL_GUIDED_TRACE") != nullptr;
    // Set to gather every broken check of a run instead of stopping at the first.
    goOn_ = std::getenv("KESTREL_GUIDED_GO_ON") != nullptr;
    if (const char* r = std::getenv("KESTREL_GUIDED_RECORD")) recordPrefix_ = r;
    if (const char* d = std::getenv("KESTREL_GUIDED_BATTLE_SHOTS")) battleShots_ = d;
  }

  bool Failed() const { return !failure_.empty(); }
  bool BrokeAny() const { return Failed() || brokenChecks_ > 0; }
  bool Exhausted() const { return pressed_ >= budget_; }

  bool Next(Message& next) {
    if (!Observe()) return false;
    if (Exhausted()) return false;
    int key = PickKey();
    if (key == kScreenshotKey) key = keyDown;
    lastKey_ = key;
    if (trace_) {
      std::fprintf(stderr, "%lld %s: %d (plan %d)", pressed_, kModeNames[static_cast<int>(mode_)], key, plan_.command);
      if (IsBattle(mode_)) {
        const Fight& f = Map().fight;
        const FightHero& u = f.units[selectedUnit];
        int e = Nearest(f, u.row, u.col, true);
        std::fprintf(stderr, " day %d food %d/%d soldiers %d/%d unit %d at %d,%d enemy %d at %d,%d", f.day, f.ownFood,
                     f.enemyFood, f.ownSoldierTotal, f.enemySoldierTotal, selectedUnit, u.row, u.col, e,
                     e >= 0 ? f.units[e].row : -1, e >= 0 ? f.units[e].col : -1);
      }
      std::fprintf(stderr, "\n");
    }
    if (!battleShots_.empty() && IsBattle(mode_)) {
      // What the player would see before each battle key, to watch a battle.
      MakeDirectory(battleShots_);
      SavePng(battleShots_ + "/" + std::to_string(pressed_) + ".png", WindowSurface());
    }
    next = Message{MessageType::KeyDown, key};
    ++pressed_;
    if (!recordPrefix_.empty() && starts_ == 0) keyLog_.push_back(key);
    return true;
  }

  // The game quit. A lost campaign ends the program at once, and its last
  // records (a ruler taken or dead with nobody to crown, his cities still his)
  // are nobody's to keep any more.
  void ProcessEnded() {
    if (CampaignLost(TheGame())) {
      ++events_["player defeated"];
      wasIn_ = false;
    } else {
      Observe();
    }
    ++starts_;
  }

  static bool CampaignLost(const Game& game) {
    if (!InCampaign(game)) return false;
    const GameMap& m = game.newGame.who;
    int own = 0;
    for (const CityRecord& c : m.cityList.cities) own += c.ownerId == m.playerRuler ? 1 : 0;
    bool rulerGone = m.playerRuler < 1 || m.playerRuler > kHeroCount || !m.heroList.heroes[m.playerRuler - 1].IsRuler();
    return own == 0 || (rulerGone && rulerSuccession != kSuccessionPick);
  }

  void Report(std::FILE* out) const {
    std::fprintf(out, "guided: seed %u, %lld keys pressed, %d game starts, %d campaigns begun\n", seed_, pressed_,
                 starts_, campaigns_);
    std::fprintf(out, "orders (accepted/refused):\n");
    for (int c = 1; c <= kCommands; ++c) {
      auto a = accepted_.find(c);
      auto r = refused_.find(c);
      std::fprintf(out, "  %2d:%lld/%lld", c, a == accepted_.end() ? 0 : a->second,
                   r == refused_.end() ? 0 : r->second);
      if (c % 8 == 0) std::fprintf(out, "\n");
    }
    std::fprintf(out, "skills cast (skill:times):");
    for (const auto& [s, n] : skills_) std::fprintf(out, " %d:%lld", s, n);
    std::fprintf(out, "\nweathers seen:");
    for (int w : weathers_) std::fprintf(out, " %d", w);
    std::fprintf(out, "\nevents:\n");
    for (const auto& [name, n] : events_) std::fprintf(out, "  %-40s %lld\n", name.c_str(), n);
    std::vector<std::string> missing;
    for (int c = 1; c <= kCommands; ++c) {
      // The diplomacy menu's fourth entry is an order without effect.
      if (!accepted_.count(c) && c != kOrderWithoutEffect)
        missing.push_back("order " + std::to_string(c) + " accepted");
      if (!refused_.count(c)) missing.push_back("order " + std::to_string(c) + " refused");
    }
    for (int w = 1; w <= kWeatherKinds; ++w) {
      if (!weathers_.count(w)) missing.push_back("weather " + std::to_string(w));
    }
    for (const char* e : kGoals) {
      if (!events_.count(e)) missing.push_back(e);
    }
    std::fprintf(out, "not reached (%zu):", missing.size());
    for (const std::string& s : missing) std::fprintf(out, " [%s]", s.c_str());
    std::fprintf(out, "\n");
    if (Failed()) std::fprintf(out, "FAILED at seed %u, key %lld: %s\n", seed_, failedAt_, failure_.c_str());
    if (brokenChecks_ > 0) {
      std::fprintf(out, "FAILED: %d broken checks, the first at seed %u, key %lld: %s\n", brokenChecks_, seed_,
                   firstBrokenAt_, firstBroken_.c_str());
    }
  }

 private:
  static constexpr const char* kGoals[] = {"attack won (city taken)",
                                           "attack lost",
                                           "defence won",
                                           "defence lost",
                                           "retreat",
                                           "battle day 30",
                                           "month 30 of a campaign",
                                           "captive persuaded",
                                           "captive released",
                                           "captive executed",
                                           "player's ruler succeeded",
                                           "computer ruler succeeded",
                                           "faction fell",
                                           "loaded mid-month with tasks pending",
                                           "player defeated",
                                           "player victorious"};

  // ---- Recording: the keys of the first life up to a save made when a goal
  // was reached, written as a key script that makes the same slot again ----

  static const char* KeyName(int key) {
    if (key == keyReturn) return "RETURN";
    if (key == keyEsc) return "ESC";
    if (key == keyUp) return "UP";
    if (key == keyDown) return "DOWN";
    if (key == keyLeft) return "LEFT";
    if (key == keyRight) return "RIGHT";
    if (key == keySpace) return "SPACE";
    if (key == keyHome) return "HOME";
    return nullptr;
  }

  // A goal worth a save of its own, once each, while nothing else is going on.
  const char* RecordGoal(const GameMap& m) {
    if (recordPrefix_.empty() || starts_ != 0) return nullptr;
    if (!recorded_.count("tasks-pending") && taskCount >= 3 && monthsPlayed_ >= 2) return "tasks-pending";
    if (!recorded_.count("captives")) {
      for (const HeroRecord& h : m.heroList.heroes) {
        if (h.IsCaptive() && OwnCity(m, h.cityNo - 1)) return "captives";
      }
    }
    if (!recorded_.count("succession") && events_.count("player's ruler succeeded")) return "succession";
    return nullptr;
  }

  void WriteRecording(const std::string& goal) {
    std::string path = recordPrefix_ + goal + ".keys";
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return;
    std::fprintf(f, "# seed %u: %s, saved into slot 0 by the guided player\n", seed_, goal.c_str());
    for (int key : keyLog_) {
      const char* name = KeyName(key);
      if (name) std::fprintf(f, "%s\n", name);
      else std::fprintf(f, "VK:%d\n", key);
    }
    std::fprintf(f, "quit\n");
    std::fclose(f);
  }

  // ---- Watching ----

  bool Observe() {
    if (Failed()) return false;
    const Game& game = TheGame();
    std::string broken = CheckInvariants(game);
    if (!broken.empty() && goOn_) {
      // Note each new broken check once and play on (the records stay broken).
      if (seenBroken_.insert(broken).second) {
        std::fprintf(stderr, "guided: seed %u, key %lld: %s (after key code %d in %s)\n", seed_, pressed_,
                     broken.c_str(), lastKey_, kModeNames[static_cast<int>(mode_)]);
        ++brokenChecks_;
        if (firstBroken_.empty()) {
          firstBroken_ = broken;
          firstBrokenAt_ = pressed_;
        }
      }
      broken.clear();
    }
    if (!broken.empty()) {
      failure_ =
          broken + " (after key code " + std::to_string(lastKey_) + " in " + kModeNames[static_cast<int>(mode_)] + ")";
      failedAt_ = pressed_;
      std::fprintf(stderr, "guided: seed %u, key %lld: %s\n", seed_, pressed_, failure_.c_str());
      return false;
    }
    mode_ = ModeOf(game);
    if (mode_ == lastMode_) ++modeKeys_;
    else modeKeys_ = 0;
    lastMode_ = mode_;
    Count(game);
    return true;
  }

  void Count(const Game& game) {
    bool in = InCampaign(game);
    if (!in) {
      if (wasIn_ && !loadPending_ && !wantLoad_) LeftCampaign();
      wasIn_ = false;
      return;
    }
    const GameMap& m = game.newGame.who;
    if (!wasIn_ && !loadPending_) {
      ++campaigns_;
      monthsPlayed_ = 0;
    }
    if (!wasIn_) {
      ordersThisMonth_ = 0;
      attempt_ = 0;
      if (game.titleMode == kModeLoadedCampaign) {
        ++events_["campaign loaded from a slot"];
        if (loadPending_ && taskCount > 0 && m.date.month == savedMonth_)
          ++events_["loaded mid-month with tasks pending"];
      }
      loadPending_ = false;
      SnapshotRulers(m);
    }
    int stamp = m.date.year * 12 + m.date.month;
    if (wasIn_ && stamp != lastMonthStamp_) {
      ++events_["month ended"];
      ++monthsPlayed_;
      if (monthsPlayed_ == 30) ++events_["month 30 of a campaign"];
      ordersThisMonth_ = 0;
      savedThisMonth_ = false;
    }
    lastMonthStamp_ = stamp;
    if (wasIn_) WatchOfficers(m);
    if (wasSaveScreen_ && !m.saveScreenOpen && !recordGoal_.empty()) {
      WriteRecording(recordGoal_);
      recorded_.insert(recordGoal_);
      recordGoal_.clear();
    }
    wasSaveScreen_ = m.saveScreenOpen != 0;
    WatchBattle(m);
    WatchAttempt(m);
    ownCities_ = otherCities_ = 0;
    for (const CityRecord& c : m.cityList.cities) {
      if (c.ownerId == m.playerRuler) ++ownCities_;
      else if (c.ownerId != 0) ++otherCities_;
    }
    if (ownCities_ > 0 && otherCities_ == 0 && !wonCounted_) {
      wonCounted_ = true;
      ++events_["player victorious"];
    }
    wasIn_ = true;
  }

  void LeftCampaign() {
    ++events_["campaign left for the title"];
    if (ownCities_ == 0) ++events_["player defeated"];
    wonCounted_ = false;
  }

  void SnapshotRulers(const GameMap& m) {
    for (int i = 0; i < kHeroCount; ++i) owners_[i] = m.heroList.heroes[i].heroOwnerId;
    lastPlayerRuler_ = m.playerRuler;
  }

  // Captives leaving the player's hands, and rulers giving way.
  void WatchOfficers(const GameMap& m) {
    int player = lastPlayerRuler_;
    for (int i = 0; i < kHeroCount; ++i) {
      int before = owners_[i];
      int now = m.heroList.heroes[i].heroOwnerId;
      if (before == now) continue;
      if (before > kDeadOwner) {
        const HeroRecord& h = m.heroList.heroes[i];
        bool heldByPlayer = h.cityNo >= 1 && h.cityNo <= kCityCount &&
                            (m.cityList.cities[h.cityNo - 1].ownerId == player ||
                             m.cityList.cities[h.cityNo - 1].ownerId == m.playerRuler);
        if (now == m.playerRuler) ++events_["captive persuaded"];
        else if (now == 0 && heldByPlayer) ++events_["captive released"];
        else if (now == kDeadOwner && heldByPlayer) ++events_["captive executed"];
      }
    }
    // A ruler of the last key who is no ruler now: succeeded if his men serve
    // someone else who now rules, fallen if nobody took his place.
    for (int i = 0; i < kHeroCount; ++i) {
      if (owners_[i] != i + 1) continue;
      const HeroRecord& h = m.heroList.heroes[i];
      if (h.IsRuler()) continue;
      int heir = 0;
      for (int j = 0; j < kHeroCount; ++j) {
        if (j != i && owners_[j] == i + 1 && m.heroList.heroes[j].IsRuler()) heir = j + 1;
      }
      if (i + 1 == player) continue;  // counted below
      ++events_[heir ? "computer ruler succeeded" : "faction fell"];
    }
    if (m.playerRuler != player) ++events_["player's ruler succeeded"];
    SnapshotRulers(m);
  }

  void WatchBattle(const GameMap& m) {
    const Fight& f = m.fight;
    BattleWatch::Event event = battleWatch_.Observe(m);
    const BattleWatch::Battle& battle = battleWatch_.Current();
    if (event == BattleWatch::Event::kEnded) {
      if (retreated_) ++events_["retreat"];
      if (battle.defending) ++events_[battle.won ? "defence won" : "defence lost"];
      else ++events_[battle.won ? "attack won (city taken)" : "attack lost"];
      day30_ = false;
    } else if (event == BattleWatch::Event::kBegun) {
      battleDay_ = -1;
      ++events_[battle.defending ? "battle: player defends" : "battle: player attacks"];
      retreated_ = false;
      // Now and then an attack held back for good, which the day limit ends.
      holdBack_ = !battle.defending && Roll(kHoldBackOneIn) == 0;
    }
    if (m.battleOpen) {
      if (f.weather >= 1 && f.weather <= kWeatherKinds) weathers_.insert(f.weather);
      if (f.day >= 30 && !day30_) {
        day30_ = true;
        ++events_["battle day 30"];
      }
    }
    // A skill counts as cast when its caster's power went down.
    if (castPending_ >= 0) {
      if (!m.battleOpen || m.fight.units[castUnit_].skillPower < castPower_) {
        if (m.battleOpen) ++skills_[castPending_];
        castPending_ = -1;
      } else if (mode_ != Mode::BattleSkillTarget && mode_ != Mode::BattleSkillMenu &&
                 mode_ != Mode::BattleInformation) {
        castPending_ = -1;
      }
    }
  }

  // An order runs from the Return that gives it until the map or the list is
  // back; it went through when the records changed on the way.
  void WatchAttempt(const GameMap& m) {
    if (attempt_ == 0) return;
    bool settled = false;
    switch (mode_) {
      case Mode::Map:
      case Mode::CityMenu:
      case Mode::SubMenu:
      case Mode::SystemMenu: settled = true; break;
      case Mode::OfficerList: settled = attempt_ != 24 && m.command == attempt_; break;
      case Mode::NoticeBeforeList: settled = attempt_ != 24; break;
      default: break;
    }
    if (!settled && !IsBattle(mode_) && mode_ != Mode::DefencePick) {
      if (++attemptKeys_ < 400) return;
    }
    bool changed = RecordsStamp(m) != attemptStamp_;
    ++(changed ? accepted_ : refused_)[attempt_];
    if (changed && attempt_ == 24) ++events_["war order given"];
    attempt_ = 0;
    plan_ = Plan();
    attemptDone_ = false;
  }

  void BeginAttempt(int command) {
    attempt_ = command;
    attemptKeys_ = 0;
    attemptStamp_ = RecordsStamp(Map());
  }

  // ---- Choosing ----

  int Roll(int n) { return n <= 1 ? 0 : static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
  GameMap& Map() { return TheGame().newGame.who; }

  int PickKey() {
    Game& game = TheGame();
    if (modeKeys_ > kStuckKeys && mode_ != Mode::BattleMap && mode_ != Mode::Map) {
      modeKeys_ = 0;
      return Roll(3) == 0 ? keyReturn : keyEsc;
    }
    if (mode_ != Mode::DefencePick) defencePicks_ = 0;  // the game may end a pick itself
    switch (mode_) {
      case Mode::Title: return TitleKey(game);
      case Mode::About: return keyReturn;
      case Mode::LoadScreen: return SlotKey(game.loadScreen.slotChoice);
      case Mode::Scenario: return ScenarioKey(game);
      case Mode::Ruler: return RulerKey(game);
      case Mode::NoticeBeforeList: return keyReturn;
      case Mode::DefencePick: return DefenceKey();
      case Mode::SuccessionPick: return keyReturn;
      case Mode::SaveScreen: return SlotKey(Map().save.slotChoice);
      case Mode::AmountDialog: return AmountKey();
      case Mode::ItemList: return ItemKey();
      case Mode::SecondPick: return ListKey(secondTarget_);
      case Mode::OfficerList: return OfficerListKey();
      case Mode::SubMenu: return SubMenuKey();
      case Mode::SystemMenu: return SystemMenuKey();
      case Mode::CityMenu: return CityMenuKey();
      case Mode::CityInformation: return keyEsc;
      case Mode::TargetChoice: return TargetKey();
      case Mode::Map: return MapKey();
      default: return BattleKey();
    }
  }

  int TitleKey(const Game& game) {
    int want = wantLoad_ ? kTitleLoad : kTitleNewGame;
    if (game.titleChoice != want) return keyDown;
    if (wantLoad_) {
      wantLoad_ = false;
      loadPending_ = true;
    }
    return keyReturn;
  }

  int SlotKey(int choice) {
    if (choice != slot_) return keyDown;
    return keyReturn;
  }

  int ScenarioKey(const Game& game) {
    if (game.newGame.scenarioChoice != scenarioWanted_) return keyDown;
    return keyReturn;
  }

  int RulerKey(const Game& game) {
    const Menu& menu = game.newGame.who.rulerMenu;
    if (rulerWanted_ < 0) rulerWanted_ = Roll(menu.lastIndex + 1);
    if (menu.selected != rulerWanted_) return keyDown;
    rulerWanted_ = -1;
    scenarioWanted_ = (scenarioWanted_ + 1) % 4;  // the next campaign plays the next scenario
    return keyReturn;
  }

  // Up to three defenders, the strongest first; now and then nobody.
  // Everyone who brings soldiers and can still march defends, the strongest
  // first; now and then the city is given up without a fight.
  int DefenceKey() {
    GameMap& m = Map();
    if (defencePicks_ == 0 && Roll(20) == 0) return keyEsc;
    int offset = 0, count = 0;
    m.heroList.ShownGroup(offset, count);
    int best = -1, bestSoldiers = 0;
    for (int p = 0; p < count; ++p) {
      int h = m.heroList.PickedHero(p);
      if (h >= 0 && m.Hero(h).stamina > kPickStaminaFloor && m.Hero(h).soldiers > bestSoldiers) {
        best = p;
        bestSoldiers = m.Hero(h).soldiers;
      }
    }
    if (best < 0 && defencePicks_ == 0) best = 0;  // with nobody armed, the first one all the same
    if (best < 0) {
      defencePicks_ = 0;
      return keyEsc;
    }
    int pos = m.heroList.listTop + m.heroList.listCursor;
    if (pos < best) return keyDown;
    if (pos > best) return keyUp;
    ++defencePicks_;
    return keyReturn;
  }

  // Moves a list's cursor to position `target` and confirms.
  int ListKey(int target) {
    const HeroList& list = Map().heroList;
    int offset = 0, count = 0;
    list.ShownGroup(offset, count);
    if (target >= count) target = count - 1;
    int pos = list.listTop + list.listCursor;
    if (count > 0 && pos < target) return keyDown;
    if (count > 0 && pos > target && target >= 0) return keyUp;
    return keyReturn;
  }

  int ItemKey() {
    const GoodList& list = Map().goodList;
    int offset = 0, count = 0;
    list.ShownGroup(offset, count);
    if (count == 0 || itemKeys_++ > 12) {
      itemKeys_ = 0;
      return keyEsc;
    }
    if (itemTarget_ < 0) itemTarget_ = Roll(count);
    int pos = list.listTop + list.listCursor;
    if (pos < itemTarget_) return keyDown;
    itemTarget_ = -1;
    itemKeys_ = 0;
    return keyReturn;
  }

  // The amount: a share of the most allowed, entered on the leading digit.
  int AmountKey() {
    const Operate& op = Map().operate;
    if (plan_.command == 0) return keyEsc;  // given up: back out of the dialog chain
    if (op.kind == kOperateChoice) {
      if (amountWanted_ < 0) amountWanted_ = Roll(2);
      if (op.digitPos != amountWanted_) return keyDown;
      amountWanted_ = -1;
      return keyReturn;
    }
    if (amountWanted_ < 0) {
      int share = 50;
      switch (operatePurpose) {
        case kPurposeAssign: share = 100; break;
        case kPurposeRecruit: share = 60; break;
        case kPurposeWarFood: share = 70; break;
        case kPurposeTransportMoney:
        case kPurposeTransportFood:
        case kPurposeTransportSoldiers: share = 20; break;
        case kPurposeBuyFood:
        case kPurposeSellFood: share = 30; break;
        default: break;
      }
      amountWanted_ = static_cast<int>(static_cast<long long>(op.maxValue) * share / 100);
      // Two leading digits are enough, and cost fewer keys.
      long long unit = 1;
      while (amountWanted_ / unit >= 100) unit *= 10;
      amountWanted_ = static_cast<int>(amountWanted_ / unit * unit);
      if (Roll(12) == 0) amountWanted_ = 0;
    }
    // Enter the wanted amount digit by digit, from the leading one.
    int units[5] = {1, 10, 100, 1000, 10000};
    if (op.digitCount >= 0 && op.digitCount <= 4) {
      int step = units[op.digitCount];
      for (int i = 0; i < op.digitPos; ++i) step /= 10;
      if (step > 0) {
        int digitWanted = (amountWanted_ / step) % 10;
        int digitNow = (op.value / step) % 10;
        if (digitNow < digitWanted && op.value + step <= op.maxValue) return keyUp;
        if (digitNow > digitWanted && op.value - step >= 0) return keyDown;
        if (op.digitPos < op.digitCount) return keyRight;
      }
    }
    amountWanted_ = -1;
    return keyReturn;
  }

  // ---- The map: one order after another, then the month end ----

  struct Plan {
    int command = 0;
    int city = -1;    // source city index
    int target = -1;  // target city index for moves, transports, scouting and war
  };

  bool OwnCity(const GameMap& m, int i) const {
    return i >= 0 && i < kCityCount && m.cityList.cities[i].ownerId == m.playerRuler;
  }

  int Idle(const GameMap& m, int city) const {
    int n = 0;
    for (const HeroRecord& h : m.heroList.heroes) {
      if (h.cityNo == city + 1 && h.ServesFaction() && h.heroOwnerId == m.playerRuler && h.inListFlag == kIdle) ++n;
    }
    return n;
  }

  int Captives(const GameMap& m, int city) const {
    int n = 0;
    for (const HeroRecord& h : m.heroList.heroes) n += h.cityNo == city + 1 && h.IsCaptive() ? 1 : 0;
    return n;
  }

  int Strength(const GameMap& m, int city) const {
    int n = m.cityList.cities[city].reserveSoldiers / 2;
    for (const HeroRecord& h : m.heroList.heroes) {
      if (h.cityNo == city + 1 && h.ServesFaction()) n += h.soldiers;
    }
    return n;
  }

  // The soldiers of the strongest idle officers of a city, as a war party.
  int PartyStrength(const GameMap& m, int city, int* units = nullptr) const {
    std::vector<int> soldiers;
    for (const HeroRecord& h : m.heroList.heroes) {
      if (h.cityNo == city + 1 && h.heroOwnerId == m.playerRuler && h.inListFlag == kIdle && h.soldiers > 0)
        soldiers.push_back(h.soldiers);
    }
    std::sort(soldiers.rbegin(), soldiers.rend());
    int n = 0;
    size_t taken = std::min<size_t>(soldiers.size(), kWarPartyMax);
    for (size_t i = 0; i < taken; ++i) n += soldiers[i];
    if (units) *units = static_cast<int>(taken);
    return n;
  }

  // The weakest enemy city on a road from `city`; -1 if none.
  int WeakestNeighbour(const GameMap& m, int city) const {
    int best = -1, bestStrength = INT_MAX;
    for (int to : roads_[city]) {
      const CityRecord& c = m.cityList.cities[to];
      if (c.ownerId == 0 || c.ownerId == m.playerRuler) continue;
      int s = Strength(m, to);
      if (s < bestStrength) {
        best = to;
        bestStrength = s;
      }
    }
    return best;
  }

  // The own city facing an enemy that holds most of the own officers: the
  // army gathers there, so that one city can field a real war party.
  int FrontCity(const GameMap& m) const {
    int best = -1, bestOfficers = -1;
    for (int i = 0; i < kCityCount; ++i) {
      if (!OwnCity(m, i) || WeakestNeighbour(m, i) < 0) continue;
      int officers = 0;
      for (const HeroRecord& h : m.heroList.heroes) {
        officers += h.cityNo == i + 1 && h.ServesFaction() && h.heroOwnerId == m.playerRuler ? 1 : 0;
      }
      if (officers > bestOfficers) {
        best = i;
        bestOfficers = officers;
      }
    }
    return best;
  }

  int OtherOwnCity(const GameMap& m, int city) {
    std::vector<int> own;
    for (int i = 0; i < kCityCount; ++i) {
      if (i != city && OwnCity(m, i)) own.push_back(i);
    }
    if (own.empty()) return city;
    // Mostly a neighbour, so that goods and officers go where the war is.
    for (int to : roads_[city]) {
      if (OwnCity(m, to) && Roll(2) == 0) return to;
    }
    return own[Roll(static_cast<int>(own.size()))];
  }

  int AnyEnemyCity(const GameMap& m) {
    std::vector<int> enemy;
    for (int i = 0; i < kCityCount; ++i) {
      if (m.cityList.cities[i].ownerId != 0 && !OwnCity(m, i)) enemy.push_back(i);
    }
    return enemy.empty() ? 0 : enemy[Roll(static_cast<int>(enemy.size()))];
  }

  Plan Choose(GameMap& m) {
    Plan p;
    std::vector<int> cities;
    for (int i = 0; i < kCityCount; ++i) {
      if (OwnCity(m, i) && Idle(m, i) > 0) cities.push_back(i);
    }
    if (cities.empty()) {
      // Now and then an order from a city with nobody idle, to be refused.
      if (Roll(6) != 0) return p;
      for (int i = 0; i < kCityCount; ++i) {
        if (OwnCity(m, i)) cities.push_back(i);
      }
      if (cities.empty()) return p;
    }
    p.city = cities[Roll(static_cast<int>(cities.size()))];
    const CityRecord& c = m.cityList.cities[p.city];
    int enemy = WeakestNeighbour(m, p.city);
    int captives = Captives(m, p.city);
    bool rich = c.money >= 300;
    int w[kCommands + 1] = {};
    w[1] = rich ? 8 : 2;       // farming
    w[2] = rich ? 8 : 2;       // commerce
    w[3] = 7;                  // search
    w[4] = rich ? 4 : 1;       // disaster prevention
    w[5] = rich ? 4 : 1;       // win the people
    w[6] = captives ? 30 : 1;  // persuade a captive
    w[7] = captives ? 5 : 1;   // execute
    w[8] = captives ? 5 : 1;   // release
    w[9] = 5;                  // give an item
    w[10] = 2;                 // take an item
    w[11] = 3;                 // trade food
    w[12] = 2;                 // banquet
    int front = FrontCity(m);
    // Cities on the border keep their men to defend themselves.
    bool behind = front >= 0 && front != p.city && enemy < 0 && Idle(m, p.city) > 1;
    w[13] = ownCities_ > 1 ? 4 : 1;                // transport
    w[14] = behind ? 24 : ownCities_ > 1 ? 4 : 1;  // move an officer
    w[15] = w[16] = w[17] = w[19] = 3;             // discord, win over, incite, call to submit
    w[18] = 3;
    w[20] = 2;                               // scout
    w[21] = rich ? 12 : 3;                   // recruit
    w[22] = c.reserveSoldiers > 0 ? 16 : 2;  // assign soldiers
    w[23] = 2;                               // plunder
    // War when a party of several units can be sent and it is not hopelessly
    // outnumbered: an attacker wins by reaching the walls, so enough units
    // matter more than the sum of soldiers. The neighbour's ruler recruits and
    // arms his officers at the month end, before the battle, so his city
    // fields more than it holds when the order is given.
    int partyUnits = 0;
    int party = enemy >= 0 ? PartyStrength(m, p.city, &partyUnits) : 0;
    int defence = enemy >= 0 ? Strength(m, enemy) + m.cityList.cities[enemy].reserveSoldiers / 2 : 0;
    // The army eats the square root of its soldiers a third a day; it takes
    // seven tenths of the city's food along.
    bool fed = c.food * 7 / 10 >= kWarDays * static_cast<int>(std::sqrt(static_cast<double>(party))) / 3;
    bool able = partyUnits >= kWarPartyMin && party * 4 >= defence && fed;
    w[24] = able ? 40 : 0;
    int total = 0;
    for (int i = 1; i <= kCommands; ++i) total += w[i];
    int r = Roll(total);
    for (int i = 1; i <= kCommands; ++i) {
      if (r < w[i]) {
        p.command = i;
        break;
      }
      r -= w[i];
    }
    switch (p.command) {
      case 13:
      case 14: p.target = behind && Roll(4) != 0 ? front : OtherOwnCity(m, p.city); break;
      case 20: p.target = enemy >= 0 ? enemy : AnyEnemyCity(m); break;
      case 24: p.target = enemy >= 0 ? enemy : AnyEnemyCity(m); break;
      default: break;
    }
    return p;
  }

  // Arrow towards a city's cell; 0 once the cursor is on it.
  int CursorTowards(const GameMap& m, int city) {
    int col = m.cursorCol, row = m.cursorRow;
    if (!CityCell(city, col, row)) return 0;
    if (m.cursorRow < row) return keyDown;
    if (m.cursorRow > row) return keyUp;
    if (m.cursorCol < col) return keyRight;
    if (m.cursorCol > col) return keyLeft;
    return 0;
  }

  int MapKey() {
    GameMap& m = Map();
    if (loadAfterSave_ && !m.saveScreenOpen) {
      // Saved: leave the campaign through the system menu, then load the slot.
      loadAfterSave_ = false;
      systemWanted_ = kSystemQuit;
      return keyEsc;
    }
    if (plan_.command == 0 && recordGoal_.empty()) {
      if (const char* goal = RecordGoal(m)) {
        recordGoal_ = goal;
        systemWanted_ = kSystemSave;
        return keyEsc;
      }
    }
    if (plan_.command == 0) {
      // Mid-month with tasks pending: save, leave and load the slot again.
      if (!savedThisMonth_ && monthsPlayed_ % kSaveEveryMonths == kSaveEveryMonths - 1 && taskCount > 0) {
        systemWanted_ = kSystemSave;
        savedThisMonth_ = true;
        return keyEsc;
      }
      if (ordersThisMonth_ < kOrdersPerMonth) plan_ = Choose(m);
      if (plan_.command == 0) {
        systemWanted_ = kSystemEndMonth;
        return keyEsc;
      }
      ++ordersThisMonth_;
      officerTarget_ = -1;
      mapKeys_ = 0;
    }
    if (++mapKeys_ > 60) {
      plan_ = Plan();
      return keyHome;
    }
    int arrow = CursorTowards(m, plan_.city);
    if (arrow) return arrow;
    return keyReturn;  // opens the city menu
  }

  int SystemMenuKey() {
    const Menu& menu = Map().systemMenu;
    if (systemWanted_ < 0) return keyEsc;
    if (menu.selected != systemWanted_) return keyDown;
    if (systemWanted_ == kSystemSave && !recordGoal_.empty()) {
      slot_ = 0;
    } else if (systemWanted_ == kSystemSave) {
      slot_ = static_cast<int>((seed_ + static_cast<uint32_t>(saves_)) % kSaveSlots);
      ++saves_;
      savedMonth_ = Map().date.month;
      loadAfterSave_ = true;
    } else if (systemWanted_ == kSystemQuit) {
      wantLoad_ = true;
    }
    systemWanted_ = -1;
    return keyReturn;
  }

  int CityMenuKey() {
    const GameMap& m = Map();
    if (plan_.command == 0) {
      if (Roll(10) == 0 && m.cityMenu.selected != kCityInfoEntry) return keyDown;  // a look at the city now and then
      return m.cityMenu.selected == kCityInfoEntry && Roll(2) == 0 ? keyReturn : keyEsc;
    }
    int group = plan_.command >= 20 ? kGroupArmament : plan_.command >= 15 ? kGroupDiplomacy : kGroupInterior;
    if (m.cityMenu.selected != group - 1) return keyDown;
    return keyReturn;
  }

  int SubMenuKey() {
    const GameMap& m = Map();
    const Menu* menus[4] = {nullptr, &m.interiorMenu, &m.diplomacyMenu, &m.armamentMenu};
    int group = m.commandGroup;
    if (plan_.command == 0) return keyEsc;
    int want = plan_.command - kCommandBase[group];
    if (want < 0 || want > menus[group]->lastIndex) {
      plan_ = Plan();
      return keyEsc;
    }
    if (menus[group]->selected < want) return keyDown;
    if (menus[group]->selected > want) return keyUp;
    return keyReturn;
  }

  int OfficerListKey() {
    GameMap& m = Map();
    if (plan_.command == 0 || m.command != plan_.command || attemptDone_) {
      // The order was given: leave the list (for a war, go on to its food).
      attemptDone_ = false;
      plan_ = Plan();
      return keyEsc;
    }
    int offset = 0, count = 0;
    m.heroList.ShownGroup(offset, count);
    if (officerTarget_ < 0) {
      officerTarget_ = count > 0 ? Roll(count) : 0;
      if (plan_.command == 8 || plan_.command == 7) {
        // Release or execute a captive; never send the own ruler away.
        for (int p = 0; p < count; ++p) {
          int h = m.heroList.PickedHero(p);
          if (h >= 0 && m.heroList.heroes[h].IsCaptive()) {
            officerTarget_ = p;
            break;
          }
          if (h == m.playerRuler - 1) officerTarget_ = (p + 1) % count;
        }
      }
      if (plan_.command == 24 || plan_.command == 22) {
        // The officer with the most soldiers leads; the war party takes
        // everyone who has soldiers to bring.
        int best = -1;
        for (int p = 0; p < count; ++p) {
          int h = m.heroList.PickedHero(p);
          if (h >= 0 && m.heroList.heroes[h].inListFlag == kIdle &&
              (best < 0 || m.heroList.heroes[h].soldiers > m.heroList.heroes[m.heroList.PickedHero(best)].soldiers)) {
            best = p;
          }
        }
        if (best >= 0) officerTarget_ = best;
        partyFull_ = plan_.command == 24 && warPicks_ > 0 &&
                     (best < 0 || m.heroList.heroes[m.heroList.PickedHero(best)].soldiers == 0);
      }
    }
    int pos = m.heroList.listTop + m.heroList.listCursor;
    if (count > 0 && pos < officerTarget_ && !partyFull_) return keyDown;
    if (count > 0 && pos > officerTarget_ && !partyFull_) return keyUp;
    if (plan_.command == 24) {
      if (partyFull_ || warPicks_ >= kWarPartyMax || (warPicks_ > 0 && count <= 1)) {
        partyFull_ = false;
        officerTarget_ = -1;
        warPicks_ = 0;
        return keyEsc;  // the party is complete: on to its food
      }
      ++warPicks_;
      if (warPicks_ == 1) BeginAttempt(24);
      officerTarget_ = -1;
      return keyReturn;
    }
    secondTarget_ = 0;
    BeginAttempt(plan_.command);
    attemptDone_ = true;
    officerTarget_ = -1;
    return keyReturn;
  }

  int TargetKey() {
    GameMap& m = Map();
    int target = plan_.target;
    if (target < 0 || targetKeys_++ > 40) {
      targetKeys_ = 0;
      plan_ = Plan();
      return keyEsc;
    }
    int arrow = CursorTowards(m, target);
    if (arrow) return arrow;
    if (targetTries_++ > 1) {
      targetTries_ = 0;
      targetKeys_ = 0;
      plan_ = Plan();
      return keyEsc;
    }
    return keyReturn;
  }

  // ---- Battles: make for the walls or the enemy commander, attack or cast a skill ----

  int Nearest(const Fight& f, int row, int col, bool enemies) const {
    int best = -1, bestD = INT_MAX;
    int from = enemies ? kEnemyBase : 0;
    int count = enemies ? f.enemyUnitCount : f.ownUnitCount;
    for (int i = from; i < from + count && i < kUnitSlots; ++i) {
      if (f.units[i].Beaten()) continue;
      int d = Distance(row, col, f.units[i].row, f.units[i].col);
      if (d < bestD) {
        best = i;
        bestD = d;
      }
    }
    return best;
  }

  int BattleCursorTowards(const Fight& f, int row, int col) const {
    int r = f.battleMap.CursorMapRow(), c = f.battleMap.CursorMapCol();
    if (r < row && f.battleMap.viewTop + f.battleMap.cursorRow < kMapRows - 1) return keyDown;
    if (r > row) return keyUp;
    if (c < col && f.battleMap.viewLeft + f.battleMap.cursorCol < kMapCols - 1) return keyRight;
    if (c > col) return keyLeft;
    return 0;
  }

  int BattleKey() {
    Fight& f = Map().fight;
    if (f.day != battleDay_) {
      battleDay_ = f.day;
      unitTried_.clear();
      unitKeys_.clear();
    }
    if (mode_ != Mode::BattleActionMenu) actionWant_ = -1;
    switch (mode_) {
      case Mode::BattleInformation:
        return f.viewState == kViewEnemySituation || f.viewState == kViewOwnSituation ? keyEsc : keyReturn;
      case Mode::BattleSettings: return keyEsc;
      case Mode::BattleDayMenu: {
        bool anyLeft = NextUnit(f) >= 0;
        if (anyLeft) return keyEsc;
        // A retreat now and then, most often when badly outnumbered.
        int want = kEscEndDay;
        if (!retreatDecided_) {
          retreatDecided_ = true;
          bool outnumbered = f.ownSoldierTotal * 3 < f.enemySoldierTotal;
          if (!holdBack_ && Roll(outnumbered ? 15 : 200) == 0) want = kEscRetreat;
          retreatWanted_ = want == kEscRetreat;
        }
        if (retreatWanted_) want = kEscRetreat;
        if (f.escMenu.selected != want) return keyDown;
        if (want == kEscRetreat) retreated_ = true;
        retreatDecided_ = false;
        retreatWanted_ = false;
        return keyReturn;
      }
      case Mode::BattleMap: {
        int unit = NextUnit(f);
        if (unit < 0) return keyEsc;  // everyone has acted: end the day
        if (++unitKeys_[unit] > kUnitKeys) {
          unitTried_.insert(unit);
          return BattleKey();
        }
        int arrow = BattleCursorTowards(f, f.units[unit].row, f.units[unit].col);
        if (arrow) return arrow;
        moveGoalSet_ = false;
        return keyReturn;  // into move mode
      }
      case Mode::BattleMove: {
        const FightHero& u = f.units[selectedUnit];
        if (!moveGoalSet_) {
          moveGoalSet_ = true;
          if (!ChooseMoveGoal(f, u)) {
            unitTried_.insert(selectedUnit);
            return keyEsc;
          }
        }
        int arrow = BattleCursorTowards(f, moveRow_, moveCol_);
        if (arrow) return arrow;
        if (f.battleMap.CursorMapRow() != moveRow_ || f.battleMap.CursorMapCol() != moveCol_) {
          unitTried_.insert(selectedUnit);
          return keyEsc;
        }
        actionStep_ = 0;
        actionWant_ = -1;
        skillTries_ = 0;
        attackTried_ = false;
        return keyReturn;
      }
      case Mode::BattleActionMenu: {
        const FightHero& u = f.units[selectedUnit];
        // First try a skill (sometimes) or an attack; when neither finds a
        // target, stand by.
        // Decided once per visit of the menu: a choice rolled again for every
        // key would chase a moving goal down the menu.
        // A skill that found no target is followed by another (a few times),
        // then by an attack; with neither, the unit stands by.
        if (actionWant_ < 0) {
          bool skillFirst = actionStep_ == 0 && u.skillPower > 0 && Roll(2) == 0;
          bool skillAgain = actionStep_ > 0 && lastActionTried_ == kActionSkill && skillTries_ < kSkillTries;
          if (skillFirst || skillAgain) actionWant_ = kActionSkill;
          else if (!attackTried_) actionWant_ = kActionAttack;
          else actionWant_ = kActionStandBy;
        }
        int want = actionWant_;
        if (f.actionMenu.selected != want) return keyDown;
        actionWant_ = -1;
        lastActionTried_ = want;
        if (want == kActionSkill) ++skillTries_;
        if (want == kActionAttack) attackTried_ = true;
        ++actionStep_;
        if (want == kActionStandBy) unitTried_.insert(selectedUnit);
        return keyReturn;
      }
      case Mode::BattleAttackTarget: {
        int target = TargetIn(f, attackMap, false);
        if (target < 0) return keyEsc;
        int arrow = BattleCursorTowards(f, f.units[target].row, f.units[target].col);
        if (arrow) return arrow;
        unitTried_.insert(selectedUnit);
        return keyReturn;
      }
      case Mode::BattleSkillMenu: {
        const FightHero& u = f.units[selectedUnit];
        if (skillWanted_ < 0) skillWanted_ = SkillWithTarget(f, u);
        if (u.skillMenu.selected != skillWanted_ && skillMenuCount > 1) return keyDown;
        skillWanted_ = -1;
        int s = f.ChosenSkill();
        if (s == kSkillSpy || s == kSkillWeather) {
          castPending_ = s;
          castUnit_ = selectedUnit;
          castPower_ = u.skillPower;
        }
        return keyReturn;
      }
      case Mode::BattleSkillTarget: {
        int s = f.ChosenSkill();
        bool helpful = IsHelpfulSkill(s);
        int target = TargetIn(f, skillMap, helpful);
        if (target < 0 && helpful) target = TargetIn(f, skillMap, false);
        if (target < 0 || skillKeys_++ > 40) {
          skillKeys_ = 0;
          return keyEsc;
        }
        int arrow = BattleCursorTowards(f, f.units[target].row, f.units[target].col);
        if (arrow) return arrow;
        skillKeys_ = 0;
        castPending_ = s;
        castUnit_ = selectedUnit;
        castPower_ = f.units[selectedUnit].skillPower;
        unitTried_.insert(selectedUnit);
        return keyReturn;
      }
      default: return keyReturn;
    }
  }

  // Where the selected unit moves. An attacker wins the moment any unit of
  // his stands on a city square, so he makes for the walls by the cheapest
  // way round rivers and mountains, and keeps his commander back, whose fall
  // loses the battle. The defence cannot hold walls that long against an army
  // that outnumbers it, but the computer's units only make for the walls
  // once they can reach them, and before that for any defender they can hit:
  // so the officers ride out to meet the attackers far from the city, going
  // for their commander when he is near, and the own commander keeps away
  // from them. Every day spent in the field eats the attackers' food, and an
  // army that runs out loses. False when the unit has nowhere to go.
  bool ChooseMoveGoal(const Fight& f, const FightHero& u) {
    moveRow_ = u.row;
    moveCol_ = u.col;
    if (f.warType == 0) {
      if (holdBack_) return reachMap[u.row][u.col] == 1;
      if (ReachableOfKind(f, kCity)) return true;
      if (selectedUnit == kOwnCommander && OwnUnitsStanding(f) > 1) return reachMap[u.row][u.col] == 1;
      paths_.ToTerrain(f, selectedUnit, kCity);
      return BestReachable([this](int r, int c) { return paths_.At(r, c); });
    }
    if (selectedUnit == kOwnCommander)
      return BestReachable([this, &f](int r, int c) { return -EnemyDistance(f, r, c); });
    const FightHero& commander = f.units[kEnemyBase];
    bool commanderNear = !commander.Beaten() && Distance(u.row, u.col, commander.row, commander.col) <= kCloseIn;
    return BestReachable([this, &f, &commander, commanderNear](int r, int c) {
      int d = commanderNear ? Distance(r, c, commander.row, commander.col) : EnemyDistance(f, r, c);
      return d >= 1 ? d : BattlePaths::kFar;
    });
  }

  // How far the nearest standing enemy unit is from a square.
  int EnemyDistance(const Fight& f, int row, int col) const {
    int e = Nearest(f, row, col, true);
    return e < 0 ? BattlePaths::kFar : Distance(row, col, f.units[e].row, f.units[e].col);
  }

  // The reachable square of a terrain kind, if any, as the move goal.
  bool ReachableOfKind(const Fight& f, int kind) {
    for (int r = 0; r < kMapRows; ++r) {
      for (int c = 0; c < kMapCols; ++c) {
        if (reachMap[r][c] == 1 && f.battleMap.KindAt(r, c) == kind) {
          moveRow_ = r;
          moveCol_ = c;
          return true;
        }
      }
    }
    return false;
  }

  // The reachable square where `cost` is least (ties broken at random), as
  // the move goal; false when no square is reachable at all.
  template <class Cost>
  bool BestReachable(Cost cost) {
    int best = reachMap[moveRow_][moveCol_] == 1 ? cost(moveRow_, moveCol_) : INT_MAX;
    bool found = best != INT_MAX;
    for (int r = 0; r < kMapRows; ++r) {
      for (int c = 0; c < kMapCols; ++c) {
        if (reachMap[r][c] != 1) continue;
        int d = cost(r, c);
        if (d < best || (d == best && Roll(3) == 0)) {
          best = d;
          moveRow_ = r;
          moveCol_ = c;
          found = true;
        }
      }
    }
    return found;
  }

  int OwnUnitsStanding(const Fight& f) const {
    int n = 0;
    for (int i = 0; i < f.ownUnitCount && i < kSideSlots; ++i) n += f.units[i].Beaten() ? 0 : 1;
    return n;
  }

  // A skill menu entry whose pattern reaches a unit it can be cast on from
  // where the caster stands (now and then any entry); a random one if none.
  int SkillWithTarget(const Fight& f, const FightHero& caster) {
    int count = std::max(skillMenuCount, 1);
    if (Roll(4) == 0) return Roll(count);
    std::vector<int> reaching;
    for (int i = 0; i < skillMenuCount && i < caster.skillCount; ++i) {
      int s = caster.skills[i];
      bool own = IsHelpfulSkill(s);
      int from = own ? 0 : kEnemyBase;
      int units = own ? f.ownUnitCount : f.enemyUnitCount;
      for (int k = from; k < from + units && k < kUnitSlots; ++k) {
        const FightHero& t = f.units[k];
        if (!t.Beaten() && SkillReaches(s, t.row - caster.row, t.col - caster.col)) {
          reaching.push_back(i);
          break;
        }
      }
    }
    if (reaching.empty()) return Roll(count);
    return reaching[Roll(static_cast<int>(reaching.size()))];
  }

  // The first own unit still able to act that has not been given up on.
  int NextUnit(const Fight& f) {
    for (int i = 0; i < f.ownUnitCount && i < kSideSlots; ++i) {
      if (!f.units[i].Beaten() && f.units[i].canAct == 1 && !unitTried_.count(i)) return i;
    }
    return -1;
  }

  // A unit standing on a marked square of the grid: an own one for a helpful
  // skill, an enemy otherwise; -1 if none.
  int TargetIn(const Fight& f, const int grid[kMapRows][kMapCols], bool own) const {
    int from = own ? 0 : kEnemyBase;
    int count = own ? f.ownUnitCount : f.enemyUnitCount;
    for (int i = from; i < from + count && i < kUnitSlots; ++i) {
      const FightHero& u = f.units[i];
      if (!u.Beaten() && OnBattleMap(u.row, u.col) && grid[u.row][u.col] == 1) return i;
    }
    return -1;
  }

  void ReadRoads() {
    TableFile table(kAdjacencyTable);
    int from = 0, to = 0;
    while (table.Read(from) && table.Read(to)) {
      if (from >= 1 && from <= kCityCount && to >= 1 && to <= kCityCount) roads_[from - 1].push_back(to - 1);
    }
  }

  std::string recordPrefix_;
  std::string battleShots_;
  std::vector<int> keyLog_;
  std::set<std::string> recorded_;
  std::string recordGoal_;
  bool wasSaveScreen_ = false;

  long long budget_;
  uint32_t seed_;
  bool trace_ = false;
  bool goOn_ = false;
  std::set<std::string> seenBroken_;
  int brokenChecks_ = 0;
  std::string firstBroken_;
  long long firstBrokenAt_ = 0;
  std::mt19937 rng_;
  long long pressed_ = 0;
  long long failedAt_ = 0;
  std::string failure_;
  int lastKey_ = 0;
  Mode mode_ = Mode::Title;
  Mode lastMode_ = Mode::Title;
  int modeKeys_ = 0;
  int starts_ = 0;
  int campaigns_ = 0;

  std::vector<int> roads_[kCityCount];
  std::map<int, long long> accepted_, refused_, skills_;
  std::set<int> weathers_;
  std::map<std::string, long long> events_;

  bool wasIn_ = false;
  BattleWatch battleWatch_;
  bool retreated_ = false;
  bool day30_ = false;
  bool wonCounted_ = false;
  int ownCities_ = 1;
  int otherCities_ = 1;
  int lastMonthStamp_ = 0;
  int monthsPlayed_ = 0;
  int owners_[kHeroCount] = {};
  int lastPlayerRuler_ = 0;

  int attempt_ = 0;
  int attemptKeys_ = 0;
  uint64_t attemptStamp_ = 0;
  bool attemptDone_ = false;

  Plan plan_;
  int ordersThisMonth_ = 0;
  int mapKeys_ = 0;
  int officerTarget_ = -1;
  int secondTarget_ = 0;
  int itemTarget_ = -1;
  int itemKeys_ = 0;
  int amountWanted_ = -1;
  int warPicks_ = 0;
  int targetKeys_ = 0;
  int targetTries_ = 0;
  int defencePicks_ = 0;
  int systemWanted_ = -1;
  int scenarioWanted_ = 0;
  int rulerWanted_ = -1;

  int slot_ = 0;
  int saves_ = 0;
  int savedMonth_ = 0;
  bool savedThisMonth_ = false;
  bool loadAfterSave_ = false;
  bool wantLoad_ = false;
  bool loadPending_ = false;

  int battleDay_ = -1;
  std::set<int> unitTried_;
  std::map<int, int> unitKeys_;
  bool moveGoalSet_ = false;
  bool partyFull_ = false;
  bool holdBack_ = false;
  BattlePaths paths_;
  int moveRow_ = 0, moveCol_ = 0;
  int actionStep_ = 0;
  int actionWant_ = -1;  // the action menu entry chosen on this visit
  int skillTries_ = 0;   // skills the acting unit has tried since its move
  bool attackTried_ = false;
  int lastActionTried_ = 0;
  int skillWanted_ = -1;
  int skillKeys_ = 0;
  int castPending_ = -1;
  int castUnit_ = 0;
  int castPower_ = 0;
  bool retreatDecided_ = false;
  bool retreatWanted_ = false;
};

}  // namespace

int RunGuidedPlayer(const LaunchOptions& options) {
  UseVirtualClock(true);
  uint32_t seed = options.seedGiven ? options.seed : 1;
  GuidedPlayer player(options.guidedKeys, seed);
  PlayLives(player, options, seed);
  player.Report(stdout);
  return player.BrokeAny() ? 3 : 0;
}
