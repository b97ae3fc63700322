#pragma once
// Where the cursor update hands the frames just played to the recorder. No
// recorder exists yet, so nothing is taken.

#include <cstdint>

namespace zarnel {

// Audio thread only.
class RecorderTap {
 public:
  // The frames of the first output's mix ring from one play cursor to the next.
  void playedRt(const int16_t* /*ring*/, int32_t /*from*/, int32_t /*to*/) {}
};

}  // namespace zarnel
