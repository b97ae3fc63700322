// The quorvell effect: records a loop of a whole number of beats from the
// desk and plays it over the live sound, in time.
//
// From start the effect records what the desk plays (up to 12 s). Once a
// whole loop has been recorded, every block gets the first loop of the
// recording added to it, cyclically, at the overlay volume, so that each
// frame hears the frame a whole number of loops earlier. The volume moves
// toward the "Volume" parameter one step per 16 frames.
#pragma once

#include <array>
#include <cstdint>

#include "plugins/ZarnelEffect.h"

namespace zarnel::effects {

class Quorvell {
 public:
  static constexpr const char* kName = "Quorvell";
  static constexpr const char* kVendor = "Zarnel Prod";
  static constexpr std::array<const char*, 2> kParameterNames{"Loop Length", "Volume"};
  static constexpr int32_t kDefaultLoopLength = 2048;  // "Loop Length": 4 beats
  static constexpr int32_t kDefaultVolume = 2731;      // "Volume", Q12
  static constexpr int32_t kDefaultBeats = 4;
  static constexpr int32_t kRecordingFrames = 529200;  // 12 s
  static constexpr float kTempoWithoutBeat = 120.0f;

  // Return: beats × 2646000 / tempo, truncated, kept within 1..INT32_MAX
  // (which only a tempo outside the desk's range reaches).
  static int32_t loopFrames(int32_t beats, float tempo);
  // Return: loopFrames halved (truncating) while above the recording's 12 s.
  static int32_t fittedLoopFrames(int32_t beats, float tempo);
  // Return: 2 to the power ("Loop Length" / 1024), of 0..4096: 1 to 16.
  static int32_t beatsOf(int32_t loopLengthParameter);

  // Post: "Loop Length" = 2048, beats = 4, "Volume" = target volume = 2731;
  // a loop of 4 beats at 120 BPM, not playing. Thread: UI.
  void init(ZarnelEffect& block);
  // Post: empty recording, loop at the block's tempo, not yet playing.
  // Thread: UI.
  void start(const ZarnelEffect& block);
  // Records the block, then adds the loop to it once a whole loop is recorded.
  // Writes 120 into the block's tempo when it is 0. Thread: audio.
  void processRt(ZarnelEffect& block, int16_t* frames, int32_t count);
  // Steps back delta frames (re-recording from there) and takes the
  // parameters. Thread: audio.
  void rewindRt(const ZarnelEffect& block, int32_t delta);

 private:
  // Return: the frames still missing from the first loop before this block.
  int32_t recordRt(const int16_t* frames, int32_t count);
  void overlayRt(int16_t* frames, int32_t count, bool audible);
  void stepVolumeRt();
  int32_t loopSampleRt(int32_t channel) const;

  int32_t loopPosition_;                                 // next loop frame to play; -1 before the first
  int32_t captured_;                                     // frames recorded since start
  std::array<int16_t, kRecordingFrames * 2> recording_;  // stereo
  float loopTempo_;                                      // the tempo loopLength_ was computed from
  int32_t beats_;                                        // loop length in beats
  int32_t loopLength_;                                   // loop length in frames
  int32_t volume_;                                       // overlay gain, Q12
  int32_t targetVolume_;                                 // overlay gain to move towards, Q12
};

}  // namespace zarnel::effects
