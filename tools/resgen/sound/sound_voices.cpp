#include "tools/resgen/sound/sound_voices.h"

#include <cmath>

#include "rules/sounds.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSoundRate;
// Every note starts from silence over this long, so an onset never jumps.
constexpr double kAttackSeconds = 0.002;
// And ends the same way where it is cut.
constexpr double kCutSeconds = 0.03;

size_t Samples(double seconds) { return static_cast<size_t>(seconds * kRate); }

void Add(std::vector<float>& mix, size_t at, double v) {
  if (at < mix.size()) mix[at] += static_cast<float>(v);
}

// The gain of the edges: up from zero at the start, down to zero at the cut.
double Edges(size_t i, size_t length) {
  double t = i / kRate;
  double left = (length - i) / kRate;
  double g = t < kAttackSeconds ? t / kAttackSeconds : 1.0;
  if (left < kCutSeconds) g *= left / kCutSeconds;
  return g;
}

// The delay line of a plucked string, `brightness` (0..1) the share of the
// burst's high partials kept, `loss` what each pass keeps.
void Pluck(std::vector<float>& mix, size_t start, const NotePlay& note, double brightness, double loss) {
  double delay = kRate / note.frequency - 0.5;  // the averaging adds half a sample
  if (delay < 2) delay = 2;
  size_t length = Samples(note.seconds + note.ring);
  size_t burst = static_cast<size_t>(std::ceil(delay)) + 1;
  std::vector<double> line(length + burst, 0.0);
  NoiseSource noise(note.seed);
  double low = 0, sum = 0;
  for (size_t i = 0; i < burst; ++i) {
    low += brightness * (noise.Next() - low);
    line[i] = low;
    sum += low;
  }
  for (size_t i = 0; i < burst; ++i) line[i] -= sum / burst;  // no offset circulates
  auto at = [&line](double p) {
    size_t i0 = static_cast<size_t>(p);
    double t = p - i0;
    return line[i0] * (1 - t) + line[i0 + 1] * t;
  };
  for (size_t n = burst; n < line.size(); ++n) line[n] = loss * 0.5 * (at(n - delay) + at(n - delay - 1));
  for (size_t i = 0; i < length; ++i) Add(mix, start + i, note.gain * line[i] * Edges(i, length));
}

// An exponentially falling envelope with the clean start.
double Decay(double t, double tau) { return std::exp(-t / tau); }

// A pitch that falls from `from` to `to`, time constant tau: a drum's skin.
void Skin(std::vector<float>& mix, size_t start, const NotePlay& note, double from, double to, double tau, double body,
          double noiseShare, double noiseTau, double seconds) {
  NoiseSource noise(note.seed);
  size_t length = Samples(seconds);
  double phase = 0;
  for (size_t i = 0; i < length; ++i) {
    double t = i / kRate;
    double f = to + (from - to) * Decay(t, tau);
    phase += 2 * kPi * f / kRate;
    double v = std::sin(phase) * Decay(t, body) + noiseShare * noise.Next() * Decay(t, noiseTau);
    Add(mix, start + i, note.gain * v * Edges(i, length));
  }
}

struct Partial {
  double ratio, amplitude, tau;
};

// Inharmonic partials ringing down: gongs and bells.
template <size_t N>
void Metal(std::vector<float>& mix, size_t start, const NotePlay& note, double base, const Partial (&partials)[N],
           double seconds) {
  size_t length = Samples(seconds);
  for (size_t i = 0; i < length; ++i) {
    double t = i / kRate;
    double v = 0;
    for (const Partial& p : partials) v += p.amplitude * std::sin(2 * kPi * base * p.ratio * t) * Decay(t, p.tau);
    Add(mix, start + i, note.gain * v * Edges(i, length));
  }
}

// Noise through a one-pole low-pass whose opening follows `open(t)` and whose
// loudness follows `shape(t)`: swishes, thunder, fire and water.
template <typename Open, typename Shape>
void Noise(std::vector<float>& mix, size_t start, const NotePlay& note, double seconds, Open open, Shape shape) {
  NoiseSource noise(note.seed);
  size_t length = Samples(seconds);
  double low = 0, lower = 0;
  for (size_t i = 0; i < length; ++i) {
    double t = i / kRate;
    double a = open(t);
    low += a * (noise.Next() - low);
    lower += a * (low - lower);
    Add(mix, start + i, note.gain * (low - lower * 0.5) * shape(t) * Edges(i, length));
  }
}

constexpr Partial kGong[] = {{1.0, 1.0, 2.2}, {1.52, 0.7, 1.6}, {2.03, 0.5, 1.1}, {2.74, 0.35, 0.8}, {3.48, 0.2, 0.5}};
constexpr Partial kBell[] = {{1.0, 1.0, 0.6}, {2.76, 0.4, 0.3}, {5.4, 0.2, 0.15}};

