#pragma once
// Deterministic noise for the painter: a hash of a lattice point, smooth value
// noise and its fractal sum, and bands that work them out a row at a time.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace paint {

float Hash2(uint32_t seed, int x, int y);                 // [0, 1)
float ValueNoise(uint32_t seed, float x, float y);        // smooth, [0, 1)
float Fbm(uint32_t seed, float x, float y, int octaves);  // [0, 1), mean 0.5

// Hash2 of one seed over columns 0..width-1, a row at a time: the row's part
// of the hash is worked out once.
class HashBand {
 public:
  HashBand(uint32_t seed, int width);
  void SetRow(int y);
  float At(size_t x) const;  // Hash2(seed, x, y), to the bit

 private:
  uint32_t seed_, row_ = 0;
  std::vector<uint32_t> column_;
};

// ValueNoise of one seed over a band of columns, a row at a time.
class NoiseBand {
 public:
  NoiseBand(uint32_t seed, const std::vector<float>& xs);  // each column's noise x
  void SetRow(float y);
  float At(size_t column) const;  // ValueNoise(seed, xs[column], y), to the bit

 private:
  uint32_t seed_;
  int ix0_ = 0, iy_ = 0;
  bool ready_ = false;
  float ty_ = 0;
  std::vector<int> cell_;            // each column's cell, from ix0_
  std::vector<float> tx_;            // and its smoothed place in it
  std::vector<float> top_, bottom_;  // the corners at iy_ and iy_ + 1
};

// Fbm over a band of columns, a row at a time: At is Fbm(seed, xs[column], y, octaves).
class FbmBand {
 public:
  FbmBand(uint32_t seed, std::vector<float> xs, int octaves);
  void SetRow(float y);
  float At(size_t column) const;

 private:
  std::vector<NoiseBand> octaves_;
};

// Inline: a ground reads these at every pixel.
inline float NoiseBand::At(size_t column) const {
  size_t k = static_cast<size_t>(cell_[column]);
  float tx = tx_[column];
  float a = top_[k], b = top_[k + 1], c = bottom_[k], d = bottom_[k + 1];
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty_;
}

inline float FbmBand::At(size_t column) const {
  float sum = 0;
  float amp = 0.5f;
  float norm = 0;
  for (const NoiseBand& band : octaves_) {
    sum += amp * band.At(column);
    norm += amp;
    amp *= 0.5f;
  }
  return norm > 0 ? sum / norm : 0.5f;
}

// The noise x of each of `width` columns from `x0`, at `scale`, for a band.
std::vector<float> Columns(int x0, int width, float scale);

}  // namespace paint
