#pragma once
// Where the engine hands what the sound card played: the recorder.

#include <cstdint>

namespace zarnel {

// How an output mode turns its outputs into the stereo recording.
enum class RecordConversion {
  copyFirst,          // the first stereo output as it is
  leftToBoth,         // the first output's left channel on both sides
  leftDoubledToBoth,  // the first output's left channel, doubled, on both sides
  sumOutputs,         // the two stereo outputs added
};

class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // Takes count interleaved stereo frames just played (count may be 0: the
  // sink still sees every cursor update). Audio thread: never allocates,
  // locks or waits.
  virtual void appendRt(const int16_t* frames, int32_t count) = 0;
  // A desk started to play. Any thread.
  virtual void deskStarted() = 0;
};

}  // namespace zarnel
