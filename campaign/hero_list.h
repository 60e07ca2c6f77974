#pragma once
// The 300 officer slots of the campaign, the officer list screen (six column
// pages over one of six officer groups) and the name lookups.
#include "rules/troops.h"
#include "rules/world.h"
#include "shell/json_writer.h"

constexpr int kDeadOwner = 300;  // heroOwnerId of a dead officer; above it a captive
constexpr int kHeroListRows = 6;
constexpr int kHeroColumnPages = 6;
constexpr int kHeroNameBuffer = 20;
constexpr int kFullStamina = 100;
constexpr int kMaxAbility = 200;
constexpr int kMaxLoyalty = 100;
// Troop types as the officer and item lists name them.
constexpr const char* kTroopWords[kTroopTypes] = {"骑兵", "步兵", "弓兵", "水兵", "极兵", "玄兵"};

// The officer lists opened outside the 24 orders, by the number HeroList::Init
// takes in place of an order.
constexpr int kNewRulerCommand = 25;     // all the player's officers, in every city
constexpr int kDefencePickCommand = 26;  // the defenders of a city under attack

// inListFlag values.
constexpr int kActed = 0;
constexpr int kIdle = 1;
constexpr int kPicked = 2;
constexpr int kTravelling = 3;

// The six groups of a listing, in the order they stand in listIds.
enum HeroGroup {
  kGroupCityOfficers = 0,
  kGroupCityCaptives,
  kGroupFreeOfficers,
  kGroupOtherOfficers,
  kGroupOtherRulers,
  kGroupOwnOfficers,
  kGroupCount
};

// Set while the second list of a two-step command is due; they make the list
// show the group the second officer is picked from.
extern int captiveListFlag;
extern int foreignOfficerListFlag;
extern int rulerListFlag;

struct HeroRecord {
  int heroId = 0;
  int heroOwnerId = 0;
  int level = 0;
  int force = 0;
  int intelligence = 0;
  int loyalty = 0;
  int character = 0;
  int experience = 0;
  int stamina = 0;
  int troopType = 0;
  int soldiers = 0;
  int item1 = 0;
  int item2 = 0;
  int age = 0;
  int cityNo = 0;
  int inListFlag = 0;
  int itemBonus = 0;
  int loyalToId = 0;

  bool IsRuler() const { return heroOwnerId == heroId + 1; }
  bool IsCaptive() const { return heroOwnerId > kDeadOwner; }
  bool ServesFaction() const { return heroOwnerId > 0 && heroOwnerId < kDeadOwner; }
  void Dump(JsonWriter& out) const;
};

// The movement bonus an item number gives its holder (0 for items without one).
int ItemMovementBonus(int item);

class HeroList {
 public:
  HeroRecord heroes[kHeroCount];
  int listTop = 0;
  int columnPage = 0;
  char heroName[kHeroNameBuffer] = {};
  char ownerName[kHeroNameBuffer] = {};
  char cityName[kHeroNameBuffer] = {};
  char troopName[kHeroNameBuffer] = {};
  char item1Name[kHeroNameBuffer] = {};
  char item2Name[kHeroNameBuffer] = {};
  int listIds[kHeroCount] = {};
  int cellX = 0;
  int cellY = 0;
  int cityIndex = 0;
  int scenario = 0;
  int cityOfficerCount = 0;
  int cityCaptiveCount = 0;
  int freeOfficerCount = 0;
  int otherOfficerCount = 0;
  int otherRulerCount = 0;
  int ownOfficerCount = 0;
  int showAtTop = 0;
  int showAtBottom = 0;
  int showRow = 0;
  int showFirst = 0;
  int listCursor = 0;
  int listStyle = 0;
  int playerRulerNo = 0;

  void PubInit(int scenario);
  // `command` is the order the list is for (rules/orders.h), or
  // kNewRulerCommand or kDefencePickCommand.
  void Init(int x, int y, int scenario, int command, int playerRulerNo);
  void GetListStyle(int command);
  void GetCityNum();
  void GetHeroNum();
  void Show(int key);
  // The shown row (as listCursor counts them) drawn at (x, y), -1 for none.
  int RowAt(int x, int y) const;
  // 1 chosen (or the shown group is empty), -1 leave, 0 stay.
  int KeyDown(int key);
  void DeleteHero(int position);
  void ClearInListFlag();

  void GetHeroName(int position);
  void GetHeroTo(int heroIndex);
  void GetHeroCity(int position);
  void GetStyle(int troopType);
  void GetGoods(int item, char* out);
  // The loyalty column: "--" for a ruler, who owes loyalty to no one.
  void LoyaltyText(int heroIndex, char* out, int size) const;

  // The group the current style shows: its first position in listIds and its size.
  void ShownGroup(int& offset, int& count) const;
  // The officer index at position `pick` of the shown group; -1 outside it.
  int PickedHero(int pick) const;
  // The officer index at position `pick` of group 1 (the city's idle officers).
  int CityOfficerAt(int pick) const;
  int GroupCount(int group) const;
  int GroupOffset(int group) const;

  void Dump(JsonWriter& out) const;  // the list state
  void DumpRecords(JsonWriter& out) const;

 private:
  void LoadHero(int scenario, int wanted);
  void Append(int heroIndex, int& count);
  bool DrawsNothing() const;
  void ShowRow(int row, int heroIndex);
};
