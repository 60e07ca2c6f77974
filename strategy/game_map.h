#pragma once
// The running campaign and its main screen, the strategic map: 50 cities on a
// grid of 12 x 9 cells, the cursor, the side panel, the city menus and the 24
// city orders. Its methods are split by subject over the files of strategy/
// (and war/ for the wars).
#include "campaign/city_list.h"
#include "campaign/country.h"
#include "campaign/date.h"
#include "campaign/good_list.h"
#include "campaign/head.h"
#include "campaign/hero_list.h"
#include "battle/fight.h"
#include "campaign/operate.h"
#include "campaign/save.h"
#include "rules/city_grid.h"
#include "rules/sounds.h"
#include "rules/orders.h"
#include "shell/json_writer.h"
#include "shell/menu.h"
#include "strategy/map_frame.h"
#include "strategy/map_globals.h"
#include "strategy/task_record.h"

constexpr int kMapColumns = kCityGridCols;
constexpr int kCellRows = kCityGridRows;
constexpr int kTabKey = 9;         // fixed, not one of the configurable keys
constexpr int kRoadMapKey = -100;  // GameMap::Show's code for the road map

// menuLevel values.
constexpr int kMenuNone = 0;
constexpr int kMenuSystem = 1;
constexpr int kMenuCity = 2;
constexpr int kMenuCityInfo = 3;

// commandGroup values.
constexpr int kGroupInterior = 1;
constexpr int kGroupDiplomacy = 2;
constexpr int kGroupArmament = 3;

// What the next key on the map screen does: the innermost open thing takes it.
enum class MapMode {
  kNoticeBeforeList,  // a notice over an officer list, which comes back after it
  kDefencePick,       // the defenders of a city a computer army attacks
  kSuccessionPick,    // the player crowns a successor
  kBattle,
  kSaveScreen,
  kAmountDialog,
  kItemList,
  kSecondPick,   // the second officer of a two-officer order
  kOfficerList,  // the officer who carries out an order
  kInteriorMenu,
  kDiplomacyMenu,
  kArmamentMenu,
  kSystemMenu,
  kCityMenu,
  kCityInformation,
  kTargetChoice,  // an order waits for its target city
  kMap
};

// GetCityPostion answers.
constexpr int kCellEmpty = 0;
constexpr int kCellOwn = 1;
constexpr int kCellEnemy = 2;
constexpr int kCellUnowned = 3;

// GetOrder results.
constexpr int kOrderDone = 0;
constexpr int kOrderRefused = -1;
constexpr int kOrderFinished = -2;
constexpr int kOrderSecondPick = 1;
constexpr int kOrderItemList = 2;
constexpr int kOrderDialog = 3;
constexpr int kOrderWarMore = 4;
constexpr int kOrderWarComplete = 5;

// The ruler choice line (0-based) of a scenario's ruler by officer number; -1 for
// a ruler who was not one at the scenario's start.
int RulerChoiceOf(int scenario, int rulerNumber);
// The faction colours: eighteen colours, the second nine with a white band
// across the flag as well. The ruler choice line picks the colour.
constexpr int kFactionColors = 18;
int FactionPaletteIndex(int index);  // any number folded into 0..kFactionColors-1
Pixel FactionPaletteColor(int index);
bool FactionPaletteBanded(int index);
// Paints a faction's mark (a square of `size`) at (x, y) of the back buffer.
void PaintFactionMark(int index, int x, int y, int size);

