#pragma once
// The guided player: plays real campaigns on purpose through the headless
// game's keys. In each mode it chooses, with weights, among the things a player
// would do there (develop, recruit and arm, search, give items, send envoys and
// transports, march on the weakest neighbour, fight its battles by closing in,
// attacking and casting skills), checks the campaign records after every key
// like the monkey, and prints what it reached.
#include "app/app.h"

// Plays options.guidedKeys keys from a fresh start with options.seed
// (restarting the game whenever it quits). Returns 0 when every check held, 3
// with the seed, key number and broken check otherwise.
int RunGuidedPlayer(const LaunchOptions& options);
