#include "tools/resgen/people/people_build.h"

#include <map>

#include "tools/resgen/common/resgen_io.h"

const int kHeroStyleTable[kScenarioCount][4] = {
    {124, 157, 184, 135},
    {170, -1, 169, 171},
    {165, 90, 185, 20},
    {-1, 72, 152, 5},
};

std::vector<long long> OfficerRecord::Numbers() const {
  return {heroId,  heroOwnerId, level,    force, intelligence, loyalty, character, experience,
          stamina, troopType,   soldiers, item1, item2,        age,     cityNo,    loyalToId};
}

std::vector<long long> ItemRecord::Numbers() const {
  return {goodId,        holderId,    usage,      forceBonus, intelligenceBonus,
          movementBonus, troopChange, goodCityNo, finderId,   found};
}

int HorseMovement(int itemNumber) {
  if (itemNumber == 23) return 3;
  if (itemNumber == 24 || itemNumber == 25) return 2;
  if (itemNumber >= 26 && itemNumber <= 30) return 1;
  return 0;
}

int SoldierCapacity(int level, int force, int intelligence) { return (level * 10 + force + intelligence) * 10; }

namespace {

using IndexMap = std::map<std::string, int>;

// First pass: every placed person gets his officer index.
bool AssignIndices(const PeopleData& data, const PeopleScenario& sc, ScenarioPeople& out, IndexMap& indexOf) {
  bool ok = true;
  for (const Placement& p : sc.officers) {
    const Person* person = FindPerson(data, p.name);
    if (!person) {
      ReportError(sc.officersFile, p.line, "\"" + p.name + "\" is not in " + data.peopleFile);
      ok = false;
      continue;
    }
    if (indexOf.count(p.name)) {
      ReportError(sc.officersFile, p.line, "\"" + p.name + "\" is placed twice");
      ok = false;
      continue;
    }
    int idx = p.index >= 0 ? p.index : person->slot;
    if (idx < 0 || idx >= kPeopleIndexLimit) {
      ReportError(sc.officersFile, p.line,
                  "\"" + p.name + "\" would take index " + std::to_string(idx) + "; officers live at 0.." +
                      std::to_string(kPeopleIndexLimit - 1));
      ok = false;
      continue;
    }
    if (out.sourceLine[idx] != 0) {
      ReportError(sc.officersFile, p.line,
                  "\"" + p.name + "\" would take index " + std::to_string(idx) + ", which \"" + out.names[idx] +
                      "\" already holds");
      ok = false;
      continue;
    }
    out.names[idx] = p.name;
    out.sourceLine[idx] = p.line;
    indexOf[p.name] = idx;
  }
  return ok;
}

// An officer number from a name cell; 0 for none, -1 (reported) when the
// name is not an officer of this scenario.
int NumberOf(const IndexMap& indexOf, const std::string& name, const std::string& file, int line, const char* what) {
  if (name.empty()) return 0;
  auto it = indexOf.find(name);
  if (it == indexOf.end()) {
    ReportError(file, line, std::string(what) + " \"" + name + "\" is not an officer of this scenario");
    return -1;
  }
  return it->second + 1;
}

int CityNumberOf(const World& world, const std::string& name, const std::string& file, int line) {
  int city = FindCity(world, name);
  if (city < 0) ReportError(file, line, "no city \"" + name + "\" in " + world.citiesFile);
  return city + 1;
}

bool BuildOfficers(const PeopleData& data, int s, ScenarioPeople& out, const IndexMap& indexOf) {
  const PeopleScenario& sc = data.scenario[s];
  bool ok = true;
  for (const Placement& p : sc.officers) {
    auto it = indexOf.find(p.name);
    if (it == indexOf.end() || out.sourceLine[it->second] != p.line) continue;
    const Person& person = *FindPerson(data, p.name);
    OfficerRecord& r = out.officers[it->second];
    int owner = NumberOf(indexOf, p.lord, sc.officersFile, p.line, "lord");
    int loyalTo = NumberOf(indexOf, p.loyalTo, sc.officersFile, p.line, "loyalTo");
    int cityNo = CityNumberOf(data.world, p.city, sc.officersFile, p.line);
    ok = ok && owner >= 0 && loyalTo >= 0 && cityNo > 0;
    r.heroOwnerId = owner < 0 ? 0 : owner;
    r.level = p.level;
    r.force = person.force;
    r.intelligence = person.intelligence;
    r.loyalty = p.loyalty;
    r.character = person.character;
    r.experience = p.experience;
    r.stamina = kFullStamina;
    r.troopType = person.troop;
    r.soldiers = p.soldiers;
    r.age = kScenarioYear[s] - person.born;
    r.cityNo = cityNo;
    r.loyalToId = loyalTo < 0 ? 0 : loyalTo;
  }
  return ok;
}

// Hands a held item to its holder the way the game's giving does: equipment
// fills the first free slot and adds its bonuses, an item for use changes the
// troops.
bool GiveItem(const ItemDef& def, const PeopleScenario& sc, int line, OfficerRecord& holder) {
  if (def.usage == 1) {
    holder.troopType = def.troopChange;
    return true;
  }
  int* slot = holder.item1 == 0 ? &holder.item1 : holder.item2 == 0 ? &holder.item2 : nullptr;
  if (!slot) {
    ReportError(sc.itemsFile, line,
                "officer " + std::to_string(holder.heroId + 1) + " would hold a third item (" + def.name +
                    "); an officer has two item slots");
    return false;
  }
  *slot = def.number;
  holder.force += def.forceBonus;
  holder.intelligence += def.intelligenceBonus;
  return true;
}

bool BuildItems(const PeopleData& data, int s, ScenarioPeople& out, const IndexMap& indexOf) {
  const PeopleScenario& sc = data.scenario[s];
  bool ok = true;
  const ItemPlacement* byNumber[kItemCount] = {};
  for (const ItemPlacement& ip : sc.items) {
    const ItemDef* def = FindItem(data, ip.item);
    if (!def || ip.item < 1 || ip.item > kItemNumberLast) {
      ReportError(sc.itemsFile, ip.line, "item " + std::to_string(ip.item) + " is not in " + data.itemsFile);
      ok = false;
      continue;
    }
    if (byNumber[ip.item]) {
      ReportError(sc.itemsFile, ip.line, "item " + std::to_string(ip.item) + " is placed twice");
      ok = false;
      continue;
    }
    byNumber[ip.item] = &ip;
  }
  // In item-number order, so an officer's two slots list his items ascending as the game lists them.
  for (int n = 1; n < kItemCount; ++n) {
    const ItemPlacement* ip = byNumber[n];
    if (!ip) continue;
    const ItemDef& def = *FindItem(data, n);
    ItemRecord& rec = out.items[n];
    out.itemLine[n] = ip->line;
    rec.usage = def.usage;
    rec.forceBonus = def.forceBonus;
    rec.intelligenceBonus = def.intelligenceBonus;
    rec.movementBonus = def.movementBonus;
    rec.troopChange = def.troopChange;
    rec.found = ip->found;
    // A finder who died before the scenario's year takes the treasure with him:
    // the item names a record no officer ever fills, so no search turns it up.
    const Person* gone = indexOf.count(ip->finder) ? nullptr : FindPerson(data, ip->finder);
    int finder = gone && gone->died < kScenarioYear[s]
                     ? kLostItemFinder
                     : NumberOf(indexOf, ip->finder, sc.itemsFile, ip->line, "finder");
    rec.finderId = finder < 0 ? 0 : finder;
    ok = finder >= 0 && ok;
    int holder = NumberOf(indexOf, ip->holder, sc.itemsFile, ip->line, "holder");
    if (holder > 0) {
      rec.holderId = holder;
      rec.goodCityNo = out.officers[holder - 1].cityNo;
      ok = GiveItem(def, sc, ip->line, out.officers[holder - 1]) && ok;
    } else if (holder == 0 && !ip->city.empty()) {
      rec.goodCityNo = CityNumberOf(data.world, ip->city, sc.itemsFile, ip->line);
      ok = rec.goodCityNo > 0 && ok;
    } else if (holder == 0) {
      ReportError(sc.itemsFile, ip->line, def.name + " lies nowhere: it needs a holder or a city");
      ok = false;
    } else {
      ok = false;
    }
  }
  return ok;
}

}  // namespace

