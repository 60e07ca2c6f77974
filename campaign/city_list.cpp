#include "campaign/city_list.h"

#include <cstdio>
#include <cstring>

#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/text_grid.h"

namespace {

constexpr int kTextHeight = 50;
constexpr int kLabelX = 155;
constexpr int kValueX = 305;
constexpr int kRowY[5] = {120, 180, 240, 300, 360};
constexpr const char* kStatusWords[5] = {"正常", "饥荒", "旱灾", "水灾", "暴动"};

void ClearNegative(int& value) {
  if (value < 0) value = 0;
}

void ClearNegative(double& value) {
  if (value < 0) value = 0;
}

void PaintNumber(int value, int x, int y) {
  char text[32];
  snprintf(text, sizeof text, "%d", value);
  PaintText(text, x, y, kTextHeight);
}

// Table values at the ceiling are corrupt rather than rich: they load as 1.
void CapTableValue(int& value) {
  if (value > kMoneyFoodCap) value = 1;
}

}  // namespace

void CityRecord::Dump(JsonWriter& out) const {
  out.BeginObject();
  out.Int("cityId", cityId);
  out.Int("ownerId", ownerId);
  out.Int("governorId", governorId);
  out.Int("farmingMax", farmingMax);
  out.Int("farming", farming);
  out.Int("commerceMax", commerceMax);
  out.Int("commerce", commerce);
  out.Int("peopleLoyalty", peopleLoyalty);
  out.Int("disasterPrevention", disasterPrevention);
  out.Double("populationMax", populationMax);
  out.Double("population", population);
  out.Int("money", money);
  out.Int("food", food);
  out.Int("reserveSoldiers", reserveSoldiers);
  out.Int("extra1", extra1);
  out.Int("extra2", extra2);
  out.Int("extra3", extra3);
  out.Int("extra4", extra4);
  out.Int("status", status);
  out.EndObject();
}

void CityList::PubInit(int scenarioNo) {
  Log(1, "CityList::PubInit", "开始", 0);
  for (int i = 0; i < kCityCount; ++i) LoadCity(scenarioNo, i);
}

// Reads the table from its start until the wanted city's record. Only that
// record fills the city: a city missing from the table keeps what it held
// instead of taking some other city's values, and a record cut short by the
// end of the file fills only the fields it has.
void CityList::LoadCity(int scenarioNo, int wanted) {
  Log(1, "CityList::LoadCity", "开始", 0);
  if (!ValidScenario(scenarioNo)) return;
  LoadMatchingRecord(
      kCityTables[scenarioNo], kCityCount, wanted, cities[wanted], &CityRecord::cityId,
      [](TableFile& table, CityRecord& r) {
        bool whole = ReadFields(table, {&r.ownerId, &r.governorId, &r.farmingMax, &r.farming, &r.commerceMax,
                                        &r.commerce, &r.peopleLoyalty, &r.disasterPrevention});
        whole = whole && table.Read(r.populationMax);
        whole = whole && table.Read(r.population);
        whole = whole &&
                ReadFields(table, {&r.money, &r.food, &r.reserveSoldiers, &r.extra1, &r.extra2, &r.extra3, &r.extra4});
        r.status = kCityNormal;
        CapTableValue(r.money);
        CapTableValue(r.food);
        return whole;
      });
}

void CityList::Init(int x, int y, int scenarioNo) {
  Log(1, "CityList::Init", "开始", 0);
  page = 0;
  cellX = x;
  cellY = y;
  scenario = scenarioNo;
  GetCityNum();
  GetCityName();
  GetCityOwner();
  GetCityOwnto();
}

void CityList::GetCityNum() {
  Log(1, "CityList::GetCityNum", "开始", 0);
  int found = FindCityAtCell(cellX, cellY);
  if (found >= 0 && found < kCityCount) cityIndex = found;
}

void CityList::GetCityName() {
  Log(1, "CityList::GetCityName", "开始", 0);
  int count = LoadLineList(kCityNameByCell);
  int line = cellY * 12 + cellX;
  if (line < 0 || line >= count || line >= kGridRows) return;
  if (textGrid[line][0] == '0') return;
  memcpy(cityName, textGrid[line], kNameBytes);
  cityName[kNameBytes] = '\0';
}

