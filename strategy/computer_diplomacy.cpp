// The computer rulers' diplomacy: captives recruited, rival officers worked on
// (discord, winning over, inciting a rising) and rival rulers called on to
// submit. A draw from an empty list of candidates does nothing.
#include <algorithm>

#include "platform/random.h"
#include "shell/run_log.h"
#include "strategy/diplomacy_rule.h"
#include "strategy/game_map.h"

namespace {

constexpr int kDiplomacyChoices = 8;
constexpr int kRecruitCaptive = 0;
constexpr int kSowDiscord = 3;
constexpr int kWinOver = 4;
constexpr int kIncite = 5;
constexpr int kCallToSubmit = 6;

constexpr int kRecruitedSoldiers = 800;
constexpr int kDiscordLoss = 4;
constexpr int kReportIncite = 6;  // ShowItAfter's report types
constexpr int kReportSubmission = 11;

bool Succeeds(DiplomacyMove move, const HeroRecord& actor, const HeroRecord& target) {
  return DrawDiplomacy(move, DiplomacySide::kComputer, actor, target) == DiplomacyOutcome::kSuccess;
}

// The move of a draw of 3 to 5, all on a rival officer.
DiplomacyMove MoveOn(int d) {
  if (d == kSowDiscord) return DiplomacyMove::kSowDiscord;
  return d == kWinOver ? DiplomacyMove::kWinOver : DiplomacyMove::kIncite;
}

// The candidates of one officer's diplomacy turn.
struct Candidates {
  int captives[kHeroCount];
  int captiveCount = 0;
  int officers[kHeroCount];  // serving rulers other than the player and the actor's own
  int officerCount = 0;
  int rulers[kHeroCount];  // rulers other than the player
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
      if (!Succeeds(MoveOn(d), actor, target)) continue;
      if (d == kSowDiscord) {
        target.loyalty = std::max(target.loyalty - kDiscordLoss, 0);
      } else if (d == kWinOver) {
        // A ruler cannot be won over: his faction would be left with a ruler
        // serving someone else. He can only be called on to submit.
        if (!target.IsRuler() && cityList.cities[city].ownerId != 0) WinOverTo(target, cityList, city);
      } else {
        int home = target.cityNo - 1;
        if (home >= 0 && home < kCityCount && cityList.cities[home].governorId != cityList.cities[home].ownerId) {
          if (RiseAsRuler(heroList, cityList, t, home)) ShowItAfter(kReportIncite, 0, 0, t);
        }
      }
      continue;
    }

    if (d == kCallToSubmit) {
      if (list.rulerCount == 0) continue;
      int r = list.rulers[Rand() % list.rulerCount];
      HeroRecord& ruler = heroList.heroes[r];
      int m = actor.heroOwnerId;
      int submitting = r + 1;
      if (Succeeds(DiplomacyMove::kCallToSubmit, actor, ruler) && submitting != m) {
        int seat = ruler.cityNo - 1;
        if (seat >= 0 && seat < kCityCount) {
          cityList.cities[seat].ownerId = m;
          cityList.cities[seat].governorId = m;
        }
        HandOverFaction(heroList, cityList, submitting, m);
        ShowItAfter(kReportSubmission, r, m - 1, r);
      }
    }
  }
}
