#pragma once
// A stereo test signal whose every frame names itself, different per channel
// so that crosstalk and misalignment show, and a block with a guard zone.

#include <cstdint>
#include <vector>

#include "desk/AudioFormat.h"

namespace zarnel::test {

inline int16_t signalLeft(int32_t frame) { return int16_t(frame); }
inline int16_t signalRight(int32_t frame) { return int16_t(~frame); }

// Little-endian 16-bit stereo bytes of frames first .. first + count - 1.
inline std::vector<uint8_t> signalBytes(int32_t first, int32_t count) {
  std::vector<uint8_t> out;
  for (int32_t f = first; f < first + count; ++f) {
    for (int16_t s : {signalLeft(f), signalRight(f)}) {
      out.push_back(uint8_t(uint16_t(s)));
      out.push_back(uint8_t(uint16_t(s) >> 8));
    }
  }
  return out;
}

// One block followed by guard samples that no read may touch.
class GuardedBlock {
 public:
  static constexpr int16_t kGuard = 0x5A5A;
  static constexpr int32_t kGuardSamples = 512;

  GuardedBlock() : samples_(kBlockFrames * kChannels + kGuardSamples, kGuard) {}
  int16_t* data() { return samples_.data(); }
  int16_t left(int32_t frame) const { return samples_[size_t(2 * frame)]; }
  int16_t right(int32_t frame) const { return samples_[size_t(2 * frame + 1)]; }
  bool guardIntact() const {
    for (size_t i = kBlockFrames * kChannels; i < samples_.size(); ++i) {
      if (samples_[i] != kGuard) return false;
    }
    return true;
  }

 private:
  std::vector<int16_t> samples_;
};

// Return: the first frame where block differs from the signal frames that
// sourceFrame(i) names, or -1 when all 1152 match.
template <typename SourceFrame>
int32_t firstMismatch(const GuardedBlock& block, SourceFrame sourceFrame) {
  for (int32_t i = 0; i < kBlockFrames; ++i) {
    const int32_t f = sourceFrame(i);
    if (block.left(i) != signalLeft(f) || block.right(i) != signalRight(f)) return i;
  }
  return -1;
}

}  // namespace zarnel::test
