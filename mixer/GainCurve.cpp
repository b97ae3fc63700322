#include "mixer/GainCurve.h"

#include <algorithm>
#include <cmath>

namespace zarnel {

CrossfaderLevels crossfaderCurve(int32_t x, int32_t mode) {
  CrossfaderLevels out;
  switch (mode) {
    case 0:
      out.desk2 = x * 3 / 2;
      out.desk1 = (12288 - 3 * x) / 2;
      break;
    case 1:
      out.desk2 = 2 * x;
      out.desk1 = 2 * (kFullScale - x);
      break;
    case 2:
      out.desk2 = x >= kUnity ? kFullScale : 0;
      out.desk1 = x <= kUnity ? kFullScale : 0;
      break;
    default:
      out.modeValid = false;
      return out;
  }
  out.desk1 = std::min(out.desk1, kFullScale);
  out.desk2 = std::min(out.desk2, kFullScale);
  return out;
}

int32_t bandValue(int32_t desk, int32_t slider, bool killed, int32_t fader) {
  int32_t value = killed ? 0 : slider;
  if (desk == 1 && fader < kUnity) value = value * fader / kUnity;
  if (desk == 0 && fader > kUnity) value = value * (kFullScale - fader) / kUnity;
  return value;
}

int32_t gainCurve(int32_t v, int32_t g) {
  if (v == 0 || g == 0) return 0;
  if (v == kUnity && g == kUnity) return kUnity;
  int32_t k1 = v <= kUnity ? 20 * (v - kUnity) : 10 * (v - kUnity);
  int32_t k2 = 30 * (g - kUnity);
  double gain = std::pow(10.0, k1 / 40960.0) * std::pow(10.0, k2 / 40960.0) * 2048.0;
  return int32_t(std::trunc(gain));
}

}  // namespace zarnel
