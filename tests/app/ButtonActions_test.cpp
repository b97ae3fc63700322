// App's button actions on two real desks: each reaches its desk and its
// operation, and the widgets show the state afterwards.

#include <gtest/gtest.h>

#include "app/ActionIds.h"
#include "app/support/DispatchRig.h"

namespace zarnel {
namespace {

using test::DispatchRig;

TEST(ButtonActions, PlayPauseAndStopReachTheButtonsDeskOnly) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));
  r.click(button::kPlay, 1);
  EXPECT_TRUE(r.desk[1]->playing());
  EXPECT_FALSE(r.desk[0]->playing());
  EXPECT_TRUE(r.selected(button::kPlayPause, 1));
  EXPECT_TRUE(r.selected(button::kCueStop, 1));
  EXPECT_FALSE(r.selected(button::kPlayPause, 0));
  r.run(44100);
  r.click(button::kPause, 1);
  EXPECT_FALSE(r.desk[1]->playing());
  EXPECT_FALSE(r.selected(button::kPlayPause, 1));
  EXPECT_GT(r.seconds(1), 0.5);
  r.click(button::kStop, 1);  // the cue cycle: this track's cue and first beat are at 0.0
  EXPECT_EQ(r.desk[1]->position(), 0.0f);
  EXPECT_FALSE(r.desk[1]->playing());
}

TEST(ButtonActions, PlayPauseAndCueStopTurnOnWhatTheDeskDoes) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.click(button::kPlayPause, 0);
  EXPECT_TRUE(r.desk[0]->playing());
  r.run(44100 * 2);
  r.click(button::kCueStop, 0);  // playing: sets the cue where it is heard
  const float cue = r.data[0].v3;
  EXPECT_GT(cue, 0.0f);
  EXPECT_TRUE(r.desk[0]->playing());
  r.run(44100);
  r.click(button::kStop, 0);  // from a playing desk back to the cue
  EXPECT_FALSE(r.desk[0]->playing());
  EXPECT_EQ(r.desk[0]->position(), cue);
  EXPECT_FALSE(r.selected(button::kCueStop, 0));
  r.click(button::kCueStop, 0);  // paused: the cue cycle goes on, to the start
  EXPECT_EQ(r.desk[0]->position(), 0.0f);
  r.click(button::kPlayPause, 0);
  r.click(button::kPlayPause, 0);
  EXPECT_FALSE(r.desk[0]->playing());
}

TEST(ButtonActions, AButtonWithoutChanDoesNothingForADeskAction) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));
  for (int32_t a : {button::kPlay, button::kPlayPause, button::kMagic, button::kPitchReset, button::kLoop4th,
                    button::kKillBass, button::kEqReset, button::kSetCue5, button::kSelect, button::kEffect1})
    r.click(a, -1);
  EXPECT_FALSE(r.desk[0]->playing());
  EXPECT_FALSE(r.desk[1]->playing());
  EXPECT_FALSE(r.app.mixer().kill(0, Band::bass));
  EXPECT_FALSE(r.app.mixer().kill(1, Band::bass));
  EXPECT_EQ(r.desk[0]->loopCode(), 0);
  EXPECT_TRUE(r.data[0].cues.empty());
  EXPECT_EQ(r.app.activeDesk(), 1);  // the last load's desk stays
  EXPECT_TRUE(r.later.calls.empty());
  EXPECT_EQ(static_cast<VirtualWindow*>(r.window.get())->timers().count(timer::kPitchReset[0]), 0u);
  // Out-of-range desks and actions are refused the same way.
  r.app.buttonPress(button::kPlay, 2, keys::kLeft);
  r.app.buttonPress(49, 0, keys::kLeft);
  r.app.buttonPress(-3, 0, keys::kLeft);
  EXPECT_FALSE(r.desk[0]->playing());
}

