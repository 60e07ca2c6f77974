// Battle maps (drawn as characters in data/battle/fightmapNN.txt) and the
// skill table (data/battle/skills.tsv), with the rules that keep a battle
// playable on every map from every side.
#include <cstdio>
#include <queue>

#include "tools/resgen/battle/battle_tiles.h"
#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/world/world_data.h"

namespace {

constexpr int kMountainShapes = kTileMountainLast - kTileMountainFirst + 1;

bool IsWaterChar(char ch) { return ch == '~'; }

// Land characters and their tile numbers; '^' and '~' pick their exact tile
// from the neighbourhood.
int LandTile(char ch) {
  switch (ch) {
    case '.': return kTilePlain;
    case ',': return kTileGrass;
    case 'C': return kTileCity;
    case 'v': return kTileVillage;
    case 'f': return kTileForest;
    case 'c': return kTileCamp;
    default: return 0;
  }
}

// Mountains vary their drawing by square so a range does not look stamped.
int MountainTile(int r, int c) { return kTileMountainFirst + (r * 7 + c * 3 + (r * c) % 5) % kMountainShapes; }

bool WaterAt(const std::vector<std::string>& rows, int r, int c) {
  // Rivers run off the edge of the map.
  if (r < 0 || r >= kBattleRows || c < 0 || c >= kBattleCols) return true;
  return IsWaterChar(rows[r][c]);
}

int RiverTileAt(const std::vector<std::string>& rows, int r, int c) {
  return RiverTileFor(WaterAt(rows, r - 1, c), WaterAt(rows, r, c + 1), WaterAt(rows, r + 1, c),
                      WaterAt(rows, r, c - 1), WaterAt(rows, r - 1, c + 1), WaterAt(rows, r + 1, c + 1),
                      WaterAt(rows, r + 1, c - 1), WaterAt(rows, r - 1, c - 1));
}

bool LoadBattleMap(const std::string& path, BattleMap& map) {
  map = BattleMap();
  map.file = path;
  std::vector<SourceRow> lines;
  if (!ReadLineFile(path, lines)) return false;
  if (lines.size() != kBattleRows) {
    ReportError(path, 0,
                "has " + std::to_string(lines.size()) + " map rows; a battle map has " + std::to_string(kBattleRows));
    return false;
  }
  map.firstLine = lines[0].line;
  std::vector<std::string> rows;
  bool ok = true;
  for (const SourceRow& line : lines) {
    if (line.cells[0].size() != kBattleCols) {
      ReportError(path, line.line,
                  "a map row has " + std::to_string(kBattleCols) + " squares, this one " +
                      std::to_string(line.cells[0].size()));
      ok = false;
    }
    rows.push_back(line.cells[0] + std::string(kBattleCols, '.'));
  }
  if (!ok) return false;
  for (int r = 0; r < kBattleRows; ++r) {
    for (int c = 0; c < kBattleCols; ++c) {
      char ch = rows[r][c];
      int tile = ch == '^' ? MountainTile(r, c) : ch == '~' ? RiverTileAt(rows, r, c) : LandTile(ch);
      if (tile == 0) {
        ReportError(path, lines[r].line, std::string("unknown square '") + ch + "' in column " + std::to_string(c));
        ok = false;
      }
      map.tiles[r][c] = tile;
    }
  }
  return ok;
}

std::string SquareText(int r, int c) { return "(" + std::to_string(r) + ", " + std::to_string(c) + ")"; }

bool OnMap(int r, int c) { return r >= 0 && r < kBattleRows && c >= 0 && c < kBattleCols; }

// Infantry walks anything but water (a river costs more than its points).
bool Walkable(const BattleMap& map, int r, int c) { return TerrainKindOfTile(map.tiles[r][c]) != kRiver; }

bool ReachesCity(const BattleMap& map, int fromRow, int fromCol) {
  bool seen[kBattleRows][kBattleCols] = {};
  std::queue<std::pair<int, int>> open;
  open.push({fromRow, fromCol});
  seen[fromRow][fromCol] = true;
  const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  while (!open.empty()) {
    auto [r, c] = open.front();
    open.pop();
    if (map.tiles[r][c] == kTileCity) return true;
    for (const auto& s : steps) {
      int nr = r + s[0], nc = c + s[1];
      if (!OnMap(nr, nc) || seen[nr][nc] || !Walkable(map, nr, nc)) continue;
      seen[nr][nc] = true;
      open.push({nr, nc});
    }
  }
  return false;
}

}  // namespace

