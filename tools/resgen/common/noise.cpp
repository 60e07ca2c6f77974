// Value noise and hashes for the painter's grounds, pointwise and a row at a
// time. The row-at-a-time forms must give the pointwise values to the bit:
// Res is the same however a ground works its noise out.
#include "tools/resgen/common/noise.h"

#include <algorithm>

namespace paint {

namespace {
// std::floor for the coordinates painted here (well inside an int), without
// the library call the baseline instruction set needs for it.
int FloorInt(float v) {
  int i = static_cast<int>(v);
  return v < static_cast<float>(i) ? i - 1 : i;
}

uint32_t HashInt(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}
}  // namespace

HashBand::HashBand(uint32_t seed, int width) : seed_(seed * 0x9E3779B1U) {
  column_.resize(static_cast<size_t>(std::max(0, width)));
  for (size_t k = 0; k < column_.size(); ++k) column_[k] = static_cast<uint32_t>(k) * 0x85EBCA6BU;
}

void HashBand::SetRow(int y) { row_ = HashInt(static_cast<uint32_t>(y) + 0x27D4EB2FU); }

float HashBand::At(size_t x) const {
  uint32_t h = HashInt(seed_ ^ HashInt(column_[x] ^ row_));
  return (h >> 8) * (1.0f / 16777216.0f);
}

float Hash2(uint32_t seed, int x, int y) {
  uint32_t h = HashInt(seed * 0x9E3779B1U ^ HashInt(static_cast<uint32_t>(x) * 0x85EBCA6BU ^
                                                    HashInt(static_cast<uint32_t>(y) + 0x27D4EB2FU)));
  return (h >> 8) * (1.0f / 16777216.0f);
}

namespace {
// The hashed corners of the noise cells last read, a few seeds at a time: a
// paper or a gradient reads the same wide cell for a hundred pixels running,
// and hashing its four corners anew each time was most of the painting.
struct NoiseCell {
  uint32_t seed = 0;
  int ix = 0, iy = 0;
  bool ready = false;
  float a = 0, b = 0, c = 0, d = 0;
};
constexpr int kNoiseCellBits = 4;
constexpr int kNoiseCellSlots = 1 << kNoiseCellBits;

const NoiseCell& CornersOf(uint32_t seed, int ix, int iy) {
  static thread_local NoiseCell cells[kNoiseCellSlots];
  NoiseCell& cell = cells[(seed * 0x9E3779B1U) >> (32 - kNoiseCellBits)];
  if (cell.ready && cell.seed == seed && cell.ix == ix && cell.iy == iy) return cell;
  cell.seed = seed, cell.ix = ix, cell.iy = iy, cell.ready = true;
  cell.a = Hash2(seed, ix, iy);
  cell.b = Hash2(seed, ix + 1, iy);
  cell.c = Hash2(seed, ix, iy + 1);
  cell.d = Hash2(seed, ix + 1, iy + 1);
  return cell;
}
}  // namespace

float ValueNoise(uint32_t seed, float x, float y) {
  int ix = FloorInt(x);
  int iy = FloorInt(y);
  float fx = static_cast<float>(ix);
  float fy = static_cast<float>(iy);
  float tx = x - fx;
  float ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const NoiseCell& cell = CornersOf(seed, ix, iy);
  float a = cell.a, b = cell.b, c = cell.c, d = cell.d;
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(uint32_t seed, float x, float y, int octaves) {
  float sum = 0;
  float amp = 0.5f;
  float norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(seed + static_cast<uint32_t>(o) * 1013, x, y);
    norm += amp;
    x *= 2.03f;
    y *= 2.03f;
    amp *= 0.5f;
  }
  return norm > 0 ? sum / norm : 0.5f;
}

namespace {
// The hashed values along one lattice row of a band of cells.
void HashRow(uint32_t seed, int ix0, int iy, std::vector<float>& out) {
  for (size_t k = 0; k < out.size(); ++k) out[k] = Hash2(seed, ix0 + static_cast<int>(k), iy);
}
}  // namespace

// A ground fills its whole sheet with the same noise, one row after another:
// where each column falls in its cell, and the corners of a lattice row, are
// worked out once instead of at every pixel. The sums are ValueNoise's and
// Fbm's own, in their order, so every pixel comes out the same to the bit.
NoiseBand::NoiseBand(uint32_t seed, const std::vector<float>& xs) : seed_(seed) {
  cell_.resize(xs.size());
  tx_.resize(xs.size());
  int lo = 0, hi = 0;
  for (size_t k = 0; k < xs.size(); ++k) {
    int ix = FloorInt(xs[k]);
    float tx = xs[k] - static_cast<float>(ix);
    tx_[k] = tx * tx * (3 - 2 * tx);
    cell_[k] = ix;
    if (k == 0 || ix < lo) lo = ix;
    if (k == 0 || ix > hi) hi = ix;
  }
  ix0_ = lo;
  for (int& ix : cell_) ix -= lo;
  size_t span = xs.empty() ? 0 : static_cast<size_t>(hi - lo) + 2;
  top_.resize(span);
  bottom_.resize(span);
}

void NoiseBand::SetRow(float y) {
  int iy = FloorInt(y);
  float ty = y - static_cast<float>(iy);
  ty_ = ty * ty * (3 - 2 * ty);
  if (ready_ && iy == iy_) return;
  if (ready_ && iy == iy_ + 1) {
    top_.swap(bottom_);
  } else {
    HashRow(seed_, ix0_, iy, top_);
  }
  HashRow(seed_, ix0_, iy + 1, bottom_);
  iy_ = iy;
  ready_ = true;
}

FbmBand::FbmBand(uint32_t seed, std::vector<float> xs, int octaves) {
  for (int o = 0; o < octaves; ++o) {
    octaves_.emplace_back(seed + static_cast<uint32_t>(o) * 1013, xs);
    for (float& x : xs) x *= 2.03f;
  }
}

void FbmBand::SetRow(float y) {
  for (NoiseBand& band : octaves_) {
    band.SetRow(y);
    y *= 2.03f;
  }
}

std::vector<float> Columns(int x0, int width, float scale) {
  std::vector<float> xs(static_cast<size_t>(std::max(0, width)));
  for (size_t k = 0; k < xs.size(); ++k) xs[k] = (x0 + static_cast<int>(k)) * scale;
  return xs;
}

}  // namespace paint
