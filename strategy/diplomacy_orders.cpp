// The diplomacy orders 15 to 19: working on other rulers' officers and rulers.
#include <algorithm>

#include "platform/random.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kDiscordLoyaltyLoss = 4;

// Odds by character (0 the most peaceful .. 4 the most warlike).
constexpr int kDiscordOdds[5] = {50, 30, 40, 30, 5};
constexpr int kWinOverOdds[5] = {15, 40, 30, 20, 5};
constexpr int kInciteOdds[5] = {30, 10, 20, 60, 5};
constexpr int kSubmitOdds[5] = {10, 1, 20, 5, 15};

int Odds(const int* table, int character) { return table[character < 0 ? 0 : (character > 4 ? 4 : character)]; }

}  // namespace

// Step 1 of 15 to 17 and 19: the actor is picked and the list turns to the
// group the target is picked from.
int GameMap::DiplomacyFirstStep(int pick, Order order, int* flag) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(order, actor))) return kOrderRefused;
  firstPick = actor;
  *flag = 1;
  Show(0);
  return kOrderSecondPick;
}

// Win-over and incitement share one draw: the target must be outwitted, the
// actor's own loyalty must not hold him back, and the target's character must
// allow it. Returns the success flag.
int GameMap::DiplomacyDraw(int actor, int target, const int* odds) {
  const HeroRecord& a = Hero(actor);
  const HeroRecord& t = Hero(target);
  int chance = a.intelligence - t.intelligence + 50;
  if (Rand() % 100 > chance) return 0;
  if (Rand() % 100 < a.loyalty) return 0;
  return Rand() % 100 < Odds(odds, t.character) ? 0 : 1;
}

int GameMap::SowDiscord(int pick) {
  if (foreignOfficerListFlag == 0) return DiplomacyFirstStep(pick, Order::kSowDiscord, &foreignOfficerListFlag);
  int target = heroList.PickedHero(pick);
  foreignOfficerListFlag = 0;
  Show(0);
  if (target < 0 || firstPick < 0) return kOrderFinished;
  HeroRecord& a = Hero(firstPick);
  HeroRecord& t = Hero(target);
  a.inListFlag = kActed;
  PayCosts(Order::kSowDiscord, firstPick);
  int chance = a.intelligence - t.intelligence + 50;
  if (Rand() % 100 > chance) return kOrderFinished;
  if (Rand() % 100 < a.loyalty) return kOrderFinished;
  if (Rand() % 100 >= Odds(kDiscordOdds, t.character)) t.loyalty = std::max(t.loyalty - kDiscordLoyaltyLoss, 0);
  return kOrderFinished;
}

int GameMap::WinOver(int pick) {
  if (foreignOfficerListFlag == 0) return DiplomacyFirstStep(pick, Order::kWinOver, &foreignOfficerListFlag);
  int target = heroList.PickedHero(pick);
  foreignOfficerListFlag = 0;
  Show(0);
  if (target < 0 || firstPick < 0) return kOrderFinished;
  if (FreeTaskRecords() < 1) {
    Notice("本月命令已满");
    return kOrderFinished;
  }
  HeroRecord& a = Hero(firstPick);
  a.inListFlag = kActed;
  PayCosts(Order::kWinOver, firstPick);
  int success = DiplomacyDraw(firstPick, target, kWinOverOdds);
  QueueTask(SourceCityIndex(), target, kTaskWinOver, success, 0, 0, 0, 0);
  return kOrderFinished;
}

int GameMap::Incite(int pick) {
  if (foreignOfficerListFlag == 0) return DiplomacyFirstStep(pick, Order::kIncite, &foreignOfficerListFlag);
  int target = heroList.PickedHero(pick);
  foreignOfficerListFlag = 0;
  Show(0);
  if (target < 0 || firstPick < 0) return kOrderFinished;
  if (FreeTaskRecords() < 1) {
    Notice("本月命令已满");
    return kOrderFinished;
  }
  HeroRecord& a = Hero(firstPick);
  a.inListFlag = kActed;
  PayCosts(Order::kIncite, firstPick);
  const HeroRecord& t = Hero(target);
  int success = DiplomacyDraw(firstPick, target, kInciteOdds);
  // A city its ruler governs himself cannot be turned.
  if (t.cityNo >= 1 && t.cityNo <= kCityCount) {
    const CityRecord& home = cityList.cities[t.cityNo - 1];
    if (home.governorId == home.ownerId) success = 0;
  }
  QueueTask(t.cityNo, target, kTaskIncite, success, 0, 0, 0, 0);
  return kOrderFinished;
}

int GameMap::CallToSubmit(int pick) {
  if (rulerListFlag == 0) return DiplomacyFirstStep(pick, Order::kCallToSubmit, &rulerListFlag);
  int target = heroList.PickedHero(pick);
  rulerListFlag = 0;
  Show(0);
  if (target < 0 || firstPick < 0) return kOrderFinished;
  if (FreeTaskRecords() < 1) {
    Notice("本月命令已满");
    return kOrderFinished;
  }
  HeroRecord& a = Hero(firstPick);
  PayCosts(Order::kCallToSubmit, firstPick);
  a.inListFlag = kActed;
  const HeroRecord& t = Hero(target);
  int success = 0;
  int chance = a.intelligence - t.intelligence + 50;
  if (Rand() % 100 <= chance) success = Rand() % 100 <= Odds(kSubmitOdds, a.character) ? 1 : 0;
  QueueTask(SourceCityIndex(), target, kTaskSubmit, success, 0, 0, 0, 0);
  return kOrderFinished;
}
