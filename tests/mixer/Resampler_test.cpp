#include "mixer/Resampler.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "support/WavBuilder.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

// Every frame carries its own index, so any stepping error shows.
std::vector<int16_t> indexRamp(int32_t frames) {
  std::vector<int16_t> s(size_t(frames) * 2);
  for (int32_t i = 0; i < frames; ++i) {
    s[2 * i] = int16_t(i % 30000);
    s[2 * i + 1] = int16_t(i / 30000);
  }
  return s;
}

int32_t frameIndex(const int16_t* frame) { return frame[1] * 30000 + frame[0]; }

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

}  // namespace
}  // namespace zarnel
