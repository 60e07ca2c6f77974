#include "strategy/map_globals.h"

#include "campaign/hero_list.h"
#include "war/war_globals.h"

int targetMode = 0;
int operatePurpose = 0;
int highAttackChance = 0;
int rulerSuccession = 0;
int warPick = 0;
int listAfterMessage = 0;
int itemStep = 0;
int farmingDone = 0;
int pendingAmountA = 0;
int pendingAmountB = 0;
int pendingAmountC = 0;
int firstPick = 0;
int warLeader = -1;
int attackParty[kPartyExtraOfficers] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
int attackPartyCount = 0;
int savedFood = 0;
int taskCount = 0;
int pendingBattles = 0;
int battleResult = 0;
int warFromCity = 0;
int warTargetCity = 0;
int successionByAge = 0;
int foundOfficerShown = 0;

void BeginBattleCount() {
  if (pendingBattles == kBattlesUncounted) pendingBattles = kBattlesLastFought;
}

void CountOneBattle() { pendingBattles = pendingBattles > 0 ? pendingBattles + 1 : 1; }

void HoldForBattle() {
  if (pendingBattles <= 0) pendingBattles = 1;
}

void EndOneBattle() {
  if (pendingBattles > 0 && --pendingBattles == 0) pendingBattles = kBattlesLastFought;
}

void DropOneBattle() {
  if (pendingBattles > 0 && --pendingBattles == 0) pendingBattles = kBattlesSettled;
}

void EndBattleCount() {
  if (pendingBattles > 0) pendingBattles = kBattlesLastFought;
}

void ResetMapGlobals() {
  targetMode = operatePurpose = highAttackChance = rulerSuccession = warPick = 0;
  listAfterMessage = itemStep = farmingDone = 0;
  pendingAmountA = pendingAmountB = pendingAmountC = 0;
  firstPick = 0;
  warLeader = -1;
  for (int& o : attackParty) o = -1;
  attackPartyCount = savedFood = taskCount = 0;
  pendingBattles = battleResult = warFromCity = warTargetCity = 0;
  successionByAge = foundOfficerShown = computerAttackQueued = 0;
  captiveListFlag = foreignOfficerListFlag = rulerListFlag = 0;
}

void ResetCampaignGlobals() {
  ResetMapGlobals();
  ResetWarGlobals();
}

void DumpMapGlobals(JsonWriter& out) {
  out.Int("targetMode", targetMode);
  out.Int("operatePurpose", operatePurpose);
  out.Int("highAttackChance", highAttackChance);
  out.Int("rulerSuccession", rulerSuccession);
  out.Int("warPick", warPick);
  out.Int("listAfterMessage", listAfterMessage);
  out.Int("captiveListFlag", captiveListFlag);
  out.Int("foreignOfficerListFlag", foreignOfficerListFlag);
  out.Int("rulerListFlag", rulerListFlag);
  out.Int("itemStep", itemStep);
  out.Int("farmingDone", farmingDone);
  out.Int("pendingAmountA", pendingAmountA);
  out.Int("pendingAmountB", pendingAmountB);
  out.Int("pendingAmountC", pendingAmountC);
  out.Int("firstPick", firstPick);
  out.Int("warLeader", warLeader);
  out.IntArray("attackParty", attackParty, kPartyExtraOfficers);
  out.Int("attackPartyCount", attackPartyCount);
  out.Int("savedFood", savedFood);
  out.Int("pendingBattles", pendingBattles);
  out.Int("battleResult", battleResult);
  out.Int("warFromCity", warFromCity);
  out.Int("warTargetCity", warTargetCity);
  out.Int("successionByAge", successionByAge);
  out.Int("foundOfficerShown", foundOfficerShown);
  out.Int("computerAttackQueued", computerAttackQueued);
}
