#pragma once
// The diplomatic moves on another ruler's officer or on a ruler himself, for
// the player's orders and the computer rulers alike: the draws that decide a
// move, and what a rising and a submission do to the records.
#include "campaign/city_list.h"
#include "campaign/hero_list.h"

enum class DiplomacyMove { kSowDiscord, kWinOver, kIncite, kCallToSubmit, kCount };
enum class DiplomacySide { kPlayer, kComputer, kCount };

// How a move's draws came out: the first step it failed at, or success.
enum class DiplomacyOutcome {
  kSuccess,
  kOutwitted,  // the target saw through it
  kHeldBack,   // a loyalty held the move back
  kRefused,    // the character's odds went against it
  kUnlucky,    // the computer's last draw went against it
};

// Draws `actor`'s move on `target` in the order the rules fix and changes no
// record; what a success does is the caller's.
DiplomacyOutcome DrawDiplomacy(DiplomacyMove move, DiplomacySide side, const HeroRecord& actor,
                               const HeroRecord& target);

// The officer goes over to the owner of city `city` (0-based) and moves there.
void WinOverTo(HeroRecord& officer, const CityList& cities, int city);

// The officer rises as a ruler with the city he stands in (0-based) and its
// garrison; false, and nothing changes, where a ruler stands in that city.
bool RiseAsRuler(HeroList& heroes, CityList& cities, int officer, int city);

// Every officer of the ruler numbered `number` passes to `newOwner`, with the
// cities they stand in and every other city that flew the fallen ruler's flag.
void HandOverFaction(HeroList& heroes, CityList& cities, int number, int newOwner);
