// The sounds resgen makes: the same bytes on every run, notes on their pitch,
// loops that join without a click, and sources with a slip refused by line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rules/sounds.h"
#include "tests/resgen/world_test_util.h"
#include "tools/resgen/sound/sound_render.h"

namespace fs = std::filesystem;

namespace {

std::vector<Score> AllScores() {
  std::vector<Score> scores, effects;
  EXPECT_TRUE(ReadScores(SourceData() + "/sound/music.txt", scores));
  EXPECT_TRUE(ReadScores(SourceData() + "/sound/effects.txt", effects));
  scores.insert(scores.end(), effects.begin(), effects.end());
  return scores;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The period of a stretch of samples as a frequency: the first autocorrelation
// peak nearly as strong as the strongest (a multiple of the period is as
// strong), refined between samples by the parabola through it.
double PitchOf(const std::vector<int16_t>& s, size_t from, size_t length) {
  const int minLag = kSoundRate / 2000, maxLag = kSoundRate / 60;
  std::vector<double> r(maxLag + 2, 0.0);
  for (int lag = minLag - 1; lag <= maxLag + 1; ++lag)
    for (size_t i = from; i < from + length; ++i) r[lag] += static_cast<double>(s[i]) * s[i + lag];
  double best = *std::max_element(r.begin() + minLag, r.begin() + maxLag + 1);
  for (int lag = minLag; lag <= maxLag; ++lag) {
    if (r[lag] < 0.9 * best || r[lag] < r[lag - 1] || r[lag] < r[lag + 1]) continue;
    double shift = 0.5 * (r[lag - 1] - r[lag + 1]) / (r[lag - 1] - 2 * r[lag] + r[lag + 1]);
    return kSoundRate / (lag + shift);
  }
  return 0;
}

Score OneNote(const std::string& voice, const std::string& note) {
  Score s;
  s.name = "probe";
  s.tonic = 69;  // degree 1 is A4, 440 Hz
  s.tempo = 60;
  ScorePart part;
  part.name = voice;
  part.voice = voice == "flute" ? Voice::kFlute : (voice == "qin" ? Voice::kQin : Voice::kZheng);
  ScoreNote n;
  EXPECT_TRUE(ParseNote(part.voice, note, n));
  part.notes.push_back(n);
  part.beats = n.beats;
  s.parts.push_back(part);
  return s;
}

}  // namespace

TEST(Sounds, EveryFileIsWhatItsSourcePlaysByteForByte) {
  std::vector<Score> scores = AllScores();
  ASSERT_EQ(static_cast<int>(scores.size()), kSoundCount);
  for (const Score& s : scores) {
    SCOPED_TRACE(s.name);
    WavClip clip = RenderScore(s);
    // The build's Res was written by another process: nothing may depend on the run.
    EXPECT_EQ(WavBytes(clip), FileBytes(fs::path("Res") / "Sound" / (s.name + ".wav")));
    double sum = 0;
    int peak = 0;
    for (int16_t v : clip.samples) {
      sum += v;
      peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    EXPECT_LT(std::fabs(sum / clip.samples.size()), 0.001 * 32767) << "an offset";
    EXPECT_LE(peak, static_cast<int>(s.level * 32767) + 1) << "louder than its level";
    EXPECT_GT(peak, 1000) << "hardly heard";
    if (!s.loops) {
      EXPECT_EQ(clip.samples.front(), 0) << "a sound that ends starts from silence";
      EXPECT_EQ(clip.samples.back(), 0) << "and dies away to it";
    }
  }
}

TEST(Sounds, ALoopJoinsItsHeadNoHarderThanItsOwnSteps) {
  for (const Score& s : AllScores()) {
    if (!s.loops) continue;
    SCOPED_TRACE(s.name);
    WavClip clip = RenderScore(s);
    const std::vector<int16_t>& v = clip.samples;
    std::vector<int> steps;
    for (size_t i = 1; i < v.size(); ++i) steps.push_back(std::abs(v[i] - v[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    int step99 = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(v.front() - v.back()), step99);
    // The length is the written loop's, so the beat never slips as it goes round.
    EXPECT_EQ(v.size(), static_cast<size_t>(std::lround(s.Beats() * s.SecondsPerBeat() * kSoundRate)));
  }
}

TEST(Sounds, NotesSoundAtTheirPitch) {
  struct Case {
    const char* voice;
    const char* note;
    double hz;
  };
  const Case cases[] = {
      {"zheng", "1", 440.0},   {"zheng", "5", 659.26},   {"zheng", "6,", 369.99},
      {"zheng", "2'", 987.77}, {"qin", "1,", 220.0},     {"qin", "3,,", 138.59},
      {"flute", "1", 440.0},   {"flute", "6'", 1479.98}, {"flute", "3:1/2", 554.37},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.voice) + " " + c.note);
    WavClip clip = RenderScore(OneNote(c.voice, c.note));
    ASSERT_GT(clip.samples.size(), static_cast<size_t>(kSoundRate / 4));
    double hz = PitchOf(clip.samples, kSoundRate / 10, kSoundRate / 10);
    // Within a sixth of a semitone; an octave's slip or a detuned string fails.
    EXPECT_NEAR(std::log2(hz / c.hz) * 12, 0.0, 1.0 / 6);
  }
}

TEST(SoundScores, NotesOnTheScaleAndSlipsOffIt) {
  struct Case {
    Voice voice;
    const char* token;
    bool ok;
    int semitones;
    double beats;
  };
  const Case cases[] = {
      {Voice::kZheng, "1", true, 0, 1},       {Voice::kZheng, "6", true, 9, 1},
      {Voice::kZheng, "5'", true, 19, 1},     {Voice::kQin, "2,,", true, -22, 1},
      {Voice::kFlute, "3:2", true, 4, 2},     {Voice::kFlute, "1:1/3", true, 0, 1.0 / 3},
      {Voice::kZheng, "0:0.5", true, 0, 0.5}, {Voice::kZheng, "4", false, 0, 0},
      {Voice::kZheng, "7", false, 0, 0},      {Voice::kZheng, "1:0", false, 0, 0},
      {Voice::kZheng, "1:", false, 0, 0},     {Voice::kZheng, "1x", false, 0, 0},
      {Voice::kZheng, "D", false, 0, 0},      {Voice::kDrum, "D:1/2", true, 0, 0.5},
      {Voice::kDrum, "X", false, 0, 0},       {Voice::kDrum, "Dd", false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    ScoreNote n;
    ASSERT_EQ(ParseNote(c.voice, c.token, n), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(n.semitones, c.semitones);
    EXPECT_DOUBLE_EQ(n.beats, c.beats);
  }
}

TEST(SoundScores, APieceMissingOrALoopOutOfStepIsRefusedByLine) {
  QuietErrors quiet;
  fs::path dir = fs::temp_directory_path() / ("kestrel-sound-" + std::to_string(::getpid()));
  fs::create_directories(dir / "data" / "sound");
  std::string music = FileBytes(SourceData() + "/sound/music.txt");
  // The title's zheng one beat short of its loop, and the battle gone.
  size_t at = music.find("zheng      3    5    6    1'  | 2':2      1'   6   | 5    3    2    3   | 1:4");
  ASSERT_NE(at, std::string::npos);
  music.replace(music.find("1:4", at), 3, "1:3");
  music.replace(music.find("[battle]"), 8, "[battles]");
  std::ofstream(dir / "data" / "sound" / "music.txt") << music;
  fs::copy_file(SourceData() + "/sound/effects.txt", dir / "data" / "sound" / "effects.txt");
  EXPECT_FALSE(GenerateSounds({(dir / "data").string(), (dir / "Res").string()}));
  EXPECT_TRUE(quiet.Mentions("the part zheng is 31")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("the game plays no music \"battles\"")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("\"battle\" must be there once, not 0 times")) << quiet.All();
  fs::remove_all(dir);
}
