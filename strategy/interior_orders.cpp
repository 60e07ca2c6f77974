// The interior orders 1 to 14.
#include <algorithm>

#include "platform/random.h"
#include "rules/character_odds.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kBanquetRest = 50;
constexpr int kMaxPercent = 100;
constexpr int kPeopleGrowth = 100;
constexpr int kGiveLoyalty = 8;
constexpr int kTakeLoyalty = 20;
constexpr int kMaxLoyaltyPersuadable = 60;

// Items that change the holder's troops instead of being carried.
struct TroopItem {
  int item;
  int needForce;
  int needIntelligence;
  int troopType;
};
constexpr TroopItem kTroopItems[3] = {{31, 106, 0, 4}, {32, 0, 106, 5}, {33, 0, 0, 3}};

// An officer who received or handed back an item has acted this month; his
// loyalty moves by `change` within its bounds.
void ItemChangedHands(HeroRecord& h, int change) {
  h.loyalty = std::clamp(h.loyalty + change, 0, kMaxLoyalty);
  h.inListFlag = kActed;
}

}  // namespace

int GameMap::DevelopFarming(int pick) {
  if (heroList.cityOfficerCount == 0 && farmingDone) return kOrderFinished;
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  CityRecord& city = SourceCity();
  if (city.farming >= city.farmingMax) {
    Notice("已达农业上限");
    return kOrderRefused;
  }
  if (NoticeRefusal(CostRefusalOf(Order::kDevelopFarming, actor))) return kOrderRefused;
  HeroRecord& h = Hero(actor);
  int gain = (h.intelligence / 10) * (Rand() % 4 + 2) + h.intelligence / 2;
  city.farming = std::min(city.farming + gain, city.farmingMax);
  PayCosts(Order::kDevelopFarming, actor);
  h.inListFlag = kActed;
  ShowIt(gain, city.farming, actor);
  farmingDone = 1;
  return kOrderDone;
}

int GameMap::DevelopCommerce(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  CityRecord& city = SourceCity();
  if (city.commerce >= city.commerceMax) {
    Notice("已达商业上限");
    return kOrderRefused;
  }
  if (NoticeRefusal(CostRefusalOf(Order::kDevelopCommerce, actor))) return kOrderRefused;
  HeroRecord& h = Hero(actor);
  int gain = (h.intelligence / 10) * (Rand() % 4 + 2) + h.intelligence / 2;
  city.commerce = std::min(city.commerce + gain, city.commerceMax);
  PayCosts(Order::kDevelopCommerce, actor);
  h.inListFlag = kActed;
  ShowIt(gain, city.commerce, actor);
  return kOrderDone;
}

int GameMap::SearchCity(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kSearch, actor))) return kOrderRefused;
  if (QueueTask(SourceCityIndex(), actor, kTaskSearch, 0, 0, 0, 0, 0) < 0) {
    Notice("本月命令已满");
    return kOrderRefused;
  }
  PayCosts(Order::kSearch, actor);
  Hero(actor).inListFlag = kActed;
  ShowIt(0, 0, actor);
  return kOrderDone;
}

int GameMap::PreventDisaster(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  CityRecord& city = SourceCity();
  if (city.disasterPrevention >= kMaxPercent) {
    Notice("防灾已达上限");
    return kOrderRefused;
  }
  if (NoticeRefusal(CostRefusalOf(Order::kPreventDisaster, actor))) return kOrderRefused;
  int gain = Rand() % 4 + 1;
  city.disasterPrevention = std::min(city.disasterPrevention + gain, kMaxPercent);
  city.status = kCityNormal;
  PayCosts(Order::kPreventDisaster, actor);
  Hero(actor).inListFlag = kActed;
  ShowIt(gain, city.disasterPrevention, actor);
  return kOrderDone;
}

int GameMap::WinPeople(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kWinPeople, actor))) return kOrderRefused;
  CityRecord& city = SourceCity();
  int gain = Rand() % 4 + 1;
  city.peopleLoyalty = std::min(city.peopleLoyalty + gain, kMaxPercent);
  city.population = std::min(city.population + kPeopleGrowth, city.populationMax);
  PayCosts(Order::kWinPeople, actor);
  Hero(actor).inListFlag = kActed;
  ShowIt(gain, city.peopleLoyalty, actor);
  return kOrderDone;
}

