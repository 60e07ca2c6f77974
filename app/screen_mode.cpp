#include "app/screen_mode.h"

#include <iterator>

#include "campaign/game.h"

namespace {

// The screens before a campaign, in the order of Screen.
const char* const kScreenNames[] = {"title", "about", "load screen", "scenario choice", "ruler choice"};
static_assert(std::size(kScreenNames) == static_cast<size_t>(Screen::kCampaign));

const char* MapModeName(MapMode mode) {
  switch (mode) {
    case MapMode::kNoticeBeforeList: return "notice before a list";
    case MapMode::kDefencePick: return "defence pick";
    case MapMode::kSuccessionPick: return "succession pick";
    case MapMode::kBattle: return "battle";
    case MapMode::kSaveScreen: return "save screen";
    case MapMode::kAmountDialog: return "amount dialog";
    case MapMode::kItemList: return "item list";
    case MapMode::kSecondPick: return "second officer pick";
    case MapMode::kOfficerList: return "officer list";
    case MapMode::kInteriorMenu: return "interior menu";
    case MapMode::kDiplomacyMenu: return "diplomacy menu";
    case MapMode::kArmamentMenu: return "armament menu";
    case MapMode::kSystemMenu: return "system menu";
    case MapMode::kCityMenu: return "city menu";
    case MapMode::kCityInformation: return "city information";
    case MapMode::kTargetChoice: return "target choice";
    case MapMode::kMap: break;
  }
  return "map";
}

const char* BattleModeName(BattleMode mode) {
  switch (mode) {
    case BattleMode::kEndPending:
    case BattleMode::kInformation:
    case BattleMode::kSituation: return "battle: information";
    case BattleMode::kSkillMenu: return "battle: skill menu";
    case BattleMode::kSettings: return "battle: settings";
    case BattleMode::kActionMenu: return "battle: action menu";
    case BattleMode::kDayMenu: return "battle: day menu";
    case BattleMode::kAttackTarget: return "battle: attack target";
    case BattleMode::kSkillTarget: return "battle: skill target";
    case BattleMode::kMove: return "battle: move";
    case BattleMode::kMap: break;
  }
  return "battle: map";
}

}  // namespace

ScreenMode CurrentMode(const Game& game) {
  ScreenMode mode;
  switch (game.titleMode) {
    case kModeTitle: mode.screen = Screen::kTitle; return mode;
    case kModeAbout: mode.screen = Screen::kAbout; return mode;
    case kModeLoadScreen: mode.screen = Screen::kLoadScreen; return mode;
    case kModeNewCampaign:
    case kModeLoadedCampaign: break;
    default: return mode;  // no screen takes keys there; the title is where it leads
  }
  const NewGame& ng = game.newGame;
  if (ng.rulerPhase != 1) {
    mode.screen = Screen::kScenarioChoice;
  } else if (ng.who.mapActive != 1) {
    mode.screen = Screen::kRulerChoice;
  } else {
    mode.screen = Screen::kCampaign;
    mode.map = ng.who.Mode();
    if (mode.map == MapMode::kBattle) mode.battle = ng.who.fight.Mode();
  }
  return mode;
}

bool InCampaign(const Game& game) { return CurrentMode(game).InCampaign(); }

std::string ModeName(const ScreenMode& mode) {
  if (!mode.InCampaign()) return kScreenNames[static_cast<int>(mode.screen)];
  return mode.InBattle() ? BattleModeName(mode.battle) : MapModeName(mode.map);
}

std::string ModeName(const Game& game) { return ModeName(CurrentMode(game)); }
