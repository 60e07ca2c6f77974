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
extern int rulerSuccession;
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
// Shared with the war: battles still to fight this month end and the last result.
extern int pendingBattles;
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
