#include "campaign/good_list.h"

#include <cstdio>
#include <cstring>

#include "campaign/hero_list.h"
#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "shell/list_marks.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {

constexpr int kTextHeight = 50;
constexpr int kRowTop = kListRowTop;
constexpr int kRowHeight = kListRowHeight;

void PaintNumber(int value, int x, int y) {
  char text[32];
  snprintf(text, sizeof text, "%d", value);
  PaintText(text, x, y, kTextHeight);
}

}  // namespace

void GoodRecord::Dump(JsonWriter& out) const {
  out.BeginObject();
  out.Int("goodId", goodId);
  out.Int("holderId", holderId);
  out.Int("usage", usage);
  out.Int("forceBonus", forceBonus);
  out.Int("intelligenceBonus", intelligenceBonus);
  out.Int("movementBonus", movementBonus);
  out.Int("troopChange", troopChange);
  out.Int("goodCityNo", goodCityNo);
  out.Int("finderId", finderId);
  out.Int("found", found);
  out.EndObject();
}

void GoodList::PubInit(int scenarioNo) {
  Log(1, "GoodList::PubInit", "开始", 0);
  for (int i = 0; i < kGoodCount; ++i) LoadGood(scenarioNo, i);
}

void GoodList::LoadGood(int scenarioNo, int wanted) {
  Log(1, "GoodList::LoadGood", "开始", 0);
  if (!ValidScenario(scenarioNo)) return;
  LoadMatchingRecord(kGoodTables[scenarioNo], kGoodCount, wanted, goods[wanted], &GoodRecord::goodId,
                     [](TableFile& table, GoodRecord& r) {
                       return ReadFields(table,
                                         {&r.holderId, &r.usage, &r.forceBonus, &r.intelligenceBonus, &r.movementBonus,
                                          &r.troopChange, &r.goodCityNo, &r.finderId, &r.found});
                     });
}

GoodRecord* GoodList::Record(int item) {
  if (item < 0 || item >= kGoodCount) return nullptr;
  return &goods[item];
}

void GoodList::Init(int x, int y, int scenarioNo, int holder) {
  Log(1, "GoodList::Init", "开始", 0);
  listTop = 0;
  columnPage = 0;
  scenario = scenarioNo;
  cellX = x;
  cellY = y;
  if (holder == -1) {
    holderMode = 0;
  } else {
    holderMode = 1;
    listedHolder = holder;
  }
  int found = FindCityAtCell(cellX, cellY);
  if (found >= 0) cityIndex = found;
  GetGoodNum();
  showAtTop = showAtBottom = showRow = showFirst = 0;
  listCursor = 0;
  listedHolder = 0;
}

void GoodList::GetGoodNum() {
  Log(1, "GoodList::GetGoodNum", "开始", 0);
  memset(listIds, 0, sizeof listIds);
  cityGoodCount = 0;
  heldGoodCount = 0;
  for (const GoodRecord& g : goods) {
    if (g.goodCityNo == cityIndex + 1 && g.found == 1 && g.holderId == 0) listIds[cityGoodCount++] = g.goodId;
  }
  // A holder's list shows only what he carries as equipment; items for use
  // change his troops once and are not carried.
  for (const GoodRecord& g : goods) {
    if (g.found == 1 && g.holderId == listedHolder && g.usage == kUsageEquip && holderMode == 1 &&
        cityGoodCount + heldGoodCount < kGoodCount) {
      listIds[cityGoodCount + heldGoodCount++] = g.goodId;
    }
  }
}

void GoodList::ShownGroup(int& offset, int& count) const {
  offset = holderMode == 0 ? 0 : cityGoodCount;
  count = holderMode == 0 ? cityGoodCount : heldGoodCount;
}

int GoodList::PickedGood(int pick) const {
  int offset = 0;
  int count = 0;
  ShownGroup(offset, count);
  if (pick < 0 || pick >= count || offset + pick >= kGoodCount) return -1;
  return listIds[offset + pick];
}

void GoodList::Show(int key) {
  Log(1, "GoodList::Show", "开始", 0);
  int offset = 0;
  int n = 0;
  ShownGroup(offset, n);
  if (n == 0) return;
  int bottom = n < kGoodListRows ? kRowHeight * n + 115 : 475;
  DrawPanelRect(*backDC, kListPanelLeft, 55, kListPanelRight, bottom);
  PaintText("名  称", 40, 60, kTextHeight);
  if (columnPage == 0) {
    PaintText("用法", 300, 60, kTextHeight);
    PaintText("武力↑", 520, 60, kTextHeight);
  } else if (columnPage == 1) {
    PaintText("智力↑", 300, 60, kTextHeight);
    PaintText("移动↑", 520, 60, kTextHeight);
  } else {
    PaintText("兵种⊕", 300, 60, kTextHeight);
  }
  for (int row = 0; row < kGoodListRows && listTop + row < n; ++row) {
    int position = offset + listTop + row;
    if (position >= kGoodCount) break;
    ShowRow(row, position);
  }
  showFirst = listTop;
  showRow = listCursor;
  showAtTop = listCursor == 0 ? 1 : 0;
  showAtBottom = (listCursor == kGoodListRows - 1 || listCursor == n - 1) ? 1 : 0;
  InvertBand(*backDC, 15, kRowTop + kRowHeight * showRow, 240, 50);
  PaintListMarks(columnPage + 1, kGoodColumnPages, listTop > 0,
                 listTop + kGoodListRows < n);  // a comfort mark: where the list stands
}

