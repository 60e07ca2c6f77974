#pragma once
// The promises the campaign records make to each other. The monkey player checks
// them after every key, so a key that breaks one is caught at the key that broke
// it rather than at the crash it would cause many keys later.
#include <string>

class Game;

// The first broken promise, described for a person; empty when all hold.
// With damaged data tables the records cannot agree on who rules whom (a
// missing officer table leaves cities owned by nobody's ruler), so
// `rulersFromData` false leaves those two checks out; every bound still holds.
std::string CheckInvariants(const Game& game, bool rulersFromData = true);
