#pragma once
// The settings of Res/startup.ini the configuration program shows: the window,
// the battle display options, the two volumes and the eight keys. Reading and writing go through
// the game's own private-profile reader and writer, so every other line of the
// file stays as it was.
#include <string>

enum class SettingKind { Choice, Key };

// One line of the configuration screen: a key of startup.ini and how it is edited.
struct SettingDef {
  const char* section;
  const char* key;
  const char* label;  // GBK, as the screen shows it
  SettingKind kind;
  int defaultValue;
  const int* choices;        // Choice: the values Left/Right step through
  const char* const* names;  // Choice: a name per value, or null to show the number
  int choiceCount;
};

constexpr int kSettingCount = 18;
constexpr int kFirstKeySetting = 10;  // the eight keys follow the ten choices

const SettingDef& SettingAt(int index);

enum class KeyAssign { Done, Unchanged, Taken, Reserved, Invalid };

class ConfigSettings {
 public:
  // Reads every setting (a missing file or key gives the game's default).
  void Load(const std::string& iniPath);
  // Writes the settings that differ from what the file held; false when a write failed.
  bool Save(const std::string& iniPath);

  int Value(int index) const { return values_[index]; }
  bool Changed() const;
  // Steps a choice to the next (+1) or previous (-1) value; a value the list does
  // not hold moves to the nearest listed one in that direction.
  void Step(int index, int direction);
  // Gives a key role a new virtual-key code. A code another role holds is refused
  // (`takenBy` names that role's setting index), so no two roles ever share a key.
  KeyAssign AssignKey(int index, int code, int& takenBy);

 private:
  int values_[kSettingCount] = {};
  int loaded_[kSettingCount] = {};
};

// A key's name as the screen shows it (GBK).
std::string KeyName(int code);