class GameMap {
 public:
  int selectedCity = 0;
  int cursorCol = 0;
  int cursorRow = 0;
  int arrowX = 0;
  int arrowY = 0;
  int scrollX = 0;
  int scrollY = 0;
  int atLeftEdge = 0;
  int atRightEdge = 0;
  int atTopEdge = 0;
  int atBottomEdge = 0;
  int menuLevel = 0;
  int rulerChoice = 0;
  int systemMenuResult = 0;
  int cityMenuResult = 0;
  int commandGroup = 0;
  int systemMenuChoice = 0;
  int command = 0;
  int secondPickOpen = 0;
  int goodsListOpen = 0;
  int operateOpen = 0;
  int saveScreenOpen = 0;
  int battleOpen = 0;
  int interiorMenuResult = 0;
  int diplomacyMenuResult = 0;
  int armamentMenuResult = 0;
  int scenario = 0;
  int playerCityCount = 0;
  int playerOfficerCount = 0;
  int playerRuler = 0;
  Menu systemMenu;
  Menu cityMenu;
  Menu interiorMenu;
  Menu diplomacyMenu;
  Menu armamentMenu;
  Date date;
  Head head;
  CityList cityList;
  Country country;
  HeroList heroList;
  GoodList goodList;
  Operate operate;
  TaskRecord taskTable[kTaskRecords];
  Save save;
  Fight fight;
  int warParty[kWarPartyMax] = {};
  int warPartyCount = 0;
  MapFrame frame;  // what the map screen last put on the back buffer

  // Set-up (game_map.cpp).
  void InitMap(int rulerChoice, int scenario);
  void ClearRecords();
  void ArrowSet();
  void ChangeOwnerNum();
  void SetBingLi();

  // Drawing and look-ups (game_map.cpp, map_lookups.cpp).
  void Show(int key);
  void ShowCityIcon(int mode);
  // The name of the cursor's cell as the panel writes it; null for a cell without one.
  const char* GetCityName();
  void GetCityTaisou();
  int GetCityPostion(int col, int row, int scenario, int rulerChoice);
  int GetCityNum();
  int IsCity();
  int ArriveEnable();
  // The grid cell whose city icon would stand at (x, y) of the map's play
  // area as it is scrolled now; false off the play area or the grid.
  bool CellAt(int x, int y, int& col, int& row) const;

  // Keys (map_keys.cpp). 0 stay, -1 the player quit the campaign.
  MapMode Mode() const;
  int KeyDown(int key);

  // Orders (command_flow.cpp, interior_orders.cpp, diplomacy_orders.cpp, armament_orders.cpp).
  int GetOrder(int pick);
  void ShowIt(int a, int b, int officer);

  // The task table (task_table.cpp).
  void ResetTasks();
  int FreeTaskRecords() const;
  // Takes the next record for a task; -1 when the table is full (nothing is written).
  int QueueTask(int city, int officer, int type, int v1, int v2, int v3, int v4, int v5);
  // Takes three records for a war order; -1 when they do not fit.
  int QueueWarOrder(const WarOrder& order);

  // The month end and the save screen.
  void ShowEnd();
  void DoEndEvent();
  // After the month end has moved on: the map is drawn unless a battle, the
  // defenders' pick or the successor list is open over it.
  void ShowMapIfUncovered();
  void OpenSaveScreen();
  void SaveScreenKeyDown(int key);

  // Saving (map_save.cpp): the campaign into the save image, and back.
  void ChangeDataToSave();
  void LoadFromImage(const SaveImage& image);

  // ---- The month end (month_end*.cpp, task_resolution*.cpp), the war calls it
  // makes (war/) and the computer rulers' turn (computer_strategy.cpp). ----
  void AddMoney();
  void AddFood();
  void HeroUpdate();
  void CityUpdate();
  void GetCityState();
  void ReportCityState(int city, int state, int officerNumber);
  void TaskListRun();
  // type: the task type (11 a ruler's submission); result/value by type.
  void ShowItAfter(int type, int result, int value, int officer);
  // Keys while the player crowns a new ruler (rulerSuccession 1).
  void SuccessionKey(int key);
  void ComputerStatic();
  // The computer rulers' lines of action for one city, and their helpers
  // (computer_*.cpp).
  void ComputerTacticInterior(int city);
  void ComputerTacticHarmonize(int city);
  void ComputerTacticDiplomatism(int city);
  void ComputerTacticArmament(int city);
  int ComputerCityOfficers(int city, int* officers) const;
  void ComputerSearch(int officer, int city);
  void ComputerWar(int city);
  void ComputerAttackPlayer(int city, int target);
  void WarRun();
  void AfterWar(int result, int fromCity, int toCity);
  int GetClever(int city);
  void CheckWin();
  int IsWinOrLose();
  // ---- end of the month-end block ----

