// The quorvell effect, loaded from the built library: a loop of a whole
// number of beats recorded from the desk and added to the live sound.

#include <gtest/gtest.h>

#include <algorithm>

#include "plugins/EffectPlugin.h"

namespace zarnel::test {
namespace {

constexpr int32_t kBlock = 1152;

// A different signal in each channel, different at every frame of a loop.
int16_t recordedLeft(int32_t j) { return static_cast<int16_t>(j * 7 % 20011 - 10000); }
int16_t recordedRight(int32_t j) { return static_cast<int16_t>(j * 13 % 16001 - 8000); }

class Quorvell : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.factory() != nullptr) << library_.error();
    FakeHost::calls().clear();
  }
  // Records: the signal above for the first loopFrames frames, silence after.
  static std::vector<int16_t> loopThenSilence(int32_t loopFrames, int32_t total) {
    return stereo(
        0, total, [=](int j) { return j < loopFrames ? recordedLeft(j) : 0; },
        [=](int j) { return j < loopFrames ? recordedRight(j) : 0; });
  }
  // Return: the first frame the effect changed, or the frame count.
  static int32_t firstChanged(const std::vector<int16_t>& in, const std::vector<int16_t>& out) {
    const auto where = std::mismatch(in.begin(), in.end(), out.begin()).first;
    return static_cast<int32_t>((where - in.begin()) / 2);
  }
  // Expects every frame from first on to be its input plus the loop's frame
  // before it (the loop position runs one behind, starting at -1), at the
  // default volume 2731 / 4096, truncated toward zero.
  static void expectLoopOverlay(const std::vector<int16_t>& in, const std::vector<int16_t>& out, int32_t first,
                                int32_t loopFrames) {
    for (size_t j = size_t(first); j < in.size() / 2; ++j) {
      const auto k = static_cast<int32_t>((int64_t(j) - 1 + loopFrames) % loopFrames);
      ASSERT_EQ(out[j * 2], std::clamp(in[j * 2] + recordedLeft(k) * 2731 / 4096, -32768, 32767)) << j;
      ASSERT_EQ(out[j * 2 + 1], std::clamp(in[j * 2 + 1] + recordedRight(k) * 2731 / 4096, -32768, 32767)) << j;
    }
  }
  // Runs one whole test signal through a started effect and checks that the
  // overlay starts with the block that completes a loop of loopFrames.
  void expectLoopOf(int32_t loopFrames) {
    const auto in = loopThenSilence(loopFrames, 2 * loopFrames + 5000);
    auto out = in;
    effect_.process(out, kBlock);
    const int32_t completing = (loopFrames - 1) / kBlock * kBlock;
    EXPECT_EQ(firstChanged(in, out), completing);
    expectLoopOverlay(in, out, completing, loopFrames);
  }

  EffectLibrary library_{ZARNEL_QUORVELL_PLUGIN};
  LoadedEffect effect_{library_};
};

TEST_F(Quorvell, FourBeatsAt120LoopTwoSeconds) {
  effect_.start();
  const auto in = loopThenSilence(88200, 2 * 88200 + 5000);
  auto out = in;
  effect_.process(out, kBlock);
  // Blocks 0 to 75 pass unchanged; block 76 (from frame 87552) completes the
  // 88200-frame loop and is the first one overlaid.
  EXPECT_EQ(firstChanged(in, out), 76 * kBlock);
  expectLoopOverlay(in, out, 76 * kBlock, 88200);
  // Frame 88201 hears frame 0 again, and so does frame 176401:
  // -10000 × 2731 / 4096 = -6667.48, -8000 × 2731 / 4096 = -5333.98.
  EXPECT_EQ(out[88201 * 2], -6667);
  EXPECT_EQ(out[88201 * 2 + 1], -5333);
  EXPECT_EQ(out[176401 * 2], -6667);
  EXPECT_EQ(out[176401 * 2 + 1], -5333);
}

TEST_F(Quorvell, LoopLengthTruncatesAtOtherTempos) {
  effect_.block().tempo = 128.0f;  // 4 × 2646000 / 128 = 82687.5
  effect_.start();
  expectLoopOf(82687);
}

TEST_F(Quorvell, LoopLongerThanTheRecordingIsHalvedWhenTheTempoChanges) {
  effect_.setParameter(0, 4096);
  effect_.rewind(0);  // 16 beats
  effect_.block().tempo = 61.0f;
  effect_.start();
  effect_.block().tempo = 60.0f;  // 16 × 2646000 / 60 = 705600, halved once
  expectLoopOf(352800);
}

