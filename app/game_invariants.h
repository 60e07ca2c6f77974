#pragma once
// Every promise the running game makes: the campaign records'
// (campaign/invariants.h), and those of the screens, the map's lists, the task
// table and the battle. The monkey and the guided player check them after
// every key.
#include <string>

class Game;

// The first broken promise, described for a person; empty when all hold.
// `rulersFromData` as for CheckRecords.
std::string CheckInvariants(const Game& game, bool rulersFromData = true);
