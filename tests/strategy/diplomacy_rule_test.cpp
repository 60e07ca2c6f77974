// The diplomatic draws the player's orders and the computer rulers share:
// whose loyalty holds a move back, whose character reads the odds and which
// way, and the computer's last stroke of luck.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "campaign/city_list.h"
#include "campaign/hero_list.h"
#include "rules/character_odds.h"
#include "strategy/diplomacy_rule.h"

namespace {

enum class Who { kNobody, kActor, kTarget };

struct Case {
  DiplomacySide side;
  DiplomacyMove move;
  DiplomacyOdds odds;
  Who loyaltyHolds;
  Who character;
  bool oddsRefuse;  // the odds are the chance of refusal
  bool luck;        // a further rand() % 100 <= 20
  int deciding;     // two characters far apart in the row, the deciding one first
  int other;
};

constexpr DiplomacySide kPlayer = DiplomacySide::kPlayer;
constexpr DiplomacySide kComputer = DiplomacySide::kComputer;

constexpr Case kCases[] = {
    {kPlayer, DiplomacyMove::kSowDiscord, DiplomacyOdds::kSowDiscord, Who::kActor, Who::kTarget, true, false, 0, 4},
    {kPlayer, DiplomacyMove::kWinOver, DiplomacyOdds::kWinOver, Who::kActor, Who::kTarget, true, false, 1, 4},
    {kPlayer, DiplomacyMove::kIncite, DiplomacyOdds::kIncite, Who::kActor, Who::kTarget, true, false, 3, 4},
    {kPlayer, DiplomacyMove::kCallToSubmit, DiplomacyOdds::kCallToSubmit, Who::kNobody, Who::kActor, false, false, 2,
     1},
    {kComputer, DiplomacyMove::kSowDiscord, DiplomacyOdds::kSowDiscord, Who::kTarget, Who::kTarget, false, false, 0, 4},
    {kComputer, DiplomacyMove::kWinOver, DiplomacyOdds::kWinOver, Who::kTarget, Who::kTarget, false, true, 1, 4},
    {kComputer, DiplomacyMove::kIncite, DiplomacyOdds::kIncite, Who::kTarget, Who::kTarget, false, true, 3, 4},
    {kComputer, DiplomacyMove::kCallToSubmit, DiplomacyOdds::kCallToSubmit, Who::kNobody, Who::kTarget, false, true, 2,
     1},
};

constexpr int kRuns = 20000;

HeroRecord Officer(int intelligence, int loyalty, int character) {
  HeroRecord h;
  h.intelligence = intelligence;
  h.loyalty = loyalty;
  h.character = character;
  return h;
}

int Count(const Case& c, const HeroRecord& actor, const HeroRecord& target, DiplomacyOutcome outcome) {
  SeedRandom(11);
  int n = 0;
  for (int i = 0; i < kRuns; ++i) n += DrawDiplomacy(c.move, c.side, actor, target) == outcome ? 1 : 0;
  return n;
}

TEST(DiplomacyRule, EachSideReadsTheOddsItsOwnWay) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "side " << static_cast<int>(c.side) << " move " << static_cast<int>(c.move));
    // A dull envoy against a clever target is seen through before anything else.
    EXPECT_EQ(Count(c, Officer(0, 0, 0), Officer(200, 100, 0), DiplomacyOutcome::kOutwitted), kRuns);

    // A loyalty of 100 always holds the move back, when the move has a loyalty to ask.
    HeroRecord actor = Officer(200, c.loyaltyHolds == Who::kActor ? 100 : 0, 0);
    HeroRecord target = Officer(0, c.loyaltyHolds == Who::kTarget ? 100 : 0, 0);
    EXPECT_EQ(Count(c, actor, target, DiplomacyOutcome::kHeldBack), c.loyaltyHolds == Who::kNobody ? 0 : kRuns);

    // Past both, the deciding character's odds and the luck make the rate.
    bool actorDecides = c.character == Who::kActor;
    actor = Officer(200, 0, actorDecides ? c.deciding : c.other);
    target = Officer(0, 0, actorDecides ? c.other : c.deciding);
    int odds = OddsFor(c.odds, c.deciding);
    double expected = (c.oddsRefuse ? 100 - odds : odds + 1) / 100.0 * (c.luck ? 0.21 : 1.0);
    EXPECT_NEAR(Count(c, actor, target, DiplomacyOutcome::kSuccess) / double(kRuns), expected, 0.01);
  }
}

TEST(CharacterOdds, ACharacterOutsideTheTableReadsAsTheNearestOne) {
  EXPECT_EQ(OddsFor(DiplomacyOdds::kIncite, -3), OddsFor(DiplomacyOdds::kIncite, 0));
  EXPECT_EQ(OddsFor(DiplomacyOdds::kIncite, 9), OddsFor(DiplomacyOdds::kIncite, 4));
  EXPECT_EQ(PersuadeDivisor(7), PersuadeDivisor(4));
  EXPECT_EQ(TacticOddsFor(-1).diplomacy, TacticOddsFor(0).diplomacy);
}

}  // namespace

// A city rises with its whole garrison, or not at all where a ruler stands:
// he would be left in a city of another faction, his own cities following
// wherever he went next.
TEST(DiplomacyRule, ACityRisesWithItsGarrisonOrNotAtAllUnderARuler) {
  for (bool rulerThere : {false, true}) {
    HeroList heroes;
    CityList cities;
    const int ruler = 4, rebel = 7, garrison = 8, city = 2;
    for (int i = 0; i < kHeroCount; ++i) heroes.heroes[i].heroId = i;
    heroes.heroes[ruler].heroOwnerId = ruler + 1;
    heroes.heroes[ruler].cityNo = rulerThere ? city + 1 : city + 2;
    for (int officer : {rebel, garrison}) {
      heroes.heroes[officer].heroOwnerId = ruler + 1;
      heroes.heroes[officer].cityNo = city + 1;
    }
    cities.cities[city].ownerId = cities.cities[city + 1].ownerId = ruler + 1;
    EXPECT_EQ(RiseAsRuler(heroes, cities, rebel, city), !rulerThere);
    int risen = rulerThere ? ruler + 1 : rebel + 1;
    EXPECT_EQ(cities.cities[city].ownerId, risen);
    EXPECT_EQ(heroes.heroes[rebel].heroOwnerId, risen);
    EXPECT_EQ(heroes.heroes[garrison].heroOwnerId, risen);
    EXPECT_EQ(heroes.heroes[ruler].heroOwnerId, ruler + 1);
  }
}
