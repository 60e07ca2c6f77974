#include "tools/config/config_screen.h"

#include <cstdio>

#include "platform/window.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/pad_keys.h"
#include "shell/screenshot.h"

namespace {

// The program's own keys: the physical ones, never the mapped ones.
constexpr int kVkReturn = 13, kVkEsc = 27, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;

constexpr const char* kBackdrop = "Res\\save.kbp";
constexpr int kTitleY = 8;
constexpr int kTitleHeight = 36;
constexpr int kListTop = 58;
constexpr int kRowHeight = 23;  // twenty rows between the title and the help line
constexpr int kTextHeight = 22;
constexpr int kPanelLeft = 150, kPanelRight = 650;
constexpr int kLabelX = 190, kValueX = 420;
constexpr int kHelpY = 540, kNoticeY = 568;
constexpr int kSmallText = 22;
constexpr Pixel kNoticeColor = Rgb(255, 220, 120);

// The gamepad's buttons beside the list, each with the key it presses (the
// roles' keys as set above, so a changed key shows there at once).
constexpr int kPadLeft = 654, kPadRight = 796;
constexpr int kPadX = 662;
constexpr int kPadKeyX = 706;
constexpr int kPadRows = 9;
constexpr PadButton kPadShown[] = {
    PadButton::kA, PadButton::kB, PadButton::kX, PadButton::kY, PadButton::kLeftShoulder, PadButton::kRightShoulder};

const char* const kHelpList = "↑↓ 选择  ←→ 更改  回车 改键  Esc 离开";
const char* const kHelpWaiting = "请按下新的按键（按原键则不变）";

std::string ValueText(const ConfigSettings& settings, int index) {
  const SettingDef& d = SettingAt(index);
  int v = settings.Value(index);
  if (d.kind == SettingKind::Key) return KeyName(v);
  if (d.names) {
    for (int c = 0; c < d.choiceCount; ++c) {
      if (d.choices[c] == v) return d.names[c];
    }
  }
  return std::to_string(v);
}

void ShowPadMapping(const ConfigSettings& settings) {
  int y = kListTop;
  DrawPanelRect(*backDC, kPadLeft, y - 6, kPadRight, y + kPadRows * kRowHeight + 6);
  DrawTextIn(*backDC, "手柄", kPadX, y, kFontHei, kTextHeight, kBlack);
  y += kRowHeight;
  DrawTextIn(*backDC, "十字键、左摇杆", kPadX, y, kFontHei, kSmallText - 6, kBlack);
  y += kRowHeight;
  DrawTextIn(*backDC, "= 方向键", kPadX, y, kFontHei, kSmallText, kBlack);
  for (PadButton b : kPadShown) {
    y += kRowHeight;
    DrawTextIn(*backDC, PadKeys::ButtonName(b), kPadX, y, kFontHei, kSmallText, kBlack);
    int code = PadKeys::KeyFor(b);
    // This program leaves the game's key globals at their defaults: a role's
    // button is shown with the key set for that role on this screen.
    for (int i = kFirstKeySetting; i < kSettingCount; ++i)
      if (SettingAt(i).defaultValue == code) code = settings.Value(i);
    DrawTextIn(*backDC, KeyName(code).c_str(), kPadKeyX, y, kFontHei, kSmallText, kBlack);
  }
}

}  // namespace

ConfigScreen::ConfigScreen(const std::string& iniPath) : iniPath_(iniPath) { settings_.Load(iniPath_); }

int ConfigScreen::KeyDown(int code) {
  if (waitingForKey_) {
    TakeNewKey(code);
    return 0;
  }
  return ListKey(code);
}

int ConfigScreen::ListKey(int code) {
  if (code != kVkEsc) leaveArmed_ = false;
  switch (code) {
    case kVkUp:
      row_ = (row_ + kRowCount - 1) % kRowCount;
      notice_.clear();
      return 0;
    case kVkDown:
      row_ = (row_ + 1) % kRowCount;
      notice_.clear();
      return 0;
    case kVkLeft:
    case kVkRight:
      if (row_ < kFirstKeySetting) settings_.Step(row_, code == kVkRight ? 1 : -1);
      return 0;
    case kVkReturn:
      if (row_ == kRowSave) return SaveAndLeave();
      if (row_ == kRowLeave) return -1;
      if (row_ >= kFirstKeySetting) {
        waitingForKey_ = true;
        notice_.clear();
      } else {
        settings_.Step(row_, 1);
      }
      return 0;
    case kVkEsc: return Leave();
    default: return 0;
  }
}

void ConfigScreen::TakeNewKey(int code) {
  int takenBy = -1;
  switch (settings_.AssignKey(row_, code, takenBy)) {
    case KeyAssign::Done:
    case KeyAssign::Unchanged:
      waitingForKey_ = false;
      notice_.clear();
      break;
    case KeyAssign::Taken:
      // The player stays on the key: another key may be pressed at once.
      notice_ = KeyName(code) + " 已用作" + SettingAt(takenBy).label + "，请另选";
      break;
    case KeyAssign::Reserved:
      notice_ = KeyName(code) + (code == kScreenshotKey ? " 留作截图，请另选" : " 留作帮助与报告记录，请另选");
      break;
    case KeyAssign::Invalid: notice_ = "此键不可用，请另选"; break;
  }
}

int ConfigScreen::Leave() {
  if (!settings_.Changed() || leaveArmed_) return -1;
  leaveArmed_ = true;
  notice_ = "更改尚未保存：再按 Esc 放弃";
  return 0;
}

int ConfigScreen::SaveAndLeave() {
  if (settings_.Save(iniPath_)) return 1;
  notice_ = "无法写入 startup.ini！";
  return 0;
}

void ConfigScreen::Show() const {
  backDC->FillRect(0, 0, kLogicalWidth, kLogicalHeight, kBlack);
  PaintBmp(0, kBackdrop, 0, 0);
  DrawTextIn(*backDC, "窗口配置程序", kPanelLeft, kTitleY, kFontLi, kTitleHeight, kWhite);
  DrawPanelRect(*backDC, kPanelLeft, kListTop - 6, kPanelRight, kListTop + kRowCount * kRowHeight + 6);
  for (int i = 0; i < kRowCount; ++i) {
    int y = kListTop + i * kRowHeight;
    if (i == kRowSave) {
      DrawTextIn(*backDC, "保存退出", kLabelX, y, kFontHei, kTextHeight, kBlack);
    } else if (i == kRowLeave) {
      DrawTextIn(*backDC, "放弃退出", kLabelX, y, kFontHei, kTextHeight, kBlack);
    } else {
      DrawTextIn(*backDC, SettingAt(i).label, kLabelX, y, kFontHei, kTextHeight, kBlack);
      std::string value = waitingForKey_ && i == row_ ? "？" : ValueText(settings_, i);
      DrawTextIn(*backDC, value.c_str(), kValueX, y, kFontHei, kTextHeight, kBlack);
    }
  }
  InvertBand(*backDC, kPanelLeft + 10, kListTop + row_ * kRowHeight - 1, kPanelRight - kPanelLeft - 20, kRowHeight);
  ShowPadMapping(settings_);
  DrawTextIn(*backDC, waitingForKey_ ? kHelpWaiting : kHelpList, kPanelLeft - 60, kHelpY, kFontHei, kSmallText, kWhite);
  if (!notice_.empty())
    DrawTextIn(*backDC, notice_.c_str(), kPanelLeft - 60, kNoticeY, kFontHei, kSmallText, kNoticeColor);
  CopyBackToWindow();
}
