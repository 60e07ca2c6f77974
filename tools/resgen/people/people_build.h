#pragma once
// From the people sources to the game's records of one scenario, and every
// rule that ties officers, items, rulers and cities together.
#include <string>
#include <vector>

#include "tools/resgen/people/people_data.h"

// An officer record as the table file holds it: the 16 numbers in file order.
struct OfficerRecord {
  int heroId = 0, heroOwnerId = 0, level = 0, force = 0, intelligence = 0, loyalty = 0, character = 0, experience = 0,
      stamina = 0, troopType = 0, soldiers = 0, item1 = 0, item2 = 0, age = 0, cityNo = 0, loyalToId = 0;
  std::vector<long long> Numbers() const;
};

// An item record: the 10 numbers in file order.
struct ItemRecord {
  int goodId = 0, holderId = 0, usage = 0, forceBonus = 0, intelligenceBonus = 0, movementBonus = 0, troopChange = 0,
      goodCityNo = 0, finderId = 0, found = 0;
  std::vector<long long> Numbers() const;
};

// Officers that fight with a special style, by scenario and style 1..4
// (officer indices, -1 none): the battle looks them up at these indices.
extern const int kHeroStyleTable[kScenarioCount][4];

constexpr int kFullStamina = 100;  // the game replaces the table's stamina with this anyway
constexpr int kMinAge = 13;        // younger people are not yet officers
constexpr int kMaxLevel = 20;
constexpr int kMaxExperience = 99;
constexpr int kAbilityCeiling = 200;            // the game turns a larger force or intelligence into 1
constexpr int kLostItemFinder = kOfficerCount;  // officer number of record 299, which never holds an officer
constexpr int kEliteItem = 31, kMysticItem = 32, kNavyItem = 33;
constexpr int kItemUseThreshold = 106;  // force for item 31, intelligence for item 32

// Movement the game derives from a horse's item number when it loads an officer.
int HorseMovement(int itemNumber);
// Soldiers an officer can lead: the game's own ceiling for assigning soldiers.
int SoldierCapacity(int level, int force, int intelligence);

struct ScenarioPeople {
  OfficerRecord officers[kOfficerCount];
  std::string names[kOfficerCount];    // UTF-8, "" for an empty record
  int sourceLine[kOfficerCount] = {};  // line of the placement, 0 for an empty record
  ItemRecord items[kItemCount];
  int itemLine[kItemCount] = {};
};

// Resolves names, indices, cities and items into records. Reports every
// reference that cannot be resolved (unknown people, cities, items) and every
// index that two officers would share.
bool BuildScenario(const PeopleData& data, int s, ScenarioPeople& out);

// The rules of the sources themselves: people.tsv and items.tsv.
bool CheckPeopleSources(const PeopleData& data);
// The cross-file rules of one built scenario.
bool CheckScenario(const PeopleData& data, int s, const ScenarioPeople& sp);

// The ruler lines the faction tables and the ruler menu are made of, in
// ruler-choice order.
struct RulerSummary {
  int number = 0;  // officer number
  std::string name;
  int seat = -1;
  std::vector<int> cities;    // city indices held
  std::vector<int> officers;  // officer numbers serving, the ruler included
};
std::vector<RulerSummary> SummarizeRulers(const PeopleData& data, int s, const ScenarioPeople& sp);