void CityList::GetCityOwner() {
  Log(1, "CityList::GetCityOwner", "开始", 0);
  CopyListLine(HeroNameList(scenario), Current().ownerId - 1, ownerName, kNameBytes);
}

void CityList::GetCityOwnto() {
  Log(1, "CityList::GetCityOwnto", "开始", 0);
  CopyListLine(HeroNameList(scenario), Current().governorId - 1, governorName, kNameBytes);
}

void CityList::GetCityStatue() {
  Log(1, "CityList::GetCityStatue", "开始", 0);
  int status = Current().status;
  if (status < kCityNormal || status > kCityRiot) return;
  snprintf(statusText, sizeof statusText, "%s", kStatusWords[status]);
}

void CityList::Show() {
  Log(1, "CityList::Show", "开始", 0);
  DrawPanelRect(*backDC, 140, 50, 690, 450);
  PaintText(cityName, kLabelX, 60, kTextHeight);
  if (page == 0) ShowPage0();
  if (page == 1) ShowPage1();
  if (page == 2) ShowPage2();
}

void CityList::ShowPage0() {
  CityRecord& c = Current();
  ClearNegative(c.farming);
  ClearNegative(c.commerce);
  ClearNegative(c.peopleLoyalty);
  const char* labels[5] = {"归属:", "太守:", "农业:", "商业:", "民忠:"};
  for (int i = 0; i < 5; ++i) PaintText(labels[i], kLabelX, kRowY[i], kTextHeight);
  PaintText(c.ownerId == 0 ? "无" : ownerName, kValueX, kRowY[0], kTextHeight);
  PaintText(c.governorId == 0 ? "无" : governorName, kValueX, kRowY[1], kTextHeight);
  char text[48];
  snprintf(text, sizeof text, "%d/%d", c.farming, c.farmingMax);
  PaintText(text, kValueX, kRowY[2], kTextHeight);
  snprintf(text, sizeof text, "%d/%d", c.commerce, c.commerceMax);
  PaintText(text, kValueX, kRowY[3], kTextHeight);
  PaintNumber(c.peopleLoyalty, kValueX, kRowY[4]);
}

void CityList::ShowPage1() {
  CityRecord& c = Current();
  ClearNegative(c.disasterPrevention);
  ClearNegative(c.population);
  ClearNegative(c.money);
  ClearNegative(c.food);
  ClearNegative(c.reserveSoldiers);
  const char* labels[5] = {"防灾:", "人口:", "金钱:", "粮食:", "后备兵力:"};
  for (int i = 0; i < 5; ++i) PaintText(labels[i], kLabelX, kRowY[i], kTextHeight);
  PaintNumber(c.disasterPrevention, kValueX, kRowY[0]);
  char text[48];
  snprintf(text, sizeof text, "%.0f", c.population);
  PaintText(text, kValueX, kRowY[1], kTextHeight);
  PaintNumber(c.money, kValueX, kRowY[2]);
  PaintNumber(c.food, kValueX, kRowY[3]);
  PaintNumber(c.reserveSoldiers, 425, kRowY[4]);
}

void CityList::ShowPage2() {
  PaintText("状态:", kLabelX, kRowY[0], kTextHeight);
  GetCityStatue();
  PaintText(statusText, kValueX, kRowY[0], kTextHeight);
}

int CityList::KeyDown(int key) {
  Log(1, "CityList::KeyDown", "开始", 0);
  if (key == keyDown || key == keyUp) {
    page += key == keyDown ? 1 : -1;
    if (page > kCityPages - 1) page = kCityPages - 1;
    if (page < 0) page = 0;
    Show();
    return 0;
  }
  if (key == keyReturn || key == keyEsc) return -1;
  return 0;
}

void CityList::Dump(JsonWriter& out) const {
  out.Int("page", page);
  out.String("cityName", cityName);
  out.String("ownerName", ownerName);
  out.String("governorName", governorName);
  out.String("statusText", statusText);
  out.Int("cellX", cellX);
  out.Int("cellY", cellY);
  out.Int("cityIndex", cityIndex);
  out.Int("scenario", scenario);
}

void CityList::DumpRecords(JsonWriter& out) const {
  out.BeginArray("cities");
  for (const CityRecord& c : cities) c.Dump(out);
  out.EndArray();
}
