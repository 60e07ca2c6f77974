// The save file: its layout, what loading caps, what it refuses, and a save
// and load played through the keys.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "campaign/save.h"
#include "shell/globals.h"
#include "strategy/game_map.h"
#include "tests/support/sandbox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kVersion = 130818100;

// An image as a campaign in progress would give it, with every field distinct
// enough that a shifted field shows.
SaveImage SampleImage() {
  SaveImage s;
  s.playerRuler = 17;
  s.year = 194;
  s.scenario = 0;
  for (int i = 0; i < kSaveHeroes; ++i) {
    for (int f = 0; f < kSaveHeroFields; ++f) s.heroes[i][f] = (i * 7 + f) % 90;
    s.heroes[i][0] = i;
    s.heroes[i][1] = i % 40;
    s.heroes[i][11] = i % 50;
    s.heroes[i][12] = 0;
    s.heroes[i][14] = i % 51;
    s.heroes[i][17] = 0;
  }
  for (int i = 0; i < kSaveCities; ++i) {
    for (int f = 0; f < kSaveCityFields; ++f) s.cities[i][f] = i * 100 + f;
    s.cities[i][0] = i;
    s.cities[i][1] = i % 20;
    s.cities[i][2] = i % 30;
  }
  for (int i = 0; i < kSaveGoods; ++i) {
    for (int f = 0; f < kSaveGoodFields; ++f) s.goods[i][f] = (i + f) % 7;
    s.goods[i][0] = i;
  }
  for (auto& t : s.tasks) t[9] = 1;
  s.tasks[1][1] = 5;
  s.tasks[1][2] = 44;
  s.tasks[1][3] = 1;
  s.tasks[1][9] = 0;
  const int map[kSaveMapFields] = {3, 4, 12, 0, 2, 11, 17, 1, 0};
  std::memcpy(s.mapState, map, sizeof map);
  s.heroListState[2] = 11;
  s.cityListState[2] = 11;
  s.goodListState[2] = 11;
  s.month = 7;
  s.taskCount = 1;
  return s;
}

int Parse(const std::string& text, SaveImage& out, int version = kVersion) {
  return ParseSaveText(text.data(), text.size(), version, out);
}

