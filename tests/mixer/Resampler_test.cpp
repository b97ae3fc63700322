#include "mixer/Resampler.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "support/WavBuilder.h"
#include "support/mix/IndexRamp.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

using test::frameIndex;
using test::indexRamp;

TEST(Resampler, InputRequirementPinned) {
  EXPECT_EQ(Resampler::requirementFor(4096), 5846);  // a = 3088
  EXPECT_EQ(Resampler::requirementFor(4775), 5846);  // a = 3599
  EXPECT_EQ(Resampler::requirementFor(4776), 5846);  // a = 3600
  EXPECT_EQ(Resampler::requirementFor(4777), 3601 + 2246);
  EXPECT_EQ(Resampler::requirementFor(5489), 4138 + 2246);
}

TEST(Resampler, PlainSteppingCopiesFramesWithoutInterpolation) {
  test::MixHarness h;
  settings().masterTempo = 0;
  h.addWav("a.wav", indexRamp(441000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.desk[0]->setPitch(8192);  // double speed: every other frame
  const DeskOutputRing& out = h.desk[0]->outputRing();
  ASSERT_GT(out.writeIndex, 3000);
  for (int32_t i = 0; i < out.writeIndex; ++i) ASSERT_EQ(frameIndex(out.frames + 2 * i), 2 * i) << i;

  h.desk[0]->setPitch(4096 + 2048);  // 1.5x: the phase carries across passes
  for (int k = 0; k < 8; ++k) h.desk[0]->serviceRt();
  for (int32_t i = 0; i < out.writeIndex; ++i) ASSERT_EQ(frameIndex(out.frames + 2 * i), i * 3 / 2) << i;
}

TEST(Resampler, MasterTempoAtNormalSpeedReproducesTheInput) {
  test::MixHarness h;
  settings().masterTempo = 1;
  h.addWav("a.wav", indexRamp(441000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  for (int k = 0; k < 20; ++k) h.desk[0]->serviceRt();
  const DeskOutputRing& out = h.desk[0]->outputRing();
  ASSERT_GT(out.writeIndex, 30000);
  // A paused desk starts from a silent splice tail: the first 512 frames fade in.
  for (int32_t i = 0; i < 512; ++i) ASSERT_EQ(out.frames[2 * i], (i % 30000) * i >> 9) << i;
  for (int32_t i = 512; i < out.writeIndex; ++i) ASSERT_EQ(frameIndex(out.frames + 2 * i), i) << i;
}

TEST(Resampler, RingHoldsAtMostFortyOneThousandFramesAhead) {
  test::MixHarness h;
  settings().masterTempo = 0;
  h.addWav("a.wav", indexRamp(441000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  for (int k = 0; k < 200; ++k) h.desk[0]->serviceRt();
  // Passes of 3088 frames run while more than 47188 frames are free.
  const int32_t written = h.desk[0]->outputRing().writeIndex;
  EXPECT_EQ(written, 14 * 3088);
  EXPECT_GE(kOutputRingFrames - written, kOutputRingFrames - 41011 - 3088);
  EXPECT_EQ(h.desk[0]->outputRing().refillCountdown, kOutputRingFrames - written);
}


// The search as the formula reads: 64-bit products, each shifted by 8.
int32_t formulaSearch(const int16_t* tail, const int16_t* in) {
  static const int32_t rows[4][8] = {{248, 498, 748, 998, 1248, 1498, 1748, 1998},
                                     {-200, -150, -100, -50, 50, 100, 150, 200},
                                     {-40, -30, -20, -10, 10, 20, 30, 40},
                                     {-8, -6, -4, -2, 2, 4, 6, 8}};
  int64_t r[1024];
  for (int i = 0; i < 512; ++i)
    for (int c = 0; c < 2; ++c) r[2 * i + c] = (int64_t(tail[2 * i + c]) * (512 - i) * i) >> 15;
  int32_t best = 248, base = 0;
  int64_t bestScore = -32768;
  for (const auto& row : rows) {
    for (int32_t d : row) {
      int64_t score = 0;
      for (int k = 2; k < 1024; ++k) score += (r[k] * in[base + d + k]) >> 8;
      if (score > bestScore) bestScore = score, best = base + d;
    }
    base = best;
  }
  return best;
}

TEST(Resampler, CorrelationSearchMatchesTheFormulaExactly) {
  Resampler resampler;
  std::vector<int16_t> tail(1024), in(2 * Resampler::kMaxInputFrames);
  uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1664525u + 1013904223u;
    return int16_t(seed >> 16);
  };
  for (int trial = 0; trial < 20; ++trial) {
    for (auto& v : tail) v = next();
    for (auto& v : in) v = next();
    if (trial == 1) std::fill(tail.begin(), tail.end(), int16_t(-32768));  // extreme products
    if (trial == 2) std::fill(in.begin(), in.end(), int16_t(-32768));
    // A copy of the tail inside the input gives a sharp peak beside noise.
    if (trial >= 3) std::copy(tail.begin(), tail.end(), in.begin() + 248 + 50 * trial);
    int32_t found = resampler.searchOffsetRt(tail.data(), in.data());
    EXPECT_EQ(found, formulaSearch(tail.data(), in.data())) << trial;
  }
}


TEST(Resampler, ALoopShorterThanAPassWrapsBackToItsStart) {
  test::MixHarness h;
  settings().masterTempo = 0;
  h.addWav("a.wav", indexRamp(441000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  for (int k = 0; k < 8; ++k) h.desk[0]->serviceRt();  // decode well past the loop's end
  // A loop from the heard point, as the loop command sets it.
  DeskLoop& loop = h.desk[0]->loop();
  loop.active = true;
  loop.start = h.desk[0]->playIndex();
  loop.length = 2500;  // shorter than the 5846 frames a pass takes in
  ASSERT_EQ(h.desk[0]->refresh(), 0);
  for (int k = 0; k < 6; ++k) h.desk[0]->serviceRt();
  const DeskOutputRing& out = h.desk[0]->outputRing();
  ASSERT_GT(out.writeIndex, 3 * 3088);
  for (int32_t i = 0; i < out.writeIndex; ++i) ASSERT_EQ(frameIndex(out.frames + 2 * i), i % 2500) << i;
}

}  // namespace
}  // namespace zarnel
