#pragma once
// The world as read from data/: cities, the links between them, each
// scenario's city records, battle maps and skills. Loading only parses;
// CheckWorld and its companions judge the content, so the tests can break a
// loaded world on purpose and see the rule that catches it.
#include <string>
#include <vector>

#include "tools/resgen/world/world_rules.h"

struct CityInfo {
  int line = 0;  // source line, for messages
  std::string name;
  std::string pinyin;
  bool onMap = false;
  int col = -1, row = -1;  // strategic map cell
  int whoX = 0, whoY = 0;  // faction map mark, back-buffer pixels
  std::string province;    // the Han province, written on the strategic map
  int farmingMax = 0, commerceMax = 0, populationMax = 0;
};

struct ScenarioCity {
  int line = 0;
  int ownerId = 0;
  int seat = 0;
  int farming = 0, commerce = 0, peopleLoyalty = 0, disasterPrevention = 0;
  int population = 0, money = 0, food = 0, reserveSoldiers = 0;
  int extra[4] = {0, 0, 0, 0};
};

// One two-way link, written once: `to` lies in `direction` (1..8) as seen from `from`.
struct CityLink {
  int line = 0;
  int from = 0, to = 0;  // city indices
  int direction = 0;
};

struct World {
  std::string citiesFile;
  CityInfo cities[kCityCount];
  std::string scenarioFile[kScenarioCount];
  ScenarioCity scenario[kScenarioCount][kCityCount];
  std::string linksFile;
  std::vector<CityLink> links;
};

bool LoadWorld(const std::string& dataDir, World& world);
// Every rule of the cities, links and scenario tables; reports each breach
// naming file and record. True when all hold.
bool CheckWorld(const World& world);

// The start position line of a ruler-choice entry: arrowX, arrowY, scrollX,
// scrollY, cursorCol, cursorRow, with the cursor on the ruler's seat.
struct StartPosition {
  int arrowX, arrowY, scrollX, scrollY, col, row;
};
StartPosition StartPositionFor(int col, int row);
// The seat city of ruler-choice entry k of scenario s, or -1.
int SeatOf(const World& world, int s, int k);

// ---- Battle maps ---------------------------------------------------------

struct BattleMap {
  std::string file;
  int firstLine = 0;  // source line of map row 0
  int tiles[kBattleRows][kBattleCols] = {};
};
bool LoadBattleMaps(const std::string& dataDir, BattleMap (&maps)[kBattleMapCount]);
// Tiles in range, the walled city at the defence anchor, every deployment
// square on land and attackers never on the wall, and a walk for infantry
// from every attack anchor to the city.
bool CheckBattleMap(const BattleMap& map, int number);

// ---- Skills --------------------------------------------------------------

struct SkillRow {
  int line = 0;
  std::string name;
  int values[kSkillTableColumns] = {};
};
struct SkillTable {
  std::string file;
  std::vector<SkillRow> rows;
};
bool LoadSkills(const std::string& dataDir, SkillTable& skills);
bool CheckSkills(const SkillTable& skills);