bool SameImage(const SaveImage& a, const SaveImage& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(SaveFile, RoundTripKeepsEveryNumberAndTheRowLayout) {
  SaveImage s = SampleImage();
  std::string text = FormatSaveText(s, kVersion);
  EXPECT_EQ(text.substr(0, text.find('\n')), "17 194 0");
  std::string officerRow = text.substr(text.find('\n') + 1);
  officerRow = officerRow.substr(0, officerRow.find('\n'));
  EXPECT_EQ(officerRow.back(), ' ');  // every number of a record row is followed by a space
  EXPECT_EQ(text.substr(text.size() - 12), "130818100\n1\n");
  SaveImage back;
  ASSERT_EQ(Parse(text, back), kReadOk);
  s.version = kVersion;
  EXPECT_TRUE(SameImage(s, back));
}

TEST(SaveFile, VersionCheckAcceptsEqualAndOlderRefusesNewer) {
  std::string text = FormatSaveText(SampleImage(), kVersion);
  SaveImage out;
  EXPECT_EQ(Parse(text, out, kVersion), kReadOk);
  EXPECT_EQ(Parse(text, out, kVersion + 1), kReadOk);
  EXPECT_EQ(Parse(text, out, kVersion - 1), kReadNewerVersion);
}

TEST(SaveFile, EmptyTruncatedGarbledAndImpossibleFilesLeaveTheImageAlone) {
  std::string good = FormatSaveText(SampleImage(), kVersion);
  SaveImage out = SampleImage();
  out.year = 999;
  const SaveImage before = out;
  EXPECT_EQ(Parse("", out), kReadEmpty);
  EXPECT_EQ(Parse("0 190 0\n", out), kReadEmpty);
  EXPECT_EQ(Parse(good.substr(0, good.size() / 2), out), kReadDamaged);
  EXPECT_EQ(Parse(good.substr(0, good.size() - 2), out), kReadDamaged);  // no taskCount
  std::string garbled = good;
  garbled[good.size() / 3] = 'x';
  EXPECT_EQ(Parse(garbled, out), kReadDamaged);
  EXPECT_EQ(Parse(good + "5\n", out), kReadDamaged);  // trailing numbers
  SaveImage impossible = SampleImage();
  impossible.heroes[12][14] = 77;  // a city that does not exist
  EXPECT_EQ(Parse(FormatSaveText(impossible, kVersion), out), kReadDamaged);
  impossible = SampleImage();
  impossible.taskCount = 400;
  EXPECT_EQ(Parse(FormatSaveText(impossible, kVersion), out), kReadDamaged);
  EXPECT_TRUE(SameImage(out, before));
}

TEST(SaveFile, LoadingCapsWhatNoCampaignCanHold) {
  SaveImage s = SampleImage();
  s.heroes[5][2] = 21;   // level
  s.heroes[5][3] = 250;  // force
  s.heroes[5][5] = 120;  // loyalty
  s.heroes[6][14] = -3;  // cityNo
  s.cities[3][11] = 150000;
  s.cities[3][10] = 12345;
  static GameMap map;
  map.LoadFromImage(s);
  EXPECT_EQ(map.heroList.heroes[5].level, 20);
  EXPECT_EQ(map.heroList.heroes[5].force, 1);
  EXPECT_EQ(map.heroList.heroes[5].loyalty, 100);
  EXPECT_EQ(map.heroList.heroes[6].cityNo, 0);
  EXPECT_EQ(map.cityList.cities[3].money, 99999);
  EXPECT_EQ(map.date.month, 7);
  EXPECT_EQ(map.date.year, 194);
  EXPECT_EQ(taskCount, 1);
  // Populations are saved without their fraction.
  map.cityList.cities[3].population = 12345.75;
  map.ChangeDataToSave();
  EXPECT_EQ(map.save.image.cities[3][10], 12345);
}

class SlotFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    fs::current_path(box_.Root());
    gameVersion = kVersion;
  }
  void TearDown() override {
    chmod((box_.Res() / "Save").c_str(), 0755);
    fs::current_path(saved_);
  }
  Sandbox box_;
  fs::path saved_;
};

TEST_F(SlotFiles, NeverUsedSlotsShowNoneAndNoYear) {
  Save save;
  save.image = SampleImage();
  ASSERT_TRUE(save.Write(1));
  Save screen;
  screen.Init(-1, -1);
  EXPECT_EQ(screen.Read(-1), kReadOk);
  EXPECT_EQ(screen.slotRuler[0], 0);
  EXPECT_EQ(screen.slotRuler[1], 17);
  EXPECT_EQ(screen.slotYear[1], 194);
  EXPECT_STREQ(screen.slotName[0], "无");
  EXPECT_STREQ(screen.slotName[2], "无");
  EXPECT_EQ(screen.Read(0), kReadEmpty);
  EXPECT_EQ(screen.Read(1), kReadOk);
}

