#pragma once
// The bank of 16 beat kernels: chirps whose period starts at 4 envelope
// samples and grows, each normalised by the square root of its length. The
// response of a kernel to the envelope is how strongly a beat starts there.

#include <cstdint>

namespace zarnel {

class BeatKernels {
 public:
  static constexpr int32_t kCount = 16;
  static constexpr int32_t kCapacity = 128;
  // The longest kernel: the analyser looks this far back.
  static constexpr int32_t kLongest = 113;

  // Builds the bank. Any thread (allocates nothing).
  BeatKernels();

  // Return: len[k], the values kernel k uses. Pre: 0 <= k < kCount.
  int32_t length(int32_t k) const { return length_[k]; }
  // Return: kernel[k][j]. Pre: 0 <= k < kCount, 0 <= j < kCapacity.
  int16_t value(int32_t k, int32_t j) const { return kernel_[k][j]; }
  // Return: |Σ window[j] × kernel[k][j]| over j < len[k]. Pre: window holds
  // kLongest samples. Any thread.
  int32_t response(int32_t k, const int16_t* window) const;

 private:
  void build(int32_t k);

  int16_t kernel_[kCount][kCapacity] = {};
  int32_t length_[kCount] = {};
};

}  // namespace zarnel