bool BuildScenario(const PeopleData& data, int s, ScenarioPeople& out) {
  out = ScenarioPeople();
  for (int i = 0; i < kOfficerCount; ++i) out.officers[i].heroId = i;
  for (int i = 0; i < kItemCount; ++i) out.items[i].goodId = i;
  IndexMap indexOf;
  bool ok = AssignIndices(data, data.scenario[s], out, indexOf);
  ok = BuildOfficers(data, s, out, indexOf) && ok;
  ok = BuildItems(data, s, out, indexOf) && ok;
  return ok;
}

std::vector<RulerSummary> SummarizeRulers(const PeopleData& data, int s, const ScenarioPeople& sp) {
  std::vector<RulerSummary> rulers;
  for (int k = 0; k < kRulerCount[s]; ++k) {
    RulerSummary r;
    r.number = kRulerTable[s][k];
    if (r.number >= 1 && r.number <= kOfficerCount) r.name = sp.names[r.number - 1];
    r.seat = SeatOf(data.world, s, k);
    for (int c = 0; c < kCityCount; ++c)
      if (data.world.scenario[s][c].ownerId == r.number) r.cities.push_back(c);
    for (int i = 0; i < kOfficerCount; ++i)
      if (sp.officers[i].heroOwnerId == r.number) r.officers.push_back(i + 1);
    rulers.push_back(r);
  }
  return rulers;
}