TEST_F(Quorvell, LoopLongerThanTheRecordingIsHalvedWhenBeatsChange) {
  effect_.block().tempo = 60.0f;
  effect_.start();
  effect_.setParameter(0, 4096);
  effect_.rewind(0);  // 4 beats become 16: 705600 halved to 352800
  expectLoopOf(352800);
}

TEST_F(Quorvell, LoopLongerThanTheRecordingStaysInTimeWithAGap) {
  // start takes the tempo's loop as it is: 16 beats at 60 BPM, 16 s, of
  // which 12 s are recorded; the overlay comes in with the loop's second
  // turn, on the beat of the first.
  effect_.setParameter(0, 4096);
  effect_.rewind(0);
  effect_.block().tempo = 60.0f;
  effect_.start();
  const auto in = loopThenSilence(705600, 705600 + 3000);
  auto out = in;
  effect_.process(out, kBlock);
  EXPECT_EQ(firstChanged(in, out), 705601);
  expectLoopOverlay(in, out, 705601, 705600);
}

TEST_F(Quorvell, TrackWithoutTempoLoopsAt120) {
  effect_.block().tempo = 0.0f;
  effect_.start();
  std::vector<int16_t> first = stereo(0, kBlock, recordedLeft, recordedRight);
  effect_.process(first);
  EXPECT_EQ(effect_.block().tempo, 120.0f);
  const auto in = loopThenSilence(88200, 2 * 88200 + 5000);
  auto out = in;
  std::copy(first.begin(), first.end(), out.begin());  // already processed
  std::vector<int16_t> rest(out.begin() + kBlock * 2, out.end());
  effect_.process(rest, kBlock);
  std::copy(rest.begin(), rest.end(), out.begin() + kBlock * 2);
  EXPECT_EQ(firstChanged(in, out), 76 * kBlock);
  expectLoopOverlay(in, out, 76 * kBlock, 88200);
}

TEST_F(Quorvell, OverlayTruncatesTowardZeroAndClips) {
  effect_.start();
  // Recorded: (3, -3) on even frames, (30000, -30000) on odd ones.
  const auto loop = stereo(
      0, 88200, [](int j) { return j % 2 == 0 ? 3 : 30000; }, [](int j) { return j % 2 == 0 ? -3 : -30000; });
  auto recorded = loop;
  effect_.process(recorded);
  // Live: silence against the small frames, ±20000 against the loud ones.
  const auto live = stereo(
      88200, 1000, [](int j) { return j % 2 == 0 ? 20000 : 0; }, [](int j) { return j % 2 == 0 ? -20000 : 0; });
  auto out = live;
  effect_.process(out);
  // Frame 88200 + 2n hears loop frame 2n - 1 (loud), 88200 + 2n + 1 frame 2n.
  // 3 × 2731 / 4096 = 2.0002 → 2 and -2 (not -3); 20000 + 20002 → 32767.
  for (size_t n = 1; n < 500; ++n) {
    ASSERT_EQ(out[4 * n], 32767) << n;
    ASSERT_EQ(out[4 * n + 1], -32768) << n;
    ASSERT_EQ(out[4 * n + 2], 2) << n;
    ASSERT_EQ(out[4 * n + 3], -2) << n;
  }
}

