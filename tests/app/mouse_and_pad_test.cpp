// The mouse and the gamepad through the headless runner: a click or a button
// must leave the game exactly where the keys it stands for leave it, and a
// campaign must be playable with either alone.
#include <gtest/gtest.h>

#include <map>
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

// A month, a war and a battle: Chang'an's war order on Wan with the ruler
// alone and a thousand food, the month ended; in the battle the ruler moves,
// stands by, ends the day, rides out, waits five days for the enemy, attacks
// an archer and retreats; he is lost, an heir is chosen and the next month ends.
// Each step as the keys (a word a line) and as the mouse; `dump` steps name the
// states both must reach.
struct Step {
  const char* keys;
  const char* mouse;
};
const Step kCampaign[] = {
    {"RETURN RETURN RETURN RETURN", "CLICK 400 300\nCLICK 200 300\nCLICK 200 250\nCLICK 150 150"},
    {"dump map.json", "dump map.json"},
    {"RETURN DOWN DOWN RETURN DOWN DOWN DOWN DOWN RETURN", "CLICK 300 260\nCLICK 350 250\nCLICK 450 390"},
    {"RETURN ESC", "CLICK 100 150\nRCLICK"},                       // the ruler alone
    {"RIGHT UP RETURN", "HOVER 489 300\nWHEEL 1\nCLICK 489 300"},  // a thousand food
    {"DOWN DOWN RETURN", "CLICK 300 420"},                         // on Wan
    {"dump ordered.json", "dump ordered.json"},
    {"ESC RETURN", "RCLICK\nCLICK 350 130"},  // the month ends
    {"dump battle.json", "dump battle.json"},
    {"RETURN RIGHT DOWN RETURN DOWN DOWN DOWN RETURN", "CLICK 360 250\nCLICK 440 330\nCLICK 450 410"},
    {"ESC RETURN", "RCLICK\nCLICK 150 110"},  // the day ends
    {"RETURN DOWN DOWN RETURN DOWN DOWN DOWN RETURN", "CLICK 360 250\nCLICK 360 390\nCLICK 450 410"},
    {"ESC RETURN ESC RETURN ESC RETURN ESC RETURN ESC RETURN",
     "RCLICK\nCLICK 150 110\nRCLICK\nCLICK 150 110\nRCLICK\nCLICK 150 110\nRCLICK\nCLICK 150 110\nRCLICK\nCLICK 150 "
     "110"},
    {"RETURN DOWN RETURN RETURN DOWN RETURN", "CLICK 360 250\nCLICK 360 330\nCLICK 450 230\nCLICK 360 385"},
    {"dump attacked.json", "dump attacked.json"},
    {"ESC DOWN RETURN", "RCLICK\nCLICK 150 170"},  // retreat
    {"dump retreat.json", "dump retreat.json"},
    {"RETURN", "CLICK 100 145"},              // the heir
    {"ESC RETURN", "RCLICK\nCLICK 350 130"},  // the next month ends
    {"dump next.json\nshot next.png", "dump next.json\nshot next.png"},
};
const char* const kDumps[] = {"map", "ordered", "battle", "attacked", "retreat", "next"};

// The campaign's keys, a line each; a `dump` or `shot` step as it stands.
std::string KeyScript(const char* (*button)(const std::string&) = nullptr) {
  std::string out;
  for (const Step& step : kCampaign) {
    std::string keys = step.keys;
    if (keys.rfind("dump", 0) == 0) {
      out += keys + "\n";
      continue;
    }
    size_t at = 0;
    while (at < keys.size()) {
      size_t end = keys.find(' ', at);
      if (end == std::string::npos) end = keys.size();
      std::string key = keys.substr(at, end - at);
      out += (button ? std::string("PAD ") + button(key) : key) + "\n";
      at = end + 1;
    }
  }
  return out;
}

std::string MouseScript() {
  std::string out;
  for (const Step& step : kCampaign) out += std::string(step.mouse) + "\n";
  return out;
}

// The gamepad's button for each key word of the campaign.
const char* ButtonFor(const std::string& key) {
  static const std::map<std::string, const char*> buttons = {{"RETURN", "A"},  {"ESC", "B"},     {"UP", "UP"},
                                                             {"DOWN", "DOWN"}, {"LEFT", "LEFT"}, {"RIGHT", "RIGHT"}};
  auto it = buttons.find(key);
  return it == buttons.end() ? "?" : it->second;
}

