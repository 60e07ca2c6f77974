// The player's side of a battle day, one key at a time. The open menus and
// mode flags are tested in a fixed order; the first that applies takes the key.
#include <cstdio>

#include "battle/battle_globals.h"
#include "battle/fight.h"
#include "platform/profile.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"

namespace {
constexpr int kMenuConfirm = 1;
constexpr int kMenuCancel = -1;

void ResetMenuTo(Menu& menu, int entry) {
  menu.selected = entry;
  menu.highlightRow = entry;
  menu.firstShown = 0;
  menu.atTop = entry == 0 ? 1 : 0;
  menu.atBottom = 0;
}

void StoreSetting(int& setting, const Menu& menu, const char* key) {
  setting = menu.selected;
  char text[16];
  std::snprintf(text, sizeof text, "%d", setting);
  WritePrivateProfileString("Startup", key, text, kStartupIni);
}

bool IsArrow(int key) { return key == keyUp || key == keyDown || key == keyLeft || key == keyRight; }
}  // namespace

void Fight::CentreViewOn(int row, int col) {
  if (col > 4 && col < 27) battleMap.viewLeft = col - 4;
  else if (col > 26) battleMap.viewLeft = kMaxViewLeft;
  else battleMap.viewLeft = 0;
  if (row > 2 && row < 29) battleMap.viewTop = row - 2;
  else if (row > 28) battleMap.viewTop = kMaxViewTop;
  else battleMap.viewTop = 0;
}

// The view is brought to the unit first: the arrows may have scrolled it away,
// and a cursor set from the unit's square alone would then lie outside it.
void Fight::PutCursorOn(int unit) {
  const FightHero& u = units[unit];
  CentreViewOn(u.row, u.col);
  battleMap.cursorRow = u.row - battleMap.viewTop;
  battleMap.cursorCol = u.col - battleMap.viewLeft;
}

int Fight::EndDay() {
  Log(1, "Fight::EndDay", "开始", 0);
  int computerTurn = AIRun();
  if (computerTurn < 0) return computerTurn;
  enemyIntelKnown = 0;
  ShowWeather();
  ShowWeatherBar();
  int result = ShowDay();
  if (result < 0) return result;
  result = DayEvent();
  if (result < 0) return result;
  escMenuOpen = 0;
  battleMap.Show();
  CentreViewOn(units[kOwnCommander].row, units[kOwnCommander].col);
  battleMap.cursorCol = kStartCursorCol;
  battleMap.cursorRow = kStartCursorRow;
  return 0;
}

BattleMode Fight::Mode() const {
  if (pendingEnd == kPendingLost || pendingEnd == kPendingWon) return BattleMode::kEndPending;
  if (viewState == kViewOwnUnit || viewState == kViewSpyResult || viewState == kViewEnemyUnit ||
      viewState == kViewTerrain || viewState == kViewWeatherResult)
    return BattleMode::kInformation;
  if (skillMenuOpen) return BattleMode::kSkillMenu;
  if (showMenuOpen || speedMenuOpen || moveMenuOpen) return BattleMode::kSettings;
  if (actionMenuOpen) return BattleMode::kActionMenu;
  if (escMenuOpen) return BattleMode::kDayMenu;
  if (viewState == kViewEnemySituation || viewState == kViewOwnSituation) return BattleMode::kSituation;
  if (attackMode) return BattleMode::kAttackTarget;
  if (skillMode) return BattleMode::kSkillTarget;
  if (moveMode) return BattleMode::kMove;
  return BattleMode::kMap;
}

int Fight::KeyDown(int key) {
  Log(1, "Fight::KeyDown", "开始", 0);
  switch (Mode()) {
    case BattleMode::kEndPending: return EndPendingKey();
    case BattleMode::kInformation: viewState = kViewMap; return kFightGoOn;
    case BattleMode::kSkillMenu: SkillMenuKey(key); return kFightGoOn;
    case BattleMode::kSettings: SettingsMenuKey(key); return kFightGoOn;
    case BattleMode::kActionMenu: ActionMenuKey(key); return kFightGoOn;
    case BattleMode::kDayMenu: return DayMenuKey(key);
    case BattleMode::kSituation: SituationKey(key); return kFightGoOn;
    default: break;
  }
  int result = MapKey(key);
  if (result != kFightGoOn) return result;
  Show(0);
  return kFightGoOn;
}