void GoodList::ShowRow(int row, int position) {
  int y = kRowTop + kRowHeight * row;
  const GoodRecord* g = Record(listIds[position]);
  if (g == nullptr) return;
  GetGoodName(position);
  PaintText(goodName, 40, y, kTextHeight);
  if (columnPage == 0) {
    GetGoodUse(position);
    PaintText(useText, 300, y, kTextHeight);
    PaintNumber(g->forceBonus, 530, y);
  } else if (columnPage == 1) {
    PaintNumber(g->intelligenceBonus, 300, y);
    PaintNumber(g->movementBonus, 530, y);
  } else {
    GetGoodChange(position);
    PaintText(changeText, 300, y, kTextHeight);
  }
}

int GoodList::RowAt(int x, int y) const {
  int offset = 0;
  int n = 0;
  ShownGroup(offset, n);
  return ListRowAt(x, y, kGoodListRows, listTop, n);
}

int GoodList::KeyDown(int key) {
  Log(1, "GoodList::KeyDown", "开始", 0);
  int offset = 0;
  int n = 0;
  ShownGroup(offset, n);
  if (n == 0) return 0;
  if (key == keyDown) {
    if (listCursor + 1 > kGoodListRows - 1 || listCursor + 1 > n - 1) {
      ++listTop;
    } else {
      ++listCursor;
    }
    int maxTop = n < kGoodListRows + 1 ? 0 : n - kGoodListRows;
    if (listTop > maxTop) listTop = maxTop;
  } else if (key == keyUp) {
    if (listCursor == 0) {
      if (listTop > 0) --listTop;
    } else {
      --listCursor;
    }
  } else if (key == keyRight) {
    if (columnPage < kGoodColumnPages - 1) ++columnPage;
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

void GoodList::GetGoodName(int position) {
  Log(1, "GoodList::GetGoodName", "开始", 0);
  if (position < 0 || position >= kGoodCount) return;
  goodName[0] = '\0';
  CopyListLine(kGoodNames, listIds[position] - 1, goodName, kGoodNameBuffer - 1);
}

void GoodList::GetGoodUse(int position) {
  Log(1, "GoodList::GetGoodUse", "开始", 0);
  const GoodRecord* g = position >= 0 && position < kGoodCount ? Record(listIds[position]) : nullptr;
  if (g == nullptr) return;
  snprintf(useText, sizeof useText, "%s", g->usage == kUsageEquip ? "装备" : "使用");
}

void GoodList::GetGoodChange(int position) {
  Log(1, "GoodList::GetGoodChange", "开始", 0);
  const GoodRecord* g = position >= 0 && position < kGoodCount ? Record(listIds[position]) : nullptr;
  if (g == nullptr) return;
  if (g->usage == kUsageEquip) {
    snprintf(changeText, sizeof changeText, "%s", "无");
  } else if (g->troopChange >= 0 && g->troopChange < kTroopTypes) {
    snprintf(changeText, sizeof changeText, "%s", kTroopWords[g->troopChange]);
  }
}

void GoodList::Dump(JsonWriter& out) const {
  out.Int("listTop", listTop);
  out.Int("columnPage", columnPage);
  out.IntArray("listIds", listIds, kGoodCount);
  out.Int("cellX", cellX);
  out.Int("cellY", cellY);
  out.Int("cityIndex", cityIndex);
  out.Int("scenario", scenario);
  out.Int("cityGoodCount", cityGoodCount);
  out.Int("heldGoodCount", heldGoodCount);
  out.Int("showAtTop", showAtTop);
  out.Int("showAtBottom", showAtBottom);
  out.Int("showRow", showRow);
  out.Int("showFirst", showFirst);
  out.Int("listCursor", listCursor);
  out.Int("holderMode", holderMode);
  out.Int("listedHolder", listedHolder);
}

void GoodList::DumpRecords(JsonWriter& out) const {
  out.BeginArray("items");
  for (const GoodRecord& g : goods) g.Dump(out);
  out.EndArray();
}
