#pragma once
// A stereo signal whose every frame carries its own index, so that any
// stepping, seeking or looping error shows in the frames that come out.

#include <cstdint>
#include <vector>

namespace zarnel::test {

inline std::vector<int16_t> indexRamp(int32_t frames) {
  std::vector<int16_t> s(size_t(frames) * 2);
  for (int32_t i = 0; i < frames; ++i) {
    s[2 * i] = int16_t(i % 30000);
    s[2 * i + 1] = int16_t(i / 30000);
  }
  return s;
}

inline int32_t frameIndex(const int16_t* frame) { return frame[1] * 30000 + frame[0]; }

}  // namespace zarnel::test
