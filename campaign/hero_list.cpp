#include "campaign/hero_list.h"

#include <cstdio>
#include <cstring>

#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "rules/orders.h"
#include "shell/list_marks.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

int captiveListFlag = 0;
int foreignOfficerListFlag = 0;
int rulerListFlag = 0;

namespace {

constexpr int kTextHeight = 50;
constexpr int kRowTop = kListRowTop;
constexpr int kRowHeight = kListRowHeight;

// Horses: item 23 is the best mount, 24 and 25 good ones, 26 to 30 ordinary.
constexpr int kBestHorse = 23;
constexpr int kGoodHorseLast = 25;
constexpr int kHorseLast = 30;

void PaintNumber(int value, int x, int y) {
  char text[32];
  snprintf(text, sizeof text, "%d", value);
  PaintText(text, x, y, kTextHeight);
}

}  // namespace

int ItemMovementBonus(int item) {
  if (item == kBestHorse) return 3;
  if (item > kBestHorse && item <= kGoodHorseLast) return 2;
  if (item > kGoodHorseLast && item <= kHorseLast) return 1;
  return 0;
}

void HeroRecord::Dump(JsonWriter& out) const {
  out.BeginObject();
  out.Int("heroId", heroId);
  out.Int("heroOwnerId", heroOwnerId);
  out.Int("level", level);
  out.Int("force", force);
  out.Int("intelligence", intelligence);
  out.Int("loyalty", loyalty);
  out.Int("character", character);
  out.Int("experience", experience);
  out.Int("stamina", stamina);
  out.Int("troopType", troopType);
  out.Int("soldiers", soldiers);
  out.Int("item1", item1);
  out.Int("item2", item2);
  out.Int("age", age);
  out.Int("cityNo", cityNo);
  out.Int("inListFlag", inListFlag);
  out.Int("itemBonus", itemBonus);
  out.Int("loyalToId", loyalToId);
  out.EndObject();
}

void HeroList::PubInit(int scenarioNo) {
  Log(1, "HeroList::PubInit", "开始", 0);
  for (int i = 0; i < kHeroCount; ++i) LoadHero(scenarioNo, i);
}

// Reads the table from its start until the wanted officer's record; as with the
// cities only the matching record fills the slot, so an officer missing from
// the table keeps what he held.
void HeroList::LoadHero(int scenarioNo, int wanted) {
  Log(1, "HeroList::LoadHero", "开始", 0);
  if (!ValidScenario(scenarioNo)) return;
  LoadMatchingRecord(kHeroTables[scenarioNo], kHeroCount, wanted, heroes[wanted], &HeroRecord::heroId,
                     [](TableFile& table, HeroRecord& r) {
                       bool whole =
                           ReadFields(table, {&r.heroOwnerId, &r.level, &r.force, &r.intelligence, &r.loyalty,
                                              &r.character, &r.experience, &r.stamina, &r.troopType, &r.soldiers,
                                              &r.item1, &r.item2, &r.age, &r.cityNo, &r.loyalToId});
                       if (r.level > kMaxHeroLevel) r.level = 0;
                       if (r.force > kMaxAbility) r.force = 1;
                       if (r.intelligence > kMaxAbility) r.intelligence = 1;
                       if (r.loyalty > kMaxLoyalty) r.loyalty = 1;
                       r.stamina = kFullStamina;
                       r.inListFlag = kIdle;
                       r.itemBonus = 0;
                       for (int item : {r.item1, r.item2}) {
                         int bonus = ItemMovementBonus(item);
                         if (bonus > 0) r.itemBonus = bonus;
                       }
                       return whole;
                     });
}

void HeroList::Init(int x, int y, int scenarioNo, int command, int rulerNo) {
  Log(1, "HeroList::Init", "开始", 0);
  listTop = 0;
  columnPage = 0;
  scenario = scenarioNo;
  playerRulerNo = rulerNo;
  GetListStyle(command);
  cellX = x;
  cellY = y;
  GetCityNum();
  GetHeroNum();
  showAtTop = 0;
  showAtBottom = 0;
  showRow = 0;
  showFirst = listTop;
  listCursor = 0;
}

void HeroList::GetListStyle(int command) {
  Log(1, "HeroList::GetListStyle", "开始", 0);
  if (command == kNewRulerCommand) {
    listStyle = 6;
    return;
  }
  switch (OrderOf(command)) {
    case Order::kPersuadeCaptive: listStyle = 1; break;
    case Order::kExecuteCaptive: listStyle = 5; break;
    case Order::kRelease: listStyle = 2; break;
    case Order::kSowDiscord:
    case Order::kWinOver:
    case Order::kIncite: listStyle = 3; break;
    case Order::kCallToSubmit: listStyle = 4; break;
    case Order::kDiplomacyBack: break;
    default:
      if (command >= 0 && command <= kDefencePickCommand) listStyle = 0;
      break;
  }
}

