#include "decoder/Requantize.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarnel {
namespace {

// The extremes of every field: the smallest gains a stream can ask for, the
// largest scale factors (5 bits, an MPEG-2 intensity-coded channel) and the
// largest escaped value. Every line stays finite and keeps its sign, and the
// smallest gain is exact: 2^((0 − 210 − 124) / 4) for a long band,
// 2^((0 − 210 − 56 − 124) / 4) for a short one.
TEST(RequantizeTest, ExtremeFieldsStayFinite) {
  const BandLayout& layout = bandLayout(1, 0);
  int32_t values[576];
  for (int32_t i = 0; i < 576; ++i) values[i] = (i % 2 ? -1 : 1) * (i % 3 == 0 ? 8206 : 1);
  ScaleFactors sf;
  for (auto& band : sf.shortBand) band[0] = band[1] = band[2] = 31;
  for (uint8_t& band : sf.longBand) band = 31;
  for (bool shortBlocks : {false, true}) {
    for (int32_t gain : {0, 255}) {
      GranuleInfo g;
      g.globalGain = gain;
      g.windowSwitching = shortBlocks;
      g.blockType = shortBlocks ? 2 : 0;
      g.subblockGain[0] = g.subblockGain[1] = g.subblockGain[2] = 7;
      g.scalefacScale = true;
      g.preflag = true;
      float xr[576];
      requantize(g, sf, layout, values, 576, xr);
      for (int32_t i = 0; i < 576; ++i) {
        ASSERT_TRUE(std::isfinite(xr[i])) << i;
        ASSERT_EQ(xr[i] < 0.0f, values[i] < 0) << i;
      }
      if (gain == 0) {
        EXPECT_FLOAT_EQ(xr[1], -float(std::pow(2.0, shortBlocks ? -97.5 : -83.5)));
      }
    }
  }
}

// |v|^(4/3) · 2^((gain − 210) / 4): 8 at gain 210 gives 16, −1 gives −1.
TEST(RequantizeTest, PowerAndGain) {
  const BandLayout& layout = bandLayout(0, 0);
  int32_t values[576] = {8, -1, 27};
  GranuleInfo g;
  g.globalGain = 214;  // one step of 2
  ScaleFactors sf;
  float xr[576];
  requantize(g, sf, layout, values, 3, xr);
  EXPECT_FLOAT_EQ(xr[0], 32.0f);
  EXPECT_FLOAT_EQ(xr[1], -2.0f);
  EXPECT_FLOAT_EQ(xr[2], 162.0f);
  EXPECT_EQ(xr[3], 0.0f);
}

}  // namespace
}  // namespace zarnel