  // ---- The wars between cities (war/): dispatch, defence pick and battle
  // set-up (war_dispatch.cpp, war_setup.cpp), banners (war_banners.cpp),
  // aftermath (war_aftermath.cpp) and captives (captives.cpp). ----
  // mode: -1 a battle follows, -2 the player's army marches in, -3 a computer
  // army takes an undefended city of the player, 0/1 an automatic battle's result.
  void ShowItAfterWar(int mode, int attackingRuler, int defendingRuler, int city);
  void SetFightHeroData(int order);
  void SetFightHeroData2(int order);
  // A random neighbour (1-based) of a 1-based city; 0 when it has no road.
  int GetEnemyCity(int cityNo);
  // 1 the attacker wins, 0 the defender holds.
  int AutoBattle(int attackerTroops, int attackerFood, int defenderTroops, int defenderFood);
  int GetUnx(int city);
  int GetUny(int city);
  // Keys while the player picks the defenders of an attacked city (warPick 1).
  void DefencePickKey(int key);
  void AfterWar_SpaceCity(int side, int fromCity, int city, int order);
  void AfterWar_Auto(int result, int attackingCity, int city, int attackingRuler, int defendingRuler);
  int BeCapatured(int officer, int city);
  int GetCaptive(int officer, int city);
  int BeCapatured_Auto(int officer, int city, int ruler);
  int GetCaptive_Auto(int officer, int city, int unused);
  // Helpers of the above.
  bool ResolveWarOrder(int order);
  // Drops from a war order the officers who no longer serve a faction in its
  // city; false when nobody is left to march.
  bool KeepLoyalMarchers(WarOrder& o) const;
  void ReturnOrderFood(const WarOrder& o);
  void OpenDefencePick(int order);
  void EndDefencePick();
  void AbandonDefence();
  void SetUpAttackBattle(int order);
  void SetUpDefenceBattle(int order);
  void FillUnitsFromRecords();
  void OpenBattle();
  void MakeCaptive(int officer, int city);
  int MoveArmyIn(const int* officers, int count, int city);
  void AfterDefenceLost(int city);
  void AfterDefenceWon(int fromCity, int city);
  void AfterAttackLost(int city);
  void AfterAttackWon(int city);
  bool CrownComputerSuccessor(int rulerNumber);
  void FactionFalls(int rulerNumber, int heirNumber);
  void HandOverFallenFaction(int rulerNumber, int heirNumber);
  void ComputerRulerDied(int rulerNumber);
  bool Reigns(int rulerNumber) const;
  bool FactionStands(int rulerNumber) const;
  void SucceedCapturedRulers();
  void PlayerRulerTaken();
  void CampaignLost();
  // ---- end of the war block ----

  // ---- Comfort additions (map_comfort.cpp): the autosave, the
  // report log's subjects and the factions' colours on the map. ----
  // The month end is over: write the autosave now, or once a new ruler is crowned.
  void MonthFinished();
  void AfterSuccessionKey();
  // Writes the campaign to the autosave file; a failure shows one notice.
  bool Autosave();
  // The city of an officer's report, for the report log.
  void ReportSubject(int city);
  // The colour of a ruler's faction (officer number), as the map and the ruler choice show it.
  int FactionMark(int rulerNumber) const;  // the index of the ruler's colour and band
  Pixel FactionColor(int rulerNumber) const;
  // A city icon (tinted with its owner's colour unless it is the player's or nobody's), within `within`.
  void PaintCityIcon(const MapPiece& icon, const PixelBox& within);
  // ---- end of the additions ----

  void Dump(JsonWriter& out) const;
  // Whether the arrow is drawn on the cell the cursor names (the view's scroll
  // taken into account), with the edge flags matching where it stands.
  bool ArrowOnCursorCell() const;
  bool ArrowStandsOnCursorCell() const;
  bool EdgeFlagsAgree() const;
  void PlaceArrowOnCursorCell();

