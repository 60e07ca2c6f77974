#include "tools/resgen/people/people_data.h"

#include "tools/resgen/common/resgen_io.h"

const int kScenarioYear[kScenarioCount] = {190, 198, 208, 225};

namespace {

// A name column: "-" stands for none and becomes "".
std::string NameCell(const TsvTable& t, const SourceRow& row, int column) {
  const std::string& cell = t.Cell(row, column);
  return cell == "-" ? std::string() : cell;
}

bool LoadPersons(const std::string& path, PeopleData& data) {
  data.peopleFile = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  int name = t.Column("name");
  bool ok = name >= 0;
  for (const SourceRow& row : t.rows) {
    Person p;
    p.line = row.line;
    p.name = t.Cell(row, name);
    ok = t.Int(row, "slot", p.slot) && ok;
    ok = t.Int(row, "force", p.force) && ok;
    ok = t.Int(row, "intelligence", p.intelligence) && ok;
    ok = t.Int(row, "character", p.character) && ok;
    ok = t.Int(row, "troop", p.troop) && ok;
    ok = t.Int(row, "born", p.born) && ok;
    ok = t.Int(row, "died", p.died) && ok;
    data.people.push_back(p);
  }
  return ok;
}

bool LoadItemDefs(const std::string& path, PeopleData& data) {
  data.itemsFile = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  int name = t.Column("name");
  bool ok = name >= 0;
  for (const SourceRow& row : t.rows) {
    ItemDef d;
    d.line = row.line;
    d.name = t.Cell(row, name);
    ok = t.Int(row, "number", d.number) && ok;
    ok = t.Int(row, "usage", d.usage) && ok;
    ok = t.Int(row, "forceBonus", d.forceBonus) && ok;
    ok = t.Int(row, "intelligenceBonus", d.intelligenceBonus) && ok;
    ok = t.Int(row, "movementBonus", d.movementBonus) && ok;
    ok = t.Int(row, "troopChange", d.troopChange) && ok;
    data.items.push_back(d);
  }
  return ok;
}

bool LoadPlacements(const std::string& path, PeopleScenario& sc) {
  sc.officersFile = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  int name = t.Column("name"), lord = t.Column("lord"), city = t.Column("city");
  int loyalTo = t.Column("loyalTo"), index = t.Column("index");
  bool ok = name >= 0 && lord >= 0 && city >= 0 && loyalTo >= 0 && index >= 0;
  for (const SourceRow& row : t.rows) {
    Placement p;
    p.line = row.line;
    p.name = t.Cell(row, name);
    p.lord = NameCell(t, row, lord);
    p.city = t.Cell(row, city);
    p.loyalTo = NameCell(t, row, loyalTo);
    ok = t.Int(row, "level", p.level) && ok;
    ok = t.Int(row, "loyalty", p.loyalty) && ok;
    ok = t.Int(row, "experience", p.experience) && ok;
    ok = t.Int(row, "soldiers", p.soldiers) && ok;
    if (t.Cell(row, index) != "-") ok = t.Int(row, index, p.index) && ok;
    sc.officers.push_back(p);
  }
  return ok;
}

bool LoadItemPlacements(const std::string& path, PeopleScenario& sc) {
  sc.itemsFile = path;
  TsvTable t;
  if (!ReadTsv(path, t)) return false;
  int name = t.Column("name"), holder = t.Column("holder"), city = t.Column("city"), finder = t.Column("finder");
  bool ok = name >= 0 && holder >= 0 && city >= 0 && finder >= 0;
  for (const SourceRow& row : t.rows) {
    ItemPlacement p;
    p.line = row.line;
    p.name = t.Cell(row, name);
    p.holder = NameCell(t, row, holder);
    p.city = NameCell(t, row, city);
    p.finder = NameCell(t, row, finder);
    ok = t.Int(row, "item", p.item) && ok;
    ok = t.Int(row, "found", p.found) && ok;
    sc.items.push_back(p);
  }
  return ok;
}

}  // namespace

bool LoadPeople(const std::string& dataDir, PeopleData& data) {
  data = PeopleData();
  bool ok = LoadWorld(dataDir, data.world);
  ok = LoadPersons(JoinPath(dataDir, "people.tsv"), data) && ok;
  ok = LoadItemDefs(JoinPath(dataDir, "items.tsv"), data) && ok;
  data.readmeFile = JoinPath(dataDir, "README.md");
  for (int s = 0; s < kScenarioCount; ++s) {
    std::string folder = JoinPath(dataDir, "scenario" + std::to_string(s + 1));
    ok = LoadPlacements(JoinPath(folder, "officers.tsv"), data.scenario[s]) && ok;
    ok = LoadItemPlacements(JoinPath(folder, "items.tsv"), data.scenario[s]) && ok;
  }
  return ok;
}

const Person* FindPerson(const PeopleData& data, const std::string& name) {
  for (const Person& p : data.people)
    if (p.name == name) return &p;
  return nullptr;
}

const ItemDef* FindItem(const PeopleData& data, int number) {
  for (const ItemDef& d : data.items)
    if (d.number == number) return &d;
  return nullptr;
}

int FindCity(const World& world, const std::string& name) {
  for (int i = 0; i < kCityCount; ++i)
    if (world.cities[i].name == name) return i;
  return -1;
}
