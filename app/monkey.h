#pragma once
// The monkey player: presses random keys into the headless game, steered so that
// it gets deep into campaigns, and checks the campaign records after every key.
#include "app/app.h"

// Plays options.monkeyKeys keys from a fresh start with options.seed (restarting
// the game whenever it quits) and prints what it reached. Returns 0 when every
// check held, 3 with the seed, key number and broken check otherwise.
int RunMonkey(const LaunchOptions& options);
