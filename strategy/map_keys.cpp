// The map's key dispatch: exactly one mode handles each key, tested in a fixed
// order of precedence (the innermost open thing first).
#include "rules/data_files.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

struct MenuSpec {
  int cellsWide, rows, left, top, lastIndex;
  const char* file;
};
constexpr MenuSpec kSystemMenu = {4, 3, 300, 100, 2, kSystemMenuList};
constexpr MenuSpec kCityMenu = {2, 4, 300, 100, 3, kCityMenuList};
constexpr MenuSpec kSubMenus[4] = {
    {0, 0, 0, 0, 0, ""},
    {2, 6, 410, 120, 13, kInteriorMenuList},
    {2, 5, 410, 120, 4, kDiplomacyMenuList},
    {2, 5, 410, 120, 4, kArmamentMenuList},
};
// The first command number of each sub-menu.
constexpr int kCommandBase[4] = {0, OrderNumber(kFirstInteriorOrder), OrderNumber(kFirstDiplomacyOrder),
                                 OrderNumber(kFirstArmamentOrder)};

constexpr int kSystemEndMonth = 1;
constexpr int kSystemSave = 2;
constexpr int kSystemQuit = 3;
constexpr int kCityInfoChoice = 4;

void OpenMenu(Menu& menu, const MenuSpec& layout) {
  menu.InitMenu(layout.cellsWide, layout.rows, layout.left, layout.top, layout.lastIndex, layout.file, 1);
  menu.Show(0);
}

}  // namespace

MapMode GameMap::Mode() const {
  if (listAfterMessage) return MapMode::kNoticeBeforeList;
  if (warPick == kWarPickOpen) return MapMode::kDefencePick;
  if (rulerSuccession == kSuccessionPick) return MapMode::kSuccessionPick;
  if (battleOpen) return MapMode::kBattle;
  if (saveScreenOpen) return MapMode::kSaveScreen;
  if (operateOpen) return MapMode::kAmountDialog;
  if (goodsListOpen) return MapMode::kItemList;
  if (secondPickOpen) return MapMode::kSecondPick;
  if (command != 0) return MapMode::kOfficerList;
  if (commandGroup == kGroupInterior) return MapMode::kInteriorMenu;
  if (commandGroup == kGroupDiplomacy) return MapMode::kDiplomacyMenu;
  if (commandGroup == kGroupArmament) return MapMode::kArmamentMenu;
  if (menuLevel == kMenuSystem) return MapMode::kSystemMenu;
  if (menuLevel == kMenuCity) return MapMode::kCityMenu;
  if (menuLevel == kMenuCityInfo) return MapMode::kCityInformation;
  if (targetMode != kTargetNone) return MapMode::kTargetChoice;
  return MapMode::kMap;
}

int GameMap::KeyDown(int key) {
  Log(1, "GameMap::KeyDown", "开始", 0);
  switch (Mode()) {
    case MapMode::kNoticeBeforeList:
      Show(0);
      ReopenOfficerList();
      listAfterMessage = 0;
      return 0;
    case MapMode::kDefencePick: {
      MonthEndScope reports(&date.year, &date.month, true);
      DefencePickKey(key);
      return 0;
    }
    case MapMode::kSuccessionPick: {
      {
        MonthEndScope reports(&date.year, &date.month, true);
        SuccessionKey(key);
      }
      AfterSuccessionKey();
      return 0;
    }
    case MapMode::kBattle: BattleKey(key); return 0;
    case MapMode::kSaveScreen: SaveScreenKeyDown(key); return 0;
    case MapMode::kAmountDialog: OperateKey(key); return 0;
    case MapMode::kItemList: GoodsListKey(key); return 0;
    case MapMode::kSecondPick: SecondPickKey(key); return 0;
    case MapMode::kOfficerList: OfficerListKey(key); return 0;
    case MapMode::kInteriorMenu:
    case MapMode::kDiplomacyMenu:
    case MapMode::kArmamentMenu: SubMenuKey(key); return 0;
    case MapMode::kSystemMenu: return SystemMenuKey(key);
    case MapMode::kCityMenu: CityMenuKey(key); return 0;
    case MapMode::kCityInformation: CityInfoKey(key); return 0;
    case MapMode::kTargetChoice:
    case MapMode::kMap: break;
  }
  return PlainMapKey(key);
}

void GameMap::ReopenOfficerList() {
  if (OrderOf(command) == Order::kWar || warPick == kWarPickOpen) {
    heroList.Show(0);
    return;
  }
  OpenOfficerList();
}

// A battle ends with -1 (the player's side lost) or -2 (won); the month end
// then resumes where the battle interrupted it.
void GameMap::BattleKey(int key) {
  int result = fight.KeyDown(key);
  if (result != kFightLost && result != kFightWon) {
    fight.Show(0);
    return;
  }
  battleResult = result;
  battleOpen = 0;
  EndOneBattle();
  DoEndEvent();
  // A captured ruler leaves the successor list open: the map must not cover it.
  if (pendingBattles == kBattlesLastFought && warPick == kWarPickNone && rulerSuccession != kSuccessionPick) Show(0);
}

