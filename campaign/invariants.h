#pragma once
// The promises the campaign records make to each other. The monkey player checks
// them after every key, so a key that breaks one is caught at the key that broke
// it rather than at the crash it would cause many keys later. The promises of
// the map, its lists and the battle are checked on top of these by the program
// (app/game_invariants.h).
#include <string>

class CityList;
class GoodList;
class HeroList;

// Collects the first failure only: later checks often fail because of it.
class InvariantChecker {
 public:
  bool Ok() const { return failure_.empty(); }
  const std::string& Failure() const { return failure_; }

  // Records the printf-style description when `holds` is false and nothing
  // failed before; returns `holds`.
  bool Expect(bool holds, const char* format, ...);

 private:
  std::string failure_;
};

// The officers, cities and items. `crowningRuler` names the faction that may
// be without a living ruler while the player picks its new one (0: none).
// With damaged data tables the records cannot agree on who rules whom (a
// missing officer table leaves cities owned by nobody's ruler), so
// `rulersFromData` false leaves those two checks out; every bound still holds.
void CheckRecords(InvariantChecker& c, const HeroList& heroes, const CityList& cities, const GoodList& goods,
                  int crowningRuler, bool rulersFromData);
