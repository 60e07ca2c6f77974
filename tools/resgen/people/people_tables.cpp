// Officers, items, ruler lists and the faction tables, written from the
// people sources once every rule between them and the cities holds.
#include <fstream>
#include <sstream>

#include "tools/resgen/people/people_build.h"
#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/common/tables.h"
#include "tools/resgen/common/resgen_record.h"

namespace {

using Records = std::vector<std::vector<long long>>;

// Ruler lists in ruler-choice order, one per scenario ("Res//1dznq_em.kss" ...).
const char* const kRulerListFile[kScenarioCount] = {"1dznq_em.kss", "2ccjq_em.kss", "3cbzz_em.kss", "4sgdl_em.kss"};

std::string Numbered(const char* stem, int s, const char* ext) { return stem + std::to_string(s + 1) + ext; }

bool WriteOfficers(const ResgenPaths& p, int s, const ScenarioPeople& sp, const std::string& source) {
  Records records;
  std::vector<std::string> names;
  std::vector<int> lines;
  for (int i = 0; i < kOfficerCount; ++i) {
    records.push_back(sp.officers[i].Numbers());
    // The name list covers the living officers; the text grid it loads into has 255 rows.
    if (i < kPeopleIndexLimit) {
      names.push_back(sp.names[i]);
      lines.push_back(sp.sourceLine[i]);
    }
  }
  bool ok = WriteKdt(JoinPath(p.resDir, "Hero/" + Numbered("hero", s, ".kdt")), records);
  return WriteKss(JoinPath(p.resDir, "Hero/" + Numbered("heroname", s, ".kss")), names, source, lines) && ok;
}

bool WriteItems(const ResgenPaths& p, int s, const ScenarioPeople& sp) {
  Records records;
  for (const ItemRecord& r : sp.items) records.push_back(r.Numbers());
  return WriteKdt(JoinPath(p.resDir, "Good/" + Numbered("goods", s, ".kdt")), records);
}

// Line k of the name list names item k + 1; item number 0 means "no item" and has no line.
bool WriteItemNames(const ResgenPaths& p, const PeopleData& data) {
  std::vector<std::string> names;
  std::vector<int> lines;
  for (int n = 1; n < kItemCount; ++n) {
    const ItemDef* d = FindItem(data, n);
    names.push_back(d ? d->name : "");
    lines.push_back(d ? d->line : 0);
  }
  return WriteKss(JoinPath(p.resDir, "goods.kss"), names, data.itemsFile, lines);
}

// The ruler menu and the two faction tables the ruler choice and the side
// panel read: n followed by the n city indices / officer numbers.
bool WriteFactions(const ResgenPaths& p, int s, const std::vector<RulerSummary>& rulers, const std::string& source) {
  Records cities, officers;
  std::vector<std::string> names;
  for (const RulerSummary& r : rulers) {
    std::vector<long long> c{static_cast<long long>(r.cities.size())};
    c.insert(c.end(), r.cities.begin(), r.cities.end());
    cities.push_back(c);
    std::vector<long long> o{static_cast<long long>(r.officers.size())};
    o.insert(o.end(), r.officers.begin(), r.officers.end());
    officers.push_back(o);
    names.push_back(r.name);
  }
  bool ok = WriteKdt(JoinPath(p.resDir, Numbered("citytowho", s, ".kdt")), cities);
  ok = WriteKdt(JoinPath(p.resDir, "Hero/" + Numbered("herotowho", s, ".kdt")), officers) && ok;
  return WriteKss(JoinPath(p.resDir, kRulerListFile[s]), names, source, {}) && ok;
}

// One table row per ruler: what the ruler choice offers, as data/README.md shows it.
std::string RulerTableRow(const PeopleData& data, int s, int choice, const RulerSummary& r) {
  std::ostringstream row;
  row << "| " << s << " | " << choice << " | " << r.name << " | " << r.number << " | "
      << (r.seat >= 0 ? data.world.cities[r.seat].name : "-") << " | " << r.cities.size() << " | " << r.officers.size()
      << " |";
  return row.str();
}

// data/README.md carries the rulers' table; it must match the data it describes.
bool CheckReadmeRulers(const PeopleData& data, const std::vector<std::string>& rows) {
  RunRecord().NoteRead(data.readmeFile);
  std::ifstream in(data.readmeFile);
  std::stringstream text;
  text << in.rdbuf();
  std::string readme = text.str();
  bool ok = true;
  for (const std::string& row : rows) {
    if (readme.find(row) == std::string::npos) {
      ReportError(data.readmeFile, 0, "the rulers' table in \"Officers and items\" lacks the row: " + row);
      ok = false;
    }
  }
  return ok;
}

}  // namespace

bool GeneratePeopleTables(const ResgenPaths& paths) {
  static PeopleData data;
  static ScenarioPeople built;
  if (!LoadPeople(paths.dataDir, data)) return false;
  bool ok = CheckPeopleSources(data);
  std::vector<std::string> readmeRows;
  for (int s = 0; s < kScenarioCount; ++s) {
    if (!BuildScenario(data, s, built) || !CheckScenario(data, s, built)) {
      ok = false;
      continue;
    }
    std::vector<RulerSummary> rulers = SummarizeRulers(data, s, built);
    for (size_t k = 0; k < rulers.size(); ++k)
      readmeRows.push_back(RulerTableRow(data, s, static_cast<int>(k), rulers[k]));
    ok = WriteOfficers(paths, s, built, data.scenario[s].officersFile) && ok;
    ok = WriteItems(paths, s, built) && ok;
    ok = WriteFactions(paths, s, rulers, data.scenario[s].officersFile) && ok;
  }
  ok = WriteItemNames(paths, data) && ok;
  if (ok) ok = CheckReadmeRulers(data, readmeRows);
  return ok;
}
