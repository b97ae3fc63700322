#include "mixer/BandEqualizer.h"

#include <algorithm>

namespace zarnel {

void BandEqualizer::clear() { *this = BandEqualizer{}; }

int32_t BandEqualizer::processRt(int32_t x0, const StripGains& g) {
  const float f0 = float(x0), f1 = float(x1_), f2 = float(x2_), f3 = float(x3_), f4 = float(x4_);
  const float low = 7.635e-6f * (f0 + f3) + 2.2906e-5f * (f1 + f2) + 2.9413157f * low1_ -
                    2.8856518f * low2_ + 0.94427514f * low3_;
  const float high = 0.25024152f * (f0 - f3) - 0.75072455f * (f1 - f2) + 0.502346f * high1_ -
                     0.48910734f * high2_ + 0.010478824f * high3_;
  const float mid = 0.10732759f * (f0 + f4) - 0.0753342f * (f1 + f3) - 0.063898325f * f2 +
                    2.9514918f * mid1_ - 3.3572516f * mid2_ + 1.8148081f * mid3_ -
                    0.41184664f * mid4_;
  x4_ = x3_;
  x3_ = x2_;
  x2_ = x1_;
  x1_ = x0;
  low3_ = low2_;
  low2_ = low1_;
  low1_ = low;
  high3_ = high2_;
  high2_ = high1_;
  high1_ = high;
  mid4_ = mid3_;
  mid3_ = mid2_;
  mid2_ = mid1_;
  mid1_ = mid;
  float sum = (low * float(g.low) + mid * float(g.mid) + high * float(g.high)) * (1.0f / 8388608.0f);
  // Keep the conversion defined even if a filter ever ran away.
  sum = std::clamp(sum, -1.0e9f, 1.0e9f);
  return int32_t(sum);
}

}  // namespace zarnel
