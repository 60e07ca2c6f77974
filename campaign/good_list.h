#pragma once
// The 50 items (treasures) of the campaign and the item list screen.
#include "shell/json_writer.h"

constexpr int kGoodCount = 50;
constexpr int kGoodListRows = 6;
constexpr int kGoodColumnPages = 3;
constexpr int kGoodNameBuffer = 20;

// usage values.
constexpr int kUsageEquip = 0;
constexpr int kUsageUse = 1;

struct GoodRecord {
  int goodId = 0;
  int holderId = 0;
  int usage = 0;
  int forceBonus = 0;
  int intelligenceBonus = 0;
  int movementBonus = 0;
  int troopChange = 0;
  int goodCityNo = 0;
  int finderId = 0;
  int found = 0;

  void Dump(JsonWriter& out) const;
};

class GoodList {
 public:
  GoodRecord goods[kGoodCount];
  int listTop = 0;
  int columnPage = 0;
  char goodName[kGoodNameBuffer] = {};
  char changeText[kGoodNameBuffer] = {};
  char useText[kGoodNameBuffer] = {};
  int listIds[kGoodCount] = {};
  int cellX = 0;
  int cellY = 0;
  int cityIndex = 0;
  int scenario = 0;
  int cityGoodCount = 0;
  int heldGoodCount = 0;
  int showAtTop = 0;
  int showAtBottom = 0;
  int showRow = 0;
  int showFirst = 0;
  int listCursor = 0;
  int holderMode = 0;
  int listedHolder = 0;

  void PubInit(int scenario);
  // holder -1 lists the items lying in the city; otherwise the holder's equipment.
  void Init(int x, int y, int scenario, int holder);
  void GetGoodNum();
  // 1 chosen, -1 leave, 0 stay (also for every key on an empty list).
  int KeyDown(int key);
  void Show(int key);
  // The shown row (as listCursor counts them) drawn at (x, y), -1 for none.
  int RowAt(int x, int y) const;
  void GetGoodName(int position);
  void GetGoodUse(int position);
  void GetGoodChange(int position);

  void ShownGroup(int& offset, int& count) const;
  // The item number at position `pick` of the shown group; -1 outside it.
  int PickedGood(int pick) const;
  // The record of an item number, or null for a number outside the table.
  GoodRecord* Record(int item);

  void Dump(JsonWriter& out) const;
  void DumpRecords(JsonWriter& out) const;

 private:
  void LoadGood(int scenario, int wanted);
  void ShowRow(int row, int position);
};
