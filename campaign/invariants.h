#pragma once
// The promises the campaign records make to each other. The monkey player checks
// them after every key, so a key that breaks one is caught at the key that broke
// it rather than at the crash it would cause many keys later.
#include <string>

class Game;

// The first broken promise, described for a person; empty when all hold.
std::string CheckInvariants(const Game& game);
