#include "campaign/date.h"

#include <cstdio>

#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"

namespace {
void ShowNumber(int value, int x, int y) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  DrawTextIn(*backDC, text, x, y, kFontHei, 40, colorMode == 1 ? kWhite : kBlack);
  RequestRepaint();
}
}  // namespace

void Date::Init(int scenario) {
  Log(1, "Date::Init", "开始", 0);
  if (scenario >= 0 && scenario < 4) year = kStartYears[scenario];
  month = 1;
}

void Date::Caculate() {
  Log(1, "Date::Caculate", "开始", 0);
  if (month == kMonthsPerYear) {
    month = 1;
    ++year;
  } else {
    ++month;
  }
  Log(1, "Date::Caculate", "当前年：", year);
  Log(1, "Date::Caculate", "月：", month);
}

void Date::ShowYear(int x, int y) {
  Log(1, "Date::ShowYear", "开始", 0);
  ShowNumber(year, x, y);
}

void Date::ShowMonth(int x, int y) {
  Log(1, "Date::ShowMonth", "开始", 0);
  ShowNumber(month, x, y);
}

void Date::Dump(JsonWriter& out) const {
  out.BeginObject("date");
  out.Int("year", year);
  out.Int("month", month);
  out.EndObject();
}
