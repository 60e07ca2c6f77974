#pragma once
// A search of a city, for the player's search task and the computer rulers'
// interior work alike. Drawing it decides what turns up and changes no record;
// applying it does with the find what both sides do.
#include "campaign/city_list.h"
#include "campaign/good_list.h"
#include "campaign/hero_list.h"

// What a search turned up; the numbers are the search report's results.
enum SearchKind {
  kSearchNothing = 0,
  kSearchOfficer = 1,  // value: his index when he joins, -(index + 1) when he refuses
  kSearchItem = 2,     // value: the item's index
  kSearchMoney = 3,    // value: the amount
  kSearchFood = 4,     // value: the amount
  kSearchHeardOfSage = 5,
};

struct SearchFind {
  int kind = kSearchNothing;
  int value = 0;
  int joinLoyalty = 0;     // the loyalty a joining officer starts with
  bool waitedFor = false;  // the item was waiting for this very searcher
};

// The officer `searcher` searches city `city` (0-based), drawing in the order
// the rules fix.
SearchFind DrawSearch(const HeroList& heroes, const GoodList& goods, int searcher, int city);

// A joining officer takes the city's owner as his, an item is no longer
// hidden, money and food go to the city.
void ApplySearch(const SearchFind& find, HeroList& heroes, GoodList& goods, CityRecord& city);
