#pragma once
// The ring through which the engine hands what the sound card played to the
// recorder: the audio thread writes, the recorder's thread reads.

#include <atomic>
#include <cstdint>

#include "platform/AutoResetEvent.h"

namespace zarnel {

constexpr int32_t kRecordRingFrames = 22050;

struct RecordRing {
  int16_t frames[kRecordRingFrames * 2] = {};
  // Written by the audio thread after the frames (release); the reader
  // acquires it before reading them.
  std::atomic<int32_t> writeIndex{0};
  std::atomic<int32_t> readIndex{0};
  std::atomic<int32_t> recording{0};
  // Set by the recorder when it stops; the engine answers with the event.
  std::atomic<int32_t> stopHandshake{0};
  AutoResetEvent stopped;
};

// How an output mode turns its outputs into the stereo recording.
enum class RecordConversion {
  copyFirst,          // the first stereo output as it is
  leftToBoth,         // the first output's left channel on both sides
  leftDoubledToBoth,  // the first output's left channel, doubled, on both sides
  sumOutputs,         // the two stereo outputs added
};

}  // namespace zarnel