void HeroList::GetCityNum() {
  Log(1, "HeroList::GetCityNum", "开始", 0);
  int found = FindCityAtCell(cellX, cellY);
  if (found >= 0) cityIndex = found;
}

void HeroList::Append(int heroIndex, int& count) {
  int total =
      cityOfficerCount + cityCaptiveCount + freeOfficerCount + otherOfficerCount + otherRulerCount + ownOfficerCount;
  if (total >= kHeroCount) return;
  listIds[total] = heroIndex;
  ++count;
}

void HeroList::GetHeroNum() {
  Log(1, "HeroList::GetHeroNum", "开始", 0);
  memset(listIds, 0, sizeof listIds);
  cityOfficerCount = cityCaptiveCount = freeOfficerCount = 0;
  otherOfficerCount = otherRulerCount = ownOfficerCount = 0;
  int here = cityIndex + 1;
  for (const HeroRecord& h : heroes) {
    if (h.cityNo == here && h.ServesFaction() && h.inListFlag == kIdle) Append(h.heroId, cityOfficerCount);
  }
  for (const HeroRecord& h : heroes) {
    if (h.cityNo == here && h.IsCaptive() && h.inListFlag == kIdle) Append(h.heroId, cityCaptiveCount);
  }
  for (const HeroRecord& h : heroes) {
    if (h.cityNo == here && h.heroOwnerId == 0) Append(h.heroId, freeOfficerCount);
  }
  for (const HeroRecord& h : heroes) {
    if (h.ServesFaction() && h.inListFlag == kIdle && !h.IsRuler() && h.heroOwnerId != playerRulerNo) {
      Append(h.heroId, otherOfficerCount);
    }
  }
  for (const HeroRecord& h : heroes) {
    if (h.IsRuler() && h.heroOwnerId != playerRulerNo && h.inListFlag == kIdle) Append(h.heroId, otherRulerCount);
  }
  for (const HeroRecord& h : heroes) {
    if (h.heroOwnerId == playerRulerNo && playerRulerNo != 0 && h.inListFlag == kIdle) {
      Append(h.heroId, ownOfficerCount);
    }
  }
}

int HeroList::GroupCount(int group) const {
  const int counts[kGroupCount] = {cityOfficerCount,  cityCaptiveCount, freeOfficerCount,
                                   otherOfficerCount, otherRulerCount,  ownOfficerCount};
  return group >= 0 && group < kGroupCount ? counts[group] : 0;
}

int HeroList::GroupOffset(int group) const {
  int offset = 0;
  for (int g = 0; g < group && g < kGroupCount; ++g) offset += GroupCount(g);
  return offset;
}

void HeroList::ShownGroup(int& offset, int& count) const {
  int group = kGroupCityOfficers;
  if (listStyle == 1 && captiveListFlag == 1) group = kGroupCityCaptives;
  if (listStyle == 5) group = kGroupCityCaptives;
  if (listStyle == 3 && foreignOfficerListFlag == 1) group = kGroupOtherOfficers;
  if (listStyle == 4 && rulerListFlag == 1) group = kGroupOtherRulers;
  if (listStyle == 6) group = kGroupOwnOfficers;
  offset = GroupOffset(group);
  count = GroupCount(group);
  if (listStyle == 2) count = cityOfficerCount + cityCaptiveCount;
}

int HeroList::PickedHero(int pick) const {
  int offset = 0;
  int count = 0;
  ShownGroup(offset, count);
  if (pick < 0 || pick >= count || offset + pick >= kHeroCount) return -1;
  return listIds[offset + pick];
}

int HeroList::CityOfficerAt(int pick) const {
  if (pick < 0 || pick >= cityOfficerCount || pick >= kHeroCount) return -1;
  return listIds[pick];
}

bool HeroList::DrawsNothing() const {
  switch (listStyle) {
    case 0:
    case 3:
    case 4: return cityOfficerCount == 0;
    case 1: return cityOfficerCount == 0 || cityCaptiveCount == 0;
    case 2: return cityOfficerCount == 0 && cityCaptiveCount == 0;
    case 5: return cityCaptiveCount == 0;
    case 6: return ownOfficerCount == 0;
    default: return false;
  }
}