bool LoadBattleMaps(const std::string& dataDir, BattleMap (&maps)[kBattleMapCount]) {
  bool ok = true;
  for (int m = 0; m < kBattleMapCount; ++m) {
    char name[40];
    std::snprintf(name, sizeof name, "battle/fightmap%02d.txt", m);
    ok = LoadBattleMap(JoinPath(dataDir, name), maps[m]) && ok;
  }
  return ok;
}

bool CheckBattleMap(const BattleMap& map, int number) {
  bool ok = true;
  auto fail = [&](int row, const std::string& message) {
    ReportError(map.file, row >= 0 ? map.firstLine + row : 0, "map " + std::to_string(number) + ": " + message);
    ok = false;
  };
  for (int r = 0; r < kBattleRows; ++r)
    for (int c = 0; c < kBattleCols; ++c)
      if (!TileKnown(map.tiles[r][c])) fail(r, "tile number out of 1..45 at " + SquareText(r, c));

  const Square defence = DefenceAnchor(number);
  for (int f = 0; f < kDirections; ++f) {
    const Square attack = kAttackAnchors[f];
    for (int pos = 0; pos < kFormationSlots; ++pos) {
      int dr = kFormations[f][pos].row, dc = kFormations[f][pos].col;
      // Defenders hold the walls.
      int r = defence.row + dr, c = defence.col + dc;
      if (!OnMap(r, c))
        fail(-1, "defender square " + SquareText(r, c) + " of formation " + std::to_string(f + 1) + " is off the map");
      else if (map.tiles[r][c] != kTileCity)
        fail(r, "defender square " + SquareText(r, c) + " of formation " + std::to_string(f + 1) +
                    " is not inside the walls");
      // Attackers stand on open land outside them.
      r = attack.row + dr, c = attack.col + dc;
      if (!OnMap(r, c)) {
        fail(-1,
             "attacker square " + SquareText(r, c) + " from direction " + std::to_string(f + 1) + " is off the map");
        continue;
      }
      int kind = TerrainKindOfTile(map.tiles[r][c]);
      if (kind == kRiver)
        fail(r, "attacker square " + SquareText(r, c) + " from direction " + std::to_string(f + 1) + " is river");
      if (kind == kCity)
        fail(r, "attacker square " + SquareText(r, c) + " from direction " + std::to_string(f + 1) + " is a city tile");
    }
    if (OnMap(attack.row, attack.col) && !ReachesCity(map, attack.row, attack.col))
      fail(attack.row, "infantry from direction " + std::to_string(f + 1) + " cannot walk to the city over land");
  }
  return ok;
}

// ---- Skills --------------------------------------------------------------

namespace {

const char* const kWeatherColumns[kWeatherKinds] = {"clear", "overcast", "wind", "rain", "ice"};
const char* const kTerrainColumns[kTerrainKinds] = {"plain",   "grass", "mountain", "forest",
                                                    "village", "city",  "camp",     "river"};
const char* const kTroopColumns[kTroopTypes] = {"cavalry", "infantry", "archer", "navy", "elite", "mystic"};

}  // namespace

