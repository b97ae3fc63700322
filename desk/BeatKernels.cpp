#include "desk/BeatKernels.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace zarnel {

BeatKernels::BeatKernels() {
  for (int32_t k = 0; k < kCount; ++k) build(k);
}

// x is kept as float32, as the bank was always built: the lengths truncate
// 8 / x, so the rounding of x decides them.
void BeatKernels::build(int32_t k) {
  const float x = float(std::exp(double(k) / 8.0 - 2.65));
  const int32_t len = int32_t(8.0f / x);
  length_[k] = len;
  const double norm = std::sqrt(double(len));
  for (int32_t j = 0; j < len; ++j) {
    const double phase = (2.0 * std::numbers::pi / double(x)) * std::log(1.0 + double(x) * double(j) / 4.0);
    kernel_[k][j] = int16_t(int32_t(4096.0 * std::sin(phase) / norm));
  }
}

int32_t BeatKernels::response(int32_t k, const int16_t* window) const {
  const int16_t* kernel = kernel_[k];
  const int32_t len = length_[k];
  int32_t sum = 0;
  for (int32_t j = 0; j < len; ++j) sum += int32_t(window[j]) * int32_t(kernel[j]);
  return std::abs(sum);
}

}  // namespace zarnel
