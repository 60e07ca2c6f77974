#pragma once
// The people of the four scenarios as read from data/: the lasting traits of
// every person (people.tsv), the treasures (items.tsv), and per scenario where
// each officer stands and where each treasure lies. Loading only parses;
// BuildPeople turns the sources into the game's records and CheckPeople judges
// them, so the tests can break loaded data on purpose and see the rule that
// catches it.
#include <string>
#include <vector>

#include "tools/resgen/world/world_data.h"

constexpr int kPeopleIndexLimit = 200;  // the month end rests and ages officers 0..199 only
constexpr int kItemCount = 50;          // item records 0..49; number 0 means "no item"
constexpr int kItemNumberLast = kItemCount - 1;
extern const int kScenarioYear[kScenarioCount];

struct Person {
  int line = 0;
  std::string name;
  int slot = -1;  // the officer index the person keeps wherever no fixed index applies
  int force = 0, intelligence = 0, character = 0, troop = 0;
  int born = 0, died = 0;
};

struct ItemDef {
  int line = 0;
  int number = 0;
  std::string name;
  int usage = 0, forceBonus = 0, intelligenceBonus = 0, movementBonus = 0, troopChange = 0;
};

// One officer of a scenario, by names as the data file writes them ("-" none).
struct Placement {
  int line = 0;
  std::string name, lord, city, loyalTo;
  int level = 0, loyalty = 0, experience = 0, soldiers = 0;
  int index = -1;  // fixed officer index, or -1 for the person's slot
};

struct ItemPlacement {
  int line = 0;
  int item = 0;
  std::string name, holder, city, finder;
  int found = 0;
};

struct PeopleScenario {
  std::string officersFile, itemsFile;
  std::vector<Placement> officers;
  std::vector<ItemPlacement> items;
};

struct PeopleData {
  std::string peopleFile, itemsFile, readmeFile;
  std::vector<Person> people;
  std::vector<ItemDef> items;
  PeopleScenario scenario[kScenarioCount];
  World world;  // cities and their owners, which the officers must agree with
};

bool LoadPeople(const std::string& dataDir, PeopleData& data);

// Look-ups by name; nullptr when absent.
const Person* FindPerson(const PeopleData& data, const std::string& name);
const ItemDef* FindItem(const PeopleData& data, int number);
// City index by name (any of the 50), or -1.
int FindCity(const World& world, const std::string& name);
