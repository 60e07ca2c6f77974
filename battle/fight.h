#pragma once
// The battle controller: one object for the whole game, re-armed for every war
// by InitData and driven one key at a time by KeyDown. Slots 0-9 are the
// player's side (slot 0 its commander), slots 10-19 the computer's (slot 10).
#include "battle/battle_tables.h"
#include "battle/fight_hero.h"
#include "battle/fight_map.h"
#include "shell/json_writer.h"
#include "shell/menu.h"

// KeyDown results.
constexpr int kFightGoOn = 0;
constexpr int kFightLost = -1;
constexpr int kFightWon = -2;
// FightEvent results.
constexpr int kEventInvalid = -1;
constexpr int kEventLost = -10;
constexpr int kEventWon = -11;

// Fight::Show argument that plays the opening.
constexpr int kShowOpening = -100;

// What the next key of the battle does, in the order the open things take it.
enum class BattleMode {
  kEndPending,   // the banner of a battle decided at its opening
  kInformation,  // a unit, the terrain, a spy or weather report
  kSkillMenu,
  kSettings,  // display, speed or movement setting
  kActionMenu,
  kDayMenu,    // Esc: end the day, retreat, settings
  kSituation,  // either side's unit list
  kAttackTarget,
  kSkillTarget,
  kMove,
  kMap
};

// viewState values.
constexpr int kViewMap = 0;
constexpr int kViewEnemySituation = 1;
constexpr int kViewOwnSituation = 2;
constexpr int kViewOwnUnit = 3;
constexpr int kViewSpyResult = 4;
constexpr int kViewEnemyUnit = 5;
constexpr int kViewTerrain = 6;
constexpr int kViewWeatherResult = 14;

// Esc menu and action menu entries.
constexpr int kEscEndDay = 0;
constexpr int kEscRetreat = 1;
constexpr int kEscShowSetting = 2;
constexpr int kEscSpeedSetting = 3;
constexpr int kEscMoveSetting = 4;
constexpr int kActionAttack = 0;
constexpr int kActionSkill = 1;
constexpr int kActionInfo = 2;
constexpr int kActionStandBy = 3;

// CanAt kinds.
constexpr int kTargetAttack = 0;
constexpr int kTargetHarmful = 1;
constexpr int kTargetHelpful = 2;

// What a blow or a skill took: the soldiers lost and the experience they earn.
struct HitOutcome {
  int loss = 0;
  int gain = 0;
};

class Fight {
 public:
  int day = 0;
  int ownFood = 0;
  int ownSoldierTotal = 0;
  int enemySoldierTotal = 0;
  int commanderId = 0;
  int ownUnitCount = 0;
  int battleCity = 0;
  int ownLeaderId = 0;
  int enemyLeaderId = 0;
  int weather = 0;
  int enemyFood = 0;
  int enemyCommanderId = 0;
  int enemyUnitCount = 0;
  int ownListHalf = 0;
  int enemyListHalf = 0;
  int warSerial = 0;
  FightMap battleMap;
  FightHero units[kUnitSlots];
  Menu escMenu;
  Menu showMenu;
  Menu speedMenu;
  Menu moveMenu;
  Menu actionMenu;
  // Index of the portrait the information screens drew last. The portrait
  // sheet is drawn by the battle itself (PaintPortrait); the campaign's Head
  // class lives in a library the battle does not link against.
  int portrait = 0;
  int scenario = 0;
  int escMenuOpen = 0;
  int viewState = 0;
  int enemyIntelKnown = 0;
  int actionMenuOpen = 0;
  int moveMode = 0;
  int attackMode = 0;
  int skillMenuOpen = 0;
  int skillMode = 0;
  int showMenuOpen = 0;
  int moveMenuOpen = 0;
  int speedMenuOpen = 0;
  int warType = 0;
  // 1 between choosing the weather or spying skill and the redraw that
  // resolves it, so a second redraw of the same screen does not resolve it again.
  int skillResultPending = 0;
  // The unit the information screens (viewState 3 and 5) show. Looking at a
  // unit with Space never makes it the acting unit.
  int infoUnit = 0;

  // ---- state and set-up (fight.cpp)
  void PubInit(int scenarioNumber);
  void InitData(int ownCount, int commander, int city, int food);
  void Dump(JsonWriter& out) const;
  bool IsOwnSlot(int slot) const { return slot >= 0 && slot < ownUnitCount; }
  bool IsEnemySlot(int slot) const { return slot >= kEnemyBase && slot < kEnemyBase + enemyUnitCount; }
  // The live unit of a side on a square, or -1.
  int OwnUnitAt(int row, int col) const;
  int EnemyUnitAt(int row, int col) const;
  int KindUnder(int slot) const;
  // The first two live units (slots first < second) standing on one square;
  // false when every live unit has a square of its own.
  bool TwoOnOneSquare(int& first, int& second) const;

  // ---- turn flow and input (fight_keys.cpp)
  BattleMode Mode() const;
  int KeyDown(int key);
  int EndPendingKey();
  void SkillMenuKey(int key);
  void SettingsMenuKey(int key);
  void ActionMenuKey(int key);
  int DayMenuKey(int key);
  void SituationKey(int key);
  int MapKey(int key);
  int EndDay();
  void CentreViewOn(int row, int col);
  // Centres the view on a unit and puts the cursor on its square.
  void PutCursorOn(int unit);

