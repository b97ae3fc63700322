// App: loading a desk, the mixer state applied to a skin, and the audio
// thread's messages reflected on the widgets.

#include "app/App.h"

#include <gtest/gtest.h>

#include "app/ActionIds.h"
#include "app/support/DispatchRig.h"

namespace zarnel {
namespace {

using test::DispatchRig;

TEST(App, LoadingStopsAutoMixAndTheResetRestartsHistoryAndTakesTheHeadphones) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.setPitch(0, 4400);
  r.click(button::kPitchReset, 0);
  r.app.autoMixTimer = timer::kAutoMix;
  ASSERT_TRUE(r.loadDesk(1));
  ASSERT_TRUE(r.loadDesk(0));
  EXPECT_FALSE(r.matcher.pitchResetRunning(0));
  EXPECT_FALSE(r.selected(button::kPitchReset, 0));
  EXPECT_EQ(r.app.autoMixTimer, 0);
  const auto timers = static_cast<VirtualWindow*>(r.window.get())->timers();
  EXPECT_EQ(timers.at(timer::kLoad[0]), 40000);
  EXPECT_EQ(timers.at(timer::kLoad[1]), 40000);
  EXPECT_EQ(r.app.activeDesk(), 0);
  EXPECT_TRUE(r.selected(button::kSelect, 0));
  EXPECT_FALSE(r.selected(button::kSelect, 1));
  EXPECT_FALSE(r.app.loadDesk(2, "a", "", "a.wav", nullptr));
  EXPECT_FALSE(r.app.loadDesk(-1, "a", "", "a.wav", nullptr));
}

TEST(App, ALoadThatMatchesThePitchMovesThePitchSlider) {
  DispatchRig r;
  r.entry[0].bpm = 126.0f;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));  // 120 BPM matched to 126
  EXPECT_EQ(r.desk[1]->pitch(), 4300);
  EXPECT_EQ(r.value(kSliderPitch, 1), r.app.pitchSliderValue(4300));
}

TEST(App, TheDefaultsSetTheMixerAndEveryWidget) {
  DispatchRig r;
  r.app.applyMixerState(true);
  EXPECT_EQ(r.later.last(), "page 0");
  EXPECT_FALSE(r.app.levelMode());
  for (int32_t d = -1; d < 2; ++d) {
    EXPECT_EQ(r.value(kSliderCrossfader, d), 2048);
    EXPECT_EQ(r.value(kSliderPreview, d), 0);
    EXPECT_EQ(r.value(kSliderMediumFader, d), 2048);
  }
  for (int32_t d = 0; d < 2; ++d) {
    EXPECT_EQ(r.value(kSliderLevel, d), 4096);
    EXPECT_EQ(r.value(kSliderGain, d), 2048);
    EXPECT_EQ(r.value(kSliderBass, d), 2048);
    EXPECT_EQ(r.value(kSliderHigh, d), 2048);
    EXPECT_EQ(r.value(kSliderPitch, d), 2048);
    EXPECT_FALSE(r.selected(button::kKillBass, d));
    EXPECT_FALSE(r.selected(button::kPlayPause, d));
  }
  EXPECT_EQ(r.value(kSliderLevel, -1), 0);  // no desk's: left alone
  EXPECT_TRUE(r.selected(button::kSelect, 0));
  EXPECT_FALSE(r.selected(button::kSelect, 1));
}

TEST(App, ANewSkinTakesTheCurrentState) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));
  r.app.setCrossfader(1000);
  r.app.setLevel(1, 3000);
  r.app.setKill(0, Band::medium, 1);
  r.app.setBandFader(Band::high, 100);
  r.app.setPreview(600);
  r.app.setPitch(1, 4500);
  r.click(button::kPlay, 0);
  r.run(44100);
  r.click(button::kLoop4th + 4, 0);  // "loop4"
  r.later.page = 2;
  r.app.setSkin(nullptr);
  auto fresh = test::buildFrom(test::dispatchSkinXml(false));
  r.skin.swap(fresh);
  r.app.setSkin(r.skin.get());
  r.app.applyMixerState(false);
  EXPECT_EQ(r.later.last(), "page 2");
  EXPECT_EQ(r.app.mixer().crossfader(), 1000);
  EXPECT_EQ(r.value(kSliderCrossfader, -1), 1000);
  EXPECT_EQ(r.value(kSliderLevel, 1), 3000);
  EXPECT_EQ(r.value(kSliderLevel, 0), 4096);
  EXPECT_TRUE(r.selected(button::kKillBass + 1, 0));
  EXPECT_EQ(r.value(kSliderHighFader, 1), 100);
  EXPECT_EQ(r.value(kSliderPreview, -1), 600);
  EXPECT_EQ(r.value(kSliderPitch, 1), r.app.pitchSliderValue(4500));
  EXPECT_TRUE(r.selected(button::kLoop4th + 4, 0));
  EXPECT_TRUE(r.selected(button::kPlayPause, 0));
  EXPECT_TRUE(r.selected(button::kSelect, 1));  // the last load's desk
}

TEST(App, TheEndOfATrackPutsItsButtonsOutAtOnce) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.sliderSet(kSliderSongPos, 0, 4055);  // 0.7 s before the end, playing
  ASSERT_TRUE(r.selected(button::kPlayPause, 0));
  r.run(44100 * 2);
  ASSERT_EQ(r.poster.count(kMsgTrackEnded), 1);
  EXPECT_FALSE(r.desk[0]->playing());
  r.app.trackEnded(0);  // as the main window does on message 1069
  EXPECT_FALSE(r.selected(button::kPlayPause, 0));
  EXPECT_FALSE(r.selected(button::kCueStop, 0));
  EXPECT_EQ(r.later.last(), "ended 0");
  r.app.trackEnded(5);  // no such desk
  EXPECT_EQ(r.later.last(), "ended 0");
}

TEST(App, TheAudioThreadsOtherMessagesGoToTheirSubsystems) {
  DispatchRig r;
  r.app.mixIn(1);
  EXPECT_EQ(r.later.last(), "mixin 1");
  r.app.mixIn(7);
  EXPECT_EQ(r.later.last(), "mixin 1");
  r.app.effectRequest(0x0102, 5);
  EXPECT_EQ(r.later.last(), "effect request 258 5");
}

}  // namespace
}  // namespace zarnel
