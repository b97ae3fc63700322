// App's keyboard shortcut actions: steps from the current value, clamped by
// the setters; desk actions on their desk; the rest through the seams.

#include <gtest/gtest.h>

#include "app/ActionIds.h"
#include "app/support/DispatchRig.h"

namespace zarnel {
namespace {

using test::DispatchRig;

TEST(ShortcutActions, CrossfaderStepsClampAtTheEnds) {
  DispatchRig r;
  r.app.setCrossfader(4000);
  r.app.shortcutAction(shortcut::kCrossfaderRight, -1);  // asks 4128
  EXPECT_EQ(r.app.mixer().crossfader(), 4096);
  EXPECT_EQ(r.value(kSliderCrossfader, -1), 4096);
  r.app.shortcutAction(shortcut::kCrossfaderPageLeft, 0);
  EXPECT_EQ(r.app.mixer().crossfader(), 3072);
  r.app.shortcutAction(shortcut::kCrossfaderLeft, 0);
  EXPECT_EQ(r.app.mixer().crossfader(), 2944);
  r.app.shortcutAction(shortcut::kCrossfaderPageRight, 0);
  EXPECT_EQ(r.app.mixer().crossfader(), 3968);
  r.app.shortcutAction(shortcut::kCrossfaderLeftmost, 0);
  EXPECT_EQ(r.app.mixer().crossfader(), 0);
  r.app.shortcutAction(shortcut::kCrossfaderLeft, 0);
  EXPECT_EQ(r.app.mixer().crossfader(), 0);
  r.app.shortcutAction(shortcut::kCrossfaderRightmost, 0);
  EXPECT_EQ(r.app.mixer().crossfader(), 4096);
  r.app.shortcutAction(shortcut::kCrossfaderMiddle, 0);
  EXPECT_EQ(r.value(kSliderCrossfader, -1), 2048);
}

TEST(ShortcutActions, AnEndOfTheCrossfaderCutsTheRecordingWhenAsked) {
  DispatchRig r;
  r.app.shortcutAction(shortcut::kCrossfaderLeftmost, -1);
  EXPECT_TRUE(r.later.calls.empty());
  settings().autoSaveCut = 1;
  r.app.shortcutAction(shortcut::kCrossfaderLeft, -1);  // already there: no new value
  EXPECT_TRUE(r.later.calls.empty());
  r.app.shortcutAction(shortcut::kCrossfaderRightmost, -1);
  EXPECT_EQ(r.later.last(), "cut");
}

TEST(ShortcutActions, PitchStepsGoSlowerUpAndStopAtTheBounds) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(1));
  r.app.shortcutAction(shortcut::kPitchUp, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4088);
  r.app.shortcutAction(shortcut::kPitchPageDown, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4394);
  r.app.shortcutAction(shortcut::kPitchFineUp, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4393);
  r.app.shortcutAction(shortcut::kPitchFineDown, 1);
  r.app.shortcutAction(shortcut::kPitchDown, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4402);
  EXPECT_EQ(r.value(kSliderPitch, 1), r.app.pitchSliderValue(4402));
  for (int i = 0; i < 20; ++i) r.app.shortcutAction(shortcut::kPitchPageUp, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 2730);
  r.app.shortcutAction(shortcut::kPitchMiddle, 1);
  EXPECT_EQ(r.desk[1]->pitch(), 4096);
  EXPECT_EQ(r.desk[0]->pitch(), 4096);
}

TEST(ShortcutActions, PitchResetIsOneSinglePressWhateverTheInterval) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.setPitch(0, 4200);
  r.app.shortcutAction(shortcut::kPitchReset, 0);
  EXPECT_TRUE(r.matcher.pitchResetRunning(0));
  EXPECT_TRUE(r.selected(button::kPitchReset, 0));
  r.app.shortcutAction(shortcut::kPitchReset, 0);  // at once: cancels, no jump to 4096
  EXPECT_FALSE(r.matcher.pitchResetRunning(0));
  EXPECT_EQ(r.desk[0]->pitch(), 4200);
  EXPECT_FALSE(r.selected(button::kPitchReset, 0));
}