  // ---- drawing (fight_draw.cpp)
  void Show(int mode);
  void ShowBar();
  void ShowGround();
  void ShowFood();
  void ShowAllOf();
  void ShowUpName();
  void ShowArmyNumber();
  void ShowUnitsInView();
  void ShowUnitsInView(int top, int left);
  // The status bar and the map with the view on a unit, every live unit in
  // it; returns the view's origin.
  void ViewOnUnit(int unit, int& top, int& left);
  void ShowInformation(int kind, int unit);

  // ---- reach (fight_move.cpp)
  void SetArrive(int row, int col, int unit);
  int CanArrive() const;
  int MovePoints(int unit) const;

  // ---- attacks (fight_attack.cpp)
  void SetAt(int row, int col, int unit);
  // Whether SetAt (row, col, unit) would mark the target's square.
  bool StrikeReachesFrom(int row, int col, int unit, int target) const;
  int CanAt(int kind);
  void GetLifeSkillAtDf();
  void CountAtDf(int unit);
  int HitLoss(int attacker, int target);
  // The attack of either side: the target loses the hit (at most what he
  // has), the attacker earns its experience.
  HitOutcome StrikeUnit(int attacker, int target, int& sideTotal);
  // A loss already capped by what the target has comes off him and off his
  // side's total; returns it with the experience it earns.
  HitOutcome TakeSoldiers(int attacker, int target, int loss, int& sideTotal);
  // A target left without soldiers is beaten, then the attacker may rise a
  // level, each side with its own presentation.
  void AfterHit(int attacker, int target, bool computerSide);
  void CountAtkHurt();
  // The experience of a loss dealt by selectedUnit to targetUnit, or by one
  // named unit to another.
  int GetExp(int loss);
  int GetExp(int attacker, int target, int loss);
  // Experience of `attacker` for a loss dealt to `target` (already applied).
  int ExpFor(int attacker, int target, int loss) const;
  int FightEvent();
  // Takes 100 experience for a level once a unit has 100 or more, refilling
  // life and skill power, after the side's presentation (Showsj or AIShowsj).
  void LevelUpIfDue(int unit, bool computerSide);
  void ShowHurt(int loss, int gain);
  // "-loss" in the plain display, at a point of the screen.
  void PaintLossAt(int loss, int x, int y);
  void ShowExperienceBox(int gain);
  void PlayAttackAnimation(int attacker, int target, bool riverCase);
  void Showsj();
  void Showsw();
  void ShowUnitFrames(int unit, const char* sheet, const char* mask);
  void AIShowsw(int unit);

  // ---- skills (fight_skill.cpp)
  int ChosenSkill() const;
  int WeatherOK(int skill) const;
  int LandOK(int skill, int check) const;
  int SkillForceOK(int skill) const;
  void SetAtSkill(int row, int col, int unit, int skill);
  void SubSkillPower(int skill);
  // The message that refuses a skill about to be cast, kMessageNone if none.
  int SkillRefusal(int skill) const;
  void CastFieldSkill(int skill);
  int RuseSucceeds();
  void ShowRuseFailed(int skill);
  int SkillDamage(int skill, int caster, int target);
  int GetSkill();
  int CountSklHurt();
  // The loss a skill's damage takes from the target, capped by what he has.
  HitOutcome SkillStrike(int caster, int target, int damage, int& sideTotal);
  void ShowSkillHurt(int loss, int gain);
  void PlaySkillAnimation(int skill, int caster, int target);
  // A skill's loss as both sides show it: with the animations the count under
  // "兵力减少", in the plain display the skill's name in a box with the loss
  // at a point of the screen.
  void PaintSoldiersLost(int loss);
  void PaintSkillLossBox(int skill, int loss, int x, int y);
  void ResolveSkillResult();

  // ---- weather, days, events and the end (fight_days.cpp)
  // A new weather drawn for the field (each day, and by the weather skill).
  void ChangeWeather();
  void ShowWeather();
  void ShowWeatherBar();
  int ShowDay();
  int DayEvent();
  void ChangeStatue(int unit);
  void ShowHurt2(int unit, int loss);
  int TestWinLose();
  void CheckForceBefore();
  void GameEnd(int won);

  // ---- the opening (fight_deploy.cpp)
  void Opening();

  // ---- the computer side's turn (fight_ai_move.cpp, fight_ai_target.cpp,
  // fight_ai_show.cpp). targetUnit is the acting computer unit throughout;
  // aiTarget the player unit it hits, aiBestScore its best estimate.
  int AIRun();
  void AIMoveHero();
  void AIShowMoveArrange();
  int AIGetRange(int mode, int skill);
  void AISleepyHero();
  int AIAtEnable();
  int AISkillEnable();
  int AICanUseSkill(int skill);
  int AILandOK(int skill);
  int AISkillOK(int skill);
  int AICountAtHurtBefore(int unit);
  int AICountSkillHurtBefore(int unit, int skill);
  void AICountAtHurt();
  int AICountSkillHurt(int skill);
  void AIShowArrowAt(int unit);
  void AIShowAtHurt(int loss, int gain, int unit);
  void AIShowSkillHurt(int loss, int gain, int skill, int unit);
  void AIShowsj();
  // Helpers of the above.
  void AIShowMove(bool before);
  // ---- end of the computer side's turn ----
};

// The view origin that shows a unit's square with room around it.
int ViewTopFor(int row);
int ViewLeftFor(int col);

// Direction 1..8 of an attack on battleCity from the 1-based city warSerial:
// the direction table's entry, or the compass side of the attacker's map cell
// when the table has none.
int AttackDirection(int battleCity, int warSerial);
