#pragma once
// The ring of resampled audio of one desk, read by the mixing pass.

#include <cstdint>

namespace zarnel {

constexpr int32_t kOutputRingFrames = 88200;  // 2 s
constexpr int32_t kOutputRingTail = 6176;     // room for one pass past the end
constexpr int32_t kOutputRingFree = 47188;    // a pass runs only with more free than this

// Audio thread only: the resampler writes it, the mixing pass reads it, the
// cursor update moves the heard index.
struct DeskOutputRing {
  int16_t frames[(kOutputRingFrames + kOutputRingTail) * 2] = {};
  int32_t writeIndex = 0;       // where the resampler writes next
  int32_t heardIndex = 0;       // ring frame at the sound card's write cursor
  int32_t refillCountdown = kOutputRingFrames;  // frames until the ring was fully rewritten

  // Return: the ring index i wrapped into 0..88199 (i may be one ring out).
  static int32_t wrap(int32_t i) {
    if (i >= kOutputRingFrames) return i - kOutputRingFrames;
    if (i < 0) return i + kOutputRingFrames;
    return i;
  }
};

}  // namespace zarnel
