#include "desk/sources/SampleConvert.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/SourceSignal.h"

namespace zarnel {
namespace {

using test::signalLeft;
using test::signalRight;

// Stereo frames 0 .. frames - 1 of the test signal at the start of a heap
// block, so that a read before it trips the address sanitizer.
std::vector<int16_t> signalFrames(int32_t frames) {
  std::vector<int16_t> v(size_t(kBlockFrames) * 2, 0);
  for (int32_t f = 0; f < frames; ++f) {
    v[size_t(2 * f)] = signalLeft(f);
    v[size_t(2 * f + 1)] = signalRight(f);
  }
  return v;
}

TEST(SampleConvert, InputFramesPerBlockFollowsTheRateRules) {
  EXPECT_EQ(inputFramesPerBlock(44100), 1152);
  EXPECT_EQ(inputFramesPerBlock(22050), 576);
  EXPECT_EQ(inputFramesPerBlock(11025), 288);
  EXPECT_EQ(inputFramesPerBlock(32000), 835);   // 835.9 truncated
  EXPECT_EQ(inputFramesPerBlock(48000), 1254);  // 1253.9 rounded up
  EXPECT_EQ(inputFramesPerBlock(88200), 2304);
  EXPECT_EQ(inputFramesPerBlock(39), 1);
  for (int32_t rate : {-1, 0, 38, 88201, 96000}) EXPECT_EQ(inputFramesPerBlock(rate), 0) << rate;
}

// Where rate × 1152 / 44100 is not whole, the input runs out one step early:
// the first output frame must still take input frame 0, never frame -1.
TEST(SampleConvert, RepetitionAtUnevenRatesStaysInsideTheInput) {
  for (int32_t rate : {8000, 32000, 44099, 39}) {
    const int32_t n = inputFramesPerBlock(rate);
    auto block = signalFrames(n);
    repeatUpTo44100(block.data(), rate);
    EXPECT_EQ(block[0], signalLeft(0)) << rate;
    EXPECT_EQ(block[2 * (kBlockFrames - 1)], signalLeft(n - 1)) << rate;
    for (int32_t i = 1; i < kBlockFrames; ++i) {
      const int32_t step = block[size_t(2 * i)] - block[size_t(2 * i - 2)];
      ASSERT_TRUE(step == 0 || step == 1) << rate << " frame " << i;
      ASSERT_EQ(block[size_t(2 * i + 1)], signalRight(block[size_t(2 * i)])) << rate;
    }
  }
}

}  // namespace
}  // namespace zarnel
