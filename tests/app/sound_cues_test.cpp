// What is heard, through the headless runner's sounds line: each cue comes at
// the moment of the thing it goes with, the volumes silence their kind, and
// sounds change nothing else the game does.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace {

const char* const kSeed = "--seed 7";
const char* const kToMap = "RETURN\nRETURN\nRETURN\nRETURN\n";  // intro, new game, first scenario, first ruler
// Chang'an's ruler alone against Wan with a thousand food, the month ended:
// the battle opens; then eight days ended while the enemy closes in and wins.
const char* const kToBattle =
    "SPACE\nRETURN\nRETURN\nRETURN\nRETURN\nDOWN\nDOWN\nRETURN\nDOWN\nDOWN\nDOWN\nDOWN\nRETURN\n"
    "RETURN\nDOWN\nESC\nRIGHT\nUP\nRETURN\nDOWN\nDOWN\nRETURN\nESC\nRETURN\n";

struct Cue {
  long tick = 0;
  std::string kind, name;
};

std::vector<Cue> Cues(const std::string& text) {
  std::vector<Cue> cues;
  std::istringstream in(text);
  Cue c;
  while (in >> c.tick >> c.kind >> c.name) cues.push_back(c);
  return cues;
}

std::vector<Cue> Play(const std::string& script, const std::string& ini = "") {
  Sandbox box;
  if (!ini.empty()) box.Write("Res/startup.ini", ini);
  EXPECT_EQ(box.RunGame(script + "sounds cues.txt\n", kSeed), 0) << box.Read("err.txt");
  return Cues(box.Read("shots/cues.txt"));
}

std::string Names(const std::vector<Cue>& cues, size_t from = 0) {
  std::string out;
  for (size_t i = from; i < cues.size(); ++i) out += (out.empty() ? "" : " ") + cues[i].name;
  return out;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

TEST(SoundCues, EachKeyAndNoticeSoundsAsItIsTaken) {
  struct Case {
    const char* what;
    std::string before;  // the keys that lead there
    std::string keys;
    const char* heard;  // the cues these keys add, in order
  };
  const std::string map = kToMap;
  const Case cases[] = {
      {"the intro's key", "", "RETURN\n", "confirm"},
      {"the title's cursor", "RETURN\n", "DOWN\nUP\n", "cursor cursor"},
      {"the ruler chosen: the map's music", "RETURN\nRETURN\nRETURN\n", "RETURN\n", "confirm map"},
      {"the system menu opened and closed", map, "ESC\nESC\n", "cancel cancel"},
      {"Return on a city not ours: a refusal", map, "DOWN\nDOWN\nRETURN\n", "cursor cursor confirm refusal"},
      {"the month ended", map, "ESC\nRETURN\n", "cancel confirm month-end"},
      {"an empty slot loaded: a refusal", "RETURN\nDOWN\n", "RETURN\nRETURN\n", "confirm confirm refusal"},
      {"a battle square out of reach: a refusal", kToBattle, "RETURN\n" + Repeat("RIGHT\n", 6) + "RETURN\n",
       "confirm cursor cursor cursor cursor cursor cursor confirm refusal"},
      {"an attack on nobody: a refusal", kToBattle, "RETURN\nRIGHT\nDOWN\nRETURN\nRETURN\nRETURN\n",
       "confirm cursor cursor confirm confirm confirm refusal"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Cue> start = Play(c.before);
    std::vector<Cue> cues = Play(c.before + c.keys);
    ASSERT_GE(cues.size(), start.size());
    EXPECT_EQ(Names(cues, start.size()), c.heard);
    EXPECT_EQ(Names(std::vector<Cue>(cues.begin(), cues.begin() + start.size())), Names(start));
  }
}

TEST(SoundCues, AWarSoundsFromTheOrderToItsEnd) {
  std::vector<Cue> cues = Play(std::string(kToBattle) + Repeat("ESC\nRETURN\n", 8));
  ASSERT_FALSE(cues.empty());
  EXPECT_EQ(cues[0].name, "title");
  EXPECT_EQ(cues[0].tick, 0);
  std::string story;
  for (const Cue& c : cues)
    if (c.name != "cursor" && c.name != "confirm" && c.name != "cancel") story += (story.empty() ? "" : " ") + c.name;
  // The order set out, the month ended, the army marched, the battle, two blows,
  // the battle lost, the ruler taken, and the map again.
  EXPECT_EQ(story, "title map march month-end march battle attack attack defeat capture map");
  for (size_t i = 1; i < cues.size(); ++i) EXPECT_LE(cues[i - 1].tick, cues[i].tick) << i;
  // The banner stands a second before the battle opens, and its music with it.
  for (size_t i = 1; i < cues.size(); ++i)
    if (cues[i].name == "battle") {
      EXPECT_EQ(cues[i].tick - cues[i - 1].tick, 1000);
    }
}

TEST(SoundCues, VolumeZeroSilencesItsKindAndNothingElseChanges) {
  const std::string script = std::string(kToMap) + "DOWN\nDOWN\nRETURN\nESC\nRETURN\ndump state.json\n";
  struct Case {
    int music, effects;
    bool musicHeard, effectsHeard;
  };
  const Case cases[] = {{7, 7, true, true}, {0, 7, false, true}, {10, 0, true, false}, {0, 0, false, false}};
  std::string firstDump;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.music) + "/" + std::to_string(c.effects));
    Sandbox box;
    box.Write("Res/startup.ini", "[Startup]\nColor=1\n[Sound]\nMusic=" + std::to_string(c.music) +
                                     "\nEffects=" + std::to_string(c.effects) + "\n");
    ASSERT_EQ(box.RunGame(script + "sounds cues.txt\n", kSeed), 0) << box.Read("err.txt");
    std::string text = box.Read("shots/cues.txt");
    EXPECT_EQ(text.find(" music ") != std::string::npos, c.musicHeard) << text;
    EXPECT_EQ(text.find(" effect ") != std::string::npos, c.effectsHeard) << text;
    std::string dump = box.Read("shots/state.json");
    if (firstDump.empty()) firstDump = dump;
    EXPECT_EQ(dump, firstDump);
  }
}
