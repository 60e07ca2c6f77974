// The row-at-a-time noise of the grounds gives every pixel what the pointwise
// noise gives it, to the bit: Res must not change with how it is worked out.
#include <gtest/gtest.h>

#include <vector>

#include "tools/resgen/common/noise.h"

namespace {

struct BandCase {
  uint32_t seed;
  int x0, width;
  float xScale, y0, yStep;
  int rows, octaves;  // octaves 0: one ValueNoise band
};

// Wide and fine cells, columns left of zero, rows that skip lattice lines.
constexpr BandCase kCases[] = {
    {7, 0, 300, 0.008f, 0.0f, 0.008f, 40, 3}, {11, -37, 90, 0.5f, -3.0f, 0.02f, 60, 0},
    {3, 5, 64, 0.13f, 2.5f, 0.9f, 30, 3},     {99, -200, 150, 0.05f, -7.25f, 1.7f, 25, 2},
    {1, 0, 1, 0.01f, 0.0f, 0.02f, 5, 3},
};

TEST(NoiseBands, NoiseAndFbmBandsMatchThePointwiseNoiseToTheBit) {
  for (const BandCase& c : kCases) {
    std::vector<float> xs = paint::Columns(c.x0, c.width, c.xScale);
    paint::NoiseBand noise(c.seed, xs);
    paint::FbmBand fbm(c.seed, xs, c.octaves);
    for (int r = 0; r < c.rows; ++r) {
      float y = c.y0 + r * c.yStep;
      noise.SetRow(y);
      fbm.SetRow(y);
      for (size_t k = 0; k < xs.size(); ++k) {
        ASSERT_EQ(noise.At(k), paint::ValueNoise(c.seed, xs[k], y)) << "seed " << c.seed << " column " << k;
        if (c.octaves > 0) {
          ASSERT_EQ(fbm.At(k), paint::Fbm(c.seed, xs[k], y, c.octaves)) << "seed " << c.seed << " column " << k;
        }
      }
    }
  }
}

TEST(NoiseBands, HashBandMatchesHash2) {
  for (uint32_t seed : {0u, 1u, 0xDEADBEEFu}) {
    paint::HashBand band(seed, 50);
    for (int y : {-3, 0, 1, 1000}) {
      band.SetRow(y);
      for (int x = 0; x < 50; ++x) ASSERT_EQ(band.At(x), paint::Hash2(seed, x, y)) << seed << " " << x << " " << y;
    }
  }
}

}  // namespace
