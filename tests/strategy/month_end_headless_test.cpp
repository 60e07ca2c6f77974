// Months ended through the real program: a search ordered from the city menu,
// then four month ends from the system menu, checked in the state dump.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace {

// The value of the first "key":number after `from` in a dump.
int IntAfter(const std::string& dump, const std::string& key, size_t from = 0) {
  size_t at = dump.find("\"" + key + "\":", from);
  if (at == std::string::npos) return -99999;
  return std::stoi(dump.substr(at + key.size() + 3));
}

// The ten numbers of task record k.
std::vector<int> TaskRecord(const std::string& dump, int k) {
  size_t at = dump.find("\"tasks\":[");
  if (at == std::string::npos) return {};
  at += 9;
  for (int i = 0; i < k; ++i) at = dump.find(']', at) + 2;
  std::vector<int> fields;
  std::stringstream numbers(dump.substr(at + 1, dump.find(']', at) - at - 1));
  std::string field;
  while (std::getline(numbers, field, ',')) fields.push_back(std::stoi(field));
  return fields;
}

constexpr const char* kStartCampaign = "SPACE\nRETURN\nRETURN\nRETURN\n";
constexpr const char* kEndMonth = "ESC\nRETURN\n";

TEST(MonthEndHeadless, SeveralMonthsPassWithTheirTasksResolved) {
  if (!std::filesystem::exists(BuildDir() / "kestrelmoor")) GTEST_SKIP() << "kestrelmoor is not built here";
  Sandbox box;
  std::string script = kStartCampaign;
  script += "dump start.json\n";
  // City menu, interior, the third entry (search), the first idle officer.
  script += "RETURN\nRETURN\nDOWN\nDOWN\nRETURN\nRETURN\ndump ordered.json\nESC\nESC\n";
  script += kEndMonth;
  script += "dump month1.json\nshot month1.png\n";
  for (int i = 0; i < 3; ++i) script += kEndMonth;
  script += "dump month4.json\nshot month4.png\nquit\n";
  ASSERT_EQ(box.RunGame(script), 0) << box.Read("err.txt");

  std::string start = box.Read("shots/start.json");
  std::string ordered = box.Read("shots/ordered.json");
  std::string month1 = box.Read("shots/month1.json");
  std::string month4 = box.Read("shots/month4.json");
  ASSERT_FALSE(month4.empty());
  int year = IntAfter(start, "year");
  EXPECT_EQ(IntAfter(start, "month", start.find("\"date\"")), 1);

  // The search took record 1 and the month end freed it again.
  std::vector<int> search = TaskRecord(ordered, 1);
  ASSERT_EQ(search.size(), 10u);
  EXPECT_EQ(search[3], 1);  // taskType: search
  EXPECT_EQ(search[9], 0);  // in use
  EXPECT_EQ(IntAfter(ordered, "taskCount"), 1);
  EXPECT_EQ(TaskRecord(month1, 1), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(IntAfter(month1, "taskCount"), 0);

  EXPECT_EQ(IntAfter(month1, "month", month1.find("\"date\"")), 2);
  EXPECT_EQ(IntAfter(month4, "month", month4.find("\"date\"")), 5);
  EXPECT_EQ(IntAfter(month4, "year", month4.find("\"date\"")), year);
  for (const std::string* dump : {&month1, &month4}) {
    EXPECT_EQ(IntAfter(*dump, "pendingBattles"), 0);
    EXPECT_EQ(IntAfter(*dump, "rulerSuccession"), 0);
    EXPECT_EQ(IntAfter(*dump, "successionByAge"), 0);
    EXPECT_EQ(IntAfter(*dump, "screenNumber"), 4);  // back on the plain map
    EXPECT_EQ(IntAfter(*dump, "menuLevel"), 0);
  }
  EXPECT_FALSE(box.Read("shots/month4.png").empty());
}

}  // namespace