// The slots show the month beside the year; the autosave is a fourth file that
// only the load screen lists, and the save screen keeps its three rows.
TEST_F(SlotFiles, SlotsTellTheMonthAndOnlyTheLoadScreenHasTheAutosaveRow) {
  Save save;
  save.image = SampleImage();
  ASSERT_TRUE(save.Write(1));
  save.image.month = 11;
  ASSERT_TRUE(save.Write(kAutosaveSlot));
  EXPECT_TRUE(fs::exists(box_.Res() / "Save" / "autosave.ksv"));
  Save screen;
  screen.Init(-1, -1);
  EXPECT_EQ(screen.Read(-1), kReadOk);
  EXPECT_EQ(screen.slotMonth[1], 7);
  EXPECT_EQ(screen.slotMonth[0], 0);
  EXPECT_EQ(screen.slotRuler[kAutosaveSlot], 17);
  EXPECT_EQ(screen.slotMonth[kAutosaveSlot], 11);
  EXPECT_EQ(screen.KeyDown(keyUp), kSaveKeyStay);
  EXPECT_EQ(screen.slotChoice, 2);  // the save screen wraps over three rows
  Save load;
  load.InitLoadScreen();
  load.Read(-1);
  load.KeyDown(keyUp);
  EXPECT_EQ(load.slotChoice, kAutosaveSlot);
  EXPECT_EQ(load.KeyDown(keyReturn), kAutosaveChoice);
  EXPECT_EQ(load.Read(kAutosaveSlot), kReadOk);
  EXPECT_EQ(load.image.month, 11);
  // A slot cut short still shows its year, without a month.
  std::string text = box_.Read("Res/Save/save1.ksv");
  box_.Write("Res/Save/save1.ksv", text.substr(0, text.size() / 2));
  screen.Read(-1);
  EXPECT_EQ(screen.slotYear[1], 194);
  EXPECT_EQ(screen.slotMonth[1], 0);
}

TEST_F(SlotFiles, AnUnwritableFolderFailsTheSaveAndKeepsTheOldSlot) {
  if (geteuid() == 0) {
    // root writes through permissions: take the folder away instead.
    Save save;
    save.image = SampleImage();
    ASSERT_TRUE(save.Write(0));
    std::string before = box_.Read("Res/Save/save0.ksv");
    fs::rename(box_.Res() / "Save", box_.Res() / "Save.away");
    fs::create_directories(box_.Res() / "Save" / "save0.ksv.tmp");  // the temporary cannot be made
    save.image.year = 300;
    EXPECT_FALSE(save.Write(0));
    fs::remove_all(box_.Res() / "Save");
    fs::rename(box_.Res() / "Save.away", box_.Res() / "Save");
    EXPECT_EQ(box_.Read("Res/Save/save0.ksv"), before);
    return;
  }
  Save save;
  save.image = SampleImage();
  ASSERT_TRUE(save.Write(0));
  std::string before = box_.Read("Res/Save/save0.ksv");
  chmod((box_.Res() / "Save").c_str(), 0555);
  save.image.year = 300;
  EXPECT_FALSE(save.Write(0));
  EXPECT_EQ(box_.Read("Res/Save/save0.ksv"), before);
}

TEST(SaveAndLoad, PlayedThroughTheKeysTheCampaignComesBackWhole) {
  Sandbox box;
  const char* script =
      "RETURN\nRETURN\nRETURN\nDOWN\nRETURN\n"  // title, scenario 190, 曹操
      "ESC\nDOWN\nRETURN\nRETURN\n"             // system menu, save, slot 0
      "dump saved.json\n"
      "ESC\nDOWN\nDOWN\nRETURN\n"  // quit to the title
      "DOWN\nRETURN\nRETURN\n"     // load slot 0
      "dump loaded.json\n"
      "ESC\nDOWN\nDOWN\nRETURN\nRETURN\nDOWN\nRETURN\n"  // an empty slot is refused
      "dump refused.json\n";
  ASSERT_EQ(box.RunGame(script), 0);
  std::string saved = box.Read("shots/saved.json");
  std::string loaded = box.Read("shots/loaded.json");
  auto section = [](const std::string& dump, const std::string& key, const std::string& next) {
    size_t a = dump.find("\"" + key + "\":");
    size_t b = dump.find("\"" + next + "\":", a);
    return dump.substr(a, b - a);
  };
  ASSERT_NE(saved.find("\"cities\":"), std::string::npos);
  EXPECT_EQ(section(saved, "cities", "heroList"), section(loaded, "cities", "heroList"));
  EXPECT_EQ(section(saved, "tasks", "save"), section(loaded, "tasks", "save"));
  EXPECT_NE(loaded.find("\"playerRuler\":17"), std::string::npos);
  EXPECT_NE(loaded.find("\"titleMode\":3"), std::string::npos);
  std::string refused = box.Read("shots/refused.json");
  EXPECT_NE(refused.find("\"titleMode\":2"), std::string::npos);
}
