// App's slider entries: each kind reaches its desk or the mixer, every
// slider of the kind follows, and reset and automatic do what they name.

#include <gtest/gtest.h>

#include "app/ActionIds.h"
#include "app/support/DispatchRig.h"

namespace zarnel {
namespace {

using test::DispatchRig;

TEST(SliderActions, EachDeskKindReachesItsDeskAndEverySliderOfItFollows) {
  DispatchRig r;
  r.app.sliderSet(kSliderLevel, 1, 1000);
  r.app.sliderSet(kSliderGain, 0, 3000);
  r.app.sliderSet(kSliderBass, 1, 100);
  r.app.sliderSet(kSliderMedium, 1, 200);
  r.app.sliderSet(kSliderHigh, 0, 300);
  EXPECT_EQ(r.app.mixer().level(1), 1000);
  EXPECT_EQ(r.app.mixer().level(0), 4096);
  EXPECT_EQ(r.app.mixer().gain(0), 3000);
  EXPECT_EQ(r.app.mixer().band(1, Band::bass), 100);
  EXPECT_EQ(r.app.mixer().band(1, Band::medium), 200);
  EXPECT_EQ(r.app.mixer().band(0, Band::high), 300);
  EXPECT_EQ(r.value(kSliderLevel, 1), 1000);
  EXPECT_EQ(r.value(kSliderGain, 0), 3000);
  EXPECT_EQ(r.value(kSliderBass, 1), 100);
  EXPECT_EQ(r.value(kSliderHigh, 0), 300);
  EXPECT_EQ(r.value(kSliderLevel, -1), 0);  // widgets without chan are no desk's
  EXPECT_EQ(r.value(kSliderLevel, 0), 0);   // untouched: nothing set it yet
  // A desk kind from a slider without chan changes nothing.
  r.app.sliderSet(kSliderLevel, -1, 5);
  r.app.sliderSet(kSliderPitch, -1, 5);
  EXPECT_EQ(r.app.mixer().level(0), 4096);
  EXPECT_EQ(r.app.mixer().level(1), 1000);
}

TEST(SliderActions, SharedKindsSetTheMixerAndEverySliderOfTheKind) {
  DispatchRig r;
  r.app.sliderSet(kSliderCrossfader, -1, 1000);
  r.app.sliderSet(kSliderBassFader, 0, 3000);  // a band fader given a chan still moves all
  r.app.sliderSet(kSliderHighFader, -1, 10);
  r.app.sliderSet(kSliderPreview, -1, 700);
  EXPECT_EQ(r.app.mixer().crossfader(), 1000);
  EXPECT_EQ(r.app.mixer().bandFader(Band::bass), 3000);
  EXPECT_EQ(r.app.mixer().bandFader(Band::high), 10);
  EXPECT_EQ(r.app.mixer().preview(), 700);
  for (int32_t d = -1; d < 2; ++d) {
    EXPECT_EQ(r.value(kSliderCrossfader, d), 1000);
    EXPECT_EQ(r.value(kSliderBassFader, d), 3000);
    EXPECT_EQ(r.value(kSliderHighFader, d), 10);
    EXPECT_EQ(r.value(kSliderPreview, d), 700);
  }
  r.app.sliderSet(kSliderRotation, 0, 1000);  // display only
  r.app.sliderSet(kSliderArm, 0, 1000);
  EXPECT_EQ(r.value(kSliderRotation, 0), 0);
}

TEST(SliderActions, ThePitchSliderMapsOntoThePitchRange) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.sliderSet(kSliderPitch, 0, 0);
  EXPECT_EQ(r.desk[0]->pitch(), 2730);
  r.app.sliderSet(kSliderPitch, 0, 4096);
  EXPECT_EQ(r.desk[0]->pitch(), 5462);
  r.app.sliderSet(kSliderPitch, 0, 2048);
  EXPECT_EQ(r.desk[0]->pitch(), 4096);
  EXPECT_EQ(r.value(kSliderPitch, 0), 2048);
  settings().limitPitch = 1;
  r.app.sliderSet(kSliderPitch, 0, 1024);
  EXPECT_EQ(r.desk[0]->pitch(), 3768 + 1024 * (4424 - 3768) / 4096);
  EXPECT_EQ(r.value(kSliderPitch, 0), 1024);
  EXPECT_EQ(r.desk[1]->pitch(), 4096);
}

TEST(SliderActions, ResetGivesFullLevelTheStartOrTheCentre) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(1));
  r.app.sliderSet(kSliderLevel, 1, 100);
  r.app.sliderReset(kSliderLevel, 1);
  EXPECT_EQ(r.app.mixer().level(1), 4096);
  EXPECT_EQ(r.value(kSliderLevel, 1), 4096);
  r.desk[1]->stopAndSeek(0.5f);
  r.app.sliderReset(kSliderSongPos, 1);  // the track's start, and it plays
  EXPECT_EQ(r.desk[1]->position(), 0.0f);
  EXPECT_TRUE(r.desk[1]->playing());
  r.app.sliderSet(kSliderCrossfader, -1, 0);
  r.app.sliderReset(kSliderCrossfader, -1);
  EXPECT_EQ(r.app.mixer().crossfader(), 2048);
  r.app.sliderSet(kSliderPreview, -1, 900);
  r.app.sliderReset(kSliderPreview, -1);
  EXPECT_EQ(r.app.mixer().preview(), 0);
  r.app.sliderSet(kSliderPitch, 1, 0);
  r.app.sliderReset(kSliderPitch, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4096);
  r.app.sliderSet(kSliderGain, 1, 0);
  r.app.sliderReset(kSliderGain, 1);
  EXPECT_EQ(r.app.mixer().gain(1), 2048);
}

