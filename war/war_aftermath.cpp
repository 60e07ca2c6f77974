// After a war: officers take back what the battle left them, the contested
// city changes hands or not, the beaten side's officers are captured or flee,
// and a captured ruler is succeeded or his faction falls.
#include <algorithm>

#include "campaign/scenario_files.h"
#include "platform/window.h"
#include "shell/draw.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"
#include "war/war_globals.h"
#include "war/war_tables.h"

namespace {

constexpr int kLeftoverFloor = 1;  // an army's food below this counts as none

void WarMessage(const char* first, const char* second) { ShowMessage2(first, second, 50, 280, 12, 1, 1000); }

bool ValidOfficer(int officer) { return officer >= 0 && officer < kHeroCount; }

int Leftover(int food) { return food < kLeftoverFloor ? 0 : food; }

}  // namespace

namespace {

// The name of officer `index` in the scenario's list ("" outside it).
struct OfficerName {
  char text[kHeroNameBuffer + 1] = {};
  OfficerName(int scenario, int index) {
    if (ValidOfficer(index)) CopyListLine(HeroNameList(scenario), index, text, kHeroNameBuffer);
  }
};

void RulerTakenMessage(int scenario, int rulerIndex) {
  WarMessage("  君主     遭劫", OfficerName(scenario, rulerIndex).text);
}

}  // namespace

void GameMap::AfterWar(int result, int fromCity, int toCity) {
  Log(1, "GameMap::AfterWar", "result = ", result);
  Log(1, "GameMap::AfterWar", "citynum = ", fromCity);
  Log(1, "GameMap::AfterWar", "cityto = ", toCity);
  if (result == 0) return;
  // The hand-over is used up here, so that no later resumption of the month
  // end (after crowning a new ruler, say) runs this aftermath a second time.
  battleResult = 0;
  if (toCity < 0 || toCity >= kCityCount) return;
  rulerFate = kFateNone;
  capturedRulerCount = 0;
  warPartyCount = 0;
  // Whatever both armies have left stays in the contested city, whoever won.
  // The defenders fed on the city's own store, so their leftover is what the
  // store holds now; the attackers' leftover comes on top of it.
  CityRecord& city = cityList.cities[toCity];
  bool cityFedOwnSide = fight.warType == 1;
  int defendersFood = cityFedOwnSide ? fight.ownFood : fight.enemyFood;
  int attackersFood = cityFedOwnSide ? fight.enemyFood : fight.ownFood;
  city.food = Leftover(defendersFood) + Leftover(attackersFood);
  auto writeBack = [this](int first, int count) {
    for (int s = first; s < first + count && s < first + kArmySlots; ++s) {
      const FightHero& u = fight.units[s];
      if (!ValidOfficer(u.officerId)) continue;
      HeroRecord& h = heroList.heroes[u.officerId];
      h.soldiers = u.soldiers;
      h.level = u.level;
      h.experience = u.experience;
    }
  };
  writeBack(0, fight.ownUnitCount);
  writeBack(kEnemyBase, fight.enemyUnitCount);

  bool defended = fight.warType == 1;
  if (defended && result == kFightLost) AfterDefenceLost(toCity);
  if (defended && result == kFightWon) AfterDefenceWon(fromCity, toCity);
  if (!defended && result == kFightLost) AfterAttackLost(toCity);
  if (!defended && result == kFightWon) AfterAttackWon(toCity);
  SucceedCapturedRulers();
  // The successor list stays on top of whatever the aftermath showed.
  if (rulerSuccession == kSuccessionPick) heroList.Show(0);
  capturedCount = 0;
}

