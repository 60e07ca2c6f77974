#include "tools/config/config_settings.h"

#include <cstdio>

#include "platform/profile.h"
#include "rules/sounds.h"
#include "shell/screenshot.h"

namespace {

// 0 is "automatic" (as a file without the key): the game fits the desktop.
constexpr int kWidths[] = {0, 640, 800, 1024, 1280, 1440, 1600, 1920, 2560};
constexpr int kHeights[] = {0, 480, 600, 768, 960, 1080, 1200, 1440};
constexpr const char* kWidthNames[] = {"自动", "640", "800", "1024", "1280", "1440", "1600", "1920", "2560"};
constexpr const char* kHeightNames[] = {"自动", "480", "600", "768", "960", "1080", "1200", "1440"};
constexpr int kSpeeds[] = {1, 2, 4};
constexpr const char* kSpeedFactorNames[] = {"原速", "两倍", "四倍"};
constexpr int kOffOn[] = {0, 1};
constexpr int kVolumes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
static_assert(sizeof kVolumes / sizeof kVolumes[0] == kMaxSoundVolume + 1);
constexpr const char* kVolumeNames[] = {"静音", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr int kDefaultVolume = kDefaultSoundVolume;
// The game's fixed keys besides F12: F1 the help, F2 the report log.
constexpr int kHelpKeyCode = 112;
constexpr int kLogKeyCode = 113;
// The battle's own settings menus name these values the same way.
constexpr const char* kScreenNames[] = {"窗口", "全屏"};
constexpr const char* kColorNames[] = {"黑框", "彩色"};
constexpr const char* kShowNames[] = {"关闭", "开启"};
constexpr const char* kSpeedNames[] = {"短暂", "长久"};

constexpr int kCount(const auto& a) { return static_cast<int>(sizeof a / sizeof a[0]); }

const SettingDef kSettings[kSettingCount] = {
    {"Startup", "Width", "窗口宽度", SettingKind::Choice, 0, kWidths, kWidthNames, kCount(kWidths)},
    {"Startup", "Height", "窗口高度", SettingKind::Choice, 0, kHeights, kHeightNames, kCount(kHeights)},
    {"Startup", "Screen", "显示方式", SettingKind::Choice, 0, kOffOn, kScreenNames, 2},
    {"Startup", "Color", "边框颜色", SettingKind::Choice, 0, kOffOn, kColorNames, 2},
    {"Startup", "Menushow", "战斗动画", SettingKind::Choice, 0, kOffOn, kShowNames, 2},
    {"Startup", "Menumove", "敌军移动", SettingKind::Choice, 0, kOffOn, kShowNames, 2},
    {"Startup", "Menuspeed", "敌军停顿", SettingKind::Choice, 0, kOffOn, kSpeedNames, 2},
    {"Startup", "Speed", "月末速度", SettingKind::Choice, 1, kSpeeds, kSpeedFactorNames, kCount(kSpeeds)},
    {"Sound", "Music", "音乐音量", SettingKind::Choice, kDefaultVolume, kVolumes, kVolumeNames, kCount(kVolumes)},
    {"Sound", "Effects", "音效音量", SettingKind::Choice, kDefaultVolume, kVolumes, kVolumeNames, kCount(kVolumes)},
    {"Key", "Return", "确认键", SettingKind::Key, 13, nullptr, nullptr, 0},
    {"Key", "Esc", "取消键", SettingKind::Key, 27, nullptr, nullptr, 0},
    {"Key", "Space", "情报键", SettingKind::Key, 32, nullptr, nullptr, 0},
    {"Key", "Home", "总览键", SettingKind::Key, 36, nullptr, nullptr, 0},
    {"Key", "Up", "向上键", SettingKind::Key, 38, nullptr, nullptr, 0},
    {"Key", "Down", "向下键", SettingKind::Key, 40, nullptr, nullptr, 0},
    {"Key", "Left", "向左键", SettingKind::Key, 37, nullptr, nullptr, 0},
    {"Key", "Right", "向右键", SettingKind::Key, 39, nullptr, nullptr, 0},
};

// The game keeps its default for a code outside the virtual-key range, so the
// screen shows (and refuses) the same range.
bool IsKeyCode(int code) { return code > 0 && code < 256; }

struct NamedKey {
  int code;
  const char* name;
};
constexpr NamedKey kKeyNames[] = {
    {8, "退格"},      {9, "Tab"},       {13, "回车"},     {16, "Shift"},    {17, "Ctrl"},     {18, "Alt"},
    {19, "Pause"},    {20, "大写锁定"}, {27, "Esc"},      {32, "空格"},     {33, "PageUp"},   {34, "PageDown"},
    {35, "End"},      {36, "Home"},     {37, "←"},        {38, "↑"},        {39, "→"},        {40, "↓"},
    {45, "Insert"},   {46, "Delete"},   {106, "小键盘*"}, {107, "小键盘+"}, {109, "小键盘-"}, {110, "小键盘."},
    {111, "小键盘/"}, {186, ";"},       {187, "="},       {188, ","},       {189, "-"},       {190, "."},
    {191, "/"},       {192, "`"},       {219, "["},       {220, "\\"},      {221, "]"},       {222, "'"},
};

}  // namespace

const SettingDef& SettingAt(int index) { return kSettings[index]; }

void ConfigSettings::Load(const std::string& iniPath) {
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingDef& d = kSettings[i];
    int v = GetPrivateProfileInt(d.section, d.key, d.defaultValue, iniPath.c_str());
    if (d.kind == SettingKind::Key && !IsKeyCode(v)) v = d.defaultValue;
    values_[i] = v;
    loaded_[i] = v;
  }
}

