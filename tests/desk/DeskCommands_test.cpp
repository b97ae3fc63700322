// Cue points, loops, jumps, scratches and holds.

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "library/TrackEntry.h"
#include "support/WavBuilder.h"
#include "support/mix/IndexRamp.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

using test::frameIndex;
using test::indexRamp;

// A desk on a 10-second ramp with a track record of its own.
struct CommandRig : test::MixHarness {
  CommandRig() {
    settings().masterTempo = 0;
    addWav("a.wav", indexRamp(441000));
    entry.data = &data;
    entry.bpm = 120.0f;
    data.entry = &entry;
  }
  void load() { ASSERT_TRUE(desk[0]->load("a", "", "a.wav", &entry)); }
  Desk& d() { return *desk[0]; }
  // The ramp frame at the desk's play index.
  int32_t heardFrame() { return frameIndex(d().decodeRing() + 2 * d().playIndex()); }
  TrackEntry entry;
  TrackData data;
};

TEST(DeskCommands, StopCyclesCueStartAndFirstBeat) {
  CommandRig r;
  r.data.v1 = 0.25f;  // first beat; the cue v3 is 0.0
  r.load();
  EXPECT_EQ(r.d().cueCycle(), 2);  // cue at 0.0: the next Stop goes to the first beat
  r.d().play();
  r.run(44100);
  r.d().stop();  // playing: back to the cue at the start
  EXPECT_FALSE(r.d().playing());
  EXPECT_EQ(r.d().position(), 0.0f);
  EXPECT_EQ(r.d().cueCycle(), 2);
  r.d().stop();
  EXPECT_EQ(r.d().position(), 0.25f);
  EXPECT_EQ(r.d().cueCycle(), 0);
  r.d().setCue();
  EXPECT_EQ(r.data.v3, 0.25f);
  r.d().stop();  // to the cue, now not 0
  EXPECT_EQ(r.d().position(), 0.25f);
  EXPECT_EQ(r.d().cueCycle(), 1);
  r.d().stop();
  EXPECT_EQ(r.d().position(), 0.0f);
}

TEST(DeskCommands, CuePointsGrowZeroFilledAndMissingOnesDoNothing) {
  CommandRig r;
  r.load();
  r.d().stopAndSeek(0.5f);
  r.d().setCuePoint(2);  // "setcue4"
  ASSERT_EQ(r.data.cues.size(), 3u);
  EXPECT_EQ(r.data.cues[0].position, 0.0f);
  EXPECT_EQ(r.data.cues[1].position, 0.0f);
  EXPECT_EQ(r.data.cues[2].position, 0.5f);
  r.data.cues.resize(1);
  r.data.cues[0].position = 0.75f;
  r.d().goToCuePoint(1);  // "gotocue3" with one entry
  EXPECT_EQ(r.d().position(), 0.5f);
  r.d().goToCuePoint(0);
  EXPECT_EQ(r.d().position(), 0.75f);
}

TEST(DeskCommands, LoopLengthsFollowTheTempo) {
  CommandRig r;
  r.load();
  for (int k = 0; k < 40; ++k) r.d().serviceRt();
  r.d().toggleLoop(1);  // one beat at 120 BPM
  ASSERT_TRUE(r.d().loop().active);
  EXPECT_EQ(r.d().loop().length, 22050);
  EXPECT_EQ(r.d().loop().start, r.d().playIndex());
  r.d().toggleLoop(1);  // the lit button again ends it
  EXPECT_FALSE(r.d().loop().active);
  r.entry.bpm = 30.0f;
  r.d().toggleLoop(8);  // 705600 frames, halved to fit the ring
  EXPECT_EQ(r.d().loop().length, 176400);
  r.d().toggleLoop(-4);  // a quarter beat at 30 BPM
  EXPECT_EQ(r.d().loop().length, 22050);

  r.d().toggleLoop(0);
  r.entry.bpm = 0.0f;  // no tempo: the loop is refused and nothing changes
  r.d().toggleLoop(2);
  EXPECT_FALSE(r.d().loop().active);
}

