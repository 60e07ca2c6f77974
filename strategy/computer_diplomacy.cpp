// The computer rulers' diplomacy: captives recruited, rival officers worked on
// (discord, winning over, inciting a rising) and rival rulers called on to
// submit. A draw from an empty list of candidates does nothing.
#include <algorithm>

#include "platform/random.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kDiplomacyChoices = 8;
constexpr int kRecruitCaptive = 0;
constexpr int kSowDiscord = 3;
constexpr int kWinOver = 4;
constexpr int kIncite = 5;
constexpr int kCallToSubmit = 6;

constexpr int kRecruitedSoldiers = 800;
constexpr int kChanceBase = 50;          // intelligence difference + 50
constexpr int kSecondDraw = 20;          // winning over, rising and submission need rand() % 100 <= 20 too
constexpr int kDiscordLoss = 4;
constexpr int kRebelLoyalty = 100;
constexpr int kReportIncite = 6;         // ShowItAfter's report types
constexpr int kReportSubmission = 11;

constexpr int kCharacters = 5;
constexpr int kDiscordOdds[kCharacters] = {50, 30, 40, 30, 5};
constexpr int kWinOverOdds[kCharacters] = {15, 40, 30, 20, 5};
constexpr int kInciteOdds[kCharacters] = {30, 10, 20, 60, 5};
constexpr int kSubmitOdds[kCharacters] = {10, 1, 20, 5, 15};

int Odds(const int* table, int character) { return table[std::clamp(character, 0, kCharacters - 1)]; }

// The candidates of one officer's diplomacy turn.
struct Candidates {
  int captives[kHeroCount];
  int captiveCount = 0;
  int officers[kHeroCount];  // serving rulers other than the player and the actor's own
  int officerCount = 0;
  int rulers[kHeroCount];    // rulers other than the player
  int rulerCount = 0;
};

}  // namespace

void GameMap::ComputerTacticDiplomatism(int city) {
  Log(1, "GameMap::ComputerTacticDiplomatism", "开始", 0);
  static Candidates list;
  for (int a = 0; a < kHeroCount; ++a) {
    HeroRecord& actor = heroList.heroes[a];
    if (actor.cityNo != city + 1 || !actor.ServesFaction()) continue;

    // A ruler works on rival officers, never his own: turning his own men
    // against him or against each other would only harm his faction.
    list.captiveCount = list.officerCount = list.rulerCount = 0;
    for (int i = 0; i < kHeroCount; ++i) {
      const HeroRecord& h = heroList.heroes[i];
      if (h.IsCaptive() && h.cityNo == city + 1) list.captives[list.captiveCount++] = i;
      if (h.ServesFaction() && h.heroOwnerId != playerRuler && h.heroOwnerId != actor.heroOwnerId)
        list.officers[list.officerCount++] = i;
      if (h.IsRuler() && h.heroOwnerId != playerRuler) list.rulers[list.rulerCount++] = i;
    }

    int d = Rand() % kDiplomacyChoices;
    if (list.captiveCount > 0) d = kRecruitCaptive;

    if (d == kRecruitCaptive) {
      if (list.captiveCount == 0) continue;
      HeroRecord& captive = heroList.heroes[list.captives[Rand() % list.captiveCount]];
      captive.heroOwnerId = actor.heroOwnerId;
      captive.soldiers = kRecruitedSoldiers;
      continue;
    }

    if (d == kSowDiscord || d == kWinOver || d == kIncite) {
      if (list.officerCount == 0) continue;
      int t = list.officers[Rand() % list.officerCount];
      HeroRecord& target = heroList.heroes[t];
      int chance = actor.intelligence - target.intelligence + kChanceBase;
      if (Rand() % 100 > chance) continue;
      if (Rand() % 100 < target.loyalty) continue;
      if (d == kSowDiscord) {
        if (Rand() % 100 <= Odds(kDiscordOdds, target.character))
          target.loyalty = std::max(target.loyalty - kDiscordLoss, 0);
      } else if (d == kWinOver) {
        // A ruler cannot be won over: his faction would be left with a ruler
        // serving someone else. He can only be called on to submit.
        int owner = cityList.cities[city].ownerId;
        if (Rand() % 100 <= Odds(kWinOverOdds, target.character) && Rand() % 100 <= kSecondDraw &&
            !target.IsRuler() && owner != 0) {
          target.heroOwnerId = owner;
          target.cityNo = city + 1;
        }
      } else {
        int home = target.cityNo - 1;
        if (Rand() % 100 <= Odds(kInciteOdds, target.character) && Rand() % 100 <= kSecondDraw &&
            home >= 0 && home < kCityCount && cityList.cities[home].governorId != cityList.cities[home].ownerId) {
          int rebel = t + 1;
          target.heroOwnerId = rebel;
          target.loyalty = kRebelLoyalty;
          cityList.cities[home].ownerId = rebel;
          // A ruler standing in the city keeps his own faction: turning him
          // into the rebel's officer would leave his followers with no ruler.
          for (HeroRecord& h : heroList.heroes)
            if (h.cityNo == home + 1 && h.ServesFaction() && !h.IsRuler()) h.heroOwnerId = rebel;
          ShowItAfter(kReportIncite, 0, 0, t);
        }
      }
      continue;
    }

    if (d == kCallToSubmit) {
      if (list.rulerCount == 0) continue;
      int r = list.rulers[Rand() % list.rulerCount];
      HeroRecord& ruler = heroList.heroes[r];
      int chance = actor.intelligence - ruler.intelligence + kChanceBase;
      if (Rand() % 100 > chance) continue;
      int m = actor.heroOwnerId;
      int submitting = r + 1;
      if (Rand() % 100 <= Odds(kSubmitOdds, ruler.character) && Rand() % 100 <= kSecondDraw && submitting != m) {
        int seat = ruler.cityNo - 1;
        if (seat >= 0 && seat < kCityCount) {
          cityList.cities[seat].ownerId = m;
          cityList.cities[seat].governorId = m;
        }
        for (HeroRecord& h : heroList.heroes) {
          if (h.heroOwnerId != submitting) continue;
          h.heroOwnerId = m;
          if (h.cityNo >= 1 && h.cityNo <= kCityCount) cityList.cities[h.cityNo - 1].ownerId = m;
        }
        // Cities of the fallen faction that no officer stands in go along
        // too, or they would stay with a ruler who no longer rules.
        for (CityRecord& c : cityList.cities)
          if (c.ownerId == submitting) c.ownerId = m;
        ShowItAfter(kReportSubmission, r, m - 1, r);
      }
    }
  }
}
