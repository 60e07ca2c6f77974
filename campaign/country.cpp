#include "campaign/country.h"

#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "shell/run_log.h"

int Country::GetCityNum(int rulerIndex, int scenario) {
  Log(1, "Country::GetCityNum", "开始", 0);
  if (!ValidScenario(scenario)) return 0;
  int count = 0;
  int list[kFactionLineCapacity] = {};
  GetOwner(kCityFactionTables[scenario], rulerIndex, count, list);
  return count;
}

int Country::GetHeroNum(int rulerIndex, int scenario) {
  Log(1, "Country::GetHeroNum", "开始", 0);
  if (!ValidScenario(scenario)) return 0;
  int count = 0;
  int list[kFactionLineCapacity] = {};
  GetOwner(kHeroFactionTables[scenario], rulerIndex, count, list);
  return count;
}

void Country::GetOwner(const char* file, int lineIndex, int& count, int* list) {
  Log(1, "Country::GetOwner", "开始", 0);
  TableFile table(file);
  for (int line = 0; line <= lineIndex; ++line) {
    int n = 0;
    if (!table.Read(n)) return;
    count = n;
    // The numbers beyond the capacity are read past so the next line starts right.
    for (int i = 0; i < n; ++i) {
      int value = 0;
      if (!table.Read(value)) return;
      if (i < kFactionLineCapacity) list[i] = value;
    }
  }
}
