#pragma once
// The campaign calendar.
#include "shell/json_writer.h"

constexpr int kStartYears[4] = {190, 198, 208, 225};
constexpr int kMonthsPerYear = 12;

class Date {
 public:
  int year = 0;
  int month = 1;

  void Init(int scenario);
  void Caculate();
  void ShowYear(int x, int y);
  void ShowMonth(int x, int y);
  void Dump(JsonWriter& out) const;
};