TEST(ButtonActions, ARightButtonPlayReturnsToWhereItStartedOnRelease) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  const float minute = 60.0f * 44100.0f / float(test::kRigTrackFrames);
  r.desk[0]->stopAndSeek(minute);
  ASSERT_NEAR(r.seconds(0), 60.0, 0.01);
  r.app.buttonPress(button::kPlay, 0, keys::kRight | keys::kRightButton);
  EXPECT_TRUE(r.desk[0]->playing());
  r.run(44100);
  EXPECT_GT(r.seconds(0), 60.5);
  r.app.buttonRelease(button::kPlay, 0, keys::kRight | keys::kRightButton);
  EXPECT_FALSE(r.desk[0]->playing());
  EXPECT_NEAR(r.seconds(0), 60.0, 0.01);
  EXPECT_EQ(r.app.rememberedPlay[0], -1.0f);
  // A left-button play keeps playing on release.
  r.click(button::kPlayPause, 0);
  EXPECT_TRUE(r.desk[0]->playing());
}

TEST(ButtonActions, TwoPitchResetPressesWithinHalfASecondSetNormalSpeedAtOnce) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.setPitch(0, 4400);
  r.click(button::kPitchReset, 0);
  EXPECT_TRUE(r.selected(button::kPitchReset, 0));
  r.advance(400);  // no expiry yet: the timer runs every 500 ms
  EXPECT_EQ(r.desk[0]->pitch(), 4400);
  r.click(button::kPitchReset, 0);
  EXPECT_EQ(r.desk[0]->pitch(), 4096);
  EXPECT_FALSE(r.matcher.pitchResetRunning(0));
  EXPECT_FALSE(r.selected(button::kPitchReset, 0));
  EXPECT_EQ(r.value(kSliderPitch, 0), r.app.pitchSliderValue(4096));
}

TEST(ButtonActions, TwoPitchResetPressesFarApartStartThenCancelTheGradualReset) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(1));
  r.app.setPitch(1, 4400);
  r.click(button::kPitchReset, 1);
  EXPECT_EQ(static_cast<VirtualWindow*>(r.window.get())->timers().at(timer::kPitchReset[1]), 500);
  EXPECT_TRUE(r.selected(button::kPitchReset, 1));
  EXPECT_TRUE(r.matcher.pitchResetRunning(1));
  r.advance(600);  // one expiry: 16 towards 4096
  EXPECT_EQ(r.desk[1]->pitch(), 4384);
  EXPECT_EQ(r.value(kSliderPitch, 1), r.app.pitchSliderValue(4384));
  r.click(button::kPitchReset, 1);
  EXPECT_FALSE(r.matcher.pitchResetRunning(1));
  EXPECT_FALSE(r.selected(button::kPitchReset, 1));
  r.advance(2000);
  EXPECT_EQ(r.desk[1]->pitch(), 4384);  // cancelled where it was
}

TEST(ButtonActions, KillsToggleAndShowTheirButtonsSelected) {
  DispatchRig r;
  r.click(button::kKillBass + 2, 1);  // "killhigh"
  EXPECT_TRUE(r.app.mixer().kill(1, Band::high));
  EXPECT_TRUE(r.selected(button::kKillBass + 2, 1));
  EXPECT_FALSE(r.selected(button::kKillBass + 2, 0));
  EXPECT_EQ(r.engine->bandGain(1, 2), 0);
  r.click(button::kKillBass + 2, 1);
  EXPECT_FALSE(r.app.mixer().kill(1, Band::high));
  EXPECT_FALSE(r.selected(button::kKillBass + 2, 1));
  r.click(button::kKillBass, 0);
  r.click(button::kKillBass + 1, 0);
  r.app.sliderSet(kSliderMedium, 0, 3000);
  r.click(button::kEqReset, 0);
  EXPECT_FALSE(r.selected(button::kKillBass, 0));
  EXPECT_FALSE(r.selected(button::kKillBass + 1, 0));
  EXPECT_EQ(r.value(kSliderMedium, 0), 2048);
}

