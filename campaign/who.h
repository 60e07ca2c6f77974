#pragma once
// The ruler choice, and afterwards the running campaign: the map extended by
// the ruler menu. Once a ruler is accepted every key goes on to the map.
#include "shell/json_writer.h"
#include "shell/menu.h"
#include "strategy/game_map.h"

constexpr int kWhoStoreSize = 255;  // "Res//who.kdt": pairs (x, y) of city marks

struct ScenarioInfo {
  const char* picture;
  int x;
  int y;
  const char* rulerList;
  int rulers;
  int menuRows;
};
constexpr ScenarioInfo kScenarios[4] = {
    {"Res\\1dznq.kbp", 8, 120, "Res//1dznq_em.kss", 18, 6},
    {"Res\\2ccjq.kbp", 8, 305, "Res//2ccjq_em.kss", 16, 6},
    {"Res\\3cbzz.kbp", 410, 120, "Res//3cbzz_em.kss", 11, 6},
    {"Res\\4sgdl.kbp", 410, 305, "Res//4sgdl_em.kss", 5, 5},
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