void Crackle(std::vector<float>& mix, size_t start, const NotePlay& note) {
  Noise(
      mix, start, note, 1.2, [](double) { return 0.08; }, [](double t) { return 0.5 * Decay(t, 0.6); });
  NoiseSource pops(note.seed ^ 0x5bd1e995u);
  size_t length = Samples(1.0);
  for (size_t i = 0; i < length; i += 300 + static_cast<size_t>(600 * (pops.Next() + 1))) {
    NotePlay pop = note;
    pop.gain = note.gain * 0.6 * Decay(i / kRate, 0.5);
    pop.seed = note.seed + static_cast<uint32_t>(i);
    Noise(
        mix, start + i, pop, 0.02, [](double) { return 0.6; }, [](double t) { return Decay(t, 0.004); });
  }
}

void Roll(std::vector<float>& mix, size_t start, const NotePlay& note) {
  for (int k = 0; k < 8; ++k) {
    NotePlay hit = note;
    hit.gain = note.gain * (0.4 + 0.08 * k);
    hit.seed = note.seed + k;
    Skin(mix, start + Samples(0.06 * k), hit, 160, 80, 0.03, 0.2, 0.3, 0.03, 0.5);
  }
}

}  // namespace

float NoiseSource::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ / 2147483647.5 - 1.0);
}

void AddZheng(std::vector<float>& mix, size_t start, const NotePlay& note) { Pluck(mix, start, note, 0.8, 0.996); }

void AddQin(std::vector<float>& mix, size_t start, const NotePlay& note) { Pluck(mix, start, note, 0.35, 0.998); }

void AddFlute(std::vector<float>& mix, size_t start, const NotePlay& note) {
  constexpr double kAttack = 0.05, kRelease = 0.08;
  constexpr double kVibratoHz = 5.2, kVibratoDepth = 0.004, kVibratoFrom = 0.12, kVibratoFull = 0.4;
  size_t length = Samples(note.seconds + kRelease);
  NoiseSource noise(note.seed);
  double phase = 0, breath = 0;
  for (size_t i = 0; i < length; ++i) {
    double t = i / kRate;
    double grow = std::fmin(std::fmax((t - kVibratoFrom) / (kVibratoFull - kVibratoFrom), 0.0), 1.0);
    double f = note.frequency * (1 + kVibratoDepth * grow * std::sin(2 * kPi * kVibratoHz * t));
    phase += 2 * kPi * f / kRate;
    double env = std::fmin(t / kAttack, 1.0);
    if (t > note.seconds) env *= std::fmax(1 - (t - note.seconds) / kRelease, 0.0);
    breath += 0.15 * (noise.Next() - breath);
    double chiff = 1 + 3 * Decay(t, 0.03);  // the breath is loudest as the note speaks
    double v = std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase) + 0.25 * chiff * breath;
    Add(mix, start + i, note.gain * 0.5 * v * env * Edges(i, length));
  }
}

void AddStroke(std::vector<float>& mix, size_t start, char stroke, const NotePlay& note) {
  switch (stroke) {
    case 'D': Skin(mix, start, note, 125, 55, 0.04, 0.35, 0.3, 0.02, 0.9); break;
    case 'd': Skin(mix, start, note, 250, 150, 0.02, 0.12, 0.5, 0.05, 0.45); break;
    case 'k':
      Noise(
          mix, start, note, 0.12, [](double) { return 0.7; }, [](double t) { return 1.6 * Decay(t, 0.012); });
      break;
    case 'g': Metal(mix, start, note, 196, kGong, 3.0); break;
    case 'b': Metal(mix, start, note, 1568, kBell, 1.0); break;
    case 's':
      Noise(
          mix, start, note, 0.35, [](double t) { return 0.05 + 1.2 * t; },
          [](double t) { return 1.4 * std::sin(kPi * t / 0.35); });
      break;
    case 'n':
      Noise(
          mix, start, note, 1.8, [](double) { return 0.02; },
          [](double t) { return 6 * (1 - Decay(t, 0.01)) * Decay(t, 0.7); });
      break;
    case 'f': Crackle(mix, start, note); break;
    case 'w':
      Noise(
          mix, start, note, 1.4, [](double t) { return 0.06 + 0.04 * std::sin(2 * kPi * 3 * t); },
          [](double t) { return 2.5 * std::sin(kPi * t / 1.4) * (0.7 + 0.3 * std::sin(2 * kPi * 7 * t)); });
      break;
    case 'T': Roll(mix, start, note); break;
  }
}
