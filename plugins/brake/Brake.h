// The brake effect: the desk's sound slows down to a standstill, like a
// turntable whose motor is switched off, then the desk pauses.
//
// From start the effect captures what the desk plays (up to 2 s) and plays
// the capture back instead, at a speed that falls linearly from 1 to 0 over
// N output frames, reading between captured frames by linear interpolation.
// Where the speed reaches 0 the rest is silent and the effect asks the host,
// once, to pause the desk and switch the effect off at that frame.
#pragma once

#include <array>
#include <cstdint>

#include "plugins/ZarnelEffect.h"

namespace zarnel::effects {

class Brake {
 public:
  static constexpr const char* kName = "Brake";
  static constexpr const char* kVendor = "Zarnel Prod";
  static constexpr std::array<const char*, 1> kParameterNames{"Length"};
  static constexpr int32_t kDefaultLength = 2048;   // "Length", 0..4096
  static constexpr int32_t kCaptureFrames = 88200;  // 2 s

  // Return: the brake length N in frames for a "Length" value:
  // value × 176400 / 4096 + 1, 1 to 176401 (the value clamped to 0..4096).
  static int32_t brakeFrames(int32_t lengthParameter);

  // Post: "Length" = 2048, N = 88201. Thread: UI.
  void init(ZarnelEffect& block);
  // Post: nothing captured, read position 0, speed 1, not finished. Thread: UI.
  void start(const ZarnelEffect& block);
  // Captures the block, then overwrites it with the slowed-down capture.
  // Thread: audio.
  void processRt(ZarnelEffect& block, int16_t* frames, int32_t count);
  // Moves back to the state after captured + delta frames (at the N in force),
  // then takes N from "Length". Thread: audio.
  void rewindRt(const ZarnelEffect& block, int32_t delta);

 private:
  void captureRt(const int16_t* frames, int32_t count);
  // Return: the index of the first frame not played (the speed ran out or the
  // capture's end was reached), count when every frame was played.
  int32_t playRt(int16_t* frames, int32_t count);
  void finishRt(const ZarnelEffect& block, int16_t* frames, int32_t from, int32_t count);

  std::array<int16_t, kCaptureFrames * 2> capture_;  // stereo frames received since start
  int32_t captured_;                                 // frames received since start, past the capture too
  float readPosition_;                               // in capture_, frames
  float speed_;                                      // 1.0 at start
  int32_t length_;                                   // N: frames from full speed to standstill
  int32_t finished_;                                 // 1 once the brake has run out
};

}  // namespace zarnel::effects