  // The officer at list position `pick` of the city's idle officers, -1 if none.
  int ActorAt(int pick) const { return heroList.CityOfficerAt(pick); }
  // The city under the cursor (the city list follows the cursor).
  CityRecord& CurrentCity() { return cityList.Current(); }
  // The city whose command menu is open (the orders act on it even while the
  // cursor wanders off to choose a target).
  CityRecord& SourceCity() {
    int i = selectedCity - 1;
    return cityList.cities[i >= 0 && i < kCityCount ? i : 0];
  }
  int SourceCityIndex() const { return selectedCity >= 1 && selectedCity <= kCityCount ? selectedCity - 1 : 0; }
  HeroRecord& Hero(int index) { return heroList.heroes[index]; }

 private:
  // Drawing helpers.
  void MoveArrow(int key);
  void ShowRoadMap();
  // What the screen's pixels follow (reading every picture's stamp and the
  // owner table now, as a whole redraw would), and its drawing within a part.
  MapScene Scene();
  std::vector<MapPiece> CityIcons();
  int64_t OwnerTint(int owner, std::vector<std::pair<int, int64_t>>& known) const;
  void PaintMapLayer(const MapScene& scene, const PixelBox& within);
  void PaintUnderBands(const MapScene& scene, const PixelBox& within);
  void PaintSidePanel(const MapScene& scene);
  void PaintPanelText(const char* text, int x, int y);

  // Key modes (map_keys.cpp).
  int PlainMapKey(int key);
  int SystemMenuKey(int key);
  void CityMenuKey(int key);
  void SubMenuKey(int key);
  void CityInfoKey(int key);
  void MoveCursor(int key);
  void ToggleHighAttack();
  void BattleKey(int key);
  void OpenSubMenu(int group);
  void ReopenOfficerList();

  // Command flow (command_flow.cpp).
  void OfficerListKey(int key);
  void SecondPickKey(int key);
  void GoodsListKey(int key);
  void OperateKey(int key);
  void TargetReturn();
  void TargetEscape();
  void CloseCommand();
  void OpenOfficerList();
  void HandleOrderResult(int result);
  // Most notices refuse an order; the few that do not name their own sound.
  void Notice(const char* text, Sound cue = Sound::kRefusal);
  bool RefuseNoIdle();
  // The order's money and stamina checks for the acting officer, decided
  // apart from the notice that shows a refusal.
  CostRefusal CostRefusalOf(Order order, int officer);
  bool NoticeRefusal(CostRefusal refusal);
  void PayCosts(Order order, int officer);
  void ShowPortraitAndName(int officer);
  void ShowAnswer(Order order, int a, int b, int officer);
  void AnswerLines(Order order, int a, int b, int officer);

  // Interior orders 1..14 (interior_orders.cpp).
  int DevelopFarming(int pick);
  int DevelopCommerce(int pick);
  int SearchCity(int pick);
  int PreventDisaster(int pick);
  int WinPeople(int pick);
  int PersuadeCaptive(int pick);
  int ExecuteCaptive(int pick);
  int ReleaseOfficer(int pick);
  int GiveItem(int pick);
  int TakeItem(int pick);
  int TradeFood(int pick);
  int HoldBanquet(int pick);
  int Transport(int pick);
  int MoveOfficer(int pick);
  void GiveItemTo(int officer, int item);
  void TakeItemFrom(int officer, int item);

  // Diplomacy 15..19 and armament 20..24 (diplomacy_orders.cpp, armament_orders.cpp).
  int SowDiscord(int pick);
  int WinOver(int pick);
  int Incite(int pick);
  int CallToSubmit(int pick);
  int DiplomacyFirstStep(int pick, Order order, int* flag);
  int Scout(int pick);
  int Recruit(int pick);
  int AssignSoldiers(int pick);
  int Plunder(int pick);
  int War(int pick);
  void WarPickResult(int result);
  void OpenWarFoodDialog();
  void FreeWarParty();
  void TargetWar(int cell);
  void TargetScout(int cell);
  void TargetMove(int cell);
  void TargetTransport(int cell);
  void OperateConfirmed(int amount);
  void OperateCancelled();
};
