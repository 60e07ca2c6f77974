#include "campaign/scenario_files.h"

#include <cstring>

#include "campaign/table_file.h"
#include "shell/text_grid.h"

const char* HeroNameList(int scenario) { return kHeroNameLists[ValidScenario(scenario) ? scenario : 0]; }

bool CopyListLine(const char* listFile, int line, char* out, int bytes) {
  int count = LoadLineList(listFile);
  if (line < 0 || line >= count || line >= kGridRows || bytes <= 0) return false;
  int n = bytes < kGridWidth - 1 ? bytes : kGridWidth - 1;
  memcpy(out, textGrid[line], n);
  out[n] = '\0';
  return true;
}

int FindCityAtCell(int col, int row) {
  TableFile table(kCityPositionTable);
  int x = 0;
  int y = 0;
  for (int index = 0; table.Read(x) && table.Read(y); ++index) {
    if (x == col && y == row) return index;
  }
  return -1;
}

bool CityCell(int cityIndex, int& col, int& row) {
  TableFile table(kCityPositionTable);
  int x = 0;
  int y = 0;
  for (int index = 0; table.Read(x) && table.Read(y); ++index) {
    if (index == cityIndex) {
      col = x;
      row = y;
      return true;
    }
  }
  return false;
}
