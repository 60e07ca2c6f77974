#pragma once
// The fixed numbers of the wars between cities.

constexpr int kStyleScenarios = 4;
constexpr int kStyleCodes = 4;
constexpr int kNoStyleOfficer = -1;
constexpr int kRulerStyleBonus = 5;

// Officers (indices) who fight with a special style, by scenario; column s
// holds the officer of style s + 1.
constexpr int heroStyleTable[kStyleScenarios][kStyleCodes] = {
    {124, 157, 184, 135},
    {170, kNoStyleOfficer, 169, 171},
    {165, 90, 185, 20},
    {kNoStyleOfficer, 72, 152, 5},
};

// The style code (0..4) of an officer, without the ruler's bonus.
inline int HeroStyleOf(int scenario, int officer) {
  if (scenario < 0 || scenario >= kStyleScenarios) return 0;
  for (int s = 0; s < kStyleCodes; ++s) {
    if (heroStyleTable[scenario][s] == officer) return s + 1;
  }
  return 0;
}

constexpr int kMaxNeighbours = 8;     // roads kept per city by GetEnemyCity
constexpr int kPickStaminaFloor = 7;  // a defender needs more stamina than this
constexpr int kArmySlots = 10;        // the leader and nine more
constexpr int kBannerTextY = 430;
constexpr int kBannerFontHeight = 40;
constexpr int kBannerPause = 1000;
constexpr int kNoDefender = -10;

// The kind an order takes when a computer army finds a city of the player undefended.
constexpr int kWarComputerTakes = -3;

// ShowItAfterWar modes.
constexpr int kBannerBattle = -1;
constexpr int kBannerMarchIn = -2;
constexpr int kBannerComputerMarchIn = -3;
constexpr int kBannerDefenderHeld = 0;
constexpr int kBannerAttackerWon = 1;
