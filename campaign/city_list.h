#pragma once
// The 50 cities of the campaign and the three-page city information screen.
#include "rules/world.h"
#include "shell/json_writer.h"

constexpr int kCityTableFields = 18;  // the table has no status column
constexpr int kMoneyFoodCap = 99998;  // a table value above this loads as 1
constexpr int kCityPages = 3;
constexpr int kNameBytes = 10;  // name copies take 10 bytes of a list line
constexpr int kNameBuffer = 20;

enum CityStatus { kCityNormal = 0, kCityFamine, kCityDrought, kCityFlood, kCityRiot };

struct CityRecord {
  int cityId = 0;
  int ownerId = 0;
  int governorId = 0;
  int farmingMax = 0;
  int farming = 0;
  int commerceMax = 0;
  int commerce = 0;
  int peopleLoyalty = 0;
  int disasterPrevention = 0;
  double populationMax = 0;
  double population = 0;
  int money = 0;
  int food = 0;
  int reserveSoldiers = 0;
  int extra1 = 0;
  int extra2 = 0;
  int extra3 = 0;
  int extra4 = 0;
  int status = 0;

  void Dump(JsonWriter& out) const;
};

class CityList {
 public:
  CityRecord cities[kCityCount];
  int page = 0;
  char cityName[kNameBuffer] = {};
  char ownerName[kNameBuffer] = {};
  char governorName[kNameBuffer] = {};
  char statusText[kNameBuffer] = {};
  int cellX = 0;
  int cellY = 0;
  int cityIndex = 0;
  int scenario = 0;

  void PubInit(int scenario);
  void Init(int x, int y, int scenario);
  void GetCityNum();
  void GetCityName();
  void GetCityOwner();
  void GetCityOwnto();
  void GetCityStatue();
  void Show();
  // 0 stay (page changed or key ignored), -1 close the screen.
  int KeyDown(int key);

  // The city being shown (cityIndex is kept within 0..49).
  CityRecord& Current() { return cities[cityIndex >= 0 && cityIndex < kCityCount ? cityIndex : 0]; }
  void Dump(JsonWriter& out) const;  // the screen state
  void DumpRecords(JsonWriter& out) const;

 private:
  void LoadCity(int scenario, int wanted);
  void ShowPage0();
  void ShowPage1();
  void ShowPage2();
};
