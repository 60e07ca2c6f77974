#include "tools/resgen/world/world_data.h"

#include <algorithm>

#include "tools/resgen/common/resgen_io.h"

namespace {

bool ReadCell(const TsvTable& t, const SourceRow& row, const std::string& column, int& out) {
  return t.Int(row, t.Column(column), out);
}

bool LoadCities(const std::string& path, World& world) {
  world.citiesFile = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  if (t.rows.size() != kCityCount) {
    ReportError(path, 0,
                "has " + std::to_string(t.rows.size()) + " cities; the game has exactly " + std::to_string(kCityCount));
    return false;
  }
  bool ok = true;
  for (int i = 0; i < kCityCount; ++i) {
    const SourceRow& row = t.rows[i];
    CityInfo& c = world.cities[i];
    c.line = row.line;
    int index = -1;
    ok = ReadCell(t, row, "index", index) && ok;
    if (index != i) {
      ReportError(path, row.line, "index " + std::to_string(index) + " out of order; expected " + std::to_string(i));
      ok = false;
    }
    c.name = t.Cell(row, t.Column("name"));
    c.pinyin = t.Cell(row, t.Column("pinyin"));
    const std::string& col = t.Cell(row, t.Column("col"));
    const std::string& rowCell = t.Cell(row, t.Column("row"));
    c.onMap = !(col == "-" && rowCell == "-");
    if (c.onMap) {
      ok = ReadCell(t, row, "col", c.col) && ok;
      ok = ReadCell(t, row, "row", c.row) && ok;
    }
    ok = ReadCell(t, row, "who_x", c.whoX) && ok;
    ok = ReadCell(t, row, "who_y", c.whoY) && ok;
    c.province = t.Cell(row, t.Column("province"));
    ok = ReadCell(t, row, "farmingMax", c.farmingMax) && ok;
    ok = ReadCell(t, row, "commerceMax", c.commerceMax) && ok;
    ok = ReadCell(t, row, "populationMax", c.populationMax) && ok;
  }
  return ok;
}

bool LoadScenario(const std::string& path, int s, World& world) {
  world.scenarioFile[s] = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  if (t.rows.size() != kCityCount) {
    ReportError(path, 0,
                "has " + std::to_string(t.rows.size()) + " city records; expected " + std::to_string(kCityCount));
    return false;
  }
  bool ok = true;
  for (int i = 0; i < kCityCount; ++i) {
    const SourceRow& row = t.rows[i];
    ScenarioCity& c = world.scenario[s][i];
    c.line = row.line;
    int index = -1;
    ok = ReadCell(t, row, "index", index) && ok;
    if (index != i) {
      ReportError(path, row.line, "index " + std::to_string(index) + " out of order; expected " + std::to_string(i));
      ok = false;
    }
    ok = ReadCell(t, row, "ownerId", c.ownerId) && ok;
    ok = ReadCell(t, row, "seat", c.seat) && ok;
    ok = ReadCell(t, row, "farming", c.farming) && ok;
    ok = ReadCell(t, row, "commerce", c.commerce) && ok;
    ok = ReadCell(t, row, "peopleLoyalty", c.peopleLoyalty) && ok;
    ok = ReadCell(t, row, "disasterPrevention", c.disasterPrevention) && ok;
    ok = ReadCell(t, row, "population", c.population) && ok;
    ok = ReadCell(t, row, "money", c.money) && ok;
    ok = ReadCell(t, row, "food", c.food) && ok;
    ok = ReadCell(t, row, "reserveSoldiers", c.reserveSoldiers) && ok;
    for (int e = 0; e < 4; ++e) ok = ReadCell(t, row, "extra" + std::to_string(e + 1), c.extra[e]) && ok;
  }
  return ok;
}

bool LoadLinks(const std::string& path, World& world) {
  world.linksFile = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  bool ok = true;
  for (const SourceRow& row : t.rows) {
    CityLink link;
    link.line = row.line;
    ok = ReadCell(t, row, "from", link.from) && ok;
    ok = ReadCell(t, row, "to", link.to) && ok;
    ok = ReadCell(t, row, "direction", link.direction) && ok;
    world.links.push_back(link);
  }
  return ok;
}

}  // namespace

bool LoadWorld(const std::string& dataDir, World& world) {
  world = World();
  bool ok = LoadCities(JoinPath(dataDir, "cities.tsv"), world);
  ok = LoadLinks(JoinPath(dataDir, "links.tsv"), world) && ok;
  for (int s = 0; s < kScenarioCount; ++s) {
    std::string path = JoinPath(dataDir, "scenario" + std::to_string(s + 1) + "/cities.tsv");
    ok = LoadScenario(path, s, world) && ok;
  }
  return ok;
}

StartPosition StartPositionFor(int col, int row) {
  // The viewport shows 8 columns and 6 rows; keep the seat away from its
  // edges where the map allows, so the first key press moves the arrow.
  int scrollCols = std::clamp(col - 3, 0, (kCityGridCols - 8));
  int scrollRows = std::clamp(row - 2, 0, (kCityGridRows - 6));
  StartPosition p;
  p.scrollX = 90 * scrollCols;
  p.scrollY = 80 * scrollRows;
  p.arrowX = 12 + 90 * (col - scrollCols);
  p.arrowY = 35 + 80 * (row - scrollRows);
  p.col = col;
  p.row = row;
  return p;
}

int SeatOf(const World& world, int s, int k) {
  int ruler = kRulerTable[s][k];
  for (int i = 0; i < kCityCount; ++i) {
    const ScenarioCity& c = world.scenario[s][i];
    if (c.seat && c.ownerId == ruler) return i;
  }
  return -1;
}
