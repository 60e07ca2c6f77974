// The rules that tie cities, roads and scenario records together.
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/world/world_data.h"

namespace {

// The faction-map picture (Res/who.kbp) is drawn with its top-left at (300, 150).
constexpr int kWhoLeft = 300, kWhoTop = 150, kWhoWidth = 480, kWhoHeight = 400;
constexpr int kWhoMark = 10;  // the game blackens a 10 x 10 square at (x + 2, y - 2)
// The picture frames each mark in a box of 14 x 14 from (x, y - 4); two boxes keep
// a pixel of paper between them.
constexpr int kWhoBoxSpacing = kWhoBox + 2;
constexpr int kMoneyCap = 99998;  // the loader turns a larger value into 1
// A starting city feeds its reserve for half a year (one food per 50 soldiers a
// month), so no faction opens the campaign in famine.
constexpr int kFoodMonths = 6;
// A seat holds enough soldiers to stand against the smallest attack the
// computer rulers launch (they need 1000).
constexpr int kSeatSoldiers = 1000;
// A road reaches at most this many cells; longer ones cross other cities on the map.
constexpr int kMaxRoadCells = 3;

std::string CityText(const World& w, int i) {
  std::string text = "city " + std::to_string(i);
  if (i >= 0 && i < kCityCount && !w.cities[i].name.empty()) text += " (" + w.cities[i].name + ")";
  return text;
}

bool CheckCity(const World& w, int i, std::set<int>& cells) {
  const CityInfo& c = w.cities[i];
  const std::string& f = w.citiesFile;
  bool ok = true;
  std::string gbk;
  if (c.name.empty() || !ToGbk(c.name, gbk) || static_cast<int>(gbk.size()) > kNameBytes) {
    ReportError(f, c.line,
                CityText(w, i) + ": the name must be GBK text of 1 to " + std::to_string(kNameBytes) + " bytes");
    ok = false;
  }
  if (i < kMapCityCount) {
    if (!c.onMap || c.col < 0 || c.col >= kCityGridCols || c.row < 0 || c.row >= kCityGridRowsUsed) {
      ReportError(f, c.line,
                  CityText(w, i) + ": needs a cell with col 0.." + std::to_string(kCityGridCols - 1) + " and row 0.." +
                      std::to_string(kCityGridRowsUsed - 1));
      ok = false;
    } else if (!cells.insert(c.row * kCityGridCols + c.col).second) {
      ReportError(f, c.line,
                  CityText(w, i) + ": cell (" + std::to_string(c.col) + ", " + std::to_string(c.row) +
                      ") is taken by another city");
      ok = false;
    }
    if (c.province.empty()) {
      ReportError(f, c.line, CityText(w, i) + ": a city on the map needs its province");
      ok = false;
    }
    if (c.farmingMax <= 0 || c.commerceMax <= 0 || c.populationMax <= 0) {
      ReportError(f, c.line, CityText(w, i) + ": a city on the map needs positive ceilings");
      ok = false;
    }
    if (c.whoX < kWhoLeft || c.whoX + 2 + kWhoMark > kWhoLeft + kWhoWidth || c.whoY - 2 < kWhoTop ||
        c.whoY - 2 + kWhoMark > kWhoTop + kWhoHeight) {
      ReportError(f, c.line, CityText(w, i) + ": the faction-map mark lies outside the picture");
      ok = false;
    }
  } else if (c.onMap) {
    ReportError(f, c.line, CityText(w, i) + ": cities 38..49 are off the map (col and row \"-\")");
    ok = false;
  }
  return ok;
}

bool MarksOverlap(const CityInfo& a, const CityInfo& b) {
  return std::abs(a.whoX - b.whoX) < kWhoBoxSpacing && std::abs(a.whoY - b.whoY) < kWhoBoxSpacing;
}

// The neighbour must lie within 45 degrees of the side the direction names,
// and not so far that the road would pass other cities.
bool RoadFitsDirection(const CityInfo& from, const CityInfo& to, int direction) {
  int dx = to.col - from.col, dy = to.row - from.row;
  if (std::max(std::abs(dx), std::abs(dy)) > kMaxRoadCells) return false;
  const GridStep& step = StepOf(static_cast<Direction>(direction));
  double dot = dx * step.col + dy * step.row;
  double cosine = dot / (std::hypot(dx, dy) * std::hypot(step.col, step.row));
  return cosine >= std::cos(M_PI / 4) - 1e-9;
}

bool CheckLinks(const World& w) {
  const std::string& f = w.linksFile;
  bool ok = true;
  std::set<std::pair<int, int>> listed;
  for (const CityLink& link : w.links) {
    if (link.from < 0 || link.from >= kMapCityCount || link.to < 0 || link.to >= kMapCityCount ||
        link.from == link.to || link.direction < 1 || link.direction > kDirections) {
      ReportError(f, link.line, "a road joins two different cities 0..37 in a direction 1..8");
      ok = false;
      continue;
    }
    std::string road = CityText(w, link.from) + " - " + CityText(w, link.to);
    if (!listed.insert({std::min(link.from, link.to), std::max(link.from, link.to)}).second) {
      ReportError(f, link.line, road + " is listed twice");
      ok = false;
    }
    if (kAttackDirectionTable[link.from][link.direction - 1] != link.to + 1) {
      ReportError(
          f, link.line,
          road + ": the battle direction table has no such road in direction " + std::to_string(link.direction));
      ok = false;
    }
    for (int d = 0; d < kDirections; ++d) {
      if (kAttackDirectionTable[link.to][d] == link.from + 1 &&
          !RoadFitsDirection(w.cities[link.to], w.cities[link.from], d + 1)) {
        ReportError(w.citiesFile, w.cities[link.from].line,
                    CityText(w, link.from) + " should lie in direction " + std::to_string(d + 1) + " of " +
                        CityText(w, link.to));
        ok = false;
      }
    }
    if (!RoadFitsDirection(w.cities[link.from], w.cities[link.to], link.direction)) {
      ReportError(w.citiesFile, w.cities[link.to].line,
                  CityText(w, link.to) + " should lie in direction " + std::to_string(link.direction) + " of " +
                      CityText(w, link.from));
      ok = false;
    }
  }
  for (int i = 0; i < kMapCityCount; ++i) {
    for (int d = 0; d < kDirections; ++d) {
      int j = kAttackDirectionTable[i][d] - 1;
      if (j < 0) continue;
      if (!listed.count({std::min(i, j), std::max(i, j)})) {
        ReportError(f, 0,
                    "missing the road " + CityText(w, i) + " - " + CityText(w, j) + " (direction " +
                        std::to_string(d + 1) + " of the battle direction table)");
        ok = false;
      }
    }
  }
  return ok;
}

bool IsRuler(int s, int officer, int* entry) {
  for (int k = 0; k < kRulerCount[s]; ++k) {
    if (kRulerTable[s][k] == officer) {
      if (entry) *entry = k;
      return true;
    }
  }
  return false;
}

bool CheckScenarioCity(const World& w, int s, int i) {
  const ScenarioCity& c = w.scenario[s][i];
  const CityInfo& info = w.cities[i];
  const std::string& f = w.scenarioFile[s];
  std::string who = CityText(w, i);
  bool ok = true;
  auto fail = [&](const std::string& message) {
    ReportError(f, c.line, who + ": " + message);
    ok = false;
  };
  if (c.ownerId != 0 && !IsRuler(s, c.ownerId, nullptr))
    fail("owner " + std::to_string(c.ownerId) + " is not a ruler of this scenario");
  if (c.seat != 0 && c.seat != 1) fail("seat is 0 or 1");
  if (c.seat == 1 && c.ownerId == 0) fail("a seat needs an owner");
  if (i >= kMapCityCount) {
    if (c.ownerId != 0) fail("cities off the map have no owner");
    return ok;
  }
  if (c.farming < 0 || c.farming > info.farmingMax) fail("farming must lie in 0..farmingMax");
  if (c.commerce < 0 || c.commerce > info.commerceMax) fail("commerce must lie in 0..commerceMax");
  if (c.population < 0 || c.population > info.populationMax) fail("population must lie in 0..populationMax");
  if (c.peopleLoyalty < 0 || c.peopleLoyalty > 100) fail("peopleLoyalty must lie in 0..100");
  if (c.disasterPrevention < 0 || c.disasterPrevention > 100) fail("disasterPrevention must lie in 0..100");
  if (c.money < 0 || c.money > kMoneyCap) fail("money must lie in 0..99998");
  if (c.food < 0 || c.food > kMoneyCap) fail("food must lie in 0..99998");
  if (c.reserveSoldiers < 0) fail("reserveSoldiers must not be negative");
  if (c.ownerId != 0 && c.food < c.reserveSoldiers / 50 * kFoodMonths)
    fail("food does not feed the reserve for " + std::to_string(kFoodMonths) + " months");
  if (c.seat == 1 && c.reserveSoldiers < kSeatSoldiers)
    fail("a ruler's seat starts with at least " + std::to_string(kSeatSoldiers) + " reserve soldiers");
  return ok;
}

bool CheckScenario(const World& w, int s) {
  bool ok = true;
  for (int i = 0; i < kCityCount; ++i) ok = CheckScenarioCity(w, s, i) && ok;
  for (int k = 0; k < kRulerCount[s]; ++k) {
    int ruler = kRulerTable[s][k];
    int seats = 0;
    for (int i = 0; i < kCityCount; ++i) seats += w.scenario[s][i].seat == 1 && w.scenario[s][i].ownerId == ruler;
    if (seats != 1) {
      ReportError(w.scenarioFile[s], 0,
                  "ruler-choice entry " + std::to_string(k) + " (officer " + std::to_string(ruler) +
                      ") needs exactly one seat, has " + std::to_string(seats));
      ok = false;
    }
  }
  return ok;
}

}  // namespace

bool CheckWorld(const World& w) {
  bool ok = true;
  std::set<int> cells;
  for (int i = 0; i < kCityCount; ++i) ok = CheckCity(w, i, cells) && ok;
  for (int i = 0; i < kMapCityCount; ++i) {
    for (int j = i + 1; j < kMapCityCount; ++j) {
      if (MarksOverlap(w.cities[i], w.cities[j])) {
        ReportError(w.citiesFile, w.cities[j].line,
                    CityText(w, j) + ": its faction-map box overlaps " + CityText(w, i));
        ok = false;
      }
    }
  }
  ok = CheckLinks(w) && ok;
  for (int s = 0; s < kScenarioCount; ++s) ok = CheckScenario(w, s) && ok;
  return ok;
}