TEST(SliderActions, SongPositionSeeksAndPlaysAndStopsAnAutoMixTransition) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.autoMixTimer = timer::kAutoMix;
  r.window->setTimer(timer::kAutoMix, 200);
  r.app.sliderSet(kSliderSongPos, 0, 1024);
  EXPECT_EQ(r.desk[0]->position(), 0.25f);
  EXPECT_TRUE(r.desk[0]->playing());
  EXPECT_EQ(r.app.autoMixTimer, 0);
  EXPECT_EQ(static_cast<VirtualWindow*>(r.window.get())->timers().count(timer::kAutoMix), 0u);
  EXPECT_EQ(r.later.last(), "automix stopped");
  r.app.sliderSet(kSliderSongPos, 1, 1024);  // an empty desk refuses
  EXPECT_FALSE(r.desk[1]->playing());
}

TEST(SliderActions, AutomaticMatchesOrStartsAutoMix) {
  DispatchRig r;
  settings().autoBpm = 0;
  r.entry[0].bpm = 128.0f;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));
  r.app.sliderAuto(kSliderPitch, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4369);  // 4096 × 128 / 120
  EXPECT_EQ(r.value(kSliderPitch, 1), r.app.pitchSliderValue(4369));
  r.data[0].v8 = 2000;
  r.data[1].v8 = 1000;
  r.app.sliderAuto(kSliderGain, 1);
  EXPECT_GT(r.app.mixer().gain(1), 2048);
  EXPECT_EQ(r.value(kSliderGain, 1), r.app.mixer().gain(1));
  r.app.sliderAuto(kSliderCrossfader, -1);
  EXPECT_EQ(r.later.last(), "automix");
  r.app.sliderAuto(kSliderLevel, 1);  // nothing
  EXPECT_EQ(r.app.mixer().level(1), 4096);
}

TEST(SliderActions, TheRhythmViewsHoldAndScratchReachTheDesk) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(1));
  r.app.buttonPress(button::kPlay, 1, keys::kLeft);
  r.run(44100);
  r.app.deskHold(1, true);
  EXPECT_TRUE(r.desk[1]->hold());
  r.app.deskHold(1, false);
  EXPECT_FALSE(r.desk[1]->hold());
  r.app.deskHold(-1, true);  // no desk
  EXPECT_FALSE(r.desk[1]->hold());
  r.app.deskScratch(1, 1000);
  EXPECT_TRUE(r.desk[1]->transitionActive());
}

}  // namespace
}  // namespace zarnel
