#include "tools/resgen/sound/sound_score.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "tools/resgen/common/resgen_io.h"

namespace {

// Numbered notation's degrees 1 2 3 5 6 (宫 商 角 徵 羽) in semitones; 4 and 7
// are not on the scale, so a piece cannot stray from it by a typing slip.
constexpr int kDegreeSemitones[] = {-1, 0, 2, 4, -1, 7, 9, -1};
constexpr int kOctave = 12;

struct VoiceName {
  const char* name;
  Voice voice;
};
constexpr VoiceName kVoiceNames[] = {
    {"zheng", Voice::kZheng}, {"qin", Voice::kQin}, {"flute", Voice::kFlute}, {"drum", Voice::kDrum}};

// A length: a decimal ("0.5") or a fraction ("1/3"), above zero.
bool ParseBeats(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (*end == '/') {
    char* end2 = nullptr;
    double d = std::strtod(end + 1, &end2);
    if (end2 == end + 1 || *end2 != '\0' || d <= 0) return false;
    v /= d;
  } else if (*end != '\0') {
    return false;
  }
  if (end == text.c_str() || v <= 0 || v > 64) return false;
  out = v;
  return true;
}

bool ParsePitch(const std::string& head, ScoreNote& out) {
  int d = head[0] - '0';
  if (d < 0 || d > 7) return false;
  if (d == 0) {
    out.rest = head.size() == 1;
    return out.rest;
  }
  if (kDegreeSemitones[d] < 0) return false;
  out.semitones = kDegreeSemitones[d];
  for (size_t i = 1; i < head.size(); ++i) {
    if (head[i] == '\'') out.semitones += kOctave;
    else if (head[i] == ',') out.semitones -= kOctave;
    else return false;
  }
  return true;
}

bool VoiceOf(const std::string& partName, Voice& out) {
  std::string base = partName.substr(0, partName.find('.'));
  for (const VoiceName& v : kVoiceNames) {
    if (base != v.name) continue;
    out = v.voice;
    return true;
  }
  return false;
}

bool Setting(Score& s, const std::string& key, std::istringstream& in) {
  if (key == "loop") {
    s.loops = true;
    return true;
  }
  double v = 0;
  if (!(in >> v)) return false;
  if (key == "tempo" && v >= 20 && v <= 1200) s.tempo = v;
  else if (key == "tonic" && v >= 24 && v <= 96) s.tonic = static_cast<int>(v);
  else if (key == "level" && v > 0 && v <= 1) s.level = v;
  else if (key == "ring" && v >= 0 && v <= 4) s.ring = v;
  else return false;
  return true;
}

ScorePart& PartNamed(Score& s, const std::string& name, Voice voice, int line) {
  for (ScorePart& p : s.parts)
    if (p.name == name) return p;
  s.parts.push_back(ScorePart{voice, name, line, 0, {}});
  return s.parts.back();
}

void ReadPartLine(Score& s, const std::string& file, const SourceRow& row, const std::string& name,
                  std::istringstream& in) {
  Voice voice;
  if (!VoiceOf(name, voice)) {
    ReportError(file, row.line, "no voice or setting \"" + name + "\"");
    return;
  }
  ScorePart& part = PartNamed(s, name, voice, row.line);
  std::string token;
  while (in >> token) {
    if (token == "|") continue;  // bar lines are for the reader
    ScoreNote note;
    if (!ParseNote(voice, token, note)) {
      ReportError(file, row.line, "cannot read the note \"" + token + "\"");
      continue;
    }
    note.beat = part.beats;
    part.beats += note.beats;
    part.notes.push_back(note);
  }
}

}  // namespace

double Score::Beats() const {
  double beats = 0;
  for (const ScorePart& p : parts) beats = p.beats > beats ? p.beats : beats;
  return beats;
}

bool ParseNote(Voice voice, const std::string& token, ScoreNote& out) {
  out = ScoreNote();
  size_t colon = token.find(':');
  std::string head = token.substr(0, colon);
  if (colon != std::string::npos && !ParseBeats(token.substr(colon + 1), out.beats)) return false;
  if (head.empty()) return false;
  if (head == "0" || head == "-") {
    out.rest = true;
    return true;
  }
  if (voice == Voice::kDrum) {
    out.stroke = head[0];
    return head.size() == 1 && std::strchr(kDrumStrokes, head[0]) != nullptr;
  }
  return ParsePitch(head, out);
}

bool ReadScores(const std::string& path, std::vector<Score>& out) {
  std::vector<SourceRow> rows;
  if (!ReadLineFile(path, rows)) return false;
  int errors = ErrorCount();
  for (const SourceRow& row : rows) {
    const std::string& text = row.cells.empty() ? std::string() : row.cells[0];
    std::string line = text.substr(0, text.find('#'));
    std::istringstream in(line);
    std::string word;
    if (!(in >> word)) continue;
    if (word.front() == '[' && word.back() == ']' && word.size() > 2) {
      out.push_back(Score());
      out.back().name = word.substr(1, word.size() - 2);
      out.back().file = path;
      out.back().line = row.line;
      continue;
    }
    if (out.empty()) {
      ReportError(path, row.line, "a line before the first [piece]");
      continue;
    }
    Score& s = out.back();
    bool isSetting = word == "loop" || word == "tempo" || word == "tonic" || word == "level" || word == "ring";
    if (isSetting) {
      if (!Setting(s, word, in)) ReportError(path, row.line, "the setting \"" + line + "\" cannot be read");
      continue;
    }
    ReadPartLine(s, path, row, word, in);
  }
  return ErrorCount() == errors;
}
