#include "battle/fight.h"

#include "battle/battle_globals.h"
#include "rules/data_files.h"
#include "shell/run_log.h"

void Fight::PubInit(int scenarioNumber) {
  Log(1, "Fight::PubInit", "开始", 0);
  scenario = scenarioNumber;
}

void Fight::InitData(int ownCount, int commander, int city, int food) {
  Log(1, "Fight::InitData", "开始", 0);
  battleMap.Init(scenario, city);
  for (FightHero& unit : units) unit.Init(scenario, city);
  escMenu.InitMenu(4, 5, 30, 80, 4, kBattleEscMenuList, 1);
  showMenu.InitMenu(2, 2, 290, 200, 1, kBattleShowMenuList, 1);
  speedMenu.InitMenu(2, 2, 290, 200, 1, kBattleSpeedMenuList, 1);
  moveMenu.InitMenu(2, 2, 290, 200, 1, kBattleShowMenuList, 1);
  actionMenu.InitMenu(2, 4, 400, 200, 3, kBattleActionMenuList, 1);
  ownFood = food;
  weather = 1;
  day = 1;
  viewState = kViewMap;
  escMenuOpen = 0;
  showMenuOpen = 0;
  moveMenuOpen = 0;
  speedMenuOpen = 0;
  enemyIntelKnown = 0;
  actionMenuOpen = 0;
  moveMode = 0;
  attackMode = 0;
  skillMenuOpen = 0;
  skillMode = 0;
  skillResultPending = 0;
  infoUnit = 0;
  ownUnitCount = ownCount;
  battleCity = city;
  commanderId = commander;
  ownListHalf = 0;
  enemyListHalf = 0;
  pendingEnd = kPendingNone;
  messageCode = kMessageNone;
}

int Fight::OwnUnitAt(int row, int col) const {
  for (int i = 0; i < ownUnitCount && i < kSideSlots; ++i)
    if (!units[i].Beaten() && units[i].row == row && units[i].col == col) return i;
  return -1;
}

int Fight::EnemyUnitAt(int row, int col) const {
  for (int i = kEnemyBase; i < kEnemyBase + enemyUnitCount && i < kUnitSlots; ++i)
    if (!units[i].Beaten() && units[i].row == row && units[i].col == col) return i;
  return -1;
}

bool Fight::TwoOnOneSquare(int& first, int& second) const {
  for (int b = 0; b < kUnitSlots; ++b) {
    if (!(IsOwnSlot(b) || IsEnemySlot(b)) || units[b].Beaten()) continue;
    for (int a = 0; a < b; ++a) {
      if (!(IsOwnSlot(a) || IsEnemySlot(a)) || units[a].Beaten()) continue;
      if (units[a].row == units[b].row && units[a].col == units[b].col) {
        first = a;
        second = b;
        return true;
      }
    }
  }
  return false;
}

int Fight::KindUnder(int slot) const {
  if (slot < 0 || slot >= kUnitSlots) return kPlain;
  return battleMap.KindAt(units[slot].row, units[slot].col);
}

namespace {
void DumpMenu(JsonWriter& out, const char* name, const Menu& menu) {
  out.BeginObject(name);
  menu.Dump(out);
  out.EndObject();
}
}  // namespace

void Fight::Dump(JsonWriter& out) const {
  out.Int("day", day);
  out.Int("ownFood", ownFood);
  out.Int("ownSoldierTotal", ownSoldierTotal);
  out.Int("enemySoldierTotal", enemySoldierTotal);
  out.Int("commanderId", commanderId);
  out.Int("ownUnitCount", ownUnitCount);
  out.Int("battleCity", battleCity);
  out.Int("ownLeaderId", ownLeaderId);
  out.Int("enemyLeaderId", enemyLeaderId);
  out.Int("weather", weather);
  out.Int("enemyFood", enemyFood);
  out.Int("enemyCommanderId", enemyCommanderId);
  out.Int("enemyUnitCount", enemyUnitCount);
  out.Int("ownListHalf", ownListHalf);
  out.Int("enemyListHalf", enemyListHalf);
  out.Int("warSerial", warSerial);
  out.BeginObject("battleMap");
  battleMap.Dump(out);
  out.EndObject();
  out.BeginArray("units");
  for (const FightHero& unit : units) {
    out.BeginObject();
    unit.Dump(out);
    out.EndObject();
  }
  out.EndArray();
  DumpMenu(out, "escMenu", escMenu);
  DumpMenu(out, "showMenu", showMenu);
  DumpMenu(out, "speedMenu", speedMenu);
  DumpMenu(out, "moveMenu", moveMenu);
  DumpMenu(out, "actionMenu", actionMenu);
  out.Int("portrait", portrait);
  out.Int("scenario", scenario);
  out.Int("escMenuOpen", escMenuOpen);
  out.Int("viewState", viewState);
  out.Int("enemyIntelKnown", enemyIntelKnown);
  out.Int("actionMenuOpen", actionMenuOpen);
  out.Int("moveMode", moveMode);
  out.Int("attackMode", attackMode);
  out.Int("skillMenuOpen", skillMenuOpen);
  out.Int("skillMode", skillMode);
  out.Int("showMenuOpen", showMenuOpen);
  out.Int("moveMenuOpen", moveMenuOpen);
  out.Int("speedMenuOpen", speedMenuOpen);
  out.Int("warType", warType);
  out.Int("skillResultPending", skillResultPending);
  out.Int("infoUnit", infoUnit);
}