bool LoadSkills(const std::string& dataDir, SkillTable& skills) {
  skills = SkillTable();
  TsvTable t;
  skills.file = JoinPath(dataDir, "battle/skills.tsv");
  if (!ReadTsv(skills.file, t)) return false;
  bool ok = true;
  // Column layout of Res/Fight/skill.kdt: 0 number, 1 cost, 2 power, 3 and 4 unused,
  // 5..9 weather, 10..17 caster's terrain, 18..25 target's terrain, 26..31 target's troops.
  for (const SourceRow& row : t.rows) {
    SkillRow s;
    s.line = row.line;
    s.name = t.Cell(row, t.Column("name"));
    ok = t.Int(row, "skill", s.values[0]) && ok;
    ok = t.Int(row, "cost", s.values[kSkillCostColumn]) && ok;
    ok = t.Int(row, "power", s.values[kSkillBasePowerColumn]) && ok;
    for (int w = 0; w < kWeatherKinds; ++w)
      ok = t.Int(row, kWeatherColumns[w], s.values[kSkillWeatherColumn + kWeatherClear + w]) && ok;
    for (int k = 0; k < kTerrainKinds; ++k) {
      ok = t.Int(row, std::string("from_") + kTerrainColumns[k], s.values[kSkillCasterLandColumn + k]) && ok;
      ok = t.Int(row, std::string("at_") + kTerrainColumns[k], s.values[kSkillTargetLandColumn + k]) && ok;
    }
    for (int k = 0; k < kTroopTypes; ++k)
      ok = t.Int(row, std::string("vs_") + kTroopColumns[k], s.values[kSkillTroopColumn + k]) && ok;
    skills.rows.push_back(s);
  }
  return ok;
}

bool CheckSkills(const SkillTable& skills) {
  bool ok = true;
  if (skills.rows.size() != kSkillCount) {
    ReportError(skills.file, 0,
                "has " + std::to_string(skills.rows.size()) + " skills; the battle has " + std::to_string(kSkillCount));
    return false;
  }
  for (int i = 0; i < kSkillCount; ++i) {
    const SkillRow& s = skills.rows[i];
    auto fail = [&](const std::string& message) {
      ReportError(skills.file, s.line, "skill " + std::to_string(i) + " (" + s.name + "): " + message);
      ok = false;
    };
    if (s.values[0] != i) fail("skills must be listed in order 0..24");
    std::string gbk;
    // The skill menu shows the first four bytes of a name.
    if (!ToGbk(s.name, gbk) || gbk.size() != 4) fail("a skill name is two Chinese characters");
    for (int col = kSkillWeatherColumn + kWeatherClear; col < kSkillTableColumns; ++col)
      if (s.values[col] < 0 || s.values[col] > 300)
        fail("percentages lie in 0..300 (column " + std::to_string(col) + ")");
    if (DealsDamage(i)) {
      if (s.values[kSkillBasePowerColumn] <= 0) fail("a damage skill needs a positive power");
      bool anyTarget = false;
      for (int k = 0; k < kTerrainKinds; ++k) anyTarget = anyTarget || s.values[kSkillTargetLandColumn + k] > 0;
      for (int k = 0; k < kTroopTypes; ++k) anyTarget = anyTarget || s.values[kSkillTroopColumn + k] > 0;
      if (!anyTarget) fail("a damage skill must work somewhere");
    }
  }
  // Rules the battle's preconditions imply: the rocks need a mountain to throw
  // from, the siege needs walls to strike.
  for (int skill : {kSkillRockfall, kSkillLogs}) {
    const SkillRow& s = skills.rows[skill];
    for (int k = 0; k < kTerrainKinds; ++k)
      if (k != kMountain && s.values[kSkillCasterLandColumn + k] != 0) {
        ReportError(skills.file, s.line,
                    "skill " + std::to_string(skill) + " is cast from mountains only: from_" + kTerrainColumns[k] +
                        " must be 0");
        ok = false;
      }
  }
  const SkillRow& siege = skills.rows[kSkillSiege];
  for (int k = 0; k < kTerrainKinds; ++k)
    if (k != kCity && siege.values[kSkillTargetLandColumn + k] != 0) {
      ReportError(skills.file, siege.line,
                  std::string("skill 3 strikes walls only: at_") + kTerrainColumns[k] + " must be 0");
      ok = false;
    }
  // Spying is named in the battle's own messages.
  if (skills.rows[kSkillSpy].name != "谍报") {
    ReportError(skills.file, skills.rows[kSkillSpy].line,
                "skill 24 is 谍报 (the battle names it in its failure message)");
    ok = false;
  }
  return ok;
}
