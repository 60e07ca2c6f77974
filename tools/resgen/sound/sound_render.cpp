#include "tools/resgen/sound/sound_render.h"

#include <cmath>
#include <cstdlib>

#include "rules/sounds.h"
#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/common/resgen_record.h"
#include "tools/resgen/sound/sound_voices.h"

namespace {

constexpr double kFullScale = 32767.0;
// The longest anything rings past its written end (the gong).
constexpr double kTailSeconds = 3.5;
// A sound that ends is cut where it falls below this share of its peak.
constexpr double kSilentShare = 0.002;
// Each voice's loudness in the mix, before the piece is brought to its level.
constexpr double kZhengGain = 0.5, kQinGain = 0.6, kFluteGain = 0.35, kDrumGain = 0.45;

uint32_t NameSeed(const std::string& name) {
  uint32_t h = 2166136261u;
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h;
}

double Frequency(const Score& score, int semitones) {
  return 440.0 * std::pow(2.0, (score.tonic + semitones - 69) / 12.0);
}

void PlayPart(const Score& score, const ScorePart& part, uint32_t seed, std::vector<float>& mix) {
  double spb = score.SecondsPerBeat();
  for (size_t k = 0; k < part.notes.size(); ++k) {
    const ScoreNote& n = part.notes[k];
    if (n.rest) continue;
    NotePlay play{Frequency(score, n.semitones), n.beats * spb, score.ring, 1.0,
                  seed + static_cast<uint32_t>(k) * 7919u};
    size_t start = static_cast<size_t>(std::lround(n.beat * spb * kSoundRate));
    switch (part.voice) {
      case Voice::kZheng:
        play.gain = kZhengGain;
        AddZheng(mix, start, play);
        break;
      case Voice::kQin:
        play.gain = kQinGain;
        AddQin(mix, start, play);
        break;
      case Voice::kFlute:
        play.gain = kFluteGain;
        AddFlute(mix, start, play);
        break;
      case Voice::kDrum:
        play.gain = kDrumGain;
        AddStroke(mix, start, n.stroke, play);
        break;
    }
  }
}

// Laps the ringing past the loop's end over its head, then takes away the
// mean: a constant shift keeps the seam as smooth as it was.
void FoldLoop(std::vector<float>& mix, size_t loop) {
  for (size_t i = loop; i < mix.size(); ++i) mix[i % loop] += mix[i];
  mix.resize(loop);
  double sum = 0;
  for (float v : mix) sum += v;
  float mean = static_cast<float>(sum / loop);
  for (float& v : mix) v -= mean;
}

// A one-pole high-pass far below the lowest drum: no offset builds up, and a
// sound that starts from silence still does.
void BlockOffset(std::vector<float>& mix) {
  double x1 = 0, y1 = 0;
  for (float& v : mix) {
    double y = v - x1 + 0.999 * y1;
    x1 = v;
    y1 = y;
    v = static_cast<float>(y);
  }
}

float Peak(const std::vector<float>& mix) {
  float peak = 0;
  for (float v : mix) peak = std::fmax(peak, std::fabs(v));
  return peak;
}

void TrimSilence(std::vector<float>& mix) {
  float floor = Peak(mix) * static_cast<float>(kSilentShare);
  size_t end = mix.size();
  while (end > 0 && std::fabs(mix[end - 1]) <= floor) --end;
  mix.resize(end);
  // The last few milliseconds fall to zero, as the voices' own cuts do.
  size_t fade = std::min<size_t>(mix.size(), kSoundRate / 100);
  for (size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= static_cast<float>(i) / fade;
}

}  // namespace

WavClip RenderScore(const Score& score) {
  size_t loop = static_cast<size_t>(std::lround(score.Beats() * score.SecondsPerBeat() * kSoundRate));
  std::vector<float> mix(loop + static_cast<size_t>(kTailSeconds * kSoundRate), 0.0f);
  uint32_t seed = NameSeed(score.name);
  for (size_t p = 0; p < score.parts.size(); ++p) PlayPart(score, score.parts[p], seed + 104729u * p, mix);
  if (score.loops && loop > 0) {
    FoldLoop(mix, loop);
  } else {
    BlockOffset(mix);
    TrimSilence(mix);
  }
  WavClip clip;
  clip.rate = kSoundRate;
  float peak = Peak(mix);
  double scale = peak > 0 ? score.level * kFullScale / peak : 0;
  clip.samples.reserve(mix.size());
  for (float v : mix) clip.samples.push_back(static_cast<int16_t>(std::lround(v * scale)));
  return clip;
}

namespace {

// Every piece the game plays is there once, in the file of its kind, and
// loops as the game expects; nothing else is.
bool CheckScores(const std::vector<Score>& scores, const std::string& file, bool music) {
  bool ok = true;
  for (const Score& s : scores) {
    const SoundRow* row = nullptr;
    for (const SoundRow& r : kSoundRows)
      if (s.name == r.name) row = &r;
    if (!row || row->music != music) {
      ReportError(file, s.line, "the game plays no " + std::string(music ? "music" : "effect") + " \"" + s.name + "\"");
      ok = false;
      continue;
    }
    if (row->loops != s.loops) {
      ReportError(file, s.line, "\"" + s.name + (row->loops ? "\" must loop" : "\" must not loop"));
      ok = false;
    }
    for (const ScorePart& p : s.parts) {
      if (!s.loops || p.beats == s.Beats()) continue;
      ReportError(file, p.line,
                  "the part " + p.name + " is " + std::to_string(p.beats) + " beats long, the loop " +
                      std::to_string(s.Beats()));
      ok = false;
    }
  }
  for (const SoundRow& r : kSoundRows) {
    if (r.music != music) continue;
    int found = 0;
    for (const Score& s : scores) found += s.name == r.name;
    if (found != 1) {
      ReportError(file, 0,
                  "\"" + std::string(r.name) + "\" must be there once, not " + std::to_string(found) + " times");
      ok = false;
    }
  }
  return ok;
}

}  // namespace

bool GenerateSounds(const ResgenPaths& paths) {
  std::vector<Score> music, effects;
  std::string musicFile = JoinPath(paths.dataDir, "sound/music.txt");
  std::string effectsFile = JoinPath(paths.dataDir, "sound/effects.txt");
  bool ok = ReadScores(musicFile, music);
  ok = ReadScores(effectsFile, effects) && ok;
  ok = CheckScores(music, musicFile, true) && ok;
  ok = CheckScores(effects, effectsFile, false) && ok;
  if (!ok) return false;
  std::string folder = JoinPath(paths.resDir, "Sound");
  if (!MakeDir(folder)) return false;
  for (const std::vector<Score>* list : {&music, &effects}) {
    for (const Score& s : *list) {
      std::string path = JoinPath(folder, s.name + ".wav");
      RunRecord().NoteWritten(path);
      if (!WriteWav(path, RenderScore(s))) {
        ReportError(path, 0, "cannot write");
        return false;
      }
    }
  }
  return true;
}