TEST(ButtonActions, LoopButtonsLightTheRunningLoopAndASeekPutsThemOut) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.click(button::kPlay, 0);
  r.run(44100);
  r.click(button::kLoop4th + 2, 0);  // "loop1"
  EXPECT_EQ(r.desk[0]->loopCode(), 1);
  EXPECT_TRUE(r.desk[0]->loop().active);
  EXPECT_TRUE(r.selected(button::kLoop4th + 2, 0));
  r.click(button::kLoop4th, 0);  // "loop4th" replaces it
  EXPECT_FALSE(r.selected(button::kLoop4th + 2, 0));
  EXPECT_TRUE(r.selected(button::kLoop4th, 0));
  EXPECT_EQ(r.app.loopLength[0], -4);
  r.click(button::kLoop4th, 0);  // the lit one again ends it
  EXPECT_FALSE(r.desk[0]->loop().active);
  EXPECT_FALSE(r.selected(button::kLoop4th, 0));
  r.click(button::kLoop8, 0);
  EXPECT_TRUE(r.selected(button::kLoop8, 0));
  r.app.sliderSet(kSliderSongPos, 0, 1024);  // a seek ends the loop
  EXPECT_FALSE(r.selected(button::kLoop8, 0));
  EXPECT_EQ(r.desk[0]->loopCode(), 0);
}

TEST(ButtonActions, ALoopWithoutTheTracksTempoIsRefusedAndStaysDark) {
  DispatchRig r;
  r.entry[0].bpm = 0.0f;
  ASSERT_TRUE(r.loadDesk(0));
  r.click(button::kLoop4th + 3, 0);
  EXPECT_EQ(r.desk[0]->loopCode(), 0);
  EXPECT_FALSE(r.selected(button::kLoop4th + 3, 0));
}

TEST(ButtonActions, CueButtonsSetAndGoToTheTracksCuePoints) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.desk[0]->stopAndSeek(0.5f);
  r.click(button::kSetCue2 + 2, 0);  // "setcue4": entry 2, two zero entries before it
  ASSERT_EQ(r.data[0].cues.size(), 3u);
  EXPECT_EQ(r.data[0].cues[0].position, 0.0f);
  EXPECT_EQ(r.data[0].cues[2].position, 0.5f);
  r.desk[0]->stopAndSeek(0.25f);
  r.click(button::kSetCue1, 0);
  EXPECT_EQ(r.data[0].v3, 0.25f);
  r.click(button::kGotoCue2 + 2, 0);  // "gotocue4"
  EXPECT_EQ(r.desk[0]->position(), 0.5f);
  r.click(button::kGotoCue2 + 3, 0);  // "gotocue5": no such entry
  EXPECT_EQ(r.desk[0]->position(), 0.5f);
  r.click(button::kStop, 0);  // the load's cycle (cue at 0.0) goes to the first beat, 0.0
  EXPECT_EQ(r.desk[0]->position(), 0.0f);
  r.click(button::kGotoCue1, 0);  // a fresh cycle: back to the cue
  EXPECT_EQ(r.desk[0]->position(), 0.25f);
  r.desk[0]->stopAndSeek(0.75f);
  r.click(button::kCue, 0);
  EXPECT_EQ(r.data[0].v3, 0.75f);
}

TEST(ButtonActions, SelectMakesTheDeskActiveAndRoutesTheHeadphones) {
  DispatchRig r;
  r.app.sliderSet(kSliderPreview, -1, 1000);
  r.click(button::kSelect, 1);
  EXPECT_EQ(r.app.activeDesk(), 1);
  EXPECT_TRUE(r.selected(button::kSelect, 1));
  EXPECT_FALSE(r.selected(button::kSelect, 0));
  EXPECT_EQ(r.app.mixer().previewDesk(), 1);
  EXPECT_EQ(r.app.mixer().preview(), 1000);
  EXPECT_EQ(r.value(kSliderPreview, -1), 1000);
  r.click(button::kSelect, 0);
  EXPECT_TRUE(r.selected(button::kSelect, 0));
  EXPECT_FALSE(r.selected(button::kSelect, 1));
}

