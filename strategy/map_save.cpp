// Saving the campaign: the map's copy into the save image, the save screen of
// the system menu, and the copy back from a loaded image.
#include <algorithm>

#include "shell/draw.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kMaxLevelOnLoad = 20;
constexpr int kMaxAbilityOnLoad = 200;
constexpr int kMaxLoyaltyOnLoad = 100;
constexpr int kMaxTreasury = 99999;

void HeroToNumbers(const HeroRecord& h, int* v) {
  const int fields[kSaveHeroFields] = {h.heroId,  h.heroOwnerId, h.level,   h.force,      h.intelligence, h.loyalty,
                                       h.character, h.experience, h.stamina, h.troopType, h.soldiers,     h.item1,
                                       h.item2,   h.age,         h.cityNo,  h.inListFlag, h.itemBonus,    h.loyalToId};
  std::copy(fields, fields + kSaveHeroFields, v);
}

// Values a hand-edited file could push past what the game can show are cut back.
void NumbersToHero(const int* v, HeroRecord& h) {
  h.heroId = v[0];
  h.heroOwnerId = v[1];
  h.level = v[2] > kMaxLevelOnLoad ? kMaxLevelOnLoad : v[2];
  h.force = v[3] > kMaxAbilityOnLoad ? 1 : v[3];
  h.intelligence = v[4] > kMaxAbilityOnLoad ? 1 : v[4];
  h.loyalty = v[5] > kMaxLoyaltyOnLoad ? kMaxLoyaltyOnLoad : v[5];
  h.character = v[6];
  h.experience = v[7];
  h.stamina = v[8];
  h.troopType = v[9];
  h.soldiers = v[10];
  h.item1 = v[11];
  h.item2 = v[12];
  h.age = v[13];
  h.cityNo = v[14] < 0 ? 0 : v[14];
  h.inListFlag = v[15];
  h.itemBonus = v[16];
  h.loyalToId = v[17];
}

void CityToNumbers(const CityRecord& c, int* v) {
  const int fields[kSaveCityFields] = {c.cityId,  c.ownerId, c.governorId, c.farmingMax, c.farming,
                                       c.commerceMax, c.commerce, c.peopleLoyalty, c.disasterPrevention,
                                       static_cast<int>(c.populationMax), static_cast<int>(c.population),
                                       c.money,   c.food,    c.reserveSoldiers, c.extra1, c.extra2,
                                       c.extra3,  c.extra4,  c.status};
  std::copy(fields, fields + kSaveCityFields, v);
}

void NumbersToCity(const int* v, CityRecord& c) {
  c.cityId = v[0];
  c.ownerId = v[1];
  c.governorId = v[2];
  c.farmingMax = v[3];
  c.farming = v[4];
  c.commerceMax = v[5];
  c.commerce = v[6];
  c.peopleLoyalty = v[7];
  c.disasterPrevention = v[8];
  c.populationMax = v[9];
  c.population = v[10];
  c.money = std::min(v[11], kMaxTreasury);
  c.food = std::min(v[12], kMaxTreasury);
  c.reserveSoldiers = v[13];
  c.extra1 = v[14];
  c.extra2 = v[15];
  c.extra3 = v[16];
  c.extra4 = v[17];
  c.status = v[18];
}

void GoodToNumbers(const GoodRecord& g, int* v) {
  const int fields[kSaveGoodFields] = {g.goodId,       g.holderId,   g.usage,       g.forceBonus, g.intelligenceBonus,
                                       g.movementBonus, g.troopChange, g.goodCityNo, g.finderId,   g.found};
  std::copy(fields, fields + kSaveGoodFields, v);
}

void NumbersToGood(const int* v, GoodRecord& g) {
  g.goodId = v[0];
  g.holderId = v[1];
  g.usage = v[2];
  g.forceBonus = v[3];
  g.intelligenceBonus = v[4];
  g.movementBonus = v[5];
  g.troopChange = v[6];
  g.goodCityNo = v[7];
  g.finderId = v[8];
  g.found = v[9];
}

