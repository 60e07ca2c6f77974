#pragma once
// The configuration program's one screen: a list of the settings over the save
// screen's backdrop. It answers to the physical arrows, Return and Esc whatever
// startup.ini maps, so a player who has mapped the game's keys badly can always
// come back here and mend them.
#include <string>

#include "tools/config/config_settings.h"

constexpr int kRowSave = kSettingCount;       // "保存退出"
constexpr int kRowLeave = kSettingCount + 1;  // "放弃退出"
constexpr int kRowCount = kSettingCount + 2;

class ConfigScreen {
 public:
  explicit ConfigScreen(const std::string& iniPath);

  // Handles one key: 0 stays open, 1 has saved and closes, -1 closes without saving.
  int KeyDown(int code);
  // Draws the whole screen into the back buffer and shows it.
  void Show() const;

  const ConfigSettings& Settings() const { return settings_; }
  int Row() const { return row_; }
  bool WaitingForKey() const { return waitingForKey_; }
  const std::string& Notice() const { return notice_; }

 private:
  int ListKey(int code);
  void TakeNewKey(int code);
  int Leave();
  int SaveAndLeave();

  std::string iniPath_;
  ConfigSettings settings_;
  int row_ = 0;
  bool waitingForKey_ = false;
  bool leaveArmed_ = false;  // Esc once more leaves without saving the changes
  std::string notice_;       // GBK; the last refusal or warning
};
