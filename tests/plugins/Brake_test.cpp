// The brake effect, loaded from the built library and driven as the host
// drives it: the speed slides from 1 to 0 over N frames, the desk is paused
// and the effect switched off where the sound stops, once.

#include <gtest/gtest.h>

#include <algorithm>

#include "plugins/EffectPlugin.h"

namespace zarnel::test {
namespace {

HostCall kPauseAt(int32_t frame) { return {frame, ZARNEL_EFFECT_PAUSE, 0}; }
HostCall kSwitchOffAt(int32_t frame) { return {frame, ZARNEL_EFFECT_SWITCH_OFF, 0}; }

class Brake : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.factory() != nullptr) << library_.error();
    FakeHost::calls().clear();
  }
  // Starts the brake with "Length" set; the brake takes a length at a rewind
  // (here with nothing to throw away).
  void useLength(int32_t parameter) {
    effect_.start();
    effect_.setParameter(0, parameter);
    effect_.rewind(0);
  }
  // Pre: the effect asked exactly for a pause and a switch-off, both at the
  // same frame. Return: that frame, counted from the first block of blocks
  // of blockFrames processed since the calls were cleared.
  int32_t pausedAt(int32_t blockFrames) {
    const auto& calls = FakeHost::calls();
    EXPECT_EQ(calls.size(), 2u);
    if (calls.size() != 2) return -1;
    EXPECT_EQ(calls[0], kPauseAt(calls[0].delay));
    EXPECT_EQ(calls[1], kSwitchOffAt(calls[0].delay));
    EXPECT_LT(calls[0].delay, blockFrames);
    // Frames are handed over in whole blocks; the stop lies in the block
    // where the sound first went silent.
    return lastBlockStart_ + calls[0].delay;
  }
  // Processes frames in blocks of blockFrames, noting where the block that
  // asked the host for something started.
  void process(std::vector<int16_t>& frames, int32_t blockFrames) {
    const auto total = static_cast<int32_t>(frames.size() / 2);
    for (int32_t first = 0; first < total; first += blockFrames) {
      const size_t before = FakeHost::calls().size();
      std::vector<int16_t> block(frames.begin() + first * 2, frames.begin() + std::min(total, first + blockFrames) * 2);
      effect_.process(block, blockFrames);
      std::copy(block.begin(), block.end(), frames.begin() + first * 2);
      if (FakeHost::calls().size() != before) lastBlockStart_ = first;
    }
  }
  // Return: the index of the first silent frame from which all are silent.
  static int32_t silentFrom(const std::vector<int16_t>& frames) {
    auto i = static_cast<int32_t>(frames.size() / 2);
    while (i > 0 && frames[size_t(i - 1) * 2] == 0 && frames[size_t(i - 1) * 2 + 1] == 0) --i;
    return i;
  }

  EffectLibrary library_{ZARNEL_BRAKE_PLUGIN};
  int32_t lastBlockStart_ = 0;
  LoadedEffect effect_{library_};
};

TEST_F(Brake, SpeedFallsSteadilyToStandstillOverTheDefaultLength) {
  constexpr double kLength = 88201;  // "Length" 2048
  effect_.start();
  auto frames = stereo(
      0, 100000, [](int) { return 30000; }, [](int) { return -20000; });
  process(frames, 1152);

  EXPECT_EQ(frames[0], 30000);  // full speed at first
  EXPECT_EQ(frames[1], -20000);
  const int32_t stop = pausedAt(1152);
  // The speed is a float32 less 1/N a frame: its rounding ends it within 0.1% of N.
  EXPECT_NEAR(stop, kLength, kLength / 1000);
  EXPECT_LE(silentFrom(frames), stop);
  for (int32_t i = 1; i < stop; ++i) {
    const int left = frames[size_t(i) * 2], right = frames[size_t(i) * 2 + 1];
    ASSERT_LE(left, frames[size_t(i - 1) * 2]) << i;
    ASSERT_GE(right, frames[size_t(i - 1) * 2 + 1]) << i;
    ASSERT_NEAR(left, 30000.0 * (1.0 - i / kLength), 30.0) << i;
    ASSERT_NEAR(right, -20000.0 * (1.0 - i / kLength), 20.0) << i;
  }
  EXPECT_GT(frames[size_t(stop - 100) * 2], 0);
}

TEST_F(Brake, SlowsTheSoundDownRatherThanFadingIt) {
  // A ramp read at falling speed: the captured frame reached after i output
  // frames is i - i²/(2N), scaled by the speed 1 - i/N.
  useLength(100);  // N = 100 × 176400 / 4096 + 1 = 4307
  constexpr double kLength = 4307;
  auto frames = stereo(
      0, 4000, [](int i) { return i; }, [](int i) { return 2 * i; });
  effect_.process(frames, 1152);
  for (int32_t i : {0, 1000, 2000, 3000}) {
    const double position = i - double(i) * (i - 1) / (2 * kLength);
    const double speed = 1.0 - i / kLength;
    EXPECT_NEAR(frames[size_t(i) * 2], speed * position, 1.5) << i;
    EXPECT_NEAR(frames[size_t(i) * 2 + 1], speed * 2 * position, 1.5) << i;
  }
}

