// Saving the campaign: the map's copy into the save image, the save screen of
// the system menu, and the copy back from a loaded image.
#include <algorithm>

#include "shell/draw.h"
#include "shell/run_log.h"
#include "shell/report_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kMaxLevelOnLoad = 20;
constexpr int kMaxAbilityOnLoad = 200;
constexpr int kMaxLoyaltyOnLoad = 100;
constexpr int kMaxTreasury = 99999;

// The saved fields of each record, in file order. The city's two populations
// are doubles and are converted on their own.
constexpr int HeroRecord::*kHeroFields[kSaveHeroFields] = {
    &HeroRecord::heroId,       &HeroRecord::heroOwnerId, &HeroRecord::level,     &HeroRecord::force,
    &HeroRecord::intelligence, &HeroRecord::loyalty,     &HeroRecord::character, &HeroRecord::experience,
    &HeroRecord::stamina,      &HeroRecord::troopType,   &HeroRecord::soldiers,  &HeroRecord::item1,
    &HeroRecord::item2,        &HeroRecord::age,         &HeroRecord::cityNo,    &HeroRecord::inListFlag,
    &HeroRecord::itemBonus,    &HeroRecord::loyalToId};
constexpr int kCityPopulationMaxField = 9;
constexpr int kCityPopulationField = 10;
constexpr int CityRecord::*kCityFields[kSaveCityFields] = {&CityRecord::cityId,
                                                           &CityRecord::ownerId,
                                                           &CityRecord::governorId,
                                                           &CityRecord::farmingMax,
                                                           &CityRecord::farming,
                                                           &CityRecord::commerceMax,
                                                           &CityRecord::commerce,
                                                           &CityRecord::peopleLoyalty,
                                                           &CityRecord::disasterPrevention,
                                                           nullptr,
                                                           nullptr,
                                                           &CityRecord::money,
                                                           &CityRecord::food,
                                                           &CityRecord::reserveSoldiers,
                                                           &CityRecord::extra1,
                                                           &CityRecord::extra2,
                                                           &CityRecord::extra3,
                                                           &CityRecord::extra4,
                                                           &CityRecord::status};
constexpr int GoodRecord::*kGoodFields[kSaveGoodFields] = {
    &GoodRecord::goodId,      &GoodRecord::holderId,          &GoodRecord::usage,
    &GoodRecord::forceBonus,  &GoodRecord::intelligenceBonus, &GoodRecord::movementBonus,
    &GoodRecord::troopChange, &GoodRecord::goodCityNo,        &GoodRecord::finderId,
    &GoodRecord::found};
constexpr int TaskRecord::*kTaskFields[kSaveTaskFields] = {
    &TaskRecord::unused, &TaskRecord::city,   &TaskRecord::officer, &TaskRecord::taskType, &TaskRecord::value1,
    &TaskRecord::value2, &TaskRecord::value3, &TaskRecord::value4,  &TaskRecord::value5,   &TaskRecord::taskRemoved};

template <typename Record, size_t N>
void ToNumbers(const Record& r, int Record::*const (&fields)[N], int* v) {
  for (size_t i = 0; i < N; ++i) v[i] = fields[i] ? r.*fields[i] : 0;
}

template <typename Record, size_t N>
void FromNumbers(const int* v, int Record::*const (&fields)[N], Record& r) {
  for (size_t i = 0; i < N; ++i) {
    if (fields[i]) r.*fields[i] = v[i];
  }
}

void CityToNumbers(const CityRecord& c, int* v) {
  ToNumbers(c, kCityFields, v);
  v[kCityPopulationMaxField] = static_cast<int>(c.populationMax);
  v[kCityPopulationField] = static_cast<int>(c.population);
}

// Values a hand-edited file could push past what the game can show are cut back.
void NumbersToHero(const int* v, HeroRecord& h) {
  FromNumbers(v, kHeroFields, h);
  if (h.level > kMaxLevelOnLoad) h.level = kMaxLevelOnLoad;
  if (h.force > kMaxAbilityOnLoad) h.force = 1;
  if (h.intelligence > kMaxAbilityOnLoad) h.intelligence = 1;
  if (h.loyalty > kMaxLoyaltyOnLoad) h.loyalty = kMaxLoyaltyOnLoad;
  if (h.cityNo < 0) h.cityNo = 0;
}

void NumbersToCity(const int* v, CityRecord& c) {
  FromNumbers(v, kCityFields, c);
  c.populationMax = v[kCityPopulationMaxField];
  c.population = v[kCityPopulationField];
  c.money = std::min(c.money, kMaxTreasury);
  c.food = std::min(c.food, kMaxTreasury);
}

}  // namespace

