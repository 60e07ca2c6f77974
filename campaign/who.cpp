#include "campaign/who.h"

#include "campaign/country.h"
#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
constexpr int kRulerMenuCells = 3;
constexpr int kRulerMenuLeft = 80;
constexpr int kRulerMenuTop = 120;
constexpr int kMarkSize = 10;
}  // namespace

void Who::InitWho(int scenarioNo) {
  Log(1, "Who::InitWho", "开始", 0);
  mapActive = 0;
  whoScenario = scenarioNo;
  const ScenarioInfo& s = kScenarios[ValidScenario(scenarioNo) ? scenarioNo : 0];
  rulerMenu.InitMenu(kRulerMenuCells, s.menuRows, kRulerMenuLeft, kRulerMenuTop, s.rulers - 1, s.rulerList, 0);
}

void Who::Show() {
  Log(1, "Who::Show", "开始", 0);
  PaintBmp(0, colorMode == 1 ? PicPath(Pic::kWhite) : PicPath(Pic::kFrame), 0, 0);
  PaintText("势力形势图", 370, 80, 50);
  PaintBmp(0, PicPath(Pic::kFactionMap), 300, 100);
  rulerMenu.Show(0);
  GameWorldRevlcd();
}

int Who::KeyDown(int key) {
  Log(1, "Who::KeyDown", "开始", 0);
  if (mapActive == 1) {
    if (GameMap::KeyDown(key) == -1) {
      mapActive = 0;
      return -1;
    }
    return 0;
  }
  if (key == keyEsc) {
    mapActive = 0;
    return -1;
  }
  rulerMenuResult = rulerMenu.KeyDown(key);
  Show();
  if (rulerMenuResult != 0) {
    screenNumber = kScreenMap;
    mapActive = 1;
    InitMap(rulerMenu.selected, whoScenario);
    GameMap::Show(0);
  }
  return 0;
}

void Who::GameWorldRevlcd() {
  Log(1, "Who::GameWorldRevlcd", "开始", 0);
  if (!ValidScenario(whoScenario)) return;
  int count = 0;
  int cities[kFactionLineCapacity] = {};
  GetLine(kCityFactionTables[whoScenario], rulerMenu.selected, count, cities);
  int positions[kWhoStoreSize] = {};
  GetStore(kFactionMarkTable, positions);
  for (int i = 0; i < count && i < kFactionLineCapacity; ++i) {
    int k = cities[i];
    if (k < 0 || 2 * k + 1 >= kWhoStoreSize) continue;
    int x = positions[2 * k];
    int y = positions[2 * k + 1];
    backDC->FillRect(x + 1, y - 3, x + 3 + kMarkSize, y - 1 + kMarkSize, kBlack);
    PaintFactionMark(rulerMenu.selected, x + 2, y - 2, kMarkSize);  // the faction's colour, as on the map
  }
  RequestRepaint();
}

void Who::GetLine(const char* file, int lineIndex, int& count, int* list) {
  Log(1, "Who::GetLine", "开始", 0);
  Country::GetOwner(file, lineIndex, count, list);
}

void Who::GetStore(const char* file, int* list) {
  Log(1, "Who::GetStore", "开始", 0);
  TableFile table(file);
  for (int i = 0; i < kWhoStoreSize && table.Read(list[i]); ++i) {}
}

void Who::DumpWho(JsonWriter& out) const {
  out.Int("mapActive", mapActive);
  out.Int("whoScenario", whoScenario);
  out.Int("rulerMenuResult", rulerMenuResult);
  out.BeginObject("rulerMenu");
  rulerMenu.Dump(out);
  out.EndObject();
}