// The banner of a battle decided at its opening is up; any key ends it.
int Fight::EndPendingKey() {
  bool won = pendingEnd == kPendingWon;
  pendingEnd = kPendingNone;
  GameEnd(won ? 1 : 0);
  return won ? kFightWon : kFightLost;
}

// A refusal message for a skill about to be cast, or kMessageNone.
int Fight::SkillRefusal(int skill) const {
  if (IsFieldSkill(skill)) return SkillForceOK(skill) ? kMessageNone : kMessageSkillPower;
  if (!WeatherOK(skill)) return kMessageWeather;
  if (!LandOK(skill, 0)) return kMessageTerrain;
  if (!SkillForceOK(skill)) return kMessageSkillPower;
  return kMessageNone;
}

// Spying and changing the weather act on the whole field at once, with no
// target to choose: the acting unit has spent its day.
void Fight::CastFieldSkill(int skill) {
  PlayCue(SkillSound(skill));
  if (skill == kSkillWeather) ChangeWeather();
  units[selectedUnit].canAct = 0;
  SubSkillPower(skill);
}

void Fight::SkillMenuKey(int key) {
  FightHero& selected = units[selectedUnit];
  int answer = selected.skillMenu.KeyDown(key);
  if (answer == kMenuCancel) {
    skillMenuOpen = 0;
    ResetMenuTo(actionMenu, kActionSkill);
    actionMenuOpen = 1;
    messageCode = kMessageNone;
    return;
  }
  if (answer != kMenuConfirm) return;
  int s = ChosenSkill();
  skillMenuOpen = 0;
  int refusal = SkillRefusal(s);
  if (refusal != kMessageNone) {
    Refuse(refusal);
    ResetMenuTo(actionMenu, kActionSkill);
    actionMenuOpen = 1;
    return;
  }
  actionMenuOpen = 0;
  if (IsFieldSkill(s)) {
    CastFieldSkill(s);
    viewState = s == kSkillSpy ? kViewSpyResult : kViewWeatherResult;
    skillResultPending = 1;
    Show(0);
  } else {
    skillMode = 1;
    SetAtSkill(selected.row, selected.col, selectedUnit, s);
  }
}

void Fight::SettingsMenuKey(int key) {
  Menu& menu = showMenuOpen ? showMenu : speedMenuOpen ? speedMenu : moveMenu;
  int& open = showMenuOpen ? showMenuOpen : speedMenuOpen ? speedMenuOpen : moveMenuOpen;
  int answer = menu.KeyDown(key);
  if (answer == kMenuConfirm) {
    if (&menu == &showMenu) StoreSetting(menuShow, menu, "Menushow");
    else if (&menu == &speedMenu) StoreSetting(menuSpeed, menu, "Menuspeed");
    else StoreSetting(menuMove, menu, "Menumove");
  }
  if (answer != 0) open = 0;
}

void Fight::ActionMenuKey(int key) {
  FightHero& selected = units[selectedUnit];
  int answer = actionMenu.KeyDown(key);
  if (answer == kMenuCancel) {
    actionMenuOpen = 0;
    selected.row = savedRow;
    selected.col = savedCol;
    return;
  }
  if (answer != kMenuConfirm) return;
  int entry = actionMenu.selected;
  if (entry == kActionInfo) {
    infoUnit = selectedUnit;
    viewState = kViewOwnUnit;
    return;
  }
  if (entry == kActionAttack) {
    int unit = OwnUnitAt(battleMap.CursorMapRow(), battleMap.CursorMapCol());
    if (unit >= 0 && units[unit].canAct == 1) {
      selectedUnit = unit;
      SetAt(units[unit].row, units[unit].col, unit);
      attackMode = 1;
    }
  } else if (entry == kActionSkill) {
    selected.SetSkillList();
    selected.WriteSkilltoFile();
    selected.GetMenuSkill();
    if (skillMenuCount > 0) {
      selected.ShowMenuSkill();
      skillMenuOpen = 1;
    } else {
      Refuse(kMessageInvalid);
    }
  } else if (entry == kActionStandBy) {
    selected.canAct = 0;
  }
  actionMenuOpen = 0;
  ResetMenuTo(actionMenu, 0);
}

