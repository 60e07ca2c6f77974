#include "app/mouse_keys.h"

#include "app/overlay.h"
#include "app/screen_mode.h"
#include "battle/battle_globals.h"
#include "campaign/game.h"
#include "campaign/scenario_files.h"
#include "shell/globals.h"

namespace {

using Keys = std::vector<int>;

void Repeat(Keys& keys, int key, int times) {
  for (int i = 0; i < times; ++i) keys.push_back(key);
}

// One key a step: the selections never need to wrap to reach a row that is
// shown, so the short way is the straight one.
void Steps(Keys& keys, int from, int to, int backKey, int onKey) {
  if (to > from) Repeat(keys, onKey, to - from);
  else Repeat(keys, backKey, from - to);
}

// The keys that bring a selection under the pointer; found is false when the
// pointer is on nothing that can be selected.
struct Aim {
  bool found = false;
  Keys keys;
};

Aim Towards(int from, int to, int backKey, int onKey) {
  Aim aim;
  if (to < 0) return aim;
  aim.found = true;
  Steps(aim.keys, from, to, backKey, onKey);
  return aim;
}

Aim MenuAim(const Menu& menu, int x, int y) { return Towards(menu.selected, menu.EntryAt(x, y), keyUp, keyDown); }

Aim BattleMenuAim(const Fight& fight, BattleMode mode, int x, int y) {
  switch (mode) {
    case BattleMode::kSkillMenu: return MenuAim(fight.units[selectedUnit].skillMenu, x, y);
    case BattleMode::kSettings: {
      const Menu& menu = fight.showMenuOpen ? fight.showMenu : fight.speedMenuOpen ? fight.speedMenu : fight.moveMenu;
      return MenuAim(menu, x, y);
    }
    case BattleMode::kActionMenu: return MenuAim(fight.actionMenu, x, y);
    case BattleMode::kDayMenu: return MenuAim(fight.escMenu, x, y);
    default: return Aim();
  }
}

Aim OperateAim(const Operate& operate, int x, int y) {
  bool choice = operate.kind == kOperateChoice;
  return Towards(operate.digitPos, operate.PlaceAt(x, y), choice ? keyUp : keyLeft, choice ? keyDown : keyRight);
}

Aim CampaignAim(GameMap& map, const ScreenMode& mode, int x, int y) {
  switch (mode.map) {
    case MapMode::kDefencePick:
    case MapMode::kSuccessionPick:
    case MapMode::kSecondPick:
    case MapMode::kOfficerList: return Towards(map.heroList.listCursor, map.heroList.RowAt(x, y), keyUp, keyDown);
    case MapMode::kItemList: return Towards(map.goodList.listCursor, map.goodList.RowAt(x, y), keyUp, keyDown);
    case MapMode::kSaveScreen: return Towards(map.save.slotChoice, map.save.RowAt(x, y), keyUp, keyDown);
    case MapMode::kAmountDialog: return OperateAim(map.operate, x, y);
    case MapMode::kInteriorMenu: return MenuAim(map.interiorMenu, x, y);
    case MapMode::kDiplomacyMenu: return MenuAim(map.diplomacyMenu, x, y);
    case MapMode::kArmamentMenu: return MenuAim(map.armamentMenu, x, y);
    case MapMode::kSystemMenu: return MenuAim(map.systemMenu, x, y);
    case MapMode::kCityMenu: return MenuAim(map.cityMenu, x, y);
    case MapMode::kBattle: return BattleMenuAim(map.fight, mode.battle, x, y);
    default: return Aim();
  }
}

// The selection of the menu, list, slots or title entries showing.
Aim SelectionAim(Game& game, const ScreenMode& mode, int x, int y) {
  switch (mode.screen) {
    case Screen::kTitle: return Towards(game.titleChoice, Game::TitleEntryAt(x, y), keyUp, keyDown);
    case Screen::kLoadScreen: return Towards(game.loadScreen.slotChoice, game.loadScreen.RowAt(x, y), keyUp, keyDown);
    case Screen::kScenarioChoice:
      return Towards(game.newGame.scenarioChoice, NewGame::ScenarioAt(x, y), keyUp, keyDown);
    case Screen::kRulerChoice: return MenuAim(game.newGame.who.rulerMenu, x, y);
    case Screen::kCampaign: return CampaignAim(game.newGame.who, mode, x, y);
    case Screen::kAbout: break;
  }
  return Aim();
}

// Screens that any key closes (or, for the title before its first key,
// opens): a click anywhere on them is the confirming key.
bool TakesAnyKey(const Game& game, const ScreenMode& mode) {
  if (mode.screen == Screen::kAbout) return true;
  if (mode.screen == Screen::kTitle) return game.titleChoice < 0;
  if (!mode.InCampaign()) return false;
  if (mode.map == MapMode::kNoticeBeforeList || mode.map == MapMode::kCityInformation) return true;
  return mode.InBattle() && (mode.battle == BattleMode::kEndPending || mode.battle == BattleMode::kInformation);
}

bool OnMapCells(const ScreenMode& mode) {
  return mode.InCampaign() && (mode.map == MapMode::kMap || mode.map == MapMode::kTargetChoice);
}

bool OnBattleSquares(const ScreenMode& mode) {
  if (!mode.InBattle()) return false;
  switch (mode.battle) {
    case BattleMode::kMap:
    case BattleMode::kMove:
    case BattleMode::kAttackTarget:
    case BattleMode::kSkillTarget: return true;
    default: return false;
  }
}

// The cursor walks to the cell as the arrows walk it (scrolling the view where
// they would); Return only on a city, where it opens or names something.
Keys MapClick(const GameMap& map, int x, int y) {
  Keys keys;
  int col = 0, row = 0;
  if (!map.CellAt(x, y, col, row)) return keys;
  Steps(keys, map.cursorCol, col, keyLeft, keyRight);
  Steps(keys, map.cursorRow, row, keyUp, keyDown);
  if (FindCityAtCell(col, row) >= 0) keys.push_back(keyReturn);
  return keys;
}

// Return on the square does what it does with the keyboard: select a unit,
// move the selected one, strike or cast at a target.
Keys SquareClick(const FightMap& field, int x, int y) {
  Keys keys;
  int row = 0, col = 0;
  if (!field.SquareAt(x, y, row, col)) return keys;
  Steps(keys, field.cursorCol, col, keyLeft, keyRight);
  Steps(keys, field.cursorRow, row, keyUp, keyDown);
  keys.push_back(keyReturn);
  return keys;
}

// The help panel closes on the first key, so the keys after it would reach
// the screen behind.
Keys UnderOverlay(Keys keys) {
  if (OpenOverlay() == OverlayKind::Help && keys.size() > 1) keys.resize(1);
  return keys;
}

}  // namespace