void HeroList::Show(int key) {
  Log(1, "HeroList::Show", "开始", 0);
  if (DrawsNothing()) return;
  int offset = 0;
  int n = 0;
  ShownGroup(offset, n);
  int bottom = n < kHeroListRows ? kRowHeight * n + 115 : 475;
  DrawPanelRect(*backDC, kListPanelLeft, 55, kListPanelRight, bottom);
  PaintText("姓  名", 40, 60, kTextHeight);
  switch (columnPage) {
    case 0: PaintText("归  属", 260, 60, kTextHeight); break;
    case 1:
      PaintText("所在城市", 260, 60, kTextHeight);
      PaintText("等级", 520, 60, kTextHeight);
      break;
    case 2:
      PaintText("武力", 240, 60, kTextHeight);
      PaintText("智力", 380, 60, kTextHeight);
      PaintText("忠诚", 520, 60, kTextHeight);
      PaintText("经验", 660, 60, kTextHeight);
      break;
    case 3:
      PaintText("体力", 240, 60, kTextHeight);
      PaintText("兵种", 400, 60, kTextHeight);
      PaintText("兵力", 560, 60, kTextHeight);
      break;
    case 4:
      PaintText("年龄", 260, 60, kTextHeight);
      PaintText("道具一", 480, 60, kTextHeight);
      break;
    default: PaintText("道具二", 300, 60, kTextHeight); break;
  }
  for (int row = 0; row < kHeroListRows && listTop + row < n; ++row) {
    int position = offset + listTop + row;
    if (position >= kHeroCount) break;
    ShowRow(row, position);
  }
  // The highlight follows the selection; it never stands on an empty row.
  showFirst = listTop;
  showRow = listCursor;
  showAtTop = listCursor == 0 ? 1 : 0;
  showAtBottom = (listCursor == kHeroListRows - 1 || listCursor == n - 1) ? 1 : 0;
  InvertBand(*backDC, 15, kRowTop + kRowHeight * showRow, 200, 50);
  PaintListMarks(columnPage + 1, kHeroColumnPages, listTop > 0,
                 listTop + kHeroListRows < n);  // a comfort mark: where the list stands
}

void HeroList::ShowRow(int row, int position) {
  int y = kRowTop + kRowHeight * row;
  int id = listIds[position];
  if (id < 0 || id >= kHeroCount) return;
  const HeroRecord& h = heroes[id];
  char text[16];
  GetHeroName(position);
  PaintText(heroName, 50, y, kTextHeight);
  switch (columnPage) {
    case 0:
      GetHeroTo(id);
      PaintText(ownerName, 280, y, kTextHeight);
      break;
    case 1:
      GetHeroCity(position);
      PaintText(cityName, 280, y, kTextHeight);
      PaintNumber(h.level, 530, y);
      break;
    case 2:
      PaintNumber(h.force, 260, y);
      PaintNumber(h.intelligence, 400, y);
      LoyaltyText(id, text, sizeof text);
      PaintText(text, 540, y, kTextHeight);
      PaintNumber(h.experience, 680, y);
      break;
    case 3:
      PaintNumber(h.stamina, 260, y);
      GetStyle(h.troopType);
      PaintText(troopName, 400, y, kTextHeight);
      PaintNumber(h.soldiers, 580, y);
      break;
    case 4:
      PaintNumber(h.age, 280, y);
      if (h.item1 != 0) {
        GetGoods(h.item1, item1Name);
        PaintText(item1Name, 480, y, kTextHeight);
      }
      break;
    default:
      if (h.item2 != 0) {
        GetGoods(h.item2, item2Name);
        PaintText(item2Name, 300, y, kTextHeight);
      }
      break;
  }
}

int HeroList::RowAt(int x, int y) const {
  int offset = 0;
  int n = 0;
  ShownGroup(offset, n);
  return ListRowAt(x, y, kHeroListRows, listTop, n);
}

int HeroList::KeyDown(int key) {
  Log(1, "HeroList::KeyDown", "开始", 0);
  int offset = 0;
  int n = 0;
  ShownGroup(offset, n);
  if (n == 0) return 1;
  if (key == keyDown) {
    if (listCursor + 1 > kHeroListRows - 1 || listCursor + 1 > n - 1) {
      ++listTop;
    } else {
      ++listCursor;
    }
    int maxTop = n < kHeroListRows + 1 ? 0 : n - kHeroListRows;
    if (listTop > maxTop) listTop = maxTop;
  } else if (key == keyUp) {
    if (listCursor - 1 < 0) {
      if (listTop > 0) --listTop;
    } else {
      --listCursor;
    }
  } else if (key == keyRight) {
    if (columnPage < kHeroColumnPages - 1) ++columnPage;
  } else if (key == keyLeft) {
    if (columnPage > 0) --columnPage;
  } else if (key == keyReturn) {
    return 1;
  } else if (key == keyEsc) {
    return -1;
  } else {
    return 0;
  }
  Show(key);
  return 0;
}

