// The rules that officers, items, rulers and cities must keep together. Each
// breach is reported naming the source file and record; the build stops.
#include <set>

#include "tools/resgen/people/people_build.h"
#include "tools/resgen/common/resgen_io.h"

namespace {

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// A name the game shows: GBK, and short enough for the 10-byte copies the
// reports and the owner column make.
bool CheckName(const std::string& name, const std::string& file, int line) {
  std::string gbk;
  if (name.empty() || !ToGbk(name, gbk)) {
    ReportError(file, line, "name \"" + name + "\" is empty or has a character with no GBK form");
    return false;
  }
  if (static_cast<int>(gbk.size()) > kNameBytes) {
    ReportError(file, line,
                "name \"" + name + "\" is " + std::to_string(gbk.size()) + " GBK bytes; at most " +
                    std::to_string(kNameBytes) + " are shown");
    return false;
  }
  return true;
}

bool CheckRange(int v, int lo, int hi, const char* field, const std::string& who, const std::string& file, int line) {
  if (InRange(v, lo, hi)) return true;
  ReportError(
      file, line,
      who + ": " + field + " " + std::to_string(v) + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
  return false;
}

bool CheckPersons(const PeopleData& data) {
  bool ok = true;
  std::set<std::string> names;
  for (const Person& p : data.people) {
    const std::string& f = data.peopleFile;
    ok = CheckName(p.name, f, p.line) && ok;
    if (!names.insert(p.name).second) {
      ReportError(f, p.line, "\"" + p.name + "\" is listed twice");
      ok = false;
    }
    ok = CheckRange(p.slot, 0, kPeopleIndexLimit - 1, "slot", p.name, f, p.line) && ok;
    ok = CheckRange(p.force, 1, 100, "force", p.name, f, p.line) && ok;
    ok = CheckRange(p.intelligence, 1, 100, "intelligence", p.name, f, p.line) && ok;
    ok = CheckRange(p.character, 0, 4, "character", p.name, f, p.line) && ok;
    ok = CheckRange(p.troop, 0, 3, "troop", p.name, f, p.line) && ok;
    ok = CheckRange(p.died, p.born + 1, 300, "died", p.name, f, p.line) && ok;
  }
  return ok;
}

// Items 23..30 are horses and 31..33 change troops: the game knows them by
// number, so their records must say the same.
bool CheckItemDefs(const PeopleData& data) {
  bool ok = true;
  const std::string& f = data.itemsFile;
  std::set<int> numbers;
  for (const ItemDef& d : data.items) {
    std::string who = "item " + std::to_string(d.number) + " " + d.name;
    ok = CheckName(d.name, f, d.line) && ok;
    if (!CheckRange(d.number, 1, kItemNumberLast, "number", who, f, d.line)) {
      ok = false;
      continue;
    }
    if (!numbers.insert(d.number).second) {
      ReportError(f, d.line, who + " is listed twice");
      ok = false;
    }
    if (d.movementBonus != HorseMovement(d.number)) {
      ReportError(f, d.line,
                  who + ": movementBonus must be " + std::to_string(HorseMovement(d.number)) +
                      ", the movement the game gives for this item number");
      ok = false;
    }
    int troop = d.number == kEliteItem ? 4 : d.number == kMysticItem ? 5 : d.number == kNavyItem ? 3 : 0;
    int usage = troop ? 1 : 0;
    if (d.usage != usage || d.troopChange != troop) {
      ReportError(f, d.line,
                  who + ": usage must be " + std::to_string(usage) + " and troopChange " + std::to_string(troop) +
                      " for this item number");
      ok = false;
    }
    ok = CheckRange(d.forceBonus, 0, 20, "forceBonus", who, f, d.line) && ok;
    ok = CheckRange(d.intelligenceBonus, 0, 20, "intelligenceBonus", who, f, d.line) && ok;
  }
  if (static_cast<int>(numbers.size()) != kItemNumberLast) {
    ReportError(f, 0,
                "lists " + std::to_string(numbers.size()) + " items; items 1.." + std::to_string(kItemNumberLast) +
                    " must each be there");
    ok = false;
  }
  return ok;
}

bool CheckOfficer(const PeopleData& data, int s, const ScenarioPeople& sp, int i) {
  const PeopleScenario& sc = data.scenario[s];
  const OfficerRecord& r = sp.officers[i];
  const std::string& f = sc.officersFile;
  int line = sp.sourceLine[i];
  std::string who = sp.names[i];
  const Person& person = *FindPerson(data, sp.names[i]);
  bool ok = true;
  if (r.age < kMinAge || person.died < kScenarioYear[s]) {
    ReportError(f, line, who + " is not of age or not alive in " + std::to_string(kScenarioYear[s]));
    ok = false;
  }
  bool ruler = r.heroOwnerId == i + 1;
  bool serving = r.heroOwnerId != 0;
  if (serving && !ruler && sp.officers[r.heroOwnerId - 1].heroOwnerId != r.heroOwnerId) {
    ReportError(f, line, who + " serves " + sp.names[r.heroOwnerId - 1] + ", who is not a ruler");
    ok = false;
  }
  ok = CheckRange(r.level, 1, kMaxLevel, "level", who, f, line) && ok;
  ok = CheckRange(r.loyalty, ruler ? 100 : 1, 100, "loyalty", who, f, line) && ok;
  ok = CheckRange(r.experience, 0, kMaxExperience, "experience", who, f, line) && ok;
  int capacity = serving ? SoldierCapacity(r.level, r.force, r.intelligence) : 0;
  ok = CheckRange(r.soldiers, 0, capacity, "soldiers", who, f, line) && ok;
  ok = CheckRange(r.force, 1, kAbilityCeiling, "force with items", who, f, line) && ok;
  ok = CheckRange(r.intelligence, 1, kAbilityCeiling, "intelligence with items", who, f, line) && ok;
  if (r.cityNo < 1 || r.cityNo > kMapCityCount) {
    ReportError(f, line, who + " must stand in a city on the map");
    ok = false;
  } else if (serving && data.world.scenario[s][r.cityNo - 1].ownerId != r.heroOwnerId) {
    ReportError(f, line,
                who + " serves officer " + std::to_string(r.heroOwnerId) + " but stands in " +
                    data.world.cities[r.cityNo - 1].name + ", which that ruler does not hold");
    ok = false;
  }
  if (r.loyalToId == i + 1) {
    ReportError(f, line, who + " is loyal to himself");
    ok = false;
  } else if (r.loyalToId && serving) {
    ReportError(f, line, who + " serves a lord already; only a free officer waits for the one who may recruit him");
    ok = false;
  } else if (r.loyalToId && sp.officers[r.loyalToId - 1].heroOwnerId == 0) {
    // Only an officer of a faction searches, so a free one would leave him waiting for ever.
    ReportError(f, line,
                who + " waits for " + sp.names[r.loyalToId - 1] + ", who serves no faction and never searches");
    ok = false;
  }
  return ok;
}

bool CheckRulers(const PeopleData& data, int s, const ScenarioPeople& sp) {
  const std::string& f = data.scenario[s].officersFile;
  bool ok = true;
  std::set<int> table;
  for (const RulerSummary& r : SummarizeRulers(data, s, sp)) {
    table.insert(r.number);
    const OfficerRecord& o = sp.officers[r.number - 1];
    std::string who = "ruler " + std::to_string(r.number) + " (" + (r.name.empty() ? "nobody" : r.name) + ")";
    if (o.heroOwnerId != r.number || o.loyalty != 100) {
      ReportError(
          f, sp.sourceLine[r.number - 1],
          who + " must be placed at index " + std::to_string(r.number - 1) + " as his own lord with loyalty 100");
      ok = false;
    }
    if (r.cities.empty()) {
      ReportError(data.world.scenarioFile[s], 0, who + " holds no city");
      ok = false;
    }
    if (r.seat >= 0 && o.cityNo != r.seat + 1) {
      ReportError(f, sp.sourceLine[r.number - 1], who + " must stand in his seat " + data.world.cities[r.seat].name);
      ok = false;
    }
  }
  for (int i = 0; i < kOfficerCount; ++i) {
    if (sp.officers[i].heroOwnerId == i + 1 && !table.count(i + 1)) {
      ReportError(
          f, sp.sourceLine[i],
          sp.names[i] + " is his own lord but index " + std::to_string(i) + " is not in the scenario's ruler table");
      ok = false;
    }
  }
  for (int c = 0; c < kCityCount; ++c) {
    int owner = data.world.scenario[s][c].ownerId;
    if (owner != 0 && !table.count(owner)) {
      ReportError(data.world.scenarioFile[s], data.world.scenario[s][c].line,
                  "owner " + std::to_string(owner) + " is not in the ruler table");
      ok = false;
    }
  }
  return ok;
}

bool CheckItems(const PeopleData& data, int s, const ScenarioPeople& sp) {
  const PeopleScenario& sc = data.scenario[s];
  bool ok = true;
  int useItems[kOfficerCount] = {}, horses[kOfficerCount] = {};
  for (int n = 1; n < kItemCount; ++n) {
    const ItemRecord& rec = sp.items[n];
    const ItemDef* def = FindItem(data, n);
    int line = sp.itemLine[n];
    if (!line) {
      ReportError(sc.itemsFile, 0, "item " + std::to_string(n) + " is not placed");
      ok = false;
      continue;
    }
    const ItemPlacement* ip = nullptr;
    for (const ItemPlacement& p : sc.items)
      if (p.line == line) ip = &p;
    std::string who = "item " + std::to_string(n) + " " + def->name;
    if (ip && ip->name != def->name) {
      ReportError(sc.itemsFile, line, who + " is named \"" + ip->name + "\" here");
      ok = false;
    }
    ok = CheckRange(rec.found, rec.holderId ? 1 : 0, 1, "found", who, sc.itemsFile, line) && ok;
    if (rec.finderId == kLostItemFinder && (rec.found || rec.holderId)) {
      ReportError(sc.itemsFile, line, who + " went with its dead finder: it must lie hidden, not held or found");
      ok = false;
    }
    if (rec.goodCityNo < 1 || rec.goodCityNo > kMapCityCount) {
      ReportError(sc.itemsFile, line, who + " must lie in (or be held in) a city on the map");
      ok = false;
    }
    if (!rec.holderId) continue;
    const OfficerRecord& h = sp.officers[rec.holderId - 1];
    if (HorseMovement(n) && ++horses[rec.holderId - 1] > 1) {
      ReportError(sc.itemsFile, line, who + ": " + sp.names[rec.holderId - 1] + " already rides a horse");
      ok = false;
    }
    if (rec.usage == 0 && h.item1 != n && h.item2 != n) {
      ReportError(sc.itemsFile, line, who + " is not in its holder's item slots");
      ok = false;
    }
    if (rec.usage == 1 && ++useItems[rec.holderId - 1] > 1) {
      ReportError(sc.itemsFile, line, who + ": " + sp.names[rec.holderId - 1] + " already holds an item for use");
      ok = false;
    }
    bool needsForce = n == kEliteItem && h.force < kItemUseThreshold;
    bool needsIntelligence = n == kMysticItem && h.intelligence < kItemUseThreshold;
    if (needsForce || needsIntelligence) {
      ReportError(sc.itemsFile, line,
                  who + " needs " + (needsForce ? "force" : "intelligence") + " " + std::to_string(kItemUseThreshold) +
                      " with equipment; " + sp.names[rec.holderId - 1] + " falls short");
      ok = false;
    }
  }
  // Both ways: every filled slot names an item held by that officer.
  for (int i = 0; i < kOfficerCount; ++i) {
    for (int item : {sp.officers[i].item1, sp.officers[i].item2}) {
      if (item && (item >= kItemCount || sp.items[item].holderId != i + 1)) {
        ReportError(sc.officersFile, sp.sourceLine[i],
                    sp.names[i] + " holds item " + std::to_string(item) + " which does not name him as holder");
        ok = false;
      }
    }
  }
  return ok;
}

bool CheckStyles(const PeopleData& data, int s, const ScenarioPeople& sp) {
  bool ok = true;
  for (int style = 0; style < 4; ++style) {
    int idx = kHeroStyleTable[s][style];
    if (idx < 0) continue;
    if (sp.names[idx].empty()) {
      ReportError(data.scenario[s].officersFile, 0,
                  "the style-" + std::to_string(style + 1) + " officer index " + std::to_string(idx) + " is empty");
      ok = false;
    }
  }
  return ok;
}

}  // namespace

bool CheckPeopleSources(const PeopleData& data) {
  bool ok = CheckPersons(data);
  return CheckItemDefs(data) && ok;
}

bool CheckScenario(const PeopleData& data, int s, const ScenarioPeople& sp) {
  bool ok = true;
  for (int i = 0; i < kOfficerCount; ++i) {
    if (sp.names[i].empty()) {
      const OfficerRecord& r = sp.officers[i];
      if (r.heroOwnerId || r.cityNo || r.item1 || r.item2) {
        ReportError(data.scenario[s].officersFile, 0, "record " + std::to_string(i) + " must stay empty");
        ok = false;
      }
      continue;
    }
    if (i >= kPeopleIndexLimit) {
      ReportError(data.scenario[s].officersFile, sp.sourceLine[i],
                  sp.names[i] + " sits at index " + std::to_string(i) + "; officers live below " +
                      std::to_string(kPeopleIndexLimit));
      ok = false;
    }
    ok = CheckOfficer(data, s, sp, i) && ok;
  }
  ok = CheckRulers(data, s, sp) && ok;
  ok = CheckItems(data, s, sp) && ok;
  ok = CheckStyles(data, s, sp) && ok;
  return ok;
}
