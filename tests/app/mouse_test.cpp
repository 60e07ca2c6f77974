// The mouse through the headless runner: a click must leave the game exactly
// where the keys it stands for leave it, and a campaign must be playable with
// the mouse alone.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/sandbox.h"

namespace {

const char* const kSeed = "--seed 7";
const char* const kToMap = "RETURN\nRETURN\nRETURN\nRETURN\n";  // intro, new game, first scenario, first ruler
// Chang'an's war order up to the food dialog: armament, war, the ruler, no second officer.
const char* const kToFoodDialog = "RETURN\nDOWN\nDOWN\nRETURN\nDOWN\nDOWN\nDOWN\nDOWN\nRETURN\nRETURN\nESC\n";
// A thousand food, Wan two cells below, the month ended: the battle opens.
const char* const kToBattle = "RIGHT\nUP\nRETURN\nDOWN\nDOWN\nRETURN\nESC\nRETURN\n";

std::string Lines(const std::string& words) {
  std::string out;
  for (char c : words) out += c == ' ' ? '\n' : c;
  return out + "\n";
}

std::string Repeat(const std::string& word, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (out.empty() ? "" : " ") + word;
  return out;
}

int IntAfter(const std::string& dump, const std::string& key, size_t from = 0) {
  size_t at = dump.find("\"" + key + "\":", from);
  if (at == std::string::npos) return -99999;
  return std::stoi(dump.substr(at + key.size() + 3));
}

}  // namespace

TEST(Mouse, EachScreenTakesAClickAsTheKeysItStandsFor) {
  struct Case {
    const char* screen;
    std::string before;  // keys that open the screen
    const char* mouse;   // script lines
    std::string keys;    // the keys they stand for
  };
  const std::string map = kToMap;
  const std::string dialog = map + kToFoodDialog;
  const Case cases[] = {
      {"title, its first key", "", "CLICK 600 80", "RETURN"},
      {"title", "SPACE\n", "CLICK 200 420", "DOWN DOWN RETURN"},
      {"scenario cards", "SPACE\nRETURN\n", "CLICK 600 420", "DOWN DOWN DOWN RETURN"},
      {"ruler menu", "SPACE\nRETURN\nRETURN\n", "CLICK 150 330", "DOWN DOWN DOWN RETURN"},
      {"city menu, hovered then clicked", map + "RETURN\n", "HOVER 350 190\nCLICK 350 130", "DOWN UP RETURN"},
      {"officer list", map + "RETURN\nRETURN\nRETURN\n", "CLICK 100 270", "DOWN DOWN RETURN"},
      {"save slot", map + "ESC\nDOWN\nRETURN\n", "CLICK 300 300", "DOWN RETURN"},
      {"amount dialog's digit", dialog, "HOVER 489 300\nWHEEL 2\nCLICK 489 300", "RIGHT UP UP RETURN"},
      {"map cell after the view scrolled", map + Lines(Repeat("RIGHT", 5)), "CLICK 100 260",
       Repeat("LEFT", 6) + " RETURN"},
      {"target cell", dialog + "RIGHT\nUP\nRETURN\n", "CLICK 300 420", "DOWN DOWN RETURN"},
      {"battle: select, then move", dialog + kToBattle, "CLICK 360 250\nCLICK 440 330", "RETURN RIGHT DOWN RETURN"},
      {"action menu", dialog + kToBattle + "RETURN\nRIGHT\nDOWN\nRETURN\n", "CLICK 450 410", "DOWN DOWN DOWN RETURN"},
      {"right button and wheel", map, "RCLICK\nWHEEL -2\nWHEEL 1", "ESC DOWN DOWN UP"},
      {"beside the menu, nothing", map + "ESC\n", "CLICK 700 560\nHOVER 20 20", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    Sandbox byMouse, byKeys;
    std::string tail = "dump d.json\nshot s.png\n";
    ASSERT_EQ(byMouse.RunGame(c.before + c.mouse + "\n" + tail, kSeed), 0) << byMouse.Read("err.txt");
    ASSERT_EQ(byKeys.RunGame(c.before + (c.keys.empty() ? "" : Lines(c.keys)) + tail, kSeed), 0);
    std::string mouseDump = byMouse.Read("shots/d.json");
    ASSERT_FALSE(mouseDump.empty());
    EXPECT_EQ(mouseDump, byKeys.Read("shots/d.json"));
    EXPECT_EQ(byMouse.Read("shots/s.png"), byKeys.Read("shots/s.png"));
  }
}

TEST(Mouse, PlaysACampaignStepWithNoKeyAtAll) {
  Sandbox box;
  std::string script =
      "CLICK 400 300\nCLICK 200 300\nCLICK 200 250\nCLICK 150 150\ndump map.json\n"  // title, scenario, ruler
      "CLICK 300 260\nCLICK 350 250\nCLICK 450 390\n"                                // Chang'an: armament, war
      "CLICK 100 150\nRCLICK\n"                                                      // the ruler alone
      "HOVER 489 300\nWHEEL 1\nCLICK 489 300\n"                                      // a thousand food
      "CLICK 300 420\ndump ordered.json\n"                                           // on Wan
      "RCLICK\nCLICK 350 130\ndump battle.json\n"                                    // the month ends
      "CLICK 360 250\nCLICK 440 330\ndump moved.json\n"                              // the ruler moves
      "CLICK 450 410\ndump waiting.json\n";                                          // and waits
  ASSERT_EQ(box.RunGame(script, kSeed), 0) << box.Read("err.txt");
  std::string onMap = box.Read("shots/map.json");
  EXPECT_EQ(IntAfter(onMap, "mapActive"), 1);
  EXPECT_EQ(IntAfter(onMap, "scenario"), 0);
  std::string ordered = box.Read("shots/ordered.json");
  EXPECT_EQ(IntAfter(ordered, "taskCount"), 3);
  std::string battle = box.Read("shots/battle.json");
  EXPECT_EQ(IntAfter(battle, "battleOpen"), 1);
  EXPECT_EQ(IntAfter(battle, "warTargetCity"), 20);
  size_t fight = battle.find("\"fight\"");
  EXPECT_EQ(IntAfter(battle, "ownFood", fight), 1000);
  std::string moved = box.Read("shots/moved.json");
  size_t unit = moved.find("\"units\"");
  EXPECT_EQ(IntAfter(moved, "row", unit), 3);
  EXPECT_EQ(IntAfter(moved, "col", unit), 5);
  EXPECT_EQ(IntAfter(moved, "actionMenuOpen"), 1);
  std::string waiting = box.Read("shots/waiting.json");
  EXPECT_EQ(IntAfter(waiting, "actionMenuOpen"), 0);
  EXPECT_EQ(IntAfter(waiting, "canAct", waiting.find("\"units\"")), 0);
}
