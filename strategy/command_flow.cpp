// How a city order runs: the officer list, the second pick, the item list, the
// numeric dialog chains and the target choice on the map.
#include "campaign/scenario_files.h"
#include "platform/random.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

int GameMap::GetOrder(int pick) {
  Log(1, "GameMap::GetOrder", "开始", 0);
  switch (command) {
    case 1: return DevelopFarming(pick);
    case 2: return DevelopCommerce(pick);
    case 3: return SearchCity(pick);
    case 4: return PreventDisaster(pick);
    case 5: return WinPeople(pick);
    case 6: return PersuadeCaptive(pick);
    case 7: return ExecuteCaptive(pick);
    case 8: return ReleaseOfficer(pick);
    case 9: return GiveItem(pick);
    case 10: return TakeItem(pick);
    case 11: return TradeFood(pick);
    case 12: return HoldBanquet(pick);
    case 13: return Transport(pick);
    case 14: return MoveOfficer(pick);
    case 15: return SowDiscord(pick);
    case 16: return WinOver(pick);
    case 17: return Incite(pick);
    case 19: return CallToSubmit(pick);
    case 20: return Scout(pick);
    case 21: return Recruit(pick);
    case 22: return AssignSoldiers(pick);
    case 23: return Plunder(pick);
    case 24: return War(pick);
    default:
      Show(0);
      return kOrderFinished;
  }
}

void GameMap::Notice(const char* text) { PaintMessageFrame(text, 0, 300, 15, 1); }

bool GameMap::RefuseNoIdle() {
  if (heroList.cityOfficerCount > 0) return false;
  Notice("城中无空闲武将");
  return true;
}

bool GameMap::RefuseMoneyStamina(int officer, int money, int stamina) {
  if (SourceCity().money < money) {
    Notice("无足够金钱");
    return true;
  }
  if (officer < 0 || Hero(officer).stamina < stamina) {
    Notice("该将体力不足");
    return true;
  }
  return false;
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
    if (command == 24 && attackPartyCount > 0) {
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
    default:
      break;
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
      ShowAnswer(13, 0, 0, firstPick);
      targetMode = kTargetTransport;
      CloseCommand();
      return;
    case kPurposeBuyFood:
      actor.stamina -= 12;
      city.money -= 5 * v;
      city.food += v;
      actor.inListFlag = kActed;
      break;
    case kPurposeSellFood:
      actor.stamina -= 12;
      city.money += 2 * v;
      city.food -= v;
      actor.inListFlag = kActed;
      break;
    case kPurposeRecruit:
      actor.stamina -= 12;
      city.money -= v / 10;
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
      ShowAnswer(24, 0, 0, warLeader);
      pendingAmountA = v;
      city.food -= v;
      operatePurpose = 0;
      operateOpen = 0;
      CloseCommand();
      return;
    default:
      break;
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
    ShowAnswer(14, 0, 0, firstPick);
    return;
  }
  officer.cityNo = n;
  officer.inListFlag = kTravelling;
  ShowAnswer(14, -1, 0, firstPick);
  targetMode = kTargetNone;
}

void GameMap::TargetTransport(int cell) {
  if (cell != kCellOwn || firstPick < 0) return;
  HeroRecord& officer = Hero(firstPick);
  int n = GetCityNum() + 1;
  if (officer.cityNo == n) {
    ShowAnswer(13, 0, 0, firstPick);
    return;
  }
  int arrived = Rand() % 100 > 19 ? 1 : 0;
  if (QueueTask(n - 1, firstPick, kTaskTransport, pendingAmountA, pendingAmountB, pendingAmountC, arrived, 0) < 0) {
    Notice("本月命令已满");
    targetMode = kTargetNone;
    return;
  }
  officer.inListFlag = kActed;
  ShowAnswer(13, -1, 0, firstPick);
  targetMode = kTargetNone;
  officer.stamina -= 8;
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
    command = mode == kTargetMove ? 14 : 20;
    OpenOfficerList();
  } else if (mode == kTargetTransport) {
    command = 13;
    operateOpen = 1;
    operatePurpose = kPurposeTransportSoldiers;
    operate.Init(kOperateSoldiers, SourceCity().reserveSoldiers);
    operate.Show();
  } else if (mode == kTargetWar) {
    SourceCity().food = savedFood;
    pendingAmountA = 0;
    command = 24;
    operateOpen = 1;
    operatePurpose = kPurposeWarFood;
    operate.Init(kOperateFood, SourceCity().food);
    operate.Show();
  }
}
