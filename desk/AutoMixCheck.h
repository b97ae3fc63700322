#pragma once
// AutoMix's decisions on the desk's side: whether a desk's heard position has
// reached the point where the other desk must be mixed in, whether a track
// that just ran out must cut to the other desk, and where AutoMix starts a
// newly loaded track. Pure functions of plain values, so the position update
// can run them on the audio thread: no allocation, no lock, no I/O.

#include <cstdint>

namespace zarnel {

// "LongMix" values: extra ticks held at the centre; kLongMixNone is ": No Mix".
constexpr int32_t kLongMixNone = -1;
// "EndMix" values.
constexpr int32_t kEndMixEnd = 0;
constexpr int32_t kEndMixLastBeat = 1;
constexpr int32_t kEndMixCue1 = 2;
// "StartMix" values.
constexpr int32_t kStartMixBeginning = 0;
constexpr int32_t kStartMixFirstBeat = 1;
constexpr int32_t kStartMixCue = 2;

// Ticks of a transition without its hold at the centre (32 x 200 ms).
constexpr int32_t kAutoMixSteps = 32;
// Below this position only ": Cue 1" looks for the mix point.
constexpr float kMixCheckFrom = 0.8f;

// What the mix check of desk u needs to know, read once by the caller.
struct MixCheckInput {
  float position = -1.0f;     // x, u's heard point, 0..1
  int32_t lengthSeconds = 0;  // u's length in whole seconds
  int32_t pitch = 4096;       // u's speed ratio, Q12
  float lastBeat = 0.0f;      // v2 of u's track
  bool hasFirstCue = false;   // u's cue list has an entry
  float firstCue = 0.0f;      // the position of its first entry
  int32_t longMix = 0;
  int32_t endMix = kEndMixLastBeat;
  bool autoMixOn = false;
  bool mixFired = false;  // u already triggered a transition
  bool playing = false;   // u plays
  bool otherPlaying = false;
};

// Return: the lead v, the part of u's track that a whole transition of
// (longMix + 32) ticks takes at u's speed; 1 for a track without length, 0
// for ": No Mix". Any thread.
float mixLeadRt(int32_t longMix, int32_t pitch, int32_t lengthSeconds);

// Return: the end point w that the transition must reach by (": End" 1.0,
// ": Last Beat" v2, ": Cue 1" the first cue above 0, else 1.0 below 0.8 and
// v2 from there on). Any thread.
float mixEndPointRt(const MixCheckInput& in);

// The mix check of desk u at a position x >= 0.
// Return: true when 1068 must be posted with 1 - u; the caller then sets
// u's mix fired. Audio thread (pure, may run anywhere).
bool mixCheckRt(const MixCheckInput& in);

// The end-of-track check of desk u whose position just became negative:
// the cut of ": No Mix" with ": End". in.position is not used.
// Return: true when 1068 must be posted with 1 - u (and mix fired set).
// Audio thread (pure).
bool endOfTrackCheckRt(const MixCheckInput& in);

// Return: the start position of a track loaded while AutoMix is on, from
// "StartMix", the first beat v1 and the cue v3. Any thread.
float autoMixStartPosition(int32_t startMix, float firstBeat, float cue);

}  // namespace zarnel