// The officers of `officers` move into city c; the smartest of them, in that
// order, governs it. Returns his index, -1 when nobody moved in.
int GameMap::MoveArmyIn(const int* officers, int count, int c) {
  int governor = -1;
  for (int i = 0; i < count; ++i) {
    int a = officers[i];
    // An officer of the order taken captive (or dead) earlier in the month
    // marches nowhere; as governor he would give the city to no ruler.
    if (!ValidOfficer(a) || !heroList.heroes[a].ServesFaction()) continue;
    heroList.heroes[a].cityNo = c + 1;
    if (governor < 0 || heroList.heroes[a].intelligence > heroList.heroes[governor].intelligence) governor = a;
  }
  if (governor >= 0) cityList.cities[c].governorId = governor + 1;
  return governor;
}

namespace {

// The officers of one side of the battle, in slot order.
int SideOfficers(const Fight& fight, int first, int count, int* out) {
  int n = 0;
  for (int s = first; s < first + count && s < first + kArmySlots; ++s) out[n++] = fight.units[s].officerId;
  return n;
}

}  // namespace

void GameMap::AfterDefenceLost(int c) {
  CityRecord& city = cityList.cities[c];
  --playerCityCount;
  city.ownerId = -1;  // no longer the player's while his officers look for a way out
  warOutcomeCode = kOutcomeDefenceLost;
  int lastCaptured = -1;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.cityNo != c + 1 || !h.ServesFaction()) continue;
    int taken = BeCapatured(i, c);
    if (taken >= 0) lastCaptured = taken;
  }
  int attackers[kArmySlots];
  int n = SideOfficers(fight, kEnemyBase, fight.enemyUnitCount, attackers);
  int governor = MoveArmyIn(attackers, n, c);
  city.ownerId = governor >= 0 ? heroList.heroes[governor].heroOwnerId : 0;
  if (capturedCount == 1) WarMessage(OfficerName(scenario, lastCaptured).text, "成为俘虏");
  if (capturedCount > 1) WarMessage(OfficerName(scenario, lastCaptured).text, "等成为俘虏");
  if (rulerFate == kFateRulerTaken) {
    PlayerRulerTaken();
  } else if (rulerFate == kFateNoCityLeft) {
    RulerTakenMessage(scenario, playerRuler - 1);
    CampaignLost();
  }
}

void GameMap::AfterDefenceWon(int b, int c) {
  int r = b >= 0 && b < kCityCount ? cityList.cities[b].ownerId : 0;
  warOutcomeCode = kOutcomeDefenceWon;
  int attackers[kArmySlots];
  int n = SideOfficers(fight, kEnemyBase, fight.enemyUnitCount, attackers);
  for (int i = 0; i < n; ++i) {
    if (ValidOfficer(attackers[i])) GetCaptive(attackers[i], c);
  }
  if (rulerFate == kFateRulerTaken && !Reigns(r)) {
    RulerTakenMessage(scenario, r - 1);
    if (!CrownComputerSuccessor(r)) rulerFate = kFateFactionFalls;
  }
  if (rulerFate == kFateFactionFalls) FactionFalls(r, playerRuler);
}

void GameMap::AfterAttackLost(int c) {
  warOutcomeCode = kOutcomeAttackLost;
  int own[kArmySlots];
  int n = SideOfficers(fight, 0, fight.ownUnitCount, own);
  int lastCaptured = -1;
  for (int i = 0; i < n; ++i) {
    if (!ValidOfficer(own[i])) continue;
    int taken = BeCapatured(own[i], c);
    if (taken >= 0) lastCaptured = taken;
  }
  if (capturedCount == 1) WarMessage(OfficerName(scenario, lastCaptured).text, "成为俘虏");
  if (capturedCount > 1) WarMessage(OfficerName(scenario, lastCaptured).text, "等成为俘虏");
  if (rulerFate == kFateRulerTaken) {
    PlayerRulerTaken();
  } else if (rulerFate == kFateNoCityLeft) {
    RulerTakenMessage(scenario, playerRuler - 1);
    CampaignLost();
  }
}