int GameMap::PersuadeCaptive(int pick) {
  if (captiveListFlag == 0) {
    if (heroList.cityCaptiveCount == 0) {
      Notice("城中无俘虏");
      return kOrderFinished;
    }
    if (RefuseNoIdle()) return kOrderFinished;
    int actor = ActorAt(pick);
    if (actor < 0) return kOrderFinished;
    if (NoticeRefusal(CostRefusalOf(Order::kPersuadeCaptive, actor))) return kOrderRefused;
    firstPick = actor;
    captiveListFlag = 1;
    Show(0);
    return kOrderSecondPick;
  }
  // The captive stands in the second group; read him before the flag that
  // selects that group is cleared.
  int captive = pick >= 0 && pick < heroList.cityCaptiveCount ? heroList.listIds[heroList.cityOfficerCount + pick] : -1;
  captiveListFlag = 0;
  if (heroList.cityCaptiveCount == 0 || captive < 0) {
    Notice("城中无俘虏");
    return kOrderFinished;
  }
  if (NoticeRefusal(MoneyRefusal(CostsOf(Order::kPersuadeCaptive), SourceCity().money))) return kOrderRefused;
  if (FreeTaskRecords() < 1) {
    Notice("本月命令已满");
    return kOrderFinished;
  }
  HeroRecord& persuader = Hero(firstPick);
  HeroRecord& c = Hero(captive);
  PayCosts(Order::kPersuadeCaptive, firstPick);
  int success = 0;
  int chance = persuader.intelligence - c.intelligence + 50;
  if (Rand() % 100 <= chance) {
    int divisor = PersuadeDivisor(c.character);
    int loyalty = c.loyalty;
    c.loyalty -= loyalty / 10;
    success = loyalty > kMaxLoyaltyPersuadable ? 0 : (Rand() % 100 >= loyalty / divisor ? 1 : 0);
  }
  QueueTask(SourceCityIndex(), captive, kTaskPersuade, success, 0, 0, 0, 0);
  persuader.inListFlag = kActed;
  ShowIt(0, 0, firstPick);
  return kOrderFinished;
}

int GameMap::ExecuteCaptive(int pick) {
  int captive = heroList.PickedHero(pick);
  if (heroList.cityCaptiveCount == 0 || captive < 0) {
    Notice("城中无俘虏");
    return kOrderFinished;
  }
  Hero(captive).heroOwnerId = kDeadOwner;
  ShowIt(0, 0, captive);
  return kOrderFinished;
}

int GameMap::ReleaseOfficer(int pick) {
  int officer = heroList.PickedHero(pick);
  if ((heroList.cityOfficerCount == 0 && heroList.cityCaptiveCount == 0) || officer < 0) {
    Notice("城中无空闲武将");
    return kOrderFinished;
  }
  // The ruler cannot dismiss himself: his faction would be left with nobody
  // at its head, no succession and no defeat.
  if (officer + 1 == playerRuler) {
    Notice("君主不可释放");
    return kOrderRefused;
  }
  HeroRecord& h = Hero(officer);
  if (h.heroOwnerId < kDeadOwner) {
    --heroList.cityOfficerCount;
    --playerOfficerCount;
  }
  h.heroOwnerId = 0;
  Show(0);
  return kOrderFinished;
}

int GameMap::GiveItem(int pick) {
  if (itemStep == 0) {
    int actor = ActorAt(pick);
    firstPick = actor;
    goodList.Init(cursorCol, cursorRow, scenario, -1);
    if (RefuseNoIdle() || actor < 0) return kOrderFinished;
    if (goodList.cityGoodCount == 0) {
      Notice("城中无道具");
      return kOrderRefused;
    }
    const HeroRecord& h = Hero(actor);
    if (h.item1 != 0 && h.item2 != 0) {
      Notice("该将道具已满");
      return kOrderRefused;
    }
    itemStep = kItemStepGive;
    goodList.Show(0);
    return kOrderItemList;
  }
  itemStep = 0;
  int item = goodList.PickedGood(pick);
  if (item < 0 || firstPick < 0) return kOrderFinished;
  HeroRecord& h = Hero(firstPick);
  GoodRecord* g = goodList.Record(item);
  for (const TroopItem& t : kTroopItems) {
    if (t.item != item) continue;
    // A refused gift is no gift: it wins no loyalty and costs no action.
    if (h.force < t.needForce || h.intelligence < t.needIntelligence) {
      Notice("该将条件无法使用");
      return kOrderFinished;
    }
    g->holderId = firstPick + 1;
    --goodList.cityGoodCount;
    h.troopType = t.troopType;
    ItemChangedHands(h, kGiveLoyalty);
    return kOrderFinished;
  }
  GiveItemTo(firstPick, item);
  ItemChangedHands(h, kGiveLoyalty);
  ShowIt(0, 0, firstPick);
  return kOrderFinished;
}

