#pragma once
// The pieces of data/sound/ as resgen reads them: each a name, its settings
// and its parts, every part a list of notes on the pentatonic scale (or drum
// strokes) with their lengths in beats.
#include <string>
#include <vector>

struct ScoreNote {
  double beat = 0;   // where it starts
  double beats = 1;  // how long it holds
  bool rest = false;
  int semitones = 0;  // above the piece's tonic, for the pitched voices
  char stroke = 0;    // the drum's stroke letter
};

enum class Voice { kZheng, kQin, kFlute, kDrum };

struct ScorePart {
  Voice voice = Voice::kZheng;
  std::string name;  // "zheng", "zheng.low", ...
  int line = 0;
  double beats = 0;  // the part's length
  std::vector<ScoreNote> notes;
};

struct Score {
  std::string name;
  std::string file;
  int line = 0;
  double tempo = 90;  // beats a minute
  int tonic = 62;     // MIDI note of degree 1 (D4)
  bool loops = false;
  double level = 0.7;  // the loudest sample, of full scale
  double ring = 1.5;   // seconds a plucked note rings on past its length
  std::vector<ScorePart> parts;

  double Beats() const;
  double SecondsPerBeat() const { return 60.0 / tempo; }
};

// The drum strokes a drum part may name.
constexpr const char kDrumStrokes[] = "DdkgbsnfwT";

// Reads every piece of one file; errors go to ReportError by file and line.
bool ReadScores(const std::string& path, std::vector<Score>& out);
// One token of a part ("5", "1'", "6,:2", "0:0.5", "D:1/2"); false when unreadable.
bool ParseNote(Voice voice, const std::string& token, ScoreNote& out);
