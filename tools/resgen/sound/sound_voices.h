#pragma once
// The instruments, each adding one note into a mix buffer of float samples at
// kSoundRate from a start sample. Every random number comes from the seed
// given, so a piece sounds the same, sample for sample, on every run.
#include <cstddef>
#include <cstdint>
#include <vector>

struct NotePlay {
  double frequency = 440;
  double seconds = 1;  // the note's written length
  double ring = 1.5;   // a plucked string's ringing on after it
  double gain = 1;
  uint32_t seed = 1;
};

// Karplus-Strong: a burst of noise circulating in a delay line one period long,
// softened each pass. The qin is the darker, longer-ringing string.
void AddZheng(std::vector<float>& mix, size_t start, const NotePlay& note);
void AddQin(std::vector<float>& mix, size_t start, const NotePlay& note);
// Bamboo flute: a sine with a little of its octave and twelfth, breath noise,
// vibrato that grows as the note holds, soft attack and release.
void AddFlute(std::vector<float>& mix, size_t start, const NotePlay& note);
// A drum stroke by its letter (kDrumStrokes): D big drum, d small drum, k
// clapper, g gong, b bell, s swish, n thunder, f fire, w water, T war drum roll.
void AddStroke(std::vector<float>& mix, size_t start, char stroke, const NotePlay& note);

// The deterministic noise every voice draws from.
class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  float Next();  // -1..1
 private:
  uint32_t state_;
};