void GameMap::AfterAttackWon(int c) {
  CityRecord& city = cityList.cities[c];
  int r = city.ownerId;
  ++playerCityCount;
  warOutcomeCode = kOutcomeAttackWon;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.cityNo == c + 1 && h.ServesFaction() && h.heroOwnerId != playerRuler) GetCaptive(i, c);
  }
  int own[kArmySlots];
  int n = SideOfficers(fight, 0, fight.ownUnitCount, own);
  MoveArmyIn(own, n, c);
  city.ownerId = playerRuler;
  if (rulerFate == kFateRulerTaken && !Reigns(r)) {
    RulerTakenMessage(scenario, r - 1);
    if (!CrownComputerSuccessor(r)) rulerFate = kFateFactionFalls;
  }
  if (rulerFate == kFateFactionFalls) FactionFalls(r, playerRuler);
}

// Whether officer number r is a ruler on his throne (not captured, not dead).
bool GameMap::Reigns(int r) const { return r >= 1 && r <= kHeroCount && heroList.heroes[r - 1].IsRuler(); }

// Every computer ruler taken in this aftermath whose faction still stands
// (officers serve him or cities fly his flag) is succeeded by his cleverest
// officer, or his faction falls and its cities stand empty. The rulers the
// aftermath's own rules dealt with have nothing left to hand over.
void GameMap::SucceedCapturedRulers() {
  for (int k = 0; k < capturedRulerCount; ++k) {
    int r = capturedRulers[k];
    if (r == playerRuler || Reigns(r) || !FactionStands(r)) continue;
    RulerTakenMessage(scenario, r - 1);
    if (!CrownComputerSuccessor(r)) HandOverFallenFaction(r, 0);
  }
  capturedRulerCount = 0;
}

bool GameMap::FactionStands(int r) const {
  for (const HeroRecord& h : heroList.heroes) {
    if (h.heroOwnerId == r) return true;
  }
  for (const CityRecord& c : cityList.cities) {
    if (c.ownerId == r) return true;
  }
  return false;
}

// The smartest officer still serving ruler r takes over his cities and
// officers; false when nobody is left to.
bool GameMap::CrownComputerSuccessor(int r) {
  int heir = -1;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (h.heroOwnerId != r || r <= 0) continue;
    if (heir < 0 || h.intelligence > heroList.heroes[heir].intelligence) heir = i;
  }
  if (heir < 0) return false;
  for (CityRecord& city : cityList.cities) {
    if (city.ownerId == r) city.ownerId = heir + 1;
  }
  for (HeroRecord& h : heroList.heroes) {
    if (h.heroOwnerId == r) h.heroOwnerId = heir + 1;
  }
  WarMessage(OfficerName(scenario, heir).text, "成为君主");
  return true;
}

// Ruler r's faction is gone; what cities he still held pass to the heir.
void GameMap::FactionFalls(int r, int heir) {
  RulerTakenMessage(scenario, r - 1);
  HandOverFallenFaction(r, heir);
}

// A computer ruler died of old age: his ablest officer takes over, or, with
// nobody left to, his faction falls and its cities stand empty.
void GameMap::ComputerRulerDied(int r) {
  WarMessage(OfficerName(scenario, r - 1).text, "老死");
  if (!CrownComputerSuccessor(r)) HandOverFallenFaction(r, 0);
}

void GameMap::HandOverFallenFaction(int r, int heir) {
  WarMessage(OfficerName(scenario, r - 1).text, "势力灭亡");
  if (r <= 0) return;
  for (CityRecord& city : cityList.cities) {
    if (city.ownerId != r) continue;
    city.ownerId = heir;
    if (heir == playerRuler) ++playerCityCount;
  }
  // Officers of his who stand elsewhere serve nobody now: they go free where
  // they are, instead of serving a captive or a dead man.
  if (r <= kHeroCount && !heroList.heroes[r - 1].IsRuler()) {
    for (HeroRecord& h : heroList.heroes) {
      if (h.heroOwnerId == r) h.heroOwnerId = 0;
    }
  }
  if (heir == playerRuler) CheckWin();
}

