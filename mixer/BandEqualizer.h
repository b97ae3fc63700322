#pragma once
// The three-band equaliser of one desk channel: a third-order low-pass, a
// fourth-order band-pass and a third-order high-pass in single precision, whose
// outputs are weighted by the strip gains.

#include <algorithm>
#include <cstdint>

namespace zarnel {

struct StripGains {
  int32_t low = 0;   // Q23: levelGain (Q12) × band gain (Q11)
  int32_t mid = 0;
  int32_t high = 0;
};

class BandEqualizer {
 public:
  // Clears the input and output histories. Audio thread.
  void clear();
  // Filters one input sample. Return: trunc((low·g.low + mid·g.mid + high·g.high)·2^-23),
  // which may exceed 16 bits. Audio thread.
  int32_t processRt(int32_t x0, const StripGains& g);

 private:
  int32_t x1_ = 0, x2_ = 0, x3_ = 0, x4_ = 0;
  float low1_ = 0, low2_ = 0, low3_ = 0;
  float high1_ = 0, high2_ = 0, high3_ = 0;
  float mid1_ = 0, mid2_ = 0, mid3_ = 0, mid4_ = 0;
};

// Inline: it runs four times per mixed frame.
inline int32_t BandEqualizer::processRt(int32_t x0, const StripGains& g) {
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


// The strip without filters ("Equalizer" off): x0 × (stripLow / 2048) / 4096.
// The product is taken in 64 bits: with the gain knob high it exceeds 32.
inline int32_t bypassStrip(int32_t x0, int32_t stripLow) {
  return int32_t(int64_t(x0) * (stripLow / 2048) / 4096);
}

}  // namespace zarnel
