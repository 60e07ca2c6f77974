#pragma once
// The numeric dialog: an amount entered digit by digit with the arrow keys, or
// a choice between buying and selling.
#include "shell/json_writer.h"

constexpr int kOperateChoice = -1;
constexpr int kOperateSoldiers = 1;
constexpr int kOperateMoney = 2;
constexpr int kOperateFood = 3;
constexpr int kOperateConfirmed = 10;  // KeyDown returns this plus the amount

class Operate {
 public:
  int maxValue = 0;
  int value = 0;
  int kind = 0;
  int digitPos = 0;
  int digitCount = 0;

  void Init(int kind, int max);
  // -1 cancelled, 0 go on, 10 + n confirmed.
  int KeyDown(int key);
  void Show();
  // The digit (or, for the choice, the row) drawn at (x, y): the digitPos a
  // pointer there stands for, -1 for none.
  int PlaceAt(int x, int y) const;
  void Dump(JsonWriter& out) const;

 private:
  int ChoiceKey(int key);
  int DigitStep() const;
};