void HeroList::DeleteHero(int position) {
  Log(1, "HeroList::DeleteHero", "开始", 0);
  int* count = nullptr;
  if (listStyle == 0) count = &cityOfficerCount;
  if (listStyle == 6) count = &ownOfficerCount;
  if (count == nullptr || *count <= 0 || position < 0 || position >= kHeroCount) return;
  for (int i = position; i + 1 < kHeroCount; ++i) listIds[i] = listIds[i + 1];
  listIds[kHeroCount - 1] = 0;
  --*count;
}

void HeroList::ClearInListFlag() {
  Log(1, "HeroList::ClearInListFlag", "开始", 0);
  for (HeroRecord& h : heroes) h.inListFlag = kIdle;
}

void HeroList::GetHeroName(int position) {
  Log(1, "HeroList::GetHeroName", "开始", 0);
  if (position < 0 || position >= kHeroCount) return;
  CopyListLine(HeroNameList(scenario), listIds[position], heroName, kHeroNameBuffer - 1);
}

// The owner column: the lord's name, "君主" for a ruler himself and "俘虏" for a
// captive in the lists that show captives. Captives are owners above 300 (the
// captor's number + 300); lower numbers are always a lord who can be named.
void HeroList::GetHeroTo(int heroIndex) {
  Log(1, "HeroList::GetHeroTo", "开始", 0);
  if (heroIndex < 0 || heroIndex >= kHeroCount) return;
  const HeroRecord& h = heroes[heroIndex];
  ownerName[0] = '\0';
  CopyListLine(HeroNameList(scenario), h.heroOwnerId - 1, ownerName, kHeroNameBuffer - 1);
  if ((listStyle == 1 || listStyle == 2 || listStyle == 5) && h.IsCaptive()) {
    snprintf(ownerName, sizeof ownerName, "%s", "俘虏");
    return;
  }
  char own[kHeroNameBuffer] = {};
  CopyListLine(HeroNameList(scenario), heroIndex, own, kHeroNameBuffer - 1);
  if (h.heroOwnerId != 0 && strncmp(own, ownerName, 10) == 0) snprintf(ownerName, sizeof ownerName, "%s", "君主");
}

void HeroList::LoyaltyText(int heroIndex, char* out, int size) const {
  if (heroIndex < 0 || heroIndex >= kHeroCount) return;
  const HeroRecord& h = heroes[heroIndex];
  if (h.IsRuler()) {
    snprintf(out, size, "--");
  } else {
    snprintf(out, size, "%d", h.loyalty);
  }
}

void HeroList::GetHeroCity(int position) {
  Log(1, "HeroList::GetHeroCity", "开始", 0);
  if (position < 0 || position >= kHeroCount) return;
  int id = listIds[position];
  if (id < 0 || id >= kHeroCount) return;
  cityName[0] = '\0';
  CopyListLine(kCityNameByNumber, heroes[id].cityNo - 1, cityName, kHeroNameBuffer - 1);
}

void HeroList::GetStyle(int troopType) {
  Log(1, "HeroList::GetStyle", "开始", 0);
  if (troopType < 0 || troopType >= kTroopTypes) return;
  snprintf(troopName, sizeof troopName, "%s", kTroopWords[troopType]);
}

void HeroList::GetGoods(int item, char* out) {
  Log(1, "HeroList::GetGoods", "开始", 0);
  out[0] = '\0';
  CopyListLine(kGoodNames, item - 1, out, kHeroNameBuffer - 1);
}

void HeroList::Dump(JsonWriter& out) const {
  out.Int("listTop", listTop);
  out.Int("columnPage", columnPage);
  out.IntArray("listIds", listIds, kHeroCount);
  out.Int("cellX", cellX);
  out.Int("cellY", cellY);
  out.Int("cityIndex", cityIndex);
  out.Int("scenario", scenario);
  out.Int("cityOfficerCount", cityOfficerCount);
  out.Int("cityCaptiveCount", cityCaptiveCount);
  out.Int("freeOfficerCount", freeOfficerCount);
  out.Int("otherOfficerCount", otherOfficerCount);
  out.Int("otherRulerCount", otherRulerCount);
  out.Int("ownOfficerCount", ownOfficerCount);
  out.Int("showAtTop", showAtTop);
  out.Int("showAtBottom", showAtBottom);
  out.Int("showRow", showRow);
  out.Int("showFirst", showFirst);
  out.Int("listCursor", listCursor);
  out.Int("listStyle", listStyle);
  out.Int("playerRulerNo", playerRulerNo);
}

void HeroList::DumpRecords(JsonWriter& out) const {
  out.BeginArray("officers");
  for (const HeroRecord& h : heroes) h.Dump(out);
  out.EndArray();
}
