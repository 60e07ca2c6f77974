#pragma once
// A 120 x 120 portrait cut from a scenario's portrait sheet (ten per row).
#include "platform/surface.h"
#include "shell/json_writer.h"

constexpr int kPortraitSize = 120;
constexpr int kPortraitsPerRow = 10;

class Head {
 public:
  const char* sheetFile = "";
  int portrait = 0;

  void Init(const char* sheetPath, int portraitIndex);
  void Show(int x, int y);
  void Dump(JsonWriter& out) const;

 private:
  void LoadFromBMP(int x, int y);
  const Surface* sheet_ = nullptr;  // the sheet as Show found it
};