// What the campaign must have done, read from a run's dumps.
void ExpectTheCampaignPlayed(const Sandbox& box) {
  std::string onMap = box.Read("shots/map.json");
  EXPECT_EQ(IntAfter(onMap, "mapActive"), 1);
  EXPECT_EQ(IntAfter(onMap, "scenario"), 0);
  EXPECT_EQ(IntAfter(box.Read("shots/ordered.json"), "taskCount"), 3);
  std::string battle = box.Read("shots/battle.json");
  EXPECT_EQ(IntAfter(battle, "battleOpen"), 1);
  EXPECT_EQ(IntAfter(battle, "warTargetCity"), 20);
  EXPECT_EQ(IntAfter(battle, "ownFood", battle.find("\"fight\"")), 1000);
  // The ruler stands beside the archer (unit 19) he has struck and has acted.
  std::string attacked = box.Read("shots/attacked.json");
  size_t units = attacked.find("\"units\"");
  EXPECT_EQ(IntAfter(attacked, "row", units), 6);
  EXPECT_EQ(IntAfter(attacked, "col", units), 5);
  EXPECT_EQ(IntAfter(attacked, "canAct", units), 0);
  EXPECT_GT(IntAfter(attacked, "experience", units), 0);
  EXPECT_EQ(IntAfter(attacked, "targetUnit"), 19);
  std::string retreat = box.Read("shots/retreat.json");
  EXPECT_EQ(IntAfter(retreat, "battleOpen"), 0);
  EXPECT_EQ(IntAfter(retreat, "rulerSuccession"), 1);
  std::string next = box.Read("shots/next.json");
  EXPECT_EQ(IntAfter(next, "rulerSuccession"), 0);
  EXPECT_NE(IntAfter(next, "playerRuler"), IntAfter(onMap, "playerRuler"));
  EXPECT_EQ(IntAfter(next, "month"), IntAfter(onMap, "month") + 2);
  EXPECT_EQ(IntAfter(next, "mapActive"), 1);
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
      {"load slot", "RETURN\nDOWN\nRETURN\n", "CLICK 300 300", "DOWN RETURN"},
      {"city information: anywhere is any key", map + "RETURN\nDOWN\nDOWN\nDOWN\nRETURN\n", "CLICK 700 560", "RETURN"},
      {"battle's day menu: a setting", dialog + kToBattle + "ESC\n", "CLICK 150 230", "DOWN DOWN RETURN"},
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

TEST(Mouse, PlaysAMonthAWarAndABattleWithNoKeyAtAll) {
  Sandbox byMouse, byKeys;
  ASSERT_EQ(byMouse.RunGame(MouseScript(), kSeed), 0) << byMouse.Read("err.txt");
  ASSERT_EQ(byKeys.RunGame(KeyScript(), kSeed), 0) << byKeys.Read("err.txt");
  ExpectTheCampaignPlayed(byMouse);
  for (const char* name : kDumps) {
    SCOPED_TRACE(name);
    EXPECT_EQ(byMouse.Read(std::string("shots/") + name + ".json"),
              byKeys.Read(std::string("shots/") + name + ".json"));
  }
  EXPECT_EQ(byMouse.Read("shots/next.png"), byKeys.Read("shots/next.png"));
}

// The buttons go the way the keys go: the same campaign by gamepad alone.
TEST(Gamepad, PlaysAMonthAWarAndABattleWithNoKeyAtAll) {
  Sandbox byPad, byKeys;
  std::string pad = KeyScript(ButtonFor);
  ASSERT_EQ(pad.find("PAD ?"), std::string::npos);
  ASSERT_EQ(byPad.RunGame(pad, kSeed), 0) << byPad.Read("err.txt");
  ASSERT_EQ(byKeys.RunGame(KeyScript(), kSeed), 0) << byKeys.Read("err.txt");
  ExpectTheCampaignPlayed(byPad);
  for (const char* name : kDumps) {
    SCOPED_TRACE(name);
    EXPECT_EQ(byPad.Read(std::string("shots/") + name + ".json"), byKeys.Read(std::string("shots/") + name + ".json"));
  }
}
