#pragma once
// How many cities and officers each ruler starts with, from the faction tables.

constexpr int kFactionLineCapacity = 300;

class Country {
 public:
  int GetCityNum(int rulerIndex, int scenario);
  int GetHeroNum(int rulerIndex, int scenario);
  // Reads lines "n k1 .. kn" from the start until line `lineIndex` (0-based) or
  // the end of the file; leaves the last line read in `count` and `list`
  // (at most kFactionLineCapacity numbers are kept; `list` must hold that many).
  static void GetOwner(const char* file, int lineIndex, int& count, int* list);
};
