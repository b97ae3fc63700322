#include "desk/BeatMatcher.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "library/TrackEntry.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "support/mix/IndexRamp.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

// Two desks with track records whose tempo and level the test sets.
struct MatchRig : test::MixHarness {
  MatchRig() {
    settings().masterTempo = 0;
    addWav("a.wav", test::indexRamp(441000));
    for (int d = 0; d < 2; ++d) {
      entry[d].data = &data[d];
      data[d].entry = &entry[d];
    }
  }
  void load(float bpm1, float bpm2) {
    entry[0].bpm = bpm1;
    entry[1].bpm = bpm2;
    ASSERT_TRUE(desk[0]->load("a", "", "a.wav", &entry[0]));
    ASSERT_TRUE(desk[1]->load("b", "", "a.wav", &entry[1]));
  }
  TrackEntry entry[2];
  TrackData data[2];
  VirtualWindowSystem windows;
  std::unique_ptr<Window> window = windows.createWindow({"ZARNEL", "", 0, 0, 800, 600});
  BeatMatcher matcher{*desk[0], *desk[1], mixer, window.get()};
};

TEST(BeatMatcher, MatchPitchFollowsTheOtherDesksHeardTempo) {
  MatchRig r;
  r.load(128, 128);
  EXPECT_TRUE(r.matcher.matchPitch(1));
  EXPECT_EQ(r.desk[1]->pitch(), 4096);

  r.entry[0].bpm = 140;  // 140 against 128: r = 1.09375
  EXPECT_TRUE(r.matcher.matchPitch(1));
  EXPECT_EQ(r.desk[1]->pitch(), 4480);
  r.desk[1]->setPitch(4096);
  settings().limitPitch = 1;  // the range ends at 4424: no match, no change
  EXPECT_FALSE(r.matcher.matchPitch(1));
  EXPECT_EQ(r.desk[1]->pitch(), 4096);
  settings().limitPitch = 0;

  r.entry[0].bpm = 90;  // 90 against 180: folded by an octave
  r.entry[1].bpm = 180;
  EXPECT_TRUE(r.matcher.matchPitch(1));
  EXPECT_EQ(r.desk[1]->pitch(), 4096);

  r.entry[0].bpm = 0;  // never analysed
  EXPECT_FALSE(r.matcher.matchPitch(1));
  r.entry[0].bpm = 1200;
  EXPECT_FALSE(r.matcher.matchPitch(1));
}

TEST(BeatMatcher, MatchGainUsesTheLevelRatioInDecades) {
  MatchRig r;
  r.load(120, 120);
  r.data[0].v8 = 2000;
  r.data[1].v8 = 1000;
  EXPECT_TRUE(r.matcher.matchGain(1));
  EXPECT_EQ(r.mixer.gain(1), 2459);
  r.data[1].v8 = 0;
  EXPECT_FALSE(r.matcher.matchGain(1));
  r.data[1].v8 = 1;  // far too quiet: the gain would leave the knob's range
  EXPECT_FALSE(r.matcher.matchGain(1));
  EXPECT_EQ(r.mixer.gain(1), 2459);
}

TEST(BeatMatcher, PitchSetterClampsAndTheSliderFollowsTheRange) {
  MatchRig r;
  r.load(120, 120);
  r.matcher.setPitch(0, 9000);
  EXPECT_EQ(r.desk[0]->pitch(), 5462);
  EXPECT_EQ(r.matcher.pitchSlider(0), 4096);
  r.matcher.setPitch(0, 4096);
  EXPECT_EQ(r.matcher.pitchSlider(0), (4096 - 2730) * 4096 / (5462 - 2730));
  r.matcher.setPitch(0, 4424);
  settings().limitPitch = 1;
  r.matcher.applyPitchRange();
  EXPECT_EQ(r.desk[0]->pitch(), 4424);
  EXPECT_EQ(r.matcher.pitchSlider(0), 4096);
  settings().limitPitch = 0;
}

TEST(BeatMatcher, GradualPitchResetTakesTwentyOneTicksFromPlusEightPercent) {
  MatchRig r;
  r.load(120, 120);
  r.matcher.setPitch(0, 4424);
  r.matcher.startPitchReset(0);
  EXPECT_EQ(r.windows.find("ZARNEL")->timers().at(190), 500);
  int ticks = 0;
  while (r.matcher.pitchResetRunning(0) && ticks < 100) {
    r.matcher.pitchResetTick(0);
    ++ticks;
  }
  EXPECT_EQ(ticks, 21);
  EXPECT_EQ(r.desk[0]->pitch(), 4096);
  EXPECT_EQ(r.windows.find("ZARNEL")->timers().count(190), 0u);

  // The button: one press starts, a second later press stops, a quick double
  // press resets at once.
  r.matcher.setPitch(1, 3800);
  r.matcher.pitchResetPress(1, 10000);
  EXPECT_TRUE(r.matcher.pitchResetRunning(1));
  r.matcher.pitchResetPress(1, 11000);
  EXPECT_FALSE(r.matcher.pitchResetRunning(1));
  r.matcher.pitchResetPress(1, 11200);
  EXPECT_FALSE(r.matcher.pitchResetRunning(1));
  EXPECT_EQ(r.desk[1]->pitch(), 4096);
}

TEST(BeatMatcher, FineCorrectionTakesTheSmallerOffsetUnderAnEighthOfASecond) {
  EXPECT_EQ(fineCorrectionFrames(200, 300), 0);     // 200 envelope samples: ignored
  EXPECT_EQ(fineCorrectionFrames(100, 300), 3600);  // 100: a jump of 3600 frames
  EXPECT_EQ(fineCorrectionFrames(400, -100), -3600);
  EXPECT_EQ(fineCorrectionFrames(-50, 50), 1800);   // a tie takes r2
  EXPECT_EQ(fineCorrectionFrames(152, 999), 152 * 36);
  EXPECT_EQ(fineCorrectionFrames(153, 999), 0);
}

TEST(BeatMatcher, SkipBeatJumpsOneBeatOfHeardFrames) {
  MatchRig r;
  r.load(120, 120);
  for (int k = 0; k < 20; ++k) r.desk[0]->serviceRt();
  const int32_t before = r.desk[0]->outputRing().heardIndex;
  r.matcher.skipBeat(0);  // 612 envelope samples x 36 frames at normal speed
  EXPECT_EQ(r.desk[0]->outputRing().heardIndex, before + 612 * 36);
  r.entry[0].bpm = 0;  // unknown tempo counts as 120
  const int32_t again = r.desk[0]->outputRing().heardIndex;
  r.matcher.skipBeat(0);
  EXPECT_EQ(r.desk[0]->outputRing().heardIndex, again + 612 * 36);
}

}  // namespace
}  // namespace zarnel
