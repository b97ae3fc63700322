#pragma once
// The block format every source delivers and the audio path carries.

#include <cstdint>

namespace zarnel {

constexpr int32_t kSampleRate = 44100;
constexpr int32_t kChannels = 2;
constexpr int32_t kBytesPerFrame = 4;
constexpr int32_t kBlockFrames = 1152;
constexpr int32_t kBlockBytes = kBlockFrames * kBytesPerFrame;  // 4608
constexpr int32_t kBytesPerSecond = kSampleRate * kBytesPerFrame;  // 176400

}  // namespace zarnel