TEST_F(Brake, LengthZeroStopsAfterOneFrame) {
  // init always starts with N = 88201: "Length" 0 is in force after a rewind.
  effect_.setParameter(0, 0);
  effect_.start();
  auto before = stereo(
      0, 8, [](int i) { return 1000 + i; }, [](int i) { return -1000 - i; });
  effect_.process(before);
  EXPECT_NE(before[2], 0);
  EXPECT_TRUE(FakeHost::calls().empty());

  effect_.rewind(-8);  // back to the start, N = 1 from here
  auto frames = stereo(
      0, 8, [](int i) { return 500 + i; }, [](int i) { return -500 - i; });
  effect_.process(frames);
  EXPECT_EQ(frames, (std::vector<int16_t>{500, -500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(FakeHost::calls(), (std::vector<HostCall>{kPauseAt(1), kSwitchOffAt(1)}));
}

TEST_F(Brake, PausesAndSwitchesOffOnceOnly) {
  useLength(1);  // N = 1 × 176400 / 4096 + 1 = 44
  auto frames = stereo(
      0, 16 * 6, [](int) { return 1000; }, [](int) { return 1000; });
  process(frames, 16);
  const int32_t stop = pausedAt(16);
  EXPECT_NEAR(stop, 44, 1);
  EXPECT_LE(silentFrom(frames), stop);
  EXPECT_NE(frames[size_t(stop - 2) * 2], 0);

  // Past its end the effect is silent and asks nothing more.
  auto later = stereo(
      0, 1152, [](int) { return 1000; }, [](int) { return 1000; });
  effect_.process(later);
  EXPECT_EQ(silentFrom(later), 0);
  EXPECT_EQ(FakeHost::calls().size(), 2u);
}

TEST_F(Brake, StartRestartsTheBrake) {
  useLength(1);
  auto first = stereo(
      0, 100, [](int) { return 1000; }, [](int) { return 1000; });
  effect_.process(first);
  effect_.start();
  auto second = stereo(
      0, 100, [](int) { return 777; }, [](int) { return 777; });
  effect_.process(second);
  EXPECT_EQ(second[0], 777);
  EXPECT_EQ(silentFrom(second), silentFrom(first));
  EXPECT_EQ(FakeHost::calls().size(), 4u);
}

TEST_F(Brake, RewindResumesFromTheFramesKept) {
  // After a frames: speed 1 - a/N and read position (a - 1) - (a - 1)·a/(2N).
  // a = 2000, N = 88201: speed 0.9773245, position 1976.3358.
  effect_.start();
  auto frames = stereo(
      0, 3000, [](int i) { return i; }, [](int) { return 20000; });
  effect_.process(frames);
  effect_.rewind(-1000);
  auto again = stereo(
      2000, 1, [](int i) { return i; }, [](int) { return 20000; });
  effect_.process(again);
  EXPECT_EQ(again, (std::vector<int16_t>{1931, 19546}));
}

TEST_F(Brake, RewindUsesTheLengthInForceThenTakesTheNewOne) {
  useLength(100);  // N = 4307 (4307.6 untruncated would give 25160 below)
  auto frames = stereo(
      0, 2000, [](int i) { return i; }, [](int) { return 32767; });
  effect_.process(frames);
  effect_.setParameter(0, 1);  // N = 44 from the rewind on
  effect_.rewind(-1000);       // a = 1000: speed 0.7678198, position 883.026
  auto again = stereo(
      1000, 1, [](int i) { return i; }, [](int) { return 32767; });
  effect_.process(again);
  EXPECT_EQ(again, (std::vector<int16_t>{678, 25159}));

  // From here the speed falls by 1/44 a frame: it runs out within 34 frames.
  auto rest = stereo(
      1001, 64, [](int i) { return i; }, [](int) { return 32767; });
  effect_.process(rest);
  EXPECT_NEAR(silentFrom(rest), 33, 1);
}

TEST_F(Brake, RewindToTheStartBeginsAgainAtFullSpeed) {
  effect_.start();
  auto frames = stereo(
      0, 500, [](int) { return 5000; }, [](int) { return 5000; });
  effect_.process(frames);
  effect_.rewind(-600);  // more than was kept: back to the start
  auto again = stereo(
      0, 2, [](int i) { return 12000 + 345 * i; }, [](int i) { return -12000 - 345 * i; });
  effect_.process(again);
  // Frame 1: position 1 exactly, speed 1 - 1/88201.
  EXPECT_EQ(again, (std::vector<int16_t>{12000, -12000, 12344, -12344}));
  EXPECT_TRUE(FakeHost::calls().empty());
}

}  // namespace
}  // namespace zarnel::test
