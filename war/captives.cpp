// Officers of a beaten side: each one is either taken captive in the
// contested city or escapes to another city of his faction.
#include "platform/random.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"
#include "war/war_globals.h"

namespace {

constexpr int kCaptiveOffset = 300;  // a captive's heroOwnerId is his ruler's number plus this
constexpr int kRollRange = 100;
// Escape lists can hold a faction's cities twice (see GetCaptive).
constexpr int kEscapeListMax = 2 * kCityCount;

// An officer of intelligence k escapes the roll with chance (k + 1) / 100.
bool CaptureRoll(const HeroRecord& h) { return h.intelligence < Rand() % kRollRange; }

struct CityChoice {
  int cities[kEscapeListMax] = {};
  int count = 0;
  void Add(int city) {
    if (count < kEscapeListMax) cities[count++] = city;
  }
  int Pick() const { return cities[Rand() % count]; }
};

CityChoice CitiesOf(const CityList& list, int owner, int except) {
  CityChoice choice;
  for (int i = 0; i < kCityCount; ++i) {
    if (list.cities[i].ownerId == owner && i != except) choice.Add(i);
  }
  return choice;
}

}  // namespace

// Items never stay with a captive: they lie in the city that holds him.
void GameMap::MakeCaptive(int a, int c) {
  HeroRecord& h = heroList.heroes[a];
  if (h.IsRuler() && capturedRulerCount < kMaxCapturedRulers) capturedRulers[capturedRulerCount++] = a + 1;
  h.cityNo = c + 1;
  h.heroOwnerId += kCaptiveOffset;
  h.soldiers = 0;
  for (int* slot : {&h.item1, &h.item2}) {
    if (*slot == 0) continue;
    GoodRecord* g = goodList.Record(*slot);
    if (g != nullptr) {
      h.force -= g->forceBonus;
      h.intelligence -= g->intelligenceBonus;
      h.itemBonus -= g->movementBonus;
      g->holderId = 0;
      g->goodCityNo = c + 1;
    }
    *slot = 0;
  }
}

int GameMap::BeCapatured(int a, int c) {
  Log(1, "GameMap::BeCapatured", "开始", 0);
  CityChoice escape = CitiesOf(cityList, playerRuler, -1);
  if (escape.count == 0) {
    rulerFate = kFateNoCityLeft;
    return -1;
  }
  HeroRecord& h = heroList.heroes[a];
  if (CaptureRoll(h)) {
    if (a + 1 == playerRuler) rulerFate = kFateRulerTaken;
    ++capturedCount;
    MakeCaptive(a, c);
    PlayCue(Sound::kCapture);
    return a;
  }
  h.cityNo = escape.Pick() + 1;
  return -1;
}

int GameMap::GetCaptive(int a, int c) {
  Log(1, "GameMap::GetCaptive", "开始", 0);
  HeroRecord& h = heroList.heroes[a];
  CityChoice escape = CitiesOf(cityList, h.heroOwnerId, h.cityNo - 1);
  // Attackers beaten by the player's defence always get their roll; anyone
  // else whose ruler has no other city is taken where he stands.
  if (escape.count == 0 && warOutcomeCode != kOutcomeDefenceWon) {
    rulerFate = kFateFactionFalls;
    MakeCaptive(a, c);
    return -1;
  }
  if (CaptureRoll(h)) {
    if (h.IsRuler()) rulerFate = kFateRulerTaken;
    ++capturedCount;
    MakeCaptive(a, c);
    PlayCue(Sound::kCapture);
    return a;
  }
  if (warOutcomeCode == kOutcomeDefenceWon) {
    for (int i = 0; i < kCityCount; ++i) {
      if (cityList.cities[i].ownerId == h.heroOwnerId) escape.Add(i);
    }
  }
  if (escape.count > 0) h.cityNo = escape.Pick() + 1;
  return -1;
}

int GameMap::BeCapatured_Auto(int a, int c, int v) {
  Log(1, "GameMap::BeCapatured_Auto", "开始", 0);
  CityChoice escape = CitiesOf(cityList, v, -1);
  if (escape.count == 0) {
    rulerFate = kFateFactionFalls;
    return -1;
  }
  HeroRecord& h = heroList.heroes[a];
  if (CaptureRoll(h)) {
    if (a + 1 == v) rulerFate = kFateRulerTaken;
    ++capturedCount;
    MakeCaptive(a, c);
    return capturedCount == 1 ? a : -1;
  }
  h.cityNo = escape.Pick() + 1;
  return -1;
}

int GameMap::GetCaptive_Auto(int a, int c, int) {
  Log(1, "GameMap::GetCaptive_Auto", "开始", 0);
  CityChoice escape = CitiesOf(cityList, cityList.cities[c].ownerId, c);
  if (escape.count == 0) {
    rulerFate = kFateFactionFalls;
    MakeCaptive(a, c);
    return -1;
  }
  HeroRecord& h = heroList.heroes[a];
  if (CaptureRoll(h)) {
    if (h.IsRuler()) rulerFate = kFateRulerTaken;
    ++capturedCount;
    MakeCaptive(a, c);
    return capturedCount == 1 ? a : -1;
  }
  h.cityNo = escape.Pick() + 1;
  return -1;
}