void GameMap::ChangeDataToSave() {
  Log(1, "GameMap::ChangeDataToSave", "开始", 0);
  SaveImage& s = save.image;
  s.playerRuler = playerRuler;
  s.year = date.year;
  s.scenario = scenario;
  for (int i = 0; i < kHeroCount; ++i) ToNumbers(heroList.heroes[i], kHeroFields, s.heroes[i]);
  for (int i = 0; i < kCityCount; ++i) CityToNumbers(cityList.cities[i], s.cities[i]);
  for (int i = 0; i < kGoodCount; ++i) ToNumbers(goodList.goods[i], kGoodFields, s.goods[i]);
  for (int i = 0; i < kTaskRecords; ++i) ToNumbers(taskTable[i], kTaskFields, s.tasks[i]);
  const HeroList& h = heroList;
  const int heroState[kSaveHeroListFields] = {h.cellX,
                                              h.cellY,
                                              h.cityIndex,
                                              h.scenario,
                                              h.cityOfficerCount,
                                              h.cityCaptiveCount,
                                              h.freeOfficerCount,
                                              h.otherOfficerCount,
                                              h.otherRulerCount,
                                              h.listCursor,
                                              h.listStyle,
                                              h.playerRulerNo};
  std::copy(heroState, heroState + kSaveHeroListFields, s.heroListState);
  const int cityState[kSaveCityListFields] = {cityList.cellX, cityList.cellY, cityList.cityIndex, cityList.scenario};
  std::copy(cityState, cityState + kSaveCityListFields, s.cityListState);
  const GoodList& g = goodList;
  const int goodState[kSaveGoodListFields] = {g.cellX,      g.cellY,         g.cityIndex,
                                              g.scenario,   g.cityGoodCount, g.heldGoodCount,
                                              g.listCursor, g.holderMode,    g.listedHolder};
  std::copy(goodState, goodState + kSaveGoodListFields, s.goodListState);
  const int mapState[kSaveMapFields] = {cursorCol,          cursorRow,   selectedCity, scenario, playerCityCount,
                                        playerOfficerCount, playerRuler, rulerChoice,  scenario};
  std::copy(mapState, mapState + kSaveMapFields, s.mapState);
  s.month = date.month;
  s.taskCount = taskCount;
}

void GameMap::LoadFromImage(const SaveImage& s) {
  Log(1, "GameMap::LoadFromImage", "开始", 0);
  playerRuler = s.playerRuler;
  for (int i = 0; i < kHeroCount; ++i) NumbersToHero(s.heroes[i], heroList.heroes[i]);
  for (int i = 0; i < kCityCount; ++i) NumbersToCity(s.cities[i], cityList.cities[i]);
  for (int i = 0; i < kGoodCount; ++i) FromNumbers(s.goods[i], kGoodFields, goodList.goods[i]);
  for (int i = 0; i < kTaskRecords; ++i) FromNumbers(s.tasks[i], kTaskFields, taskTable[i]);
  const int* hs = s.heroListState;
  HeroList& h = heroList;
  int* heroState[kSaveHeroListFields] = {&h.cellX,
                                         &h.cellY,
                                         &h.cityIndex,
                                         &h.scenario,
                                         &h.cityOfficerCount,
                                         &h.cityCaptiveCount,
                                         &h.freeOfficerCount,
                                         &h.otherOfficerCount,
                                         &h.otherRulerCount,
                                         &h.listCursor,
                                         &h.listStyle,
                                         &h.playerRulerNo};
  for (int i = 0; i < kSaveHeroListFields; ++i) *heroState[i] = hs[i];
  cityList.cellX = s.cityListState[0];
  cityList.cellY = s.cityListState[1];
  cityList.cityIndex = s.cityListState[2];
  cityList.scenario = s.cityListState[3];
  GoodList& g = goodList;
  int* goodState[kSaveGoodListFields] = {&g.cellX,      &g.cellY,         &g.cityIndex,
                                         &g.scenario,   &g.cityGoodCount, &g.heldGoodCount,
                                         &g.listCursor, &g.holderMode,    &g.listedHolder};
  for (int i = 0; i < kSaveGoodListFields; ++i) *goodState[i] = s.goodListState[i];
  const int* m = s.mapState;
  cursorCol = m[0];
  cursorRow = m[1];
  selectedCity = m[2];
  scenario = m[3];
  fight.PubInit(scenario);
  playerCityCount = m[4];
  playerOfficerCount = m[5];
  playerRuler = m[6];
  rulerChoice = m[7];
  scenario = m[8];
  date.year = s.year;
  date.month = s.month;
  taskCount = s.taskCount;
}

void GameMap::OpenSaveScreen() {
  Log(1, "GameMap::OpenSaveScreen", "开始", 0);
  save.Init(-1, -1);
  save.Read(-1);
  save.Show();
  saveScreenOpen = 1;
}

void GameMap::SaveScreenKeyDown(int key) {
  Log(1, "GameMap::SaveScreenKeyDown", "开始", 0);
  int r = save.KeyDown(key);
  if (r == kSaveKeyStay) return;
  if (r >= 0 && r < kSaveSlots) {
    ChangeDataToSave();
    // A slot that could not be written keeps what it held, and the player is told.
    const char* message = save.Write(r) ? "存储中. . ." : "存储失败！";
    ReportLogWrite(ReportLogPathFor(Save::SlotPath(r)));  // the report log beside the slot
    ShowMessage2(message, "", 50, 280, 12, 1, 1000);
  }
  saveScreenOpen = 0;
  Show(0);
}
