// The scenario and ruler choice, up to a started campaign.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "campaign/new_game.h"
#include "tests/campaign/fixture_res.h"

namespace {

class NewGameTest : public ::testing::Test {
 protected:
  FixtureRes res;
  std::unique_ptr<NewGame> game = std::make_unique<NewGame>();
};

TEST_F(NewGameTest, ScenarioChoiceWrapsAndEscapeLeaves) {
  game->Int();
  game->KeyDown(keyUp);
  EXPECT_EQ(game->scenarioChoice, 3);
  game->KeyDown(keyDown);
  EXPECT_EQ(game->scenarioChoice, 0);
  EXPECT_EQ(game->KeyDown(keyEsc), -1);
  EXPECT_EQ(game->rulerPhase, 0);
}

TEST_F(NewGameTest, RulerMenuDoesNotWrap) {
  game->Int();
  game->KeyDown(keyReturn);
  EXPECT_EQ(game->rulerPhase, 1);
  EXPECT_EQ(screenNumber, kScreenRuler);
  Who& who = game->who;
  EXPECT_EQ(who.rulerMenu.visibleRows, 6);
  EXPECT_EQ(who.rulerMenu.lastIndex, 17);
  EXPECT_EQ(who.rulerMenu.wrapMode, 0);
  game->KeyDown(keyUp);
  EXPECT_EQ(who.rulerMenu.selected, 0);
  for (int i = 0; i < 20; ++i) game->KeyDown(keyDown);
  EXPECT_EQ(who.rulerMenu.selected, 17);
  EXPECT_EQ(who.mapActive, 0);
}

TEST_F(NewGameTest, FourthScenarioHasFiveRows) {
  game->Int();
  for (int i = 0; i < 3; ++i) game->KeyDown(keyDown);
  game->KeyDown(keyReturn);
  EXPECT_EQ(game->who.whoScenario, 3);
  EXPECT_EQ(game->who.rulerMenu.visibleRows, 5);
  EXPECT_EQ(game->who.rulerMenu.lastIndex, 4);
}

// The marks of the chosen ruler's starting cities are in his faction's colour
// (as his cities fly it on the map), framed in black.
TEST_F(NewGameTest, RulerMarksShowTheStartingCitiesInTheFactionsColour) {
  game->Int();
  game->KeyDown(keyReturn);
  // Ruler 0 holds cities 0 and 1; their marks sit at pair k of who.kdt, 2 right and 2 up.
  EXPECT_EQ(backDC->Get(320 + 2, 200 + 5 - 2), FactionPaletteColor(0));
  EXPECT_EQ(backDC->Get(320 + 20 + 2 + 9, 200 + 15 - 2 + 9), FactionPaletteColor(0));
  EXPECT_EQ(backDC->Get(320 + 1, 200 + 5 - 3), kBlack);  // the frame
  backDC->Resize(800, 600, kWhite);
  game->KeyDown(keyDown);  // ruler 1 holds city 2 only
  EXPECT_EQ(backDC->Get(320 + 40 + 2, 200 + 25 - 2), FactionPaletteColor(1));
  EXPECT_EQ(backDC->Get(320 + 2, 200 + 5 - 2), kWhite);
}

TEST_F(NewGameTest, ReturnOnARulerStartsTheCampaign) {
  game->Int();
  game->KeyDown(keyReturn);
  game->KeyDown(keyReturn);
  Who& who = game->who;
  EXPECT_EQ(who.mapActive, 1);
  EXPECT_EQ(screenNumber, kScreenMap);
  EXPECT_EQ(who.playerRuler, 6);
  EXPECT_EQ(who.playerCityCount, 2);
  EXPECT_EQ(who.playerOfficerCount, 4);
  EXPECT_EQ(who.date.year, 190);
  EXPECT_EQ(who.cursorCol, 2);
  EXPECT_EQ(who.cursorRow, 1);
  EXPECT_EQ(who.heroList.heroes[0].soldiers, 100);  // the player's officers start with 100
  EXPECT_EQ(who.heroList.heroes[7].soldiers, 800);  // everyone else's with 800
  EXPECT_EQ(who.heroList.heroes[4].soldiers, 500);  // free officers keep theirs
  EXPECT_EQ(who.taskTable[0].taskRemoved, 1);
  // Esc on the running map opens the system menu; quitting returns to the title.
  game->KeyDown(keyEsc);
  EXPECT_EQ(who.menuLevel, kMenuSystem);
  game->KeyDown(keyUp);
  EXPECT_EQ(game->KeyDown(keyReturn), -1);
  EXPECT_EQ(who.mapActive, 0);
  EXPECT_EQ(game->rulerPhase, 0);
  EXPECT_EQ(who.menuLevel, kMenuNone);
}

TEST_F(NewGameTest, EscapeOnTheRulerChoiceReturnsToTheTitle) {
  game->Int();
  game->KeyDown(keyReturn);
  EXPECT_EQ(game->KeyDown(keyEsc), -1);
  EXPECT_EQ(game->rulerPhase, 0);
}

// The whole way through the real program: title, scenario, ruler, map, dump.
TEST(HeadlessCampaign, TitleToAStartedCampaign) {
  std::string binary = std::filesystem::absolute("kestrelmoor").string();
  if (!std::filesystem::exists(binary)) GTEST_SKIP() << "kestrelmoor is not built in this folder";
  FixtureRes res;
  res.Write("keys.txt", "SPACE\nRETURN\nRETURN\nDOWN\nRETURN\ndump state.json\nquit\n");
  std::string command = binary + " --headless --keys keys.txt --shots . > run.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in("state.json");
  std::stringstream text;
  text << in.rdbuf();
  std::string json = text.str();
  ASSERT_FALSE(json.empty());
  EXPECT_NE(json.find("\"mapActive\":1"), std::string::npos);
  EXPECT_NE(json.find("\"rulerChoice\":1"), std::string::npos);
  EXPECT_NE(json.find("\"playerRuler\":17"), std::string::npos);
  EXPECT_NE(json.find("\"playerCityCount\":1"), std::string::npos);
  EXPECT_NE(json.find("\"playerOfficerCount\":2"), std::string::npos);
  // The chosen ruler's city and officer as records.
  EXPECT_NE(json.find("{\"cityId\":2,\"ownerId\":17"), std::string::npos);
  EXPECT_NE(json.find("{\"heroId\":16,\"heroOwnerId\":17"), std::string::npos);
}

}  // namespace