void GameMap::GiveItemTo(int officer, int item) {
  HeroRecord& h = Hero(officer);
  GoodRecord* g = goodList.Record(item);
  if (g == nullptr) return;
  if (h.item1 == 0) {
    h.item1 = item;
  } else {
    h.item2 = item;
  }
  h.force += g->forceBonus;
  h.intelligence += g->intelligenceBonus;
  h.itemBonus += g->movementBonus;
  g->holderId = officer + 1;
  --goodList.cityGoodCount;
}

int GameMap::TakeItem(int pick) {
  if (itemStep == 0) {
    int actor = ActorAt(pick);
    firstPick = actor;
    goodList.Init(cursorCol, cursorRow, scenario, actor + 1);
    if (RefuseNoIdle() || actor < 0) return kOrderFinished;
    // The listing, not the slots, decides: an officer whose only item is one
    // for use has nothing to hand back, and an empty list would trap the keys.
    if (goodList.heldGoodCount == 0) {
      Notice("该将无道具");
      return kOrderRefused;
    }
    itemStep = kItemStepTake;
    goodList.Show(0);
    return kOrderItemList;
  }
  itemStep = 0;
  if (firstPick < 0) return kOrderFinished;
  HeroRecord& h = Hero(firstPick);
  int item = goodList.PickedGood(pick);
  if (item < 0) return kOrderFinished;
  TakeItemFrom(firstPick, item);
  ItemChangedHands(h, -kTakeLoyalty);
  ShowIt(0, 0, firstPick);
  return kOrderFinished;
}

// The slot that holds the picked item is emptied, so the bonuses taken off are
// always those of the item that leaves.
void GameMap::TakeItemFrom(int officer, int item) {
  HeroRecord& h = Hero(officer);
  GoodRecord* g = goodList.Record(item);
  if (g == nullptr) return;
  if (h.item1 == item) {
    h.item1 = 0;
  } else if (h.item2 == item) {
    h.item2 = 0;
  } else {
    return;
  }
  h.force -= g->forceBonus;
  h.intelligence -= g->intelligenceBonus;
  h.itemBonus -= g->movementBonus;
  g->holderId = 0;
  g->goodCityNo = h.cityNo;
  ++goodList.cityGoodCount;
  --goodList.heldGoodCount;
}

int GameMap::TradeFood(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kTradeFood, actor))) return kOrderRefused;
  firstPick = actor;
  operate.Init(kOperateChoice, 0);
  operatePurpose = kPurposeTradeChoice;
  operate.Show();
  return kOrderDialog;
}

int GameMap::HoldBanquet(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kBanquet, actor))) return kOrderRefused;
  HeroRecord& h = Hero(actor);
  h.stamina = std::min(h.stamina + kBanquetRest, kFullStamina);
  h.loyalty = std::min(h.loyalty + 1, kMaxLoyalty);
  PayCosts(Order::kBanquet, actor);
  if (actor + 1 != playerRuler) ShowIt(0, 0, actor);
  return kOrderDone;
}

int GameMap::Transport(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  if (NoticeRefusal(CostRefusalOf(Order::kTransport, actor))) return kOrderRefused;
  if (FreeTaskRecords() < 1) {
    Notice("本月命令已满");
    return kOrderRefused;
  }
  firstPick = actor;
  operate.Init(kOperateMoney, SourceCity().money);
  operatePurpose = kPurposeTransportMoney;
  operate.Show();
  return kOrderDialog;
}

int GameMap::MoveOfficer(int pick) {
  if (RefuseNoIdle()) return kOrderFinished;
  int actor = ActorAt(pick);
  if (actor < 0) return kOrderFinished;
  firstPick = actor;
  targetMode = kTargetMove;
  ShowIt(0, 0, actor);
  return kOrderFinished;
}
