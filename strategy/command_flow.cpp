// How a city order runs: the officer list, the second pick, the item list, the
// numeric dialog chains and the target choice on the map.
#include <climits>
#include <iterator>

#include "campaign/scenario_files.h"
#include "platform/random.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"

namespace {

// Without an officer there is no stamina to pay an order with.
constexpr int kNoOfficerStamina = INT_MIN;

}  // namespace

int GameMap::GetOrder(int pick) {
  Log(1, "GameMap::GetOrder", "开始", 0);
  using Handler = int (GameMap::*)(int pick);
  struct OrderHandler {
    Order order;
    Handler handler;  // null: the order does nothing and the map comes back
  };
  static constexpr OrderHandler kHandlers[kOrderCount] = {
      {Order::kDevelopFarming, &GameMap::DevelopFarming},
      {Order::kDevelopCommerce, &GameMap::DevelopCommerce},
      {Order::kSearch, &GameMap::SearchCity},
      {Order::kPreventDisaster, &GameMap::PreventDisaster},
      {Order::kWinPeople, &GameMap::WinPeople},
      {Order::kPersuadeCaptive, &GameMap::PersuadeCaptive},
      {Order::kExecuteCaptive, &GameMap::ExecuteCaptive},
      {Order::kRelease, &GameMap::ReleaseOfficer},
      {Order::kGiveItem, &GameMap::GiveItem},
      {Order::kTakeItem, &GameMap::TakeItem},
      {Order::kTradeFood, &GameMap::TradeFood},
      {Order::kBanquet, &GameMap::HoldBanquet},
      {Order::kTransport, &GameMap::Transport},
      {Order::kMove, &GameMap::MoveOfficer},
      {Order::kSowDiscord, &GameMap::SowDiscord},
      {Order::kWinOver, &GameMap::WinOver},
      {Order::kIncite, &GameMap::Incite},
      {Order::kDiplomacyBack, nullptr},
      {Order::kCallToSubmit, &GameMap::CallToSubmit},
      {Order::kScout, &GameMap::Scout},
      {Order::kRecruit, &GameMap::Recruit},
      {Order::kAssignSoldiers, &GameMap::AssignSoldiers},
      {Order::kPlunder, &GameMap::Plunder},
      {Order::kWar, &GameMap::War},
  };
  static_assert(std::size(kHandlers) == std::size(kOrderCosts));
  static_assert([] {
    for (int i = 0; i < kOrderCount; ++i)
      if (OrderNumber(kHandlers[i].order) != i + 1) return false;
    return true;
  }());
  Order order = OrderOf(command);
  Handler handler = order == Order::kNone ? nullptr : kHandlers[OrderNumber(order) - 1].handler;
  if (handler == nullptr) {
    Show(0);
    return kOrderFinished;
  }
  return (this->*handler)(pick);
}

void GameMap::Notice(const char* text, Sound cue) {
  PlayCue(cue);
  PaintMessageFrame(text, 0, 300, 15, 1);
}

bool GameMap::RefuseNoIdle() {
  if (heroList.cityOfficerCount > 0) return false;
  Notice("城中无空闲武将");
  return true;
}

CostRefusal GameMap::CostRefusalOf(Order order, int officer) {
  int stamina = officer >= 0 ? Hero(officer).stamina : kNoOfficerStamina;
  return CostsRefusal(CostsOf(order), SourceCity().money, stamina);
}

bool GameMap::NoticeRefusal(CostRefusal refusal) {
  switch (refusal) {
    case CostRefusal::kMoney: Notice("无足够金钱"); return true;
    case CostRefusal::kStamina: Notice("该将体力不足"); return true;
    case CostRefusal::kNone: break;
  }
  return false;
}

// Orders paid by the amount pay their money where the amount is confirmed.
void GameMap::PayCosts(Order order, int officer) {
  const OrderCosts& costs = CostsOf(order);
  if (costs.moneyPaid != kByAmount) SourceCity().money -= costs.moneyPaid;
  Hero(officer).stamina -= costs.staminaPaid;
}

// Command lists always show the city whose menu was opened, wherever the
// cursor went while a target was being chosen.
void GameMap::OpenOfficerList() {
  int col = cursorCol;
  int row = cursorRow;
  CityCell(SourceCityIndex(), col, row);
  heroList.Init(col, row, scenario, command, playerRuler);
  heroList.Show(0);
}

void GameMap::CloseCommand() {
  menuLevel = kMenuNone;
  command = 0;
  commandGroup = 0;
  screenNumber = kScreenMap;
}

