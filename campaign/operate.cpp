#include "campaign/operate.h"

#include <cstdio>

#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {

constexpr int kTextHeight = 50;
constexpr int kDigitWidth = 26;
constexpr int kAmountX = 450;
constexpr int kAmountY = 280;
constexpr int kBandHeight = 60;
// The buy-or-sell choice: two rows, the band over the one chosen.
constexpr int kChoiceX = 405;
constexpr int kChoiceTop = 105;
constexpr int kChoiceStep = 60;
constexpr int kChoiceWidth = 120;
constexpr int kChoiceRows = 2;
// The unit of the leading digit by digitCount; six digits or more cannot be entered.
constexpr int kLeadingUnits[5] = {1, 10, 100, 1000, 10000};

int DigitsOf(int n) {
  int digits = 1;
  while (n >= 10) {
    n /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

void Operate::Init(int kindIn, int max) {
  Log(1, "Operate::Init", "开始", 0);
  kind = kindIn;
  maxValue = max;
  value = 0;
  digitPos = kind == kOperateChoice ? max : 0;
  digitCount = -1;
  for (int n = max; n >= 1; n /= 10) ++digitCount;
}

int Operate::DigitStep() const {
  if (digitCount < 0 || digitCount > 4) return 0;
  int step = kLeadingUnits[digitCount];
  for (int i = 0; i < digitPos; ++i) step /= 10;
  return step;
}

int Operate::ChoiceKey(int key) {
  if (key == keyUp || key == keyDown) {
    digitPos = digitPos == 0 ? 1 : 0;
    Show();
    return 0;
  }
  if (key == keyReturn) return digitPos + kOperateConfirmed;
  if (key == keyEsc) return -1;
  return 0;
}

int Operate::KeyDown(int key) {
  Log(1, "Operate::KeyDown", "开始", 0);
  if (kind == kOperateChoice) return ChoiceKey(key);
  int step = DigitStep();
  if (key == keyUp) {
    if (value + step <= maxValue) value += step;
  } else if (key == keyDown) {
    if (value - step >= 0) value -= step;
  } else if (key == keyRight) {
    if (digitPos < digitCount) ++digitPos;
  } else if (key == keyLeft) {
    if (digitPos > 0) --digitPos;
  } else if (key == keyReturn) {
    return value + kOperateConfirmed;
  } else if (key == keyEsc) {
    return -1;
  } else {
    return 0;
  }
  Show();
  return 0;
}

void Operate::Show() {
  Log(1, "Operate::Show", "开始", 0);
  if (kind == kOperateChoice) {
    DrawPanelRect(*backDC, 400, 100, 530, 230);
    PaintText("买入", kChoiceX, kChoiceTop, kTextHeight);
    PaintText("卖出", kChoiceX, kChoiceTop + kChoiceStep, kTextHeight);
    InvertBand(*backDC, kChoiceX, kChoiceTop + kChoiceStep * digitPos, kChoiceWidth, kBandHeight);
    return;
  }
  DrawPanelRect(*backDC, 200, 200, 600, 400);
  const char* titles[4] = {"", "士兵操作", "金钱操作", "粮食操作"};
  if (kind >= kOperateSoldiers && kind <= kOperateFood) PaintText(titles[kind], 250, 220, kTextHeight);
  PaintText("操作值:", 210, kAmountY, kTextHeight);
  PaintText("最大值:", 210, 340, kTextHeight);
  char text[32];
  snprintf(text, sizeof text, "%d", maxValue);
  PaintText(text, kAmountX, 340, kTextHeight);
  int zeros = (digitCount + 1) - DigitsOf(value);
  const char* zeroTexts[5] = {"", "0", "00", "000", "0000"};
  if (zeros > 0 && zeros < 5) PaintText(zeroTexts[zeros], kAmountX, kAmountY, kTextHeight);
  if (zeros < 0) zeros = 0;
  snprintf(text, sizeof text, "%d", value);
  PaintText(text, kAmountX + kDigitWidth * zeros, kAmountY, kTextHeight);
  InvertBand(*backDC, kAmountX + kDigitWidth * digitPos, kAmountY, kDigitWidth, kBandHeight);
}

int Operate::PlaceAt(int x, int y) const {
  if (kind == kOperateChoice) {
    if (x < kChoiceX || x >= kChoiceX + kChoiceWidth || y < kChoiceTop) return -1;
    int row = (y - kChoiceTop) / kChoiceStep;
    return row < kChoiceRows ? row : -1;
  }
  if (x < kAmountX || y < kAmountY || y >= kAmountY + kBandHeight) return -1;
  int digit = (x - kAmountX) / kDigitWidth;
  return digit <= digitCount ? digit : -1;
}

void Operate::Dump(JsonWriter& out) const {
  out.BeginObject("operate");
  out.Int("maxValue", maxValue);
  out.Int("value", value);
  out.Int("kind", kind);
  out.Int("digitPos", digitPos);
  out.Int("digitCount", digitCount);
  out.EndObject();
}