int Fight::DayMenuKey(int key) {
  int answer = escMenu.KeyDown(key);
  if (answer == kMenuCancel) {
    escMenuOpen = 0;
  } else if (answer == kMenuConfirm) {
    switch (escMenu.selected) {
      case kEscEndDay: return EndDay();
      case kEscRetreat:
        escMenuOpen = 0;
        GameEnd(0);
        return kFightLost;
      case kEscShowSetting: showMenuOpen = 1; break;
      case kEscSpeedSetting: speedMenuOpen = 1; break;
      case kEscMoveSetting: moveMenuOpen = 1; break;
      default: break;
    }
  }
  return kFightGoOn;
}

// The lists of either side's units, five to a half-page.
void Fight::SituationKey(int key) {
  bool enemy = viewState == kViewEnemySituation;
  int& half = enemy ? enemyListHalf : ownListHalf;
  int count = enemy ? enemyUnitCount : ownUnitCount;
  if (key == keyUp || key == keyDown) {
    if (half == 0 && count >= 6) half = 1;
    else if (half == 1 && count > 5) half = 0;
  } else if (key == keyLeft || key == keyRight) {
    viewState = enemy ? kViewOwnSituation : kViewEnemySituation;
  } else if (key == keyEsc) {
    viewState = kViewMap;
  }
  Show(0);
}

int Fight::MapKey(int key) {
  int cursorRow = battleMap.CursorMapRow(), cursorCol = battleMap.CursorMapCol();
  FightHero& selected = units[selectedUnit];
  if (IsArrow(key)) {
    messageCode = kMessageNone;
    battleMap.KeyDown(key);
  } else if (key == keyEsc) {
    if (attackMode) {
      attackMode = 0;
      actionMenuOpen = 1;
      PutCursorOn(selectedUnit);
    } else if (skillMode) {
      skillMode = 0;
      ResetMenuTo(actionMenu, kActionSkill);
      actionMenuOpen = 1;
      PutCursorOn(selectedUnit);
    } else if (moveMode) {
      moveMode = 0;
    } else {
      escMenuOpen = 1;
    }
  } else if (key == keyHome) {
    viewState = kViewEnemySituation;
  } else if (key == keySpace) {
    viewState = kViewTerrain;
    int own = OwnUnitAt(cursorRow, cursorCol);
    int enemy = EnemyUnitAt(cursorRow, cursorCol);
    // Only the screen changes: a unit choosing its square or target goes on
    // choosing, and the undo and the action stay with it.
    if (own >= 0) {
      infoUnit = own;
      viewState = kViewOwnUnit;
    } else if (enemy >= 0) {
      infoUnit = enemy;
      viewState = kViewEnemyUnit;
    }
  } else if (key == keyReturn) {
    if (attackMode) {
      int found = CanAt(kTargetAttack);
      if (found == 1) {
        int event = FightEvent();
        if (event == kEventLost) return kFightLost;
        if (event == kEventWon) return kFightWon;
      } else {
        Refuse(found == 2 ? kMessageInvalid : kMessageNoTarget);
      }
    } else if (skillMode) {
      int s = ChosenSkill();
      int found = CanAt(IsHelpfulSkill(s) ? kTargetHelpful : kTargetHarmful);
      if (found == 1) {
        if (!LandOK(s, 1)) {
          Refuse(kMessageTerrain);
        } else if (selected.unitStatus == kStatusSealed) {
          Refuse(kMessageInvalid);
        } else {
          int event = FightEvent();
          if (event != kEventInvalid) SubSkillPower(s);
          if (event == kEventLost) return kFightLost;
          if (event == kEventWon) return kFightWon;
        }
      } else {
        Refuse(found == 2 ? kMessageInvalid : kMessageNoTarget);
      }
    } else if (moveMode) {
      if (CanArrive()) {
        savedRow = selected.row;
        savedCol = selected.col;
        selected.row = cursorRow;
        selected.col = cursorCol;
        Show(0);
        moveMode = 0;
        ResetMenuTo(actionMenu, 0);
        actionMenuOpen = 1;
        // The move's test may also report a loss; the banner is then already
        // up, so the battle ends there rather than playing on under it.
        int result = TestWinLose();
        if (result != 0) return result;
      } else {
        Refuse(kMessageUnreachable);
      }
    } else {
      int own = OwnUnitAt(cursorRow, cursorCol);
      if (own >= 0 && units[own].canAct == 1) {
        selectedUnit = own;
        SetArrive(units[own].row, units[own].col, own);
        moveMode = 1;
        messageCode = kMessageNone;
      }
    }
  }
  return 0;
}
