#pragma once
// The tables read by an officer's character, 0 the most peaceful to 4 the most
// warlike: the odds of the diplomatic moves, the persuasion of a captive, and
// the line of action a computer ruler takes in a month.
#include <algorithm>
#include <cstddef>
#include <iterator>

inline constexpr int kCharacterCount = 5;

// A character outside 0..4 (a damaged save) reads as the nearest one.
constexpr int CharacterIndex(int character) { return std::clamp(character, 0, kCharacterCount - 1); }

// Percent by character; whose character it is and whether it is the chance of
// success or of refusal is the move's business (strategy/diplomacy_rule.cpp).
enum class DiplomacyOdds { kSowDiscord, kWinOver, kIncite, kCallToSubmit, kCount };
inline constexpr int kDiplomacyOdds[][kCharacterCount] = {
    {50, 30, 40, 30, 5},  // kSowDiscord
    {15, 40, 30, 20, 5},  // kWinOver
    {30, 10, 20, 60, 5},  // kIncite
    {10, 1, 20, 5, 15},   // kCallToSubmit
};
static_assert(std::size(kDiplomacyOdds) == static_cast<std::size_t>(DiplomacyOdds::kCount));

constexpr int OddsFor(DiplomacyOdds row, int character) {
  return kDiplomacyOdds[static_cast<int>(row)][CharacterIndex(character)];
}

// A captive refuses to be persuaded with his loyalty divided by this, in percent.
inline constexpr int kPersuadeDivisor[] = {2, 5, 4, 3, 1};
static_assert(std::size(kPersuadeDivisor) == kCharacterCount);

constexpr int PersuadeDivisor(int character) { return kPersuadeDivisor[CharacterIndex(character)]; }

// A computer ruler's month, by his character, as two thresholds against
// rand() % 100: below the first interior work and harmonising, below the
// second diplomacy, else armament.
struct TacticOdds {
  int interiorHarmonize;
  int diplomacy;
};
inline constexpr TacticOdds kTacticOdds[] = {{70, 80}, {60, 70}, {50, 70}, {30, 40}, {15, 20}};
static_assert(std::size(kTacticOdds) == kCharacterCount);

constexpr const TacticOdds& TacticOddsFor(int character) { return kTacticOdds[CharacterIndex(character)]; }
