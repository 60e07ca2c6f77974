// The armies eat, and famine, drought, flood and riots come and go.
#include "campaign/scenario_files.h"
#include "platform/random.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kSoldiersPerFood = 50;  // a unit of food feeds fifty soldiers for a month
constexpr int kDisasterEvery = 3;     // no new disasters in months divisible by three
constexpr int kDisasterDraw = 20;     // d = rand() % 20: 0 drought, 1 flood, 2 riot
constexpr int kRiotLoyaltyBelow = 2;  // riots break out only where loyalty is 0 or 1
constexpr int kReportFont = 40;

constexpr const char* kStateWords[] = {"", "出现 饥荒", "出现 旱灾", "出现 水灾", "出现 暴动"};

// "Loses a twentieth" and the like: the value minus its own integer share.
void Lose(int& value, int share) { value -= value / share; }

// Whom a city's report names: the governor, else the owner.
int Reporter(const CityRecord& c) { return c.governorId != 0 ? c.governorId : c.ownerId; }

void ContinueFamine(CityRecord& c) {
  if (c.food != 0) {
    c.status = kCityNormal;
    return;
  }
  Lose(c.peopleLoyalty, 20);
  Lose(c.commerce, 20);
  c.reserveSoldiers /= 2;
  c.population -= c.population / 4;
  Lose(c.farming, 20);
}

void ContinueDrought(CityRecord& c, int x) {
  if (x < c.disasterPrevention) {
    c.status = kCityNormal;
    return;
  }
  Lose(c.food, 20);
  Lose(c.reserveSoldiers, 4);
  c.population -= c.population / 4;
  Lose(c.farming, 20);
}

void ContinueFlood(CityRecord& c, int x) {
  if (x < c.disasterPrevention) {
    c.status = kCityNormal;
    return;
  }
  Lose(c.food, 20);
  Lose(c.commerce, 10);
  Lose(c.money, 10);
  Lose(c.reserveSoldiers, 4);
  c.population -= c.population / 4;
  Lose(c.farming, 20);
}

void ContinueRiot(CityRecord& c, int x) {
  if (x < c.peopleLoyalty) {
    c.status = kCityNormal;
    return;
  }
  Lose(c.food, 20);
  Lose(c.commerce, 20);
  Lose(c.money, 20);
  Lose(c.peopleLoyalty, 10);
  c.reserveSoldiers /= 2;
  Lose(c.farming, 20);
}

void ContinueDisaster(CityRecord& c, int x) {
  switch (c.status) {
    case kCityFamine: ContinueFamine(c); break;
    case kCityDrought: ContinueDrought(c, x); break;
    case kCityFlood: ContinueFlood(c, x); break;
    case kCityRiot: ContinueRiot(c, x); break;
    default: break;
  }
}

}  // namespace

void GameMap::GetCityState() {
  Log(1, "GameMap::GetCityState", "开始", 0);
  for (int i = 0; i < kCityCount; ++i) {
    CityRecord& c = cityList.cities[i];
    int soldiers = c.reserveSoldiers;
    for (const HeroRecord& h : heroList.heroes) {
      if (h.cityNo == i + 1) soldiers += h.soldiers;
    }
    int need = soldiers / kSoldiersPerFood;
    if (c.food > need) {
      c.food -= need;
      continue;
    }
    // Exactly enough is not enough: the stores are gone and the armies starve.
    for (HeroRecord& h : heroList.heroes) {
      if (h.cityNo == i + 1) h.soldiers -= h.soldiers / 2;
    }
    c.food = 0;
    c.status = kCityFamine;
    Lose(c.peopleLoyalty, 20);
    Lose(c.commerce, 20);
    c.reserveSoldiers /= 2;
    c.population -= c.population / 4;
    if (c.ownerId == playerRuler) ReportCityState(i, kCityFamine, Reporter(c));
  }
  if (date.month % kDisasterEvery == 0) return;
  for (int i = 0; i < kCityCount; ++i) {
    CityRecord& c = cityList.cities[i];
    int r = Rand() % 4 + 1;
    if (c.disasterPrevention > r) c.disasterPrevention -= r;
    int x = Rand() % 100;
    if (x > c.disasterPrevention && c.status == kCityNormal) {
      int d = Rand() % kDisasterDraw;
      if (d == 0) c.status = kCityDrought;
      if (d == 1) c.status = kCityFlood;
      if (d == 2 && c.peopleLoyalty < kRiotLoyaltyBelow) c.status = kCityRiot;
      if (c.status != kCityNormal && c.ownerId == playerRuler) ReportCityState(i, c.status, Reporter(c));
    } else {
      ContinueDisaster(c, x);
    }
  }
}

void GameMap::ReportCityState(int city, int state, int officerNumber) {
  Log(1, "GameMap::ReportCityState", "开始", 0);
  Show(0);
  if (colorMode == 1) {
    PaintBmp(0, PicPath(Pic::kAnswerPanel), 20, 200);
  } else {
    DrawFrameRect(*backDC, 20, 250, 780, 500);
  }
  char name[kNameBytes + 1] = {};
  CopyListLine(kCityNameByNumber, city, name, kNameBytes);
  PaintText(name, 300, 330, kReportFont);
  if (state >= kCityFamine && state <= kCityRiot) PaintText(kStateWords[state], 410, 330, kReportFont);
  PaintText("，须尽快治理。", 300, 370, kReportFont);
  if (officerNumber >= 1 && officerNumber <= kHeroCount) ShowPortraitAndName(officerNumber - 1);
  ReportSubject(city);
  CopyBackToWindow();
  Wait(500);
  Show(0);
}
