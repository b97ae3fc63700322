#include "mixer/BandEqualizer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarnel {
namespace {

// Return: the peak output over the second half of a sine run through eq.
int32_t peakResponse(double freq, const StripGains& g) {
  BandEqualizer eq;
  int32_t best = 0;
  for (int i = 0; i < 44100; ++i) {
    int32_t x = int32_t(std::lround(10000 * std::sin(2 * M_PI * freq * i / 44100)));
    int32_t y = eq.processRt(x, g);
    if (i > 22050) best = std::max(best, std::abs(y));
  }
  return best;
}

constexpr int32_t kQ23 = 8388608;

TEST(BandEqualizer, UnityBandsSumToNearlyFlat) {
  StripGains unity{kQ23, kQ23, kQ23};
  for (double f : {60.0, 440.0, 1000.0, 5000.0}) {
    int32_t p = peakResponse(f, unity);
    EXPECT_NEAR(p, 10000, 2000) << f << " Hz";
  }
}

TEST(BandEqualizer, EachBandCarriesItsOwnRange) {
  StripGains lowOnly{kQ23, 0, 0}, midOnly{0, kQ23, 0}, highOnly{0, 0, kQ23};
  EXPECT_GT(peakResponse(60, lowOnly), 8000);
  EXPECT_LT(peakResponse(8000, lowOnly), 500);
  EXPECT_GT(peakResponse(10000, highOnly), 7000);
  EXPECT_LT(peakResponse(60, highOnly), 500);
  EXPECT_GT(peakResponse(1000, midOnly), 5000);
  EXPECT_LT(peakResponse(30, midOnly), 2500);
}

TEST(BandEqualizer, ClearForgetsHistory) {
  BandEqualizer eq;
  StripGains unity{kQ23, kQ23, kQ23};
  for (int i = 0; i < 100; ++i) eq.processRt(30000, unity);
  eq.clear();
  BandEqualizer fresh;
  for (int i = 0; i < 50; ++i) EXPECT_EQ(eq.processRt(i * 100, unity), fresh.processRt(i * 100, unity));
}

TEST(BypassStrip, TruncatesBothDivisionsAndNeverOverflows) {
  // levelGain 3072 at unity band gain: x * 3072 / 4096.
  EXPECT_EQ(bypassStrip(1000, 3072 * 2048), 750);
  EXPECT_EQ(bypassStrip(-1001, 3072 * 2048), -750);
  EXPECT_EQ(bypassStrip(1000, 2047), 0);  // stripLow / 2048 truncates to 0
  // Gain knob at +30 dB: the product exceeds 32 bits.
  EXPECT_EQ(bypassStrip(32767, 4096 * 64763), int32_t(int64_t(32767) * 129526 / 4096));
}

}  // namespace
}  // namespace zarnel
