#pragma once
// Steering the running game into the screen a benchmark measures: where the
// game is, and the keys that bring it to the map, the menus, a battle or the
// month end. The keys pressed while steering are timed like any other and
// handed to the caller's sink, so the campaign figures can count them too.
#include <functional>
#include <string>

#include "bench/game_driver.h"

using CostSink = std::function<void(const KeyCost&)>;

// The one game of the benchmark run, started on first use.
GameDriver& Driver();

// The innermost open screen or mode, in the map's order of precedence.
std::string ModeName();
bool InCampaign();
int MonthStamp();  // year * 12 + month of the campaign calendar

// Each returns false when the game did not get there within its key budget.
bool ToTitle(const CostSink& sink);
bool ToMap(const CostSink& sink);
bool ToSystemMenuOnEndMonth(const CostSink& sink);
bool ToOfficerList(const CostSink& sink);
bool ToAmountDialog(const CostSink& sink);
// Ends months (playing any battle the player must fight by ending its days)
// until a battle is open on its plain map.
bool ToBattleMap(const CostSink& sink, int monthBudget);
// Ends the month from the map and answers whatever it asks until the map is
// back (or the campaign is over). Returns false when it could not.
bool EndOneMonth(const CostSink& sink);
// Plays what the month end opened (defence pick, battle, successor pick,
// notices) until the plain map is back.
bool SettleMonthEnd(const CostSink& sink);
// A battle's day menu open with its first entry, "end the day", chosen.
bool ToDayMenuOnEndDay(const CostSink& sink, int monthBudget);
