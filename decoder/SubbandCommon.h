#pragma once
// What Layers I and II share: the scale factor values and the requantiser.

#include <array>
#include <cstdint>

#include "decoder/ConstMath.h"

namespace zarnel {

// Scale factor index 63 is not defined: such a frame is refused.
constexpr int32_t kBadScaleIndex = 63;

// 2^(1 - i / 3) for index i (ISO/IEC 11172-3 table B.1).
constexpr std::array<float, 63> makeLayerScales() {
  std::array<float, 63> t{};
  constexpr double kThirds[3] = {1.0, 0.79370052598409973738, 0.62996052494743658238};
  for (int32_t i = 0; i < 63; ++i) {
    double v = 2.0 * kThirds[i % 3];
    for (int32_t k = 0; k < i / 3; ++k) v *= 0.5;
    t[i] = float(v);
  }
  return t;
}
inline constexpr auto kLayerScales = makeLayerScales();

// Return: the requantised value of code c among n levels, (2c - n + 1) / n,
// which is C·(s''' + D) of the standard written without its rounded constants.
inline float requantizeLevel(uint32_t c, uint32_t n) {
  return float(int32_t(2 * c) - int32_t(n - 1)) / float(n);
}

}  // namespace zarnel
