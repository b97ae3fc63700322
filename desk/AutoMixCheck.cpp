#include "desk/AutoMixCheck.h"

namespace zarnel {

namespace {

// One tick of the transition is 200 ms: ticks x pitch / 4096 x 0.2 s of the
// track = ticks x pitch / 20480 seconds.
constexpr float kTickPitchToSeconds = 20480.0f;
// A first beat this late is taken for a misreading: start at the top instead.
constexpr float kLatestFirstBeat = 0.5f;

float firstBeatOrTop(float firstBeat) { return firstBeat < kLatestFirstBeat ? firstBeat : 0.0f; }

}  // namespace

float mixLeadRt(int32_t longMix, int32_t pitch, int32_t lengthSeconds) {
  if (lengthSeconds <= 0) return 1.0f;
  if (longMix < 0) return 0.0f;
  const float ticks = float(longMix + kAutoMixSteps);
  return ticks * float(pitch) / kTickPitchToSeconds / float(lengthSeconds);
}

float mixEndPointRt(const MixCheckInput& in) {
  switch (in.endMix) {
    case kEndMixEnd:
      return 1.0f;
    case kEndMixLastBeat:
      return in.lastBeat;
    default:
      break;
  }
  if (in.hasFirstCue && in.firstCue > 0.0f) return in.firstCue;
  return in.position < kMixCheckFrom ? 1.0f : in.lastBeat;
}

bool mixCheckRt(const MixCheckInput& in) {
  if (!in.autoMixOn || in.mixFired || !in.playing || in.position < 0.0f) return false;
  if (in.position < kMixCheckFrom && in.endMix != kEndMixCue1) return false;
  if (in.otherPlaying) return false;
  const float v = mixLeadRt(in.longMix, in.pitch, in.lengthSeconds);
  const float w = mixEndPointRt(in);
  return w <= in.position + v;
}

bool endOfTrackCheckRt(const MixCheckInput& in) {
  return in.autoMixOn && !in.mixFired && in.playing && in.longMix == kLongMixNone && in.endMix == kEndMixEnd &&
         !in.otherPlaying;
}

float autoMixStartPosition(int32_t startMix, float firstBeat, float cue) {
  switch (startMix) {
    case kStartMixFirstBeat:
      return firstBeatOrTop(firstBeat);
    case kStartMixCue:
      return cue != 0.0f ? cue : firstBeatOrTop(firstBeat);
    default:
      return 0.0f;
  }
}

}  // namespace zarnel
