#pragma once
// A pre-rendered stretch of 4410 frames that replaces the ring's audio while a
// scratch or a brake runs, and the loop state of a desk.

#include <cstdint>

namespace zarnel {

constexpr int32_t kTransitionFrames = 4410;  // 0.1 s

// Audio thread only.
struct DeskTransition {
  bool active = false;
  int32_t target = 0;     // DeskOutputRing frame where the transition ends
  int32_t remaining = 0;  // output frames still to play
  float speedStart = 0.0f;   // A
  float speedMiddle = 0.0f;  // C
  float speedEnd = 0.0f;     // B
  int16_t frames[kTransitionFrames * 2] = {};
};

// Audio thread only. Frames are DecodeRing frames.
struct DeskLoop {
  bool active = false;
  int32_t start = 0;
  int32_t length = 0;
  int32_t pendingLength = 0;  // 0 none, -1: a Refresh is due
};

}  // namespace zarnel