TEST_F(Quorvell, VolumeRampsOneStepEvery16Frames) {
  effect_.start();
  const auto loop = stereo(
      0, 88200, [](int) { return 4096; }, [](int) { return -4096; });
  auto recorded = loop;
  effect_.process(recorded);
  auto steady = stereo(
      0, 2 * kBlock, [](int) { return 0; }, [](int) { return 0; });
  effect_.process(steady);
  EXPECT_EQ(steady.back(), -2731);  // the loop at 2731 / 4096 of 4096

  effect_.setParameter(1, 4096);
  effect_.rewind(-kBlock);  // the host re-renders the last block with the new volume
  auto ramp = stereo(
      0, 30000, [](int) { return 0; }, [](int) { return 0; });
  effect_.process(ramp);
  // With the loop at 4096 the left output is the volume itself. The loop
  // position is 1151 at the first frame, so the steps fall on frames 1, 17,
  // 33, ...: 1365 steps from 2731 to 4096 over (4096 - 2731) × 16 frames.
  EXPECT_EQ(ramp[0], 2731);
  EXPECT_EQ(ramp[2], 2732);
  EXPECT_EQ(ramp[16 * 2], 2732);
  EXPECT_EQ(ramp[17 * 2], 2733);
  EXPECT_EQ(ramp[21824 * 2], 4095);
  EXPECT_EQ(ramp[21825 * 2], 4096);
  EXPECT_EQ(ramp.back(), -4096);  // "Volume" 4096 adds the loop at unity
  for (size_t i = 1; i < ramp.size() / 2; ++i) {
    const int expected = std::min<int>(4096, 2731 + (int(i) + 15) / 16);
    ASSERT_EQ(ramp[i * 2], expected) << i;
    ASSERT_EQ(ramp[i * 2 + 1], -expected) << i;
  }

  // And back down, one step per 16 frames again: the loop position is
  // 31151 after the ramp, 31150 after throwing away one frame, so the steps
  // fall on frames 2, 18, 34, ...
  effect_.setParameter(1, 4000);
  effect_.rewind(-1);
  auto down = stereo(
      0, 200, [](int) { return 0; }, [](int) { return 0; });
  effect_.process(down);
  for (size_t m = 0; m < 200; ++m) ASSERT_EQ(down[m * 2], 4096 - (int(m) + 14) / 16) << m;
}

TEST_F(Quorvell, RewindReplaysTheSameSound) {
  effect_.start();
  auto in = loopThenSilence(88200, 88200 + 3 * kBlock);
  for (size_t j = 88200; j < in.size() / 2; ++j) in[j * 2] = int16_t(j % 3000);
  auto out = in;
  effect_.process(out, kBlock);
  const std::vector<int16_t> lastBlockIn(in.end() - kBlock * 2, in.end());
  const std::vector<int16_t> lastBlockOut(out.end() - kBlock * 2, out.end());
  effect_.rewind(-kBlock);
  auto again = lastBlockIn;
  effect_.process(again);
  EXPECT_EQ(again, lastBlockOut);
}

TEST_F(Quorvell, RewindWhileRecordingRecordsTheFramesAgain) {
  // A run that throws away 1000 frames while the first loop is still being
  // recorded and processes them again sounds like a run that did not.
  LoadedEffect straight(library_);
  straight.start();
  effect_.start();
  const auto in = loopThenSilence(88200, 2 * 88200);
  auto expected = in;
  straight.process(expected, kBlock);

  auto head = std::vector<int16_t>(in.begin(), in.begin() + 50 * kBlock * 2);
  effect_.process(head, kBlock);
  effect_.rewind(-1000);
  auto out = std::vector<int16_t>(in.begin() + (50 * kBlock - 1000) * 2, in.end());
  effect_.process(out, kBlock);
  // Blocks now start 1000 frames earlier, so the first overlaid frame moves
  // with them; from the second loop on the two runs agree.
  EXPECT_TRUE(
      std::equal(out.begin() + (88200 + 1 - (50 * kBlock - 1000)) * 2, out.end(), expected.begin() + (88200 + 1) * 2));
}

TEST_F(Quorvell, RewindForwardRestartsTheRecording) {
  effect_.start();
  auto in = loopThenSilence(88200, 88200 + 2 * kBlock);
  effect_.process(in, kBlock);
  // 88200 + 2304 frames processed: the loop position is 2303; 5 ahead is 2308.
  effect_.rewind(5);
  const auto next = stereo(
      0, 88200 + kBlock, [](int j) { return j % 5000 + 1; }, [](int j) { return -(j % 7000) - 1; });
  auto out = next;
  effect_.process(out, kBlock);
  // Nothing is added until a whole loop is recorded again...
  EXPECT_EQ(firstChanged(next, out), 76 * kBlock);
  // ...and then the new recording plays from where the loop position is.
  for (int32_t t = 76 * kBlock; t < 88200 + kBlock; ++t) {
    const int32_t k = (2308 + t) % 88200;
    ASSERT_EQ(out[size_t(t) * 2], next[size_t(t) * 2] + next[size_t(k) * 2] * 2731 / 4096) << t;
    ASSERT_EQ(out[size_t(t) * 2 + 1], next[size_t(t) * 2 + 1] + next[size_t(k) * 2 + 1] * 2731 / 4096) << t;
  }
}

}  // namespace
}  // namespace zarnel::test