// The player's ruler was captured: the player crowns one of his officers,
// or, with nobody left to crown, the campaign is lost.
void GameMap::PlayerRulerTaken() {
  RulerTakenMessage(scenario, playerRuler - 1);
  WarMessage("请拥立新君", "");
  Show(0);
  heroList.Init(cursorCol, cursorRow, scenario, kNewRulerCommand, playerRuler);
  if (heroList.ownOfficerCount == 0) {
    CampaignLost();
    return;
  }
  heroList.Show(0);
  rulerSuccession = kSuccessionPick;
}

// A lost campaign ends the program as normally as a victory: its run log is
// no crash trace and goes.
void GameMap::CampaignLost() {
  PlayMusic(Sound::kDefeat);
  WarMessage("我军全军覆没", "");
  DeleteTodayLog();
  PostQuitMessage(0);
}

void GameMap::AfterWar_SpaceCity(int side, int, int c, int k) {
  Log(1, "GameMap::AfterWar_SpaceCity", "开始", 0);
  warPartyCount = 0;
  if (c < 0 || c >= kCityCount || k < kFirstTaskRecord || k + kWarOrderRecords - 1 > kLastTaskRecord) return;
  WarOrder o = ReadWarOrder(&taskTable[k]);
  int army[kArmySlots];
  int n = 0;
  army[n++] = o.leadOfficerId;
  for (int i = 0; i < kPartyExtraOfficers && o.partyOfficers[i] >= 0; ++i) army[n++] = o.partyOfficers[i];
  int governor = MoveArmyIn(army, n, c);
  CityRecord& city = cityList.cities[c];
  if (side == 1) {
    if (city.ownerId != playerRuler) ++playerCityCount;
    city.ownerId = playerRuler;
  } else if (governor >= 0) {
    if (city.ownerId == playerRuler) --playerCityCount;
    city.ownerId = heroList.heroes[governor].heroOwnerId;
  }
  city.food += o.foodCarried;
}

void GameMap::AfterWar_Auto(int result, int b, int c, int d, int) {
  Log(1, "GameMap::AfterWar_Auto", "开始", 0);
  rulerFate = kFateNone;
  capturedRulerCount = 0;
  if (b < 0 || b >= kCityCount || c < 0 || c >= kCityCount) return;
  int attackers[kHeroCount];
  int defenders[kHeroCount];
  int na = 0;
  int nd = 0;
  for (int i = 0; i < kHeroCount; ++i) {
    const HeroRecord& h = heroList.heroes[i];
    if (!h.ServesFaction()) continue;
    if (h.cityNo == b + 1) attackers[na++] = i;
    if (h.cityNo == c + 1) defenders[nd++] = i;
  }
  int v = d + 1;
  int marching = std::min(na, kArmySlots);
  CityRecord& city = cityList.cities[c];
  // The fallen ruler, and who takes what cities he still holds when his
  // faction has nobody left: the winner of this war.
  int fallen = v;
  int winner = city.ownerId;
  if (result == 0) {
    warOutcomeCode = kOutcomeAutoAttackFailed;
    for (int i = 0; i < marching; ++i) BeCapatured_Auto(attackers[i], c, v);
  } else {
    fallen = city.ownerId;
    winner = v;
    warOutcomeCode = kOutcomeAutoAttackWon;
    for (int i = 0; i < nd; ++i) GetCaptive_Auto(defenders[i], c, 0);
    int governor = MoveArmyIn(attackers, marching, c);
    if (governor >= 0) city.ownerId = v;
  }
  if (rulerFate == kFateRulerTaken && !Reigns(fallen)) {
    RulerTakenMessage(scenario, fallen - 1);
    if (!CrownComputerSuccessor(fallen)) rulerFate = kFateFactionFalls;
  }
  if (rulerFate == kFateFactionFalls) FactionFalls(fallen, winner == fallen ? 0 : winner);
  SucceedCapturedRulers();
  capturedCount = 0;
}