int GameMap::PlainMapKey(int key) {
  if (key == keyHome) {
    Show(kRoadMapKey);
  } else if (key == kTabKey) {
    ToggleHighAttack();
  } else if (key == keyUp || key == keyDown || key == keyLeft || key == keyRight) {
    MoveCursor(key);
  } else if (key == keyReturn) {
    if (targetMode != kTargetNone) {
      TargetReturn();
      return 0;
    }
    int cell = GetCityPostion(cursorCol, cursorRow, scenario, rulerChoice);
    if (cell == kCellOwn) {
      menuLevel = kMenuCity;
      screenNumber = kScreenCityMenu;
      selectedCity = GetCityNum() + 1;
      OpenMenu(cityMenu, kCityMenu);
    } else if (cell == kCellEnemy) {
      Notice("敌方城池");
    } else if (cell == kCellUnowned) {
      Notice("无人占领城池");
    }
  } else if (key == keyEsc) {
    if (targetMode != kTargetNone) {
      TargetEscape();
      return 0;
    }
    menuLevel = kMenuSystem;
    screenNumber = kScreenMapMenu;
    OpenMenu(systemMenu, kSystemMenu);
  }
  return 0;
}

void GameMap::MoveCursor(int key) {
  if (key == keyDown) cursorRow = cursorRow + 1 > kCellRows - 1 ? kCellRows - 1 : cursorRow + 1;
  if (key == keyUp) cursorRow = cursorRow - 1 < 0 ? 0 : cursorRow - 1;
  if (key == keyRight) cursorCol = cursorCol + 1 > kMapColumns - 1 ? kMapColumns - 1 : cursorCol + 1;
  if (key == keyLeft) cursorCol = cursorCol - 1 < 0 ? 0 : cursorCol - 1;
  Show(key);
}

void GameMap::ToggleHighAttack() {
  highAttackChance = highAttackChance == 0 ? 1 : 0;
  ShowMessage2(highAttackChance == 1 ? "设置" : "取消", "高攻击概率成功！", 100, 450, 10, 1, 1000);
}

int GameMap::SystemMenuKey(int key) {
  systemMenuResult = systemMenu.KeyDown(key);
  if (systemMenuResult == -1) {
    menuLevel = kMenuNone;
    screenNumber = kScreenMap;
    Show(0);
    return 0;
  }
  if (systemMenuResult != 1) return 0;
  systemMenuChoice = systemMenu.selected + 1;
  menuLevel = kMenuNone;
  screenNumber = kScreenMap;
  if (systemMenuChoice == kSystemEndMonth) {
    ShowEnd();
    DoEndEvent();
    ShowMapIfUncovered();
  } else if (systemMenuChoice == kSystemSave) {
    Show(0);
    OpenSaveScreen();
  } else if (systemMenuChoice == kSystemQuit) {
    return -1;
  }
  return 0;
}

void GameMap::CityMenuKey(int key) {
  cityMenuResult = cityMenu.KeyDown(key);
  if (cityMenuResult == -1) {
    menuLevel = kMenuNone;
    screenNumber = kScreenMap;
    Show(0);
    return;
  }
  if (cityMenuResult != 1) return;
  int choice = cityMenu.selected + 1;
  if (choice >= kGroupInterior && choice <= kGroupArmament) {
    OpenSubMenu(choice);
  } else if (choice == kCityInfoChoice) {
    menuLevel = kMenuCityInfo;
    cityList.Init(cursorCol, cursorRow, scenario);
    cityList.Show();
  }
}

void GameMap::OpenSubMenu(int group) {
  commandGroup = group;
  Menu* menus[4] = {nullptr, &interiorMenu, &diplomacyMenu, &armamentMenu};
  OpenMenu(*menus[group], kSubMenus[group]);
}

void GameMap::SubMenuKey(int key) {
  Menu* menus[4] = {nullptr, &interiorMenu, &diplomacyMenu, &armamentMenu};
  int* results[4] = {nullptr, &interiorMenuResult, &diplomacyMenuResult, &armamentMenuResult};
  int group = commandGroup;
  int result = menus[group]->KeyDown(key);
  *results[group] = result;
  if (result == -1) {
    commandGroup = 0;
    screenNumber = kScreenCityMenu;
    Show(0);
    cityMenu.Show(0);
    return;
  }
  if (result != 1) return;
  command = kCommandBase[group] + menus[group]->selected;
  Show(0);
  OpenOfficerList();
}

void GameMap::CityInfoKey(int key) {
  if (cityList.KeyDown(key) != -1) return;
  menuLevel = kMenuNone;
  screenNumber = kScreenMap;
  Show(0);
}