void GameMap::OfficerListKey(int key) {
  int r = heroList.KeyDown(key);
  if (r == -1) {
    if (OrderOf(command) == Order::kWar && attackPartyCount > 0) {
      OpenWarFoodDialog();
      return;
    }
    CloseCommand();
    Show(0);
    return;
  }
  if (r != 1) return;
  int result = GetOrder(heroList.listTop + heroList.listCursor);
  listAfterMessage = 1;
  HandleOrderResult(result);
}

void GameMap::HandleOrderResult(int result) {
  switch (result) {
    case kOrderFinished:
      CloseCommand();
      listAfterMessage = 0;
      farmingDone = 0;
      secondPickOpen = 0;
      break;
    case kOrderSecondPick:
      // The list is up again at once: the next key is the player's.
      secondPickOpen = 1;
      listAfterMessage = 0;
      OpenOfficerList();
      break;
    case kOrderItemList:
      goodsListOpen = 1;
      listAfterMessage = 0;
      break;
    case kOrderDialog:
      operateOpen = 1;
      listAfterMessage = 0;
      break;
    case kOrderWarMore:
    case kOrderWarComplete:
      listAfterMessage = 0;
      WarPickResult(result);
      break;
    default: break;
  }
}

void GameMap::SecondPickKey(int key) {
  int r = heroList.KeyDown(key);
  if (r == -1) {
    secondPickOpen = 0;
    captiveListFlag = foreignOfficerListFlag = rulerListFlag = 0;
    CloseCommand();
    Show(0);
    return;
  }
  if (r != 1) return;
  int pick = heroList.listTop + heroList.listCursor;
  int result = GetOrder(pick);
  if (result == kOrderDone) {
    heroList.DeleteHero(pick);
    listAfterMessage = 1;
  } else if (result == kOrderFinished) {
    HandleOrderResult(result);
  } else {
    listAfterMessage = 1;
  }
}

void GameMap::GoodsListKey(int key) {
  int offset = 0;
  int count = 0;
  goodList.ShownGroup(offset, count);
  int r = goodList.KeyDown(key);
  // An empty list answers 0 to every key; Escape must still leave it.
  if (r == -1 || (count == 0 && key == keyEsc)) {
    goodsListOpen = 0;
    itemStep = 0;
    CloseCommand();
    Show(0);
    return;
  }
  if (r != 1) return;
  int result = GetOrder(goodList.listTop + goodList.listCursor);
  if (result == kOrderFinished) {
    goodsListOpen = 0;
    HandleOrderResult(result);
  }
}

void GameMap::OperateKey(int key) {
  int r = operate.KeyDown(key);
  if (r == -1) {
    OperateCancelled();
  } else if (r >= kOperateConfirmed) {
    OperateConfirmed(r - kOperateConfirmed);
  }
}

void GameMap::OperateConfirmed(int v) {
  CityRecord& city = SourceCity();
  HeroRecord& actor = Hero(firstPick >= 0 && firstPick < kHeroCount ? firstPick : 0);
  switch (operatePurpose) {
    case kPurposeTradeChoice:
      if (v == 0) {
        operate.Init(kOperateChoice, 0);
        operate.Init(kOperateFood, city.money / 5);
        operatePurpose = kPurposeBuyFood;
      } else {
        operate.Init(kOperateChoice, 1);
        operate.Init(kOperateFood, city.food);
        operatePurpose = kPurposeSellFood;
      }
      Show(0);
      operate.Show();
      return;
    case kPurposeTransportMoney:
      pendingAmountA = v;
      operate.Init(kOperateFood, city.food);
      operatePurpose = kPurposeTransportFood;
      Show(0);
      operate.Show();
      return;
    case kPurposeTransportFood:
      pendingAmountB = v;
      operate.Init(kOperateSoldiers, city.reserveSoldiers);
      operatePurpose = kPurposeTransportSoldiers;
      Show(0);
      operate.Show();
      return;
    case kPurposeTransportSoldiers:
      pendingAmountC = v;
      operatePurpose = 0;
      operateOpen = 0;
      ShowAnswer(Order::kTransport, 0, 0, firstPick);
      targetMode = kTargetTransport;
      CloseCommand();
      return;
    case kPurposeBuyFood:
      actor.stamina -= CostsOf(Order::kTradeFood).staminaPaid;
      city.money -= kFoodBuyPrice * v;
      city.food += v;
      actor.inListFlag = kActed;
      break;
    case kPurposeSellFood:
      actor.stamina -= CostsOf(Order::kTradeFood).staminaPaid;
      city.money += kFoodSellPrice * v;
      city.food -= v;
      actor.inListFlag = kActed;
      break;
    case kPurposeRecruit:
      actor.stamina -= CostsOf(Order::kRecruit).staminaPaid;
      city.money -= v / kRecruitsPerCoin;
      city.reserveSoldiers += v;
      city.population -= v;
      actor.inListFlag = kActed;
      break;
    case kPurposeAssign:
      city.reserveSoldiers += actor.soldiers - v;
      actor.soldiers = v;
      break;
    case kPurposeWarFood:
      Show(0);
      targetMode = kTargetWar;
      ShowAnswer(Order::kWar, 0, 0, warLeader);
      pendingAmountA = v;
      city.food -= v;
      operatePurpose = 0;
      operateOpen = 0;
      CloseCommand();
      return;
    default: break;
  }
  operatePurpose = 0;
  operateOpen = 0;
  CloseCommand();
  Show(0);
}

