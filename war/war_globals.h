#pragma once
// The state of the wars of one month end that lives between keys: the
// defenders' pick, and what the last resolution step and the captures reported.
// pendingBattles, battleResult, warFromCity, warTargetCity and warPick are the
// month end's and live in strategy/map_globals.h.
#include "shell/json_writer.h"

// rulerFate values.
constexpr int kFateNone = 0;
constexpr int kFateRulerTaken = 1;
constexpr int kFateFactionFalls = 2;
constexpr int kFateNoCityLeft = 3;

// warOutcomeCode values.
constexpr int kOutcomeAttackLost = 1;
constexpr int kOutcomeDefenceLost = 2;
constexpr int kOutcomeAutoAttackFailed = 3;
constexpr int kOutcomeAttackWon = 4;
constexpr int kOutcomeDefenceWon = 5;
constexpr int kOutcomeAutoAttackWon = 6;
constexpr int kOutcomeMarchIn = 14;
constexpr int kOutcomePeacefulMarch = 15;
constexpr int kOutcomeComputerMarchIn = 16;

extern int defenceCommander;  // officer index of the first defender picked
extern int awaitingOrder;     // task index of the order waiting for its defenders
extern int defenceAbandoned;  // 1 when the player left the pick without anyone
extern int defenceCol;
extern int defenceRow;
extern int warOutcomeCode;
extern int capturedCount;  // officers captured in the running aftermath
extern int rulerFate;
// Rulers taken captive in the running aftermath (officer numbers). Whoever
// the aftermath's own rules do not succeed (a ruler who happened to stand in
// the contested city, say) is succeeded from this list when it ends.
constexpr int kMaxCapturedRulers = 20;
extern int capturedRulers[kMaxCapturedRulers];
extern int capturedRulerCount;

void DumpWarGlobals(JsonWriter& out);
// Back to the state of a fresh campaign.
void ResetWarGlobals();