void TaskToNumbers(const TaskRecord& t, int* v) {
  const int fields[kSaveTaskFields] = {t.unused, t.city,   t.officer, t.taskType, t.value1,
                                       t.value2, t.value3, t.value4,  t.value5,   t.taskRemoved};
  std::copy(fields, fields + kSaveTaskFields, v);
}

void NumbersToTask(const int* v, TaskRecord& t) {
  t.unused = v[0];
  t.city = v[1];
  t.officer = v[2];
  t.taskType = v[3];
  t.value1 = v[4];
  t.value2 = v[5];
  t.value3 = v[6];
  t.value4 = v[7];
  t.value5 = v[8];
  t.taskRemoved = v[9];
}

}  // namespace

void GameMap::ChangeDataToSave() {
  Log(1, "GameMap::ChangeDataToSave", "开始", 0);
  SaveImage& s = save.image;
  s.playerRuler = playerRuler;
  s.year = date.year;
  s.scenario = scenario;
  for (int i = 0; i < kHeroCount; ++i) HeroToNumbers(heroList.heroes[i], s.heroes[i]);
  for (int i = 0; i < kCityCount; ++i) CityToNumbers(cityList.cities[i], s.cities[i]);
  for (int i = 0; i < kGoodCount; ++i) GoodToNumbers(goodList.goods[i], s.goods[i]);
  for (int i = 0; i < kTaskRecords; ++i) TaskToNumbers(taskTable[i], s.tasks[i]);
  const HeroList& h = heroList;
  const int heroState[kSaveHeroListFields] = {h.cellX,           h.cellY,          h.cityIndex,         h.scenario,
                                              h.cityOfficerCount, h.cityCaptiveCount, h.freeOfficerCount,
                                              h.otherOfficerCount, h.otherRulerCount, h.listCursor,
                                              h.listStyle,       h.playerRulerNo};
  std::copy(heroState, heroState + kSaveHeroListFields, s.heroListState);
  const int cityState[kSaveCityListFields] = {cityList.cellX, cityList.cellY, cityList.cityIndex, cityList.scenario};
  std::copy(cityState, cityState + kSaveCityListFields, s.cityListState);
  const GoodList& g = goodList;
  const int goodState[kSaveGoodListFields] = {g.cellX,          g.cellY,         g.cityIndex,  g.scenario, g.cityGoodCount,
                                              g.heldGoodCount, g.listCursor,   g.holderMode, g.listedHolder};
  std::copy(goodState, goodState + kSaveGoodListFields, s.goodListState);
  const int mapState[kSaveMapFields] = {cursorCol,          cursorRow,   selectedCity, scenario,   playerCityCount,
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
  for (int i = 0; i < kGoodCount; ++i) NumbersToGood(s.goods[i], goodList.goods[i]);
  for (int i = 0; i < kTaskRecords; ++i) NumbersToTask(s.tasks[i], taskTable[i]);
  const int* hs = s.heroListState;
  HeroList& h = heroList;
  int* heroState[kSaveHeroListFields] = {&h.cellX,           &h.cellY,          &h.cityIndex,         &h.scenario,
                                         &h.cityOfficerCount, &h.cityCaptiveCount, &h.freeOfficerCount,
                                         &h.otherOfficerCount, &h.otherRulerCount, &h.listCursor,
                                         &h.listStyle,       &h.playerRulerNo};
  for (int i = 0; i < kSaveHeroListFields; ++i) *heroState[i] = hs[i];
  cityList.cellX = s.cityListState[0];
  cityList.cellY = s.cityListState[1];
  cityList.cityIndex = s.cityListState[2];
  cityList.scenario = s.cityListState[3];
  GoodList& g = goodList;
  int* goodState[kSaveGoodListFields] = {&g.cellX,          &g.cellY,       &g.cityIndex,  &g.scenario, &g.cityGoodCount,
                                         &g.heldGoodCount, &g.listCursor, &g.holderMode, &g.listedHolder};
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
    ShowMessage2(message, "", 50, 280, 12, 1, 1000);
  }
  saveScreenOpen = 0;
  Show(0);
}
