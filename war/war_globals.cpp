#include "war/war_globals.h"

int defenceCommander = 0;
int awaitingOrder = 0;
int defenceAbandoned = 0;
int defenceCol = 0;
int defenceRow = 0;
int warOutcomeCode = 0;
int capturedCount = 0;
int rulerFate = 0;
int capturedRulers[kMaxCapturedRulers] = {};
int capturedRulerCount = 0;

void DumpWarGlobals(JsonWriter& out) {
  out.Int("defenceCommander", defenceCommander);
  out.Int("awaitingOrder", awaitingOrder);
  out.Int("defenceAbandoned", defenceAbandoned);
  out.Int("defenceCol", defenceCol);
  out.Int("defenceRow", defenceRow);
  out.Int("warOutcomeCode", warOutcomeCode);
  out.Int("capturedCount", capturedCount);
  out.Int("rulerFate", rulerFate);
  out.IntArray("capturedRulers", capturedRulers, capturedRulerCount);
}

void ResetWarGlobals() {
  defenceCommander = awaitingOrder = defenceAbandoned = 0;
  defenceCol = defenceRow = 0;
  warOutcomeCode = capturedCount = rulerFate = 0;
  capturedRulerCount = 0;
}
