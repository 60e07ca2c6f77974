#pragma once
// The map screen's and the commands' state that lives between keys.
#include "shell/json_writer.h"
#include "strategy/task_record.h"

// targetMode: which command waits for a target city on the map.
constexpr int kTargetNone = 0;
constexpr int kTargetMove = 1;
constexpr int kTargetScout = 2;
constexpr int kTargetTransport = 3;
constexpr int kTargetWar = 4;

// operatePurpose: what the open numeric dialog is for.
constexpr int kPurposeRecruit = 1;
constexpr int kPurposeTradeChoice = 2;
constexpr int kPurposeTransportMoney = 3;
constexpr int kPurposeTransportFood = 4;
constexpr int kPurposeTransportSoldiers = 5;
constexpr int kPurposeBuyFood = 6;
constexpr int kPurposeWarFood = 7;
constexpr int kPurposeSellFood = 8;
constexpr int kPurposeAssign = 9;

// itemStep values.
constexpr int kItemStepGive = 1;
constexpr int kItemStepTake = 2;

constexpr int kWarPartyMax = 10;  // the leader and nine more

extern int targetMode;
extern int operatePurpose;
extern int highAttackChance;
// rulerSuccession: whether the player is crowning a successor.
constexpr int kSuccessionNone = 0;
constexpr int kSuccessionPick = 1;          // the successor list is open
constexpr int kSuccessionPickedMidway = 2;  // crowned while the month end still had battles to resume
extern int rulerSuccession;
// warPick: the defenders' pick for a city a computer army attacks.
constexpr int kWarPickNone = 0;
constexpr int kWarPickOpen = 1;  // the player is picking the defenders
constexpr int kWarPickDone = 2;  // picked; the month end resumes with their battle
extern int warPick;
extern int listAfterMessage;
extern int itemStep;
extern int farmingDone;
extern int pendingAmountA;
extern int pendingAmountB;
extern int pendingAmountC;
// The acting officer (officer index) of a two-step command, kept while the
// second officer or the item is picked.
extern int firstPick;
extern int warLeader;
extern int attackParty[kPartyExtraOfficers];
extern int attackPartyCount;  // officers picked so far, the leader included
extern int savedFood;         // the city's food when the war pick began
extern int taskCount;
// Shared with the war: battles still to fight this month end and the last
// result. A positive count holds the month end until those battles are over;
// the other values say how far its wars have come.
constexpr int kBattlesUncounted = 0;    // the month's wars are not counted yet
constexpr int kBattlesLastFought = -1;  // every counted battle fought; the last one's aftermath may be due
constexpr int kBattlesSettled = -2;     // the count ran out without a battle to follow up
extern int pendingBattles;
// The transitions of pendingBattles, each named for the event that causes it.
// The count begins: every war order against a defended city will be a battle.
void BeginBattleCount();
// The count found one more war order that will be a battle.
void CountOneBattle();
// A battle is opening: even one the count missed holds the month end.
void HoldForBattle();
// A counted battle was fought (or its defence abandoned).
void EndOneBattle();
// A counted battle will not be fought after all.
void DropOneBattle();
// The war orders are all resolved: no battle is left, whatever the count said.
void EndBattleCount();
extern int battleResult;
// The month end's hand-over from a battle to its aftermath (0-based cities).
extern int warFromCity;
extern int warTargetCity;
// 1 when the player's ruler died of old age: crowning the successor then
// needs no resumption of the month end, which had already finished.
extern int successionByAge;
// 1 while a search report shows the found officer's own panel.
extern int foundOfficerShown;
// 1 once a computer ruler has sent an army against the player this month:
// the player faces at most one such attack a month.
extern int computerAttackQueued;

void DumpMapGlobals(JsonWriter& out);
// Back to the state of a fresh campaign: nothing of the campaign before (an
// order half given, Tab's attack chance, a war half fought) carries over.
void ResetMapGlobals();
// Everything a new campaign starts without: the map's and the wars' state
// between keys (GameMap::InitMap, and every test fixture of a campaign).
void ResetCampaignGlobals();
