// The armament orders 20 to 24: scouting, soldiers, plunder and war.
#include <algorithm>

#include "shell/globals.h"
#include "shell/run_log.h"
#include "strategy/armament_rule.h"
#include "strategy/game_map.h"

namespace {

// Recruits on offer: 20 per point of the people's loyalty, no more than the
// city's money pays for.
constexpr int kRecruitPerLoyalty = 20;

}  // namespace

int GameMap::Scout(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kScout, actor))) return kOrderRefused;
  firstPick = actor;
  targetMode = kTargetScout;
  ShowIt(0, 0, actor);
  return kOrderFinished;
}

int GameMap::Recruit(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kRecruit, actor))) return kOrderRefused;
  const CityRecord& city = SourceCity();
  firstPick = actor;
  operate.Init(kOperateSoldiers, std::min(city.peopleLoyalty * kRecruitPerLoyalty, city.money * kRecruitsPerCoin));
  operatePurpose = kPurposeRecruit;
  operate.Show();
  return kOrderDialog;
}

int GameMap::AssignSoldiers(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  const HeroRecord& h = Hero(actor);
  firstPick = actor;
  operate.Init(kOperateSoldiers, std::min(SoldierCapacity(h), h.soldiers + SourceCity().reserveSoldiers));
  operatePurpose = kPurposeAssign;
  operate.Show();
  return kOrderDialog;
}

int GameMap::Plunder(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kPlunder, actor))) return kOrderRefused;
  if (QueueTask(SourceCityIndex(), actor, kTaskPlunder, 0, 0, 0, 0, 0) < 0) {
    Notice("本月命令已满");
    return kOrderRefused;
  }
  PayCosts(Order::kPlunder, actor);
  Hero(actor).inListFlag = kActed;
  ShowIt(0, 0, actor);
  return kOrderDone;
}

int GameMap::War(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kWar, actor))) return kOrderRefused;
  if (attackPartyCount == 0) {
    if (FreeTaskRecords() < kWarOrderRecords) {
      Notice("本月命令已满");
      return kOrderRefused;
    }
    warLeader = actor;
    std::fill(attackParty, attackParty + kPartyExtraOfficers, -1);
    // Kept from the first pick on, so that cancelling the target always
    // gives back exactly the food the army took.
    savedFood = SourceCity().food;
  } else if (attackPartyCount - 1 < kPartyExtraOfficers) {
    attackParty[attackPartyCount - 1] = actor;
  }
  Hero(actor).inListFlag = kPicked;
  ++attackPartyCount;
  if (attackPartyCount != kWarPartyMax && heroList.cityOfficerCount > 1) return kOrderWarMore;
  pendingAmountB = attackPartyCount;
  return kOrderWarComplete;
}

void GameMap::WarPickResult(int result) {
  command = OrderNumber(Order::kWar);
  if (result == kOrderWarMore) {
    savedFood = SourceCity().food;
    Show(0);
    OpenOfficerList();
    return;
  }
  OpenWarFoodDialog();
}

void GameMap::OpenWarFoodDialog() {
  pendingAmountB = attackPartyCount;
  attackPartyCount = 0;
  listAfterMessage = 0;
  operateOpen = 1;
  operatePurpose = kPurposeWarFood;
  operate.Init(kOperateFood, SourceCity().food);
  Show(0);
  operate.Show();
}

void GameMap::FreeWarParty() {
  for (HeroRecord& h : heroList.heroes) {
    if (h.inListFlag == kPicked) h.inListFlag = kIdle;
  }
  attackPartyCount = 0;
  pendingAmountB = 0;
  warLeader = -1;
  std::fill(attackParty, attackParty + kPartyExtraOfficers, -1);
}

void GameMap::TargetScout(int cell) {
  if (cell == kCellOwn) {
    ShowAnswer(Order::kScout, 0, 0, firstPick);
    return;
  }
  if (cell != kCellEnemy && cell != kCellUnowned) return;
  targetMode = kTargetNone;
  menuLevel = kMenuCityInfo;
  cityList.Init(cursorCol, cursorRow, scenario);
  cityList.Show();
  if (firstPick >= 0) Hero(firstPick).inListFlag = kActed;
}

void GameMap::TargetWar(int cell) {
  if (cell == kCellOwn) {
    ShowAnswer(Order::kWar, 0, 0, warLeader);
    return;
  }
  if (cell != kCellEnemy && cell != kCellUnowned) return;
  if (ArriveEnable() != 1 || warLeader < 0) {
    Notice("无法到达");
    return;
  }
  WarOrder order;
  order.fromCityNo = Hero(warLeader).cityNo;
  order.attackerRulerId = playerRuler - 1;
  order.targetCityNo = GetCityNum() + 1;
  order.foodCarried = pendingAmountA;
  order.partySize = pendingAmountB;
  order.leadOfficerId = warLeader;
  order.warKind = cell == kCellEnemy ? kWarAttackCity : kWarOccupyEmpty;
  for (int i = 0; i < kPartyExtraOfficers; ++i) order.partyOfficers[i] = attackParty[i];
  order.attackOnPlayer = 0;
  if (QueueWarOrder(order) < 0) {
    Notice("本月命令已满");
    return;
  }
  targetMode = kTargetNone;
  Notice("部队已出发", Sound::kMarch);
  Hero(warLeader).inListFlag = kActed;
  for (int officer : attackParty) {
    if (officer >= 0 && officer < kHeroCount) Hero(officer).inListFlag = kActed;
  }
  std::fill(attackParty, attackParty + kPartyExtraOfficers, -1);
  warLeader = -1;
}