TEST(ButtonActions, SyncButtonsMatchTheOtherDesk) {
  DispatchRig r;
  r.entry[1].bpm = 132.0f;  // against 120 on desk 0
  r.data[0].v8 = 1000;
  r.data[1].v8 = 2000;
  settings().autoBpm = 0;
  settings().autoLevel = 0;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));
  r.click(button::kSyncPitch, 0);
  EXPECT_EQ(r.desk[0]->pitch(), 4505);  // 4096 × 132 / 120
  EXPECT_EQ(r.value(kSliderPitch, 0), r.app.pitchSliderValue(4505));
  r.click(button::kSyncLevel, 0);
  EXPECT_GT(r.app.mixer().gain(0), 2048);  // the quieter track is raised
  EXPECT_EQ(r.value(kSliderGain, 0), r.app.mixer().gain(0));
  r.click(button::kMagic, 1);
  EXPECT_TRUE(r.desk[1]->playing());
}

TEST(ButtonActions, WindowButtonsActOnReleaseAndPagesGoToTheBrowser) {
  DispatchRig r;
  r.app.buttonPress(button::kMaximize, -1, keys::kLeft);
  EXPECT_EQ(r.shell.fullScreenToggles, 0);
  r.app.buttonRelease(button::kMaximize, -1, keys::kLeft);
  EXPECT_EQ(r.shell.fullScreenToggles, 1);
  r.click(button::kClose, -1);
  Message m;
  ASSERT_TRUE(r.windows.peekMessage(m, 0));
  EXPECT_EQ(m.id, msg::kSysCommand);
  EXPECT_EQ(m.wparam, syscmd::kClose);
  r.click(button::kMinimize, -1);
  ASSERT_TRUE(r.windows.peekMessage(m, 0));
  EXPECT_EQ(m.wparam, syscmd::kMinimize);
  r.app.buttonPress(button::kMenuFiles + 4, -1, keys::kLeft);
  EXPECT_TRUE(r.later.calls.empty());
  r.app.buttonRelease(button::kMenuFiles + 4, -1, keys::kLeft);
  EXPECT_EQ(r.later.last(), "page 4");
  r.click(button::kMix, -1);
  EXPECT_EQ(r.later.last(), "automix");
}

TEST(ButtonActions, EffectButtonsToggleTheDesksSlotsThroughTheSeam) {
  DispatchRig r;
  r.click(button::kEffect1 + 1, 1);  // slot 2 of desk 2: slot 3 of the six
  EXPECT_EQ(r.later.last(), "effect 3");
  EXPECT_TRUE(r.selected(button::kEffect1 + 1, 1));
  r.click(button::kEffect1 + 1, 1);
  EXPECT_FALSE(r.selected(button::kEffect1 + 1, 1));
  // Without the effect host nothing runs, and the button stays dark.
  r.app.attach([&] {
    AppLinks links;
    links.desks[0] = r.desk[0].get();
    links.desks[1] = r.desk[1].get();
    return links;
  }());
  r.app.setSkin(r.skin.get());
  r.click(button::kEffect1, 0);
  EXPECT_FALSE(r.selected(button::kEffect1, 0));
}

TEST(ButtonActions, SwitchPitchLevelFlipsTheSetsOnlyOnASkinThatAsksForIt) {
  DispatchRig plain;
  plain.click(button::kSwitchPitchLevel, -1);
  EXPECT_TRUE(plain.slider(kSliderPitch, 0)->visible());
  EXPECT_TRUE(plain.slider(kSliderLevel, 0)->visible());

  DispatchRig r(true);
  r.app.applyMixerState(true);  // level mode at start
  EXPECT_TRUE(r.app.levelMode());
  for (int32_t d = 0; d < 2; ++d) {
    EXPECT_FALSE(r.slider(kSliderPitch, d)->visible());
    EXPECT_FALSE(r.button(button::kPitchReset, d)->visible());
    EXPECT_TRUE(r.slider(kSliderLevel, d)->visible());
  }
  r.click(button::kSwitchPitchLevel, -1);
  for (int32_t d = 0; d < 2; ++d) {
    EXPECT_TRUE(r.slider(kSliderPitch, d)->visible());
    EXPECT_TRUE(r.button(button::kPitchReset, d)->visible());
    EXPECT_FALSE(r.slider(kSliderLevel, d)->visible());
  }
  EXPECT_TRUE(r.slider(kSliderLevel, -1)->visible());  // widgets without chan are not a desk's
}

}  // namespace
}  // namespace zarnel
