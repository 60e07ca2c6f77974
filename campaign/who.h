#pragma once
// The ruler choice, and afterwards the running campaign: the map extended by
// the ruler menu. Once a ruler is accepted every key goes on to the map.
#include "rules/data_files.h"
#include "rules/pictures.h"
#include "shell/json_writer.h"
#include "shell/menu.h"
#include "strategy/game_map.h"

constexpr int kWhoStoreSize = 255;  // kFactionMarkTable: pairs (x, y) of city marks

struct ScenarioInfo {
  const char* picture;
  int x;
  int y;
  const char* rulerList;
  int rulers;
  int menuRows;
};
constexpr ScenarioInfo kScenarios[4] = {
    {PicPath(Pic::kCard1), 8, 120, kRulerLists[0], 18, 6},
    {PicPath(Pic::kCard2), 8, 305, kRulerLists[1], 16, 6},
    {PicPath(Pic::kCard3), 410, 120, kRulerLists[2], 11, 6},
    {PicPath(Pic::kCard4), 410, 305, kRulerLists[3], 5, 5},
};

class Who : public GameMap {
 public:
  Menu rulerMenu;
  int rulerMenuResult = 0;
  int mapActive = 0;
  int whoScenario = 0;

  void InitWho(int scenario);
  void Show();
  // 0 stay, -1 back to the title.
  int KeyDown(int key);
  void GameWorldRevlcd();
  static void GetLine(const char* file, int lineIndex, int& count, int* list);
  static void GetStore(const char* file, int* list);
  void DumpWho(JsonWriter& out) const;
};