TEST(ShortcutActions, VolumesAndBandsStepOnTheirDesk) {
  DispatchRig r;
  r.app.shortcutAction(shortcut::kVolumeDown, 1);
  EXPECT_EQ(r.app.mixer().level(1), 3968);
  r.app.shortcutAction(shortcut::kVolumePageDown, 1);
  EXPECT_EQ(r.app.mixer().level(1), 2944);
  r.app.shortcutAction(shortcut::kVolumeUp, 1);
  EXPECT_EQ(r.app.mixer().level(1), 3072);
  r.app.shortcutAction(shortcut::kVolumePageUp, 1);
  r.app.shortcutAction(shortcut::kVolumePageUp, 1);
  EXPECT_EQ(r.app.mixer().level(1), 4096);
  r.app.shortcutAction(shortcut::kVolumeMin, 1);
  EXPECT_EQ(r.value(kSliderLevel, 1), 0);
  r.app.shortcutAction(shortcut::kVolumeMax, 1);
  EXPECT_EQ(r.app.mixer().level(1), 4096);
  EXPECT_EQ(r.app.mixer().level(0), 4096);
  r.app.shortcutAction(shortcut::kBassUp + 3, 0);  // "medium down"
  EXPECT_EQ(r.app.mixer().band(0, Band::medium), 1792);
  r.app.shortcutAction(shortcut::kBassUp + 4, 0);  // "high up"
  EXPECT_EQ(r.value(kSliderHigh, 0), 2304);
  r.app.shortcutAction(shortcut::kKillBass + 2, 0);  // "kill medium"
  EXPECT_TRUE(r.selected(button::kKillBass + 1, 0));
  r.app.shortcutAction(shortcut::kKillBass + 3, 0);  // "normal medium"
  EXPECT_EQ(r.app.mixer().band(0, Band::medium), 2048);
  EXPECT_TRUE(r.app.mixer().kill(0, Band::medium));  // "normal" leaves the kill
  r.app.shortcutAction(shortcut::kEqReset, 0);
  EXPECT_FALSE(r.selected(button::kKillBass + 1, 0));
  EXPECT_EQ(r.app.mixer().band(0, Band::high), 2048);
  // Without a desk nothing changes.
  r.app.shortcutAction(shortcut::kVolumeMin, -1);
  r.app.shortcutAction(shortcut::kKillBass, -1);
  r.app.shortcutAction(shortcut::kBassUp, -1);
  r.app.setKill(1, Band::high, 1);
  r.app.shortcutAction(shortcut::kEqReset, -1);
  EXPECT_EQ(r.app.mixer().level(0), 4096);
  EXPECT_FALSE(r.app.mixer().kill(0, Band::bass));
  EXPECT_TRUE(r.app.mixer().kill(1, Band::high));
}

TEST(ShortcutActions, BandFadersMoveByStepsAndToTheirMarks) {
  DispatchRig r;
  r.app.shortcutAction(shortcut::kBassfaderLeft, -1);
  EXPECT_EQ(r.app.mixer().bandFader(Band::bass), 1792);
  r.app.shortcutAction(shortcut::kBassfaderLeft + 1, -1);
  r.app.shortcutAction(shortcut::kBassfaderLeft + 1, -1);
  EXPECT_EQ(r.app.mixer().bandFader(Band::bass), 2304);
  r.app.shortcutAction(shortcut::kBassfaderLeft + 5 + 3, -1);  // "mediumfader leftmost"
  EXPECT_EQ(r.app.mixer().bandFader(Band::medium), 0);
  r.app.shortcutAction(shortcut::kHighfaderRightmost, -1);
  EXPECT_EQ(r.app.mixer().bandFader(Band::high), 4096);
  EXPECT_EQ(r.value(kSliderHighFader, -1), 4096);
  r.app.shortcutAction(shortcut::kBassfaderLeft + 10 + 2, -1);  // "highfader middle"
  EXPECT_EQ(r.app.mixer().bandFader(Band::high), 2048);
}