void GameMap::OperateCancelled() {
  CityRecord& city = SourceCity();
  switch (operatePurpose) {
    case kPurposeTransportFood:
      operate.Init(kOperateMoney, city.money);
      operatePurpose = kPurposeTransportMoney;
      break;
    case kPurposeTransportSoldiers:
      operate.Init(kOperateFood, city.food);
      operatePurpose = kPurposeTransportFood;
      break;
    case kPurposeBuyFood:
    case kPurposeSellFood:
      operate.Init(kOperateChoice, 0);
      operatePurpose = kPurposeTradeChoice;
      break;
    case kPurposeWarFood:
      FreeWarParty();
      operatePurpose = 0;
      operateOpen = 0;
      CloseCommand();
      Show(0);
      return;
    default:
      // Back to the order's officer list.
      operatePurpose = 0;
      operateOpen = 0;
      Show(0);
      OpenOfficerList();
      return;
  }
  Show(0);
  operate.Show();
}

void GameMap::TargetReturn() {
  int cell = GetCityPostion(cursorCol, cursorRow, scenario, rulerChoice);
  switch (targetMode) {
    case kTargetMove: TargetMove(cell); break;
    case kTargetScout: TargetScout(cell); break;
    case kTargetTransport: TargetTransport(cell); break;
    case kTargetWar: TargetWar(cell); break;
    default: break;
  }
}

void GameMap::TargetMove(int cell) {
  if (cell != kCellOwn || firstPick < 0) return;
  HeroRecord& officer = Hero(firstPick);
  int n = GetCityNum() + 1;
  if (officer.cityNo == n) {
    ShowAnswer(Order::kMove, 0, 0, firstPick);
    return;
  }
  officer.cityNo = n;
  officer.inListFlag = kTravelling;
  ShowAnswer(Order::kMove, -1, 0, firstPick);
  targetMode = kTargetNone;
}

void GameMap::TargetTransport(int cell) {
  if (cell != kCellOwn || firstPick < 0) return;
  HeroRecord& officer = Hero(firstPick);
  int n = GetCityNum() + 1;
  if (officer.cityNo == n) {
    ShowAnswer(Order::kTransport, 0, 0, firstPick);
    return;
  }
  int arrived = Rand() % 100 > 19 ? 1 : 0;
  if (QueueTask(n - 1, firstPick, kTaskTransport, pendingAmountA, pendingAmountB, pendingAmountC, arrived, 0) < 0) {
    Notice("本月命令已满");
    targetMode = kTargetNone;
    return;
  }
  officer.inListFlag = kActed;
  ShowAnswer(Order::kTransport, -1, 0, firstPick);
  targetMode = kTargetNone;
  PayCosts(Order::kTransport, firstPick);
  if (officer.cityNo >= 1 && officer.cityNo <= kCityCount) {
    CityRecord& home = cityList.cities[officer.cityNo - 1];
    home.money -= pendingAmountA;
    home.food -= pendingAmountB;
    home.reserveSoldiers -= pendingAmountC;
  }
}

void GameMap::TargetEscape() {
  int mode = targetMode;
  targetMode = kTargetNone;
  Show(0);
  if (mode == kTargetMove || mode == kTargetScout) {
    command = OrderNumber(mode == kTargetMove ? Order::kMove : Order::kScout);
    OpenOfficerList();
  } else if (mode == kTargetTransport) {
    command = OrderNumber(Order::kTransport);
    operateOpen = 1;
    operatePurpose = kPurposeTransportSoldiers;
    operate.Init(kOperateSoldiers, SourceCity().reserveSoldiers);
    operate.Show();
  } else if (mode == kTargetWar) {
    SourceCity().food = savedFood;
    pendingAmountA = 0;
    command = OrderNumber(Order::kWar);
    operateOpen = 1;
    operatePurpose = kPurposeWarFood;
    operate.Init(kOperateFood, SourceCity().food);
    operate.Show();
  }
}
