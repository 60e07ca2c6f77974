// The diplomacy orders 15 to 19: working on other rulers' officers and rulers.
#include <algorithm>

#include "shell/run_log.h"
#include "strategy/diplomacy_rule.h"
#include "strategy/game_map.h"

namespace {

constexpr int kDiscordLoyaltyLoss = 4;

// The success flag a queued task carries.
int Succeeded(DiplomacyOutcome outcome) { return outcome == DiplomacyOutcome::kSuccess ? 1 : 0; }

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
  if (DrawDiplomacy(DiplomacyMove::kSowDiscord, DiplomacySide::kPlayer, a, t) == DiplomacyOutcome::kSuccess)
    t.loyalty = std::max(t.loyalty - kDiscordLoyaltyLoss, 0);
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
  int success = Succeeded(DrawDiplomacy(DiplomacyMove::kWinOver, DiplomacySide::kPlayer, a, Hero(target)));
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
  int success = Succeeded(DrawDiplomacy(DiplomacyMove::kIncite, DiplomacySide::kPlayer, a, t));
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
  int success = Succeeded(DrawDiplomacy(DiplomacyMove::kCallToSubmit, DiplomacySide::kPlayer, a, t));
  QueueTask(SourceCityIndex(), target, kTaskSubmit, success, 0, 0, 0, 0);
  return kOrderFinished;
}