bool ConfigSettings::Save(const std::string& iniPath) {
  bool ok = true;
  for (int i = 0; i < kSettingCount; ++i) {
    if (values_[i] == loaded_[i]) continue;
    char text[16];
    std::snprintf(text, sizeof text, "%d", values_[i]);
    if (WritePrivateProfileString(kSettings[i].section, kSettings[i].key, text, iniPath.c_str())) {
      loaded_[i] = values_[i];
    } else {
      ok = false;
    }
  }
  return ok;
}

bool ConfigSettings::Changed() const {
  for (int i = 0; i < kSettingCount; ++i) {
    if (values_[i] != loaded_[i]) return true;
  }
  return false;
}

void ConfigSettings::Step(int index, int direction) {
  const SettingDef& d = kSettings[index];
  if (d.kind != SettingKind::Choice || d.choiceCount <= 0) return;
  int v = values_[index];
  if (direction > 0) {
    for (int c = 0; c < d.choiceCount; ++c) {
      if (d.choices[c] > v) {
        values_[index] = d.choices[c];
        return;
      }
    }
    values_[index] = d.choices[0];  // past the last value wraps round
  } else {
    for (int c = d.choiceCount - 1; c >= 0; --c) {
      if (d.choices[c] < v) {
        values_[index] = d.choices[c];
        return;
      }
    }
    values_[index] = d.choices[d.choiceCount - 1];
  }
}

KeyAssign ConfigSettings::AssignKey(int index, int code, int& takenBy) {
  takenBy = -1;
  if (kSettings[index].kind != SettingKind::Key || !IsKeyCode(code)) return KeyAssign::Invalid;
  if (code == kScreenshotKey || code == kHelpKeyCode || code == kLogKeyCode) return KeyAssign::Reserved;
  if (values_[index] == code) return KeyAssign::Unchanged;
  for (int i = kFirstKeySetting; i < kSettingCount; ++i) {
    if (i != index && values_[i] == code) {
      takenBy = i;
      return KeyAssign::Taken;
    }
  }
  values_[index] = code;
  return KeyAssign::Done;
}

std::string KeyName(int code) {
  for (const NamedKey& k : kKeyNames) {
    if (k.code == code) return k.name;
  }
  char text[24];
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
    std::snprintf(text, sizeof text, "%c", code);
  } else if (code >= 96 && code <= 105) {
    std::snprintf(text, sizeof text, "小键盘%d", code - 96);
  } else if (code >= 112 && code <= 135) {
    std::snprintf(text, sizeof text, "F%d", code - 111);
  } else {
    std::snprintf(text, sizeof text, "键码%d", code);
  }
  return text;
}