TEST(ShortcutActions, TransportNudgesLoopsAndCuesReachTheResolvedDesk) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  ASSERT_TRUE(r.loadDesk(1));
  r.app.shortcutAction(shortcut::kPlay, 1);
  EXPECT_TRUE(r.desk[1]->playing());
  EXPECT_FALSE(r.desk[0]->playing());
  r.run(44100);
  r.app.shortcutAction(shortcut::kLoop1Beat + 1, 1);  // "loop 2 beat"
  EXPECT_EQ(r.desk[1]->loopCode(), 2);
  EXPECT_TRUE(r.selected(button::kLoop4th + 3, 1));
  r.app.shortcutAction(shortcut::kLoopHalfBeat, 1);
  EXPECT_TRUE(r.selected(button::kLoop4th + 1, 1));
  r.app.shortcutAction(shortcut::kExitLoop, 1);
  EXPECT_FALSE(r.desk[1]->loop().active);
  EXPECT_FALSE(r.selected(button::kLoop4th + 1, 1));
  r.app.shortcutAction(shortcut::kHold, 1);
  EXPECT_TRUE(r.desk[1]->hold());
  r.app.shortcutAction(shortcut::kHold, 1);
  EXPECT_FALSE(r.desk[1]->hold());
  r.app.shortcutAction(shortcut::kPause, 1);
  EXPECT_FALSE(r.desk[1]->playing());
  EXPECT_FALSE(r.selected(button::kPlayPause, 1));
  // A nudge moves the paused desk's heard point (the desk's own tests pin
  // the distance); the other desk stays.
  const float paused = r.desk[1]->position(), other = r.desk[0]->position();
  r.app.shortcutAction(shortcut::kNudgeLeft, 1);
  const float nudged = r.desk[1]->position();
  EXPECT_NE(nudged, paused);
  r.app.shortcutAction(shortcut::kNudgeRight, 1);
  EXPECT_NE(r.desk[1]->position(), nudged);
  EXPECT_EQ(r.desk[0]->position(), other);
  r.app.shortcutAction(shortcut::kSetCue2 + 1, 1);  // "set cue 3"
  ASSERT_EQ(r.data[1].cues.size(), 2u);
  const float at = r.desk[1]->position();
  r.app.shortcutAction(shortcut::kStop, 1);
  EXPECT_NE(r.desk[1]->position(), at);
  r.app.shortcutAction(shortcut::kGotoCue2 + 1, 1);
  EXPECT_EQ(r.desk[1]->position(), at);
  r.app.shortcutAction(shortcut::kCue, 1);
  EXPECT_EQ(r.data[1].v3, at);
  r.app.shortcutAction(shortcut::kPitchBendLeft, 1);
  r.app.shortcutAction(shortcut::kSkipBeat, 1);
  r.app.shortcutAction(shortcut::kMagic, 0);
  EXPECT_TRUE(r.desk[0]->playing());
}

TEST(ShortcutActions, StopLeavesAnAutoMixTransitionRunning) {
  DispatchRig r;
  ASSERT_TRUE(r.loadDesk(0));
  r.app.autoMixTimer = timer::kAutoMix;
  r.app.shortcutAction(shortcut::kStop, 0);
  EXPECT_EQ(r.app.autoMixTimer, timer::kAutoMix);
  r.click(button::kStop, 0);
  EXPECT_EQ(r.app.autoMixTimer, 0);
}

TEST(ShortcutActions, HeadphonesAndTheLaterSubsystemsGetTheirActions) {
  DispatchRig r;
  r.app.shortcutAction(shortcut::kSwitchHeadphone, -1);
  EXPECT_EQ(r.app.activeDesk(), 1);
  EXPECT_TRUE(r.selected(button::kSelect, 1));
  r.app.shortcutAction(shortcut::kSwitchHeadphone, 0);
  EXPECT_EQ(r.app.activeDesk(), 0);
  struct Case {
    int32_t action, desk;
    const char* call;
  };
  const Case cases[] = {
      {shortcut::kLoad, 1, "load 1"}, {shortcut::kLoadIntoPlaylist, 0, "playlist"},
      {shortcut::kEditBpm, 0, "bpm"}, {shortcut::kEditComment, 0, "comment"},
      {shortcut::kSetAsFavoriteFolder, 0, "command 2"}, {shortcut::kMixNow, 0, "automix"},
      {shortcut::kToggleAutoMix, 0, "command 6"}, {shortcut::kNextWindow, 0, "focus 1"},
      {shortcut::kPrevWindow, 0, "focus -1"}, {shortcut::kStartStopRecord, 0, "record"},
      {shortcut::kNextPage, 0, "page 4"}, {shortcut::kPreviousPage, 0, "page 3"},
      {shortcut::kPageFileBrowser + 5, 0, "page 5"}, {shortcut::kNextPage, 0, "page 0"},
      {shortcut::kPreviousPage, 0, "page 5"}, {shortcut::kSample1, 0, "sample 0"},
      {shortcut::kSample12, 0, "sample 11"}, {shortcut::kStopAllSamples, 0, "stop samples"},
      {shortcut::kEffect1 + 2, 1, "effect 5"},
  };
  for (const Case& c : cases) {
    r.app.shortcutAction(c.action, c.desk);
    EXPECT_EQ(r.later.last(), c.call) << c.action;
  }
  const size_t calls = r.later.calls.size();
  r.app.shortcutAction(shortcut::kLoad, -1);  // no desk to load onto
  r.app.shortcutAction(shortcut::kNothing, 0);
  r.app.shortcutAction(shortcut::kCount, 0);
  r.app.shortcutAction(-1, 0);
  EXPECT_EQ(r.later.calls.size(), calls);
}

TEST(ShortcutActions, SwitchPitchVolumeFlipsTheModeAsTheButtonDoes) {
  DispatchRig r(true);
  r.app.applyMixerState(true);
  r.app.shortcutAction(shortcut::kSwitchPitchVolume, 0);
  EXPECT_FALSE(r.app.levelMode());
  EXPECT_TRUE(r.slider(kSliderPitch, 1)->visible());
}

}  // namespace
}  // namespace zarnel
