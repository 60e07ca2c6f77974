#pragma once
// The orders of a city's command menu, numbered as the three sub-menus list
// them (interior 1..14, diplomacy 15..19, armament 20..24), and what each needs
// and pays: the money the city must hold and spends, the stamina the acting
// officer must have and loses.

enum class Order : int {
  kNone = 0,
  kDevelopFarming = 1,
  kDevelopCommerce = 2,
  kSearch = 3,
  kPreventDisaster = 4,
  kWinPeople = 5,
  kPersuadeCaptive = 6,
  kExecuteCaptive = 7,
  kRelease = 8,
  kGiveItem = 9,
  kTakeItem = 10,
  kTradeFood = 11,
  kBanquet = 12,
  kTransport = 13,
  kMove = 14,
  kSowDiscord = 15,
  kWinOver = 16,
  kIncite = 17,
  kDiplomacyBack = 18,  // the diplomacy menu's last entry: does nothing
  kCallToSubmit = 19,
  kScout = 20,
  kRecruit = 21,
  kAssignSoldiers = 22,
  kPlunder = 23,
  kWar = 24,
};
constexpr int kOrderCount = 24;

// The map keeps the open order as its number (GameMap::command).
constexpr int OrderNumber(Order order) { return static_cast<int>(order); }
constexpr Order OrderOf(int command) {
  return command >= 1 && command <= kOrderCount ? static_cast<Order>(command) : Order::kNone;
}

// The first order of each sub-menu; the menu's entry k is that order + k.
constexpr Order kFirstInteriorOrder = Order::kDevelopFarming;
constexpr Order kFirstDiplomacyOrder = Order::kSowDiscord;
constexpr Order kFirstArmamentOrder = Order::kScout;

constexpr int kNoCheck = -1;   // a "needed" column the order does not check
constexpr int kByAmount = -1;  // a "paid" column set by the amount chosen in the dialog

struct OrderCosts {
  Order order;
  int moneyNeeded;
  int moneyPaid;
  int staminaNeeded;
  int staminaPaid;
};
constexpr OrderCosts kOrderCosts[kOrderCount] = {
    {Order::kDevelopFarming, 50, 50, 8, 8},
    {Order::kDevelopCommerce, 50, 50, 8, 8},
    {Order::kSearch, 0, 0, 8, 8},
    {Order::kPreventDisaster, 50, 50, 8, 8},
    {Order::kWinPeople, 50, 50, 8, 8},
    {Order::kPersuadeCaptive, 100, 0, 15, 15},
    {Order::kExecuteCaptive, kNoCheck, 0, kNoCheck, 0},
    {Order::kRelease, kNoCheck, 0, kNoCheck, 0},
    {Order::kGiveItem, kNoCheck, 0, kNoCheck, 0},
    {Order::kTakeItem, kNoCheck, 0, kNoCheck, 0},
    {Order::kTradeFood, 0, kByAmount, 12, 12},
    {Order::kBanquet, 100, 100, kNoCheck, 0},
    {Order::kTransport, 0, kByAmount, 12, 8},  // the stamina is paid when the goods leave
    {Order::kMove, kNoCheck, 0, kNoCheck, 0},
    {Order::kSowDiscord, 50, 0, 20, 20},
    {Order::kWinOver, 50, 0, 15, 15},
    {Order::kIncite, 50, 0, 20, 15},
    {Order::kDiplomacyBack, kNoCheck, 0, kNoCheck, 0},
    {Order::kCallToSubmit, 50, 0, 10, 10},
    {Order::kScout, 0, 0, 10, 0},
    {Order::kRecruit, 1, kByAmount, 12, 12},
    {Order::kAssignSoldiers, kNoCheck, 0, kNoCheck, 0},
    {Order::kPlunder, 0, 0, 20, 20},
    {Order::kWar, 0, 0, 8, 0},
};
constexpr const OrderCosts& CostsOf(Order order) { return kOrderCosts[OrderNumber(order) - 1]; }

// Why an order is refused before it acts; the map shows each as a notice.
enum class CostRefusal { kNone, kMoney, kStamina };

constexpr CostRefusal MoneyRefusal(const OrderCosts& costs, int cityMoney) {
  return costs.moneyNeeded != kNoCheck && cityMoney < costs.moneyNeeded ? CostRefusal::kMoney : CostRefusal::kNone;
}
// Money is checked first: a poor city refuses whoever is picked.
constexpr CostRefusal CostsRefusal(const OrderCosts& costs, int cityMoney, int officerStamina) {
  if (MoneyRefusal(costs, cityMoney) != CostRefusal::kNone) return CostRefusal::kMoney;
  if (costs.staminaNeeded != kNoCheck && officerStamina < costs.staminaNeeded) return CostRefusal::kStamina;
  return CostRefusal::kNone;
}

// Food trade and recruiting pay by the amount: food is bought at 5 a unit and
// sold at 2, and ten recruits cost 1.
constexpr int kFoodBuyPrice = 5;
constexpr int kFoodSellPrice = 2;
constexpr int kRecruitsPerCoin = 10;

namespace order_checks {
constexpr bool RowsFollowTheOrders() {
  for (int i = 0; i < kOrderCount; ++i)
    if (OrderNumber(kOrderCosts[i].order) != i + 1) return false;
  return true;
}
// What an order pays it also needs, so a check that passed can always be paid.
constexpr bool PaymentsAreCovered() {
  for (const OrderCosts& c : kOrderCosts) {
    if (c.moneyPaid > 0 && c.moneyNeeded < c.moneyPaid) return false;
    if (c.staminaPaid > 0 && c.staminaNeeded != kNoCheck && c.staminaNeeded < c.staminaPaid) return false;
  }
  return true;
}
}  // namespace order_checks
static_assert(order_checks::RowsFollowTheOrders());
static_assert(order_checks::PaymentsAreCovered());
static_assert(OrderNumber(kFirstDiplomacyOrder) - OrderNumber(kFirstInteriorOrder) == 14);
static_assert(OrderNumber(kFirstArmamentOrder) - OrderNumber(kFirstDiplomacyOrder) == 5);
static_assert(kOrderCount - OrderNumber(kFirstArmamentOrder) + 1 == 5);
