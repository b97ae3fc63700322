#include "mixer/GainCurve.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(CrossfaderCurve, SmoothFullAndCutPinned) {
  // Smooth: 3072 each at the centre, full level over the third on each side.
  EXPECT_EQ(crossfaderCurve(2048, 0).desk1, 3072);
  EXPECT_EQ(crossfaderCurve(2048, 0).desk2, 3072);
  EXPECT_EQ(crossfaderCurve(0, 0).desk1, 4096);
  EXPECT_EQ(crossfaderCurve(0, 0).desk2, 0);
  EXPECT_EQ(crossfaderCurve(4096, 0).desk1, 0);
  EXPECT_EQ(crossfaderCurve(4096, 0).desk2, 4096);
  EXPECT_EQ(crossfaderCurve(1365, 0).desk1, 4096);  // (12288 - 4095) / 2 capped
  EXPECT_EQ(crossfaderCurve(1365, 0).desk2, 2047);
  EXPECT_EQ(crossfaderCurve(1, 0).desk2, 1);  // 3 / 2 truncates

  EXPECT_EQ(crossfaderCurve(2048, 1).desk1, 4096);
  EXPECT_EQ(crossfaderCurve(2048, 1).desk2, 4096);
  EXPECT_EQ(crossfaderCurve(1024, 1).desk1, 4096);
  EXPECT_EQ(crossfaderCurve(1024, 1).desk2, 2048);

  EXPECT_EQ(crossfaderCurve(2047, 2).desk1, 4096);
  EXPECT_EQ(crossfaderCurve(2047, 2).desk2, 0);
  EXPECT_EQ(crossfaderCurve(2048, 2).desk1, 4096);
  EXPECT_EQ(crossfaderCurve(2048, 2).desk2, 4096);
  EXPECT_EQ(crossfaderCurve(2049, 2).desk1, 0);
  EXPECT_EQ(crossfaderCurve(2049, 2).desk2, 4096);
}

TEST(CrossfaderCurve, UnknownModeGivesSilenceAndAsksForReset) {
  CrossfaderLevels c = crossfaderCurve(2048, 3);
  EXPECT_FALSE(c.modeValid);
  EXPECT_EQ(c.desk1, 0);
  EXPECT_EQ(c.desk2, 0);
}

TEST(GainCurve, UnityZeroAndRangePinned) {
  EXPECT_EQ(gainCurve(2048, 2048), 2048);
  EXPECT_EQ(gainCurve(0, 2048), 0);
  EXPECT_EQ(gainCurve(2048, 0), 0);
  // +10 dB at the top of a band, -20 dB just above 0, +-30 dB on the knob.
  EXPECT_EQ(gainCurve(4096, 2048), 6476);  // 2048 * 10^0.5
  EXPECT_EQ(gainCurve(1, 2048), 205);      // 2048 * 10^(-40940/40960)
  EXPECT_EQ(gainCurve(2048, 4096), 64763);  // 2048 * 10^1.5
  EXPECT_EQ(gainCurve(2048, 1), 64);        // 2048 * 10^(-61410/40960)
  EXPECT_EQ(gainCurve(1024, 2048), 647);    // -10 dB
}

TEST(BandValue, KillAndBandCrossfaderSides) {
  EXPECT_EQ(bandValue(0, 3000, true, 2048), 0);
  // The bass crossfader at 0 silences desk 2 only; at 4096 desk 1 only.
  EXPECT_EQ(bandValue(1, 2048, false, 0), 0);
  EXPECT_EQ(bandValue(0, 2048, false, 0), 2048);
  EXPECT_EQ(bandValue(0, 2048, false, 4096), 0);
  EXPECT_EQ(bandValue(1, 2048, false, 4096), 2048);
  EXPECT_EQ(bandValue(1, 3000, false, 1024), 1500);
  EXPECT_EQ(bandValue(0, 3000, false, 3072), 1500);
}

}  // namespace
}  // namespace zarnel
