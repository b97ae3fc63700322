#include "mixer/QuadEqualizer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarnel {
namespace {

// The four lanes must give what four separate equalisers give, bit for bit.
TEST(QuadEqualizer, EveryLaneEqualsTheSingleChannelEqualiser) {
  const StripGains gains[4] = {{8388608, 8388608, 8388608},
                               {3 * 8388608, 0, 8388608 / 2},
                               {6476 * 4096, 205 * 4096, 2048 * 4096},
                               {838860800, 838860800, 838860800}};
  QuadEqualizer quad;
  BandEqualizer single[4];
  QuadEqualizer::Lanes gLow, gMid, gHigh;
  for (int i = 0; i < 4; ++i) {
    gLow[i] = float(gains[i].low);
    gMid[i] = float(gains[i].mid);
    gHigh[i] = float(gains[i].high);
  }
  uint32_t seed = 99;
  for (int n = 0; n < 20000; ++n) {
    int32_t in[4], out[4];
    for (int i = 0; i < 4; ++i) {
      seed = seed * 1664525u + 1013904223u;
      // Tones and noise at full scale, with silences that let the filters decay.
      in[i] = (n / 3000) % 3 == 2 ? 0 : int32_t(int16_t(seed >> 16)) / (i + 1) +
                                            int32_t(20000 * std::sin(n * 0.01 * (i + 1)) / (i + 1));
    }
    quad.processRt(in, gLow, gMid, gHigh, out);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(out[i], single[i].processRt(in[i], gains[i])) << n << " lane " << i;
  }
}

}  // namespace
}  // namespace zarnel