std::vector<int> MouseKeys::Click(Game& game, int x, int y) {
  if (OpenOverlay() != OverlayKind::None) return {keyReturn};
  ScreenMode mode = CurrentMode(game);
  if (TakesAnyKey(game, mode)) return {keyReturn};
  if (OnMapCells(mode)) return MapClick(game.newGame.who, x, y);
  if (OnBattleSquares(mode)) return SquareClick(game.newGame.who.fight.battleMap, x, y);
  Aim aim = SelectionAim(game, mode, x, y);
  if (aim.found) aim.keys.push_back(keyReturn);
  return aim.keys;
}

std::vector<int> MouseKeys::Hover(Game& game, int x, int y) {
  if (OpenOverlay() != OverlayKind::None) return {};
  ScreenMode mode = CurrentMode(game);
  // Before the first key the title shows no entries to point at.
  if (mode.screen == Screen::kTitle && game.titleChoice < 0) return {};
  return SelectionAim(game, mode, x, y).keys;
}

std::vector<int> MouseKeys::RightClick() { return {keyEsc}; }

std::vector<int> MouseKeys::Wheel(int notches) {
  Keys keys;
  Repeat(keys, notches > 0 ? keyUp : keyDown, notches > 0 ? notches : -notches);
  return UnderOverlay(keys);
}

std::vector<int> MouseKeys::For(const Message& message, Game& game) {
  switch (message.type) {
    case MessageType::MouseDown: return message.param == kMouseRight ? RightClick() : Click(game, message.x, message.y);
    case MessageType::MouseWheel: return Wheel(message.param);
    case MessageType::MouseMove: return Hover(game, message.x, message.y);
    default: return {};
  }
}