TEST(DeskCommands, ALoopPlaysItsBeatOverAndOver) {
  CommandRig r;
  r.mixer.setCrossfader(0);
  settings().equalizer = 0;
  r.mixer.sendAll();
  r.load();
  r.d().play();
  r.run(22050);
  r.d().toggleLoop(-4);  // 5512 frames at 120 BPM
  const int32_t start = r.heardFrame();
  r.run(44100);
  const int32_t now = r.heardFrame();
  EXPECT_GE(now, start);
  EXPECT_LT(now, start + 5512 + 1);
}

TEST(DeskCommands, JumpBackStopsAtTheHistoryAndForwardAtTheAudioAhead) {
  CommandRig r;
  r.load();
  r.d().play();
  r.run(3 * 44100);
  const int32_t before = r.heardFrame();
  r.d().jump(-300000);  // far more than the ring keeps
  r.run(256);  // the heard point shows once the re-mix has taken the jump up
  const int32_t after = r.heardFrame();
  EXPECT_LT(after, before);
  EXPECT_GT(after, before - kOutputRingFrames);
  r.run(44100);
  r.d().jump(5000);
  r.run(256);
  EXPECT_TRUE(r.d().playing());
}

TEST(DeskCommands, HoldBrakesToAStopAndStartsAgainInATenthOfASecond) {
  CommandRig r;
  r.load();
  r.d().play();
  r.run(44100);
  const int32_t heard = r.d().outputRing().heardIndex;
  r.d().hold(true);
  ASSERT_TRUE(r.d().hold());
  const DeskTransition& t = r.d().transition();
  ASSERT_TRUE(t.active);
  EXPECT_EQ(t.target, (heard + 2205) % kOutputRingFrames);  // 2205 frames travelled
  EXPECT_EQ(t.speedStart, 1.0f);
  EXPECT_EQ(t.speedEnd, 0.0f);
  EXPECT_EQ(r.d().transitionOwedRt(4410), 2205);
  EXPECT_EQ(r.d().transitionOwedRt(0), 0);
  r.run(8820);
  r.d().hold(false);
  EXPECT_FALSE(r.d().hold());
  ASSERT_TRUE(t.active);
  EXPECT_EQ(t.speedStart, 0.0f);  // the brake had ended: from standstill
  EXPECT_EQ(t.speedEnd, 1.0f);
  EXPECT_EQ(r.d().transitionOwedRt(4410), 2205);  // (0 + 1) x 2205
  r.run(8820);
  EXPECT_TRUE(r.d().playing());
  EXPECT_FALSE(t.active);
}

TEST(DeskCommands, ScratchDisabledMovesThePausedDeskDirectly) {
  CommandRig r;
  settings().scratch = 0;
  r.load();
  r.d().stopAndSeek(0.5f);
  for (int k = 0; k < 20; ++k) r.d().serviceRt();
  const int32_t before = r.heardFrame();
  r.d().scratch(72);  // one pixel to the left
  EXPECT_FALSE(r.d().transition().active);
  EXPECT_EQ(r.heardFrame(), before + 72);
  r.d().hold(true);  // nothing to hold with scratching off
  EXPECT_FALSE(r.d().hold());
}

TEST(DeskCommands, ScratchOnAPlayingDeskRendersATransition) {
  CommandRig r;
  r.load();
  r.d().play();
  r.run(44100);
  r.d().scratch(1000);
  const DeskTransition& t = r.d().transition();
  ASSERT_TRUE(t.active);
  EXPECT_EQ(t.speedStart, 1.0f);
  EXPECT_EQ(t.speedEnd, 1.0f);
  // The transition covers the move plus the 4410 frames the desk plays anyway.
  EXPECT_EQ(r.d().transitionOwedRt(4410), 5410);
  r.run(8820);
  EXPECT_FALSE(t.active);
  EXPECT_TRUE(r.d().playing());
}

}  // namespace
}  // namespace zarnel

#include "desk/DeskSecurity.h"

namespace zarnel {
namespace {

TEST(DeskSecurity, AudibleDesksFollowTheOption) {
  static_assert(deskSecurity(2, false) == SecurityDecision::load);
  EXPECT_EQ(deskSecurity(0, true), SecurityDecision::load);
  EXPECT_EQ(deskSecurity(1, true), SecurityDecision::ask);
  EXPECT_EQ(deskSecurity(2, true), SecurityDecision::refuse);
  EXPECT_EQ(deskSecurity(7, true), SecurityDecision::ask);  // an unknown value asks
}

}  // namespace
}  // namespace zarnel
