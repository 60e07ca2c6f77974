// Writes the world's tables and lists into Res/: map cells, owners, names,
// roads, faction-map marks, start positions, menus, battle maps, skills, and
// (once the officers exist) the scenarios' city tables.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/common/tables.h"
#include "tools/resgen/world/world_data.h"
#include "tools/resgen/world/world_lists.h"
#include "tools/resgen/common/resgen_record.h"

namespace {

using Records = std::vector<std::vector<long long>>;

// Cities off the map get a cell no cursor can reach.
constexpr int kNoCell = -1;
// One name line per map cell; the game looks up cells 0..96 only, which is
// why no city stands in row 8.
constexpr int kNameCells = kCityGridCols * kCityGridRows;
constexpr int kWhoNumbers = 255;

std::string ScenarioFileName(const char* stem, int s, const char* ext) {
  return std::string(stem) + std::to_string(s + 1) + ext;
}

bool WriteCityCells(const ResgenPaths& p, const World& w) {
  Records position;
  for (const CityInfo& c : w.cities) position.push_back({c.onMap ? c.col : kNoCell, c.onMap ? c.row : kNoCell});
  bool ok = WriteKdt(JoinPath(p.resDir, "City/postion.kdt"), position);
  for (int s = 0; s < kScenarioCount; ++s) {
    Records owners;
    for (int i = 0; i < kCityCount; ++i) {
      const CityInfo& c = w.cities[i];
      owners.push_back({c.onMap ? c.col : kNoCell, c.onMap ? c.row : kNoCell, w.scenario[s][i].ownerId});
    }
    ok = WriteKdt(JoinPath(p.resDir, "City/" + ScenarioFileName("setowner", s, ".kdt")), owners) && ok;
  }
  return ok;
}

bool WriteCityNames(const ResgenPaths& p, const World& w) {
  std::vector<std::string> byCell(kNameCells, "0");
  std::vector<int> cellLines(kNameCells, 0);
  std::vector<std::string> byNumber;
  std::vector<int> numberLines;
  for (const CityInfo& c : w.cities) {
    byNumber.push_back(c.name);
    numberLines.push_back(c.line);
    if (!c.onMap) continue;
    int cell = c.row * kCityGridCols + c.col;
    if (cell >= 0 && cell < kNameCells) {
      byCell[cell] = c.name;
      cellLines[cell] = c.line;
    }
  }
  bool ok = WriteKss(JoinPath(p.resDir, "cityname.kss"), byCell, w.citiesFile, cellLines);
  ok = WriteKss(JoinPath(p.resDir, "citynamebylist.kss"), byNumber, w.citiesFile, numberLines) && ok;
  return ok;
}

bool WriteRoads(const ResgenPaths& p, const World& w) {
  // A road counts only in the direction listed, so each appears both ways.
  Records pairs;
  for (const CityLink& link : w.links) {
    pairs.push_back({link.from + 1, link.to + 1});
    pairs.push_back({link.to + 1, link.from + 1});
  }
  return WriteKdt(JoinPath(p.resDir, "arrive.kdt"), pairs);
}

bool WriteFactionMarks(const ResgenPaths& p, const World& w) {
  Records numbers;
  for (const CityInfo& c : w.cities) numbers.push_back({c.whoX, c.whoY});
  // The game reads 255 numbers; the ones after the 50 pairs are never used.
  std::vector<long long> rest(kWhoNumbers - 2 * kCityCount, 0);
  numbers.push_back(rest);
  return WriteKdt(JoinPath(p.resDir, "who.kdt"), numbers);
}

bool WriteStartPositions(const ResgenPaths& p, const World& w) {
  bool ok = true;
  for (int s = 0; s < kScenarioCount; ++s) {
    Records lines;
    for (int k = 0; k < kRulerCount[s]; ++k) {
      int seat = SeatOf(w, s, k);
      if (seat < 0) return false;  // CheckWorld has named the ruler without a seat
      const CityInfo& c = w.cities[seat];
      StartPosition sp = StartPositionFor(c.col, c.row);
      lines.push_back({sp.arrowX, sp.arrowY, sp.scrollX, sp.scrollY, sp.col, sp.row});
    }
    ok = WriteKdt(JoinPath(p.resDir, ScenarioFileName("arrowset", s, ".kdt")), lines) && ok;
  }
  return ok;
}

// ---- Officers, read back from the generated tables -----------------------

// The fields of an officer record that the city tables depend on.
struct OfficerLine {
  int heroId, heroOwnerId, intelligence, cityNo;
};
constexpr int kOfficerFields = 16;

bool ReadOfficers(const std::string& path, std::vector<OfficerLine>& out) {
  out.clear();
  RunRecord().NoteRead(path);
  std::ifstream in(path);
  if (!in) return false;
  std::vector<long long> v;
  long long x;
  while (in >> x) v.push_back(x);
  for (size_t r = 0; r + kOfficerFields <= v.size(); r += kOfficerFields) {
    out.push_back(
        {static_cast<int>(v[r]), static_cast<int>(v[r + 1]), static_cast<int>(v[r + 4]), static_cast<int>(v[r + 14])});
  }
  return true;
}

// The game's governor rule: the first officer of the city in officer order,
// replaced by anyone strictly cleverer unless that first one is the ruler.
int GovernorOf(int city, int ownerId, const std::vector<OfficerLine>& officers) {
  int governor = 0, bestIntelligence = 0;
  bool rulerFirst = false;
  for (const OfficerLine& o : officers) {
    if (o.cityNo != city + 1 || o.heroOwnerId == 0 || o.heroOwnerId >= kOfficerCount) continue;
    if (governor == 0) {
      governor = o.heroId + 1;
      bestIntelligence = o.intelligence;
      rulerFirst = governor == ownerId;
    } else if (!rulerFirst && o.intelligence > bestIntelligence) {
      governor = o.heroId + 1;
      bestIntelligence = o.intelligence;
    }
  }
  return governor;
}

// The officers must agree with the cities: rulers in their seats, serving
// officers only in their own ruler's cities, nobody off the map.
bool CheckOfficersAgainstCities(const World& w, int s, const std::string& file,
                                const std::vector<OfficerLine>& officers) {
  bool ok = true;
  for (const OfficerLine& o : officers) {
    std::string who = "officer " + std::to_string(o.heroId + 1);
    if (o.cityNo > kMapCityCount) {
      ReportError(file, 0, who + " stands in city index " + std::to_string(o.cityNo - 1) + ", which is off the map");
      ok = false;
      continue;
    }
    bool serving = o.heroOwnerId > 0 && o.heroOwnerId < kOfficerCount;
    if (serving && o.cityNo > 0 && w.scenario[s][o.cityNo - 1].ownerId != o.heroOwnerId) {
      ReportError(file, 0,
                  who + " serves ruler " + std::to_string(o.heroOwnerId) + " but stands in " +
                      w.cities[o.cityNo - 1].name + ", which that ruler does not hold");
      ok = false;
    }
  }
  for (int k = 0; k < kRulerCount[s]; ++k) {
    int ruler = kRulerTable[s][k];
    int seat = SeatOf(w, s, k);
    const OfficerLine* found = nullptr;
    for (const OfficerLine& o : officers)
      if (o.heroId + 1 == ruler) found = &o;
    if (!found || found->heroOwnerId != ruler || found->cityNo != seat + 1) {
      ReportError(file, 0,
                  "ruler-choice entry " + std::to_string(k) + ": officer " + std::to_string(ruler) +
                      " must be his own ruler and stand in his seat " + (seat >= 0 ? w.cities[seat].name : "?"));
      ok = false;
    }
  }
  return ok;
}

bool WriteCityTables(const ResgenPaths& p, const World& w) {
  bool ok = true;
  for (int s = 0; s < kScenarioCount; ++s) {
    std::string heroFile = JoinPath(p.resDir, "Hero/" + ScenarioFileName("hero", s, ".kdt"));
    std::vector<OfficerLine> officers;
    if (ReadOfficers(heroFile, officers)) {
      ok = CheckOfficersAgainstCities(w, s, heroFile, officers) && ok;
    } else if (!Diagnostics().quiet) {
      std::fprintf(stderr, "resgen: %s is missing; the cities of scenario %d start without governors\n",
                   heroFile.c_str(), s);
    }
    Records records;
    for (int i = 0; i < kCityCount; ++i) {
      const CityInfo& info = w.cities[i];
      const ScenarioCity& c = w.scenario[s][i];
      records.push_back({i, c.ownerId, GovernorOf(i, c.ownerId, officers), info.farmingMax, c.farming, info.commerceMax,
                         c.commerce, c.peopleLoyalty, c.disasterPrevention, info.populationMax, c.population, c.money,
                         c.food, c.reserveSoldiers, c.extra[0], c.extra[1], c.extra[2], c.extra[3]});
    }
    ok = WriteKdt(JoinPath(p.resDir, "City/" + ScenarioFileName("city", s, ".kdt")), records) && ok;
  }
  return ok;
}

bool WriteBattleMaps(const ResgenPaths& p) {
  static BattleMap maps[kBattleMapCount];
  bool ok = LoadBattleMaps(p.dataDir, maps);
  if (!ok) return false;
  for (int m = 0; m < kBattleMapCount; ++m) {
    ok = CheckBattleMap(maps[m], m) && ok;
    Records rows;
    for (const auto& row : maps[m].tiles) rows.push_back(std::vector<long long>(row, row + kBattleCols));
    char name[32];
    std::snprintf(name, sizeof name, "Fight/fightmap0%d.kdt", m);
    ok = WriteKdt(JoinPath(p.resDir, name), rows) && ok;
  }
  return ok;
}

bool WriteSkills(const ResgenPaths& p) {
  SkillTable skills;
  if (!LoadSkills(p.dataDir, skills)) return false;
  bool ok = CheckSkills(skills);
  Records rows;
  std::vector<std::string> names;
  std::vector<int> lines;
  for (const SkillRow& r : skills.rows) {
    rows.push_back(std::vector<long long>(r.values, r.values + kSkillTableColumns));
    names.push_back(r.name);
    lines.push_back(r.line);
  }
  ok = WriteKdt(JoinPath(p.resDir, "Fight/skill.kdt"), rows) && ok;
  ok = WriteKss(JoinPath(p.resDir, "skill.kss"), names, skills.file, lines) && ok;
  return ok;
}

}  // namespace

bool GenerateWorldTables(const ResgenPaths& paths) {
  World world;
  bool loaded = LoadWorld(paths.dataDir, world);
  bool ok = loaded && CheckWorld(world);
  if (loaded) {
    ok = WriteCityCells(paths, world) && ok;
    ok = WriteCityNames(paths, world) && ok;
    ok = WriteRoads(paths, world) && ok;
    ok = WriteFactionMarks(paths, world) && ok;
    ok = WriteStartPositions(paths, world) && ok;
  }
  ok = WriteMenuLists(paths) && ok;
  ok = WriteBattleMaps(paths) && ok;
  ok = WriteSkills(paths) && ok;
  return ok;
}

bool FinishWorldTables(const ResgenPaths& paths) {
  World world;
  // GenerateWorldTables has already reported what is wrong with the sources.
  if (!LoadWorld(paths.dataDir, world)) return false;
  return WriteCityTables(paths, world);
}
