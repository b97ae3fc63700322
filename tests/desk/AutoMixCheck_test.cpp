#include "desk/AutoMixCheck.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

// A desk playing alone with AutoMix on: what a mix check sees.
MixCheckInput playingAlone(int32_t length, int32_t longMix, int32_t endMix) {
  MixCheckInput in;
  in.lengthSeconds = length;
  in.pitch = 4096;
  in.longMix = longMix;
  in.endMix = endMix;
  in.autoMixOn = true;
  in.playing = true;
  return in;
}

bool firesAt(MixCheckInput in, float x) {
  in.position = x;
  return mixCheckRt(in);
}

TEST(AutoMixLead, IsTheTransitionsShareOfTheTrack) {
  EXPECT_FLOAT_EQ(mixLeadRt(0, 4096, 200), 0.032f);                // 6.4 s of 200 s
  EXPECT_FLOAT_EQ(mixLeadRt(16, 4096, 300), 0.032f);               // 9.6 s of 300 s
  EXPECT_FLOAT_EQ(mixLeadRt(112, 4096, 288), 0.1f);                // 28.8 s of 288 s
  EXPECT_FLOAT_EQ(mixLeadRt(0, 4424, 200), 0.032f * 4424 / 4096);  // faster: more track per tick
  EXPECT_FLOAT_EQ(mixLeadRt(kLongMixNone, 4096, 200), 0.0f);
  // No length: the check fires at once rather than dividing by zero.
  EXPECT_FLOAT_EQ(mixLeadRt(0, 4096, 0), 1.0f);
  EXPECT_FLOAT_EQ(mixLeadRt(0, 4096, -1), 1.0f);
}

TEST(AutoMixCheck, EndOfA200SecondTrackFiresAtX0968NotBefore) {
  const MixCheckInput in = playingAlone(200, 0, kEndMixEnd);
  EXPECT_FALSE(firesAt(in, 0.5f));
  EXPECT_FALSE(firesAt(in, 0.8f));
  EXPECT_FALSE(firesAt(in, 0.967f));
  EXPECT_FALSE(firesAt(in, 0.9679f));
  EXPECT_TRUE(firesAt(in, 0.968f));
  EXPECT_TRUE(firesAt(in, 0.99f));
}

TEST(AutoMixCheck, LastBeatStartsLookingAt08AndFiresAtV2MinusLead) {
  MixCheckInput in = playingAlone(300, 0, kEndMixLastBeat);
  in.lastBeat = 0.9f;
  const float v = mixLeadRt(0, 4096, 300);  // 0.021333
  // A last beat read as early as the middle is still only looked for from 0.8.
  MixCheckInput early = in;
  early.lastBeat = 0.5f;
  EXPECT_FALSE(firesAt(early, 0.79f));
  EXPECT_TRUE(firesAt(early, 0.8f));

  EXPECT_FALSE(firesAt(in, 0.8f));
  EXPECT_FALSE(firesAt(in, 0.87f));
  EXPECT_TRUE(firesAt(in, 0.9f - v + 0.0001f));
  EXPECT_TRUE(firesAt(in, 0.95f));
}

TEST(AutoMixCheck, CueOneUsesTheFirstCueFromTheStart) {
  MixCheckInput in = playingAlone(200, 0, kEndMixCue1);
  in.hasFirstCue = true;
  in.firstCue = 0.5f;
  EXPECT_FLOAT_EQ(mixEndPointRt(in), 0.5f);
  EXPECT_FALSE(firesAt(in, 0.4f));
  EXPECT_TRUE(firesAt(in, 0.47f));  // before 0.8: Cue 1 looks at every update
}

TEST(AutoMixCheck, CueOneWithoutACueEndsAtTheEndThenAtTheLastBeat) {
  MixCheckInput in = playingAlone(200, 0, kEndMixCue1);
  in.lastBeat = 0.85f;
  in.position = 0.3f;
  EXPECT_FLOAT_EQ(mixEndPointRt(in), 1.0f);  // empty cue list, x < 0.8
  EXPECT_FALSE(mixCheckRt(in));
  in.position = 0.8f;
  EXPECT_FLOAT_EQ(mixEndPointRt(in), 0.85f);
  EXPECT_TRUE(firesAt(in, 0.82f));
  // A first cue at the very top counts as none.
  in.hasFirstCue = true;
  in.firstCue = 0.0f;
  in.position = 0.3f;
  EXPECT_FLOAT_EQ(mixEndPointRt(in), 1.0f);
}

TEST(AutoMixCheck, NothingFiresWhenTheDeskMayNotTrigger) {
  const MixCheckInput base = playingAlone(200, 0, kEndMixEnd);
  ASSERT_TRUE(firesAt(base, 0.99f));
  MixCheckInput in = base;
  in.otherPlaying = true;
  EXPECT_FALSE(firesAt(in, 0.99f));
  in = base;
  in.autoMixOn = false;
  EXPECT_FALSE(firesAt(in, 0.99f));
  in = base;
  in.mixFired = true;
  EXPECT_FALSE(firesAt(in, 0.99f));
  in = base;
  in.playing = false;
  EXPECT_FALSE(firesAt(in, 0.99f));
  EXPECT_FALSE(firesAt(base, -1.0f));
}

TEST(AutoMixCheck, NoMixWithEndCutsOnlyWhenTheTrackRunsOut) {
  MixCheckInput in = playingAlone(200, kLongMixNone, kEndMixEnd);
  EXPECT_FALSE(firesAt(in, 0.99f));
  EXPECT_FALSE(firesAt(in, 0.99999f));
  EXPECT_TRUE(endOfTrackCheckRt(in));
  in.otherPlaying = true;
  EXPECT_FALSE(endOfTrackCheckRt(in));
}

TEST(AutoMixCheck, EndOfTrackCheckNeedsNoMixEndAndAFreshPlayingTrack) {
  const MixCheckInput cut = playingAlone(200, kLongMixNone, kEndMixEnd);
  MixCheckInput in = cut;
  in.longMix = 0;  // a transition was due before the end
  EXPECT_FALSE(endOfTrackCheckRt(in));
  in = cut;
  in.endMix = kEndMixLastBeat;
  EXPECT_FALSE(endOfTrackCheckRt(in));
  in = cut;
  in.mixFired = true;
  EXPECT_FALSE(endOfTrackCheckRt(in));
  in = cut;
  in.playing = false;
  EXPECT_FALSE(endOfTrackCheckRt(in));
  in = cut;
  in.autoMixOn = false;
  EXPECT_FALSE(endOfTrackCheckRt(in));
}

TEST(AutoMixStart, FollowsStartMixAndDistrustsALateFirstBeat) {
  EXPECT_FLOAT_EQ(autoMixStartPosition(kStartMixFirstBeat, 0.02f, 0.3f), 0.02f);
  EXPECT_FLOAT_EQ(autoMixStartPosition(kStartMixFirstBeat, 0.5f, 0.3f), 0.0f);
  EXPECT_FLOAT_EQ(autoMixStartPosition(kStartMixCue, 0.02f, 0.3f), 0.3f);
  EXPECT_FLOAT_EQ(autoMixStartPosition(kStartMixCue, 0.02f, 0.0f), 0.02f);
  EXPECT_FLOAT_EQ(autoMixStartPosition(kStartMixCue, 0.7f, 0.0f), 0.0f);
  EXPECT_FLOAT_EQ(autoMixStartPosition(kStartMixBeginning, 0.02f, 0.3f), 0.0f);
}

}  // namespace
}  // namespace zarnel
