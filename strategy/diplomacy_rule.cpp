#include "strategy/diplomacy_rule.h"

#include <cstddef>
#include <iterator>

#include "platform/random.h"
#include "rules/character_odds.h"

namespace {

constexpr int kChanceBase = 50;  // the intelligence difference + 50 must not be beaten
constexpr int kLuck = 20;        // the computer's last draw: rand() % 100 <= 20

enum class Whose { kNobody, kActor, kTarget };

// The two sides read the same odds their own way. The player's envoy may be
// held back by his own loyalty to his lord, and the odds are the chance the
// target's character refuses; a computer ruler's target is held by his
// loyalty to his lord, the odds are the chance his character gives in, and
// anything beyond discord needs a stroke of luck as well.
struct DrawWay {
  DiplomacyOdds odds;
  Whose loyaltyHolds;
  Whose character;
  bool oddsRefuse;  // success needs rand() % 100 >= odds, else rand() % 100 <= odds
  bool luck;
};
constexpr DrawWay kWays[][static_cast<int>(DiplomacyMove::kCount)] = {
    // kPlayer
    {{DiplomacyOdds::kSowDiscord, Whose::kActor, Whose::kTarget, true, false},
     {DiplomacyOdds::kWinOver, Whose::kActor, Whose::kTarget, true, false},
     {DiplomacyOdds::kIncite, Whose::kActor, Whose::kTarget, true, false},
     {DiplomacyOdds::kCallToSubmit, Whose::kNobody, Whose::kActor, false, false}},
    // kComputer
    {{DiplomacyOdds::kSowDiscord, Whose::kTarget, Whose::kTarget, false, false},
     {DiplomacyOdds::kWinOver, Whose::kTarget, Whose::kTarget, false, true},
     {DiplomacyOdds::kIncite, Whose::kTarget, Whose::kTarget, false, true},
     {DiplomacyOdds::kCallToSubmit, Whose::kNobody, Whose::kTarget, false, true}},
};
static_assert(std::size(kWays) == static_cast<std::size_t>(DiplomacySide::kCount));

const HeroRecord& Of(Whose whose, const HeroRecord& actor, const HeroRecord& target) {
  return whose == Whose::kActor ? actor : target;
}

bool ValidCity(int index) { return index >= 0 && index < kCityCount; }

}  // namespace

DiplomacyOutcome DrawDiplomacy(DiplomacyMove move, DiplomacySide side, const HeroRecord& actor,
                               const HeroRecord& target) {
  const DrawWay& way = kWays[static_cast<int>(side)][static_cast<int>(move)];
  int chance = actor.intelligence - target.intelligence + kChanceBase;
  if (Rand() % 100 > chance) return DiplomacyOutcome::kOutwitted;
  if (way.loyaltyHolds != Whose::kNobody && Rand() % 100 < Of(way.loyaltyHolds, actor, target).loyalty)
    return DiplomacyOutcome::kHeldBack;
  int odds = OddsFor(way.odds, Of(way.character, actor, target).character);
  int draw = Rand() % 100;
  if (way.oddsRefuse ? draw < odds : draw > odds) return DiplomacyOutcome::kRefused;
  if (way.luck && Rand() % 100 > kLuck) return DiplomacyOutcome::kUnlucky;
  return DiplomacyOutcome::kSuccess;
}

void WinOverTo(HeroRecord& officer, const CityList& cities, int city) {
  officer.heroOwnerId = cities.cities[city].ownerId;
  officer.cityNo = city + 1;
}

bool RiseAsRuler(HeroList& heroes, CityList& cities, int officer, int city) {
  // A city does not rise under its ruler's eyes: he would be left a ruler
  // standing in a city of another faction, and his own faction's cities
  // would follow wherever he went next.
  for (const HeroRecord& h : heroes.heroes) {
    if (h.cityNo == city + 1 && h.IsRuler()) return false;
  }
  int number = officer + 1;
  HeroRecord& rebel = heroes.heroes[officer];
  rebel.heroOwnerId = number;
  rebel.loyalty = kMaxLoyalty;
  cities.cities[city].ownerId = number;
  for (HeroRecord& h : heroes.heroes) {
    if (h.cityNo == city + 1 && h.ServesFaction()) h.heroOwnerId = number;
  }
  return true;
}

void HandOverFaction(HeroList& heroes, CityList& cities, int number, int newOwner) {
  for (HeroRecord& h : heroes.heroes) {
    if (h.heroOwnerId != number) continue;
    h.heroOwnerId = newOwner;
    if (ValidCity(h.cityNo - 1)) cities.cities[h.cityNo - 1].ownerId = newOwner;
  }
  for (CityRecord& c : cities.cities) {
    if (c.ownerId == number) c.ownerId = newOwner;
  }
}
