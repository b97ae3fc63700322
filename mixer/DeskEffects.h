#pragma once
// The effect slots of one desk as the resampler and the desk reach them. No
// effect host exists yet, so a desk has no effects loaded and these pass the
// audio through untouched.

#include <cstdint>

namespace zarnel {

// Audio thread only.
class DeskEffects {
 public:
  // Return: true when any effect is loaded on the desk.
  bool loadedRt() const { return false; }
  // Each loaded slot processes the block in place.
  void processRt(int16_t* /*frames*/, int32_t /*count*/) {}
  // Drops queued effect events and tells each slot how many resampled frames
  // were thrown away.
  void discardRt(int32_t /*frames*/) {}
  // Fires queued events that the heard index has reached.
  void fireEventsRt(int32_t /*heardIndex*/) {}
};

}  // namespace zarnel
