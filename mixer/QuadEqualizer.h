#pragma once
// The equalisers of both desks' two channels run side by side: four lanes
// (desk 1 left, desk 1 right, desk 2 left, desk 2 right), each computed with
// exactly the single-precision operations, in the order, of BandEqualizer.

#include <cstdint>

#include "mixer/BandEqualizer.h"

namespace zarnel {

class QuadEqualizer {
 public:
  using Lanes = float __attribute__((vector_size(16)));

  // Clears every history. Audio thread.
  void clear() { *this = QuadEqualizer{}; }

  // Filters one sample per lane and weighs the bands with the lanes' strip
  // gains. Return (in out): per lane trunc((low·gLow + mid·gMid + high·gHigh)·2^-23).
  void processRt(const int32_t in[4], const Lanes& gLow, const Lanes& gMid, const Lanes& gHigh,
                 int32_t out[4]) {
    const Lanes f0 = {float(in[0]), float(in[1]), float(in[2]), float(in[3])};
    const Lanes low = 7.635e-6f * (f0 + x3_) + 2.2906e-5f * (x1_ + x2_) + 2.9413157f * low1_ -
                      2.8856518f * low2_ + 0.94427514f * low3_;
    const Lanes high = 0.25024152f * (f0 - x3_) - 0.75072455f * (x1_ - x2_) + 0.502346f * high1_ -
                       0.48910734f * high2_ + 0.010478824f * high3_;
    const Lanes mid = 0.10732759f * (f0 + x4_) - 0.0753342f * (x1_ + x3_) - 0.063898325f * x2_ +
                      2.9514918f * mid1_ - 3.3572516f * mid2_ + 1.8148081f * mid3_ - 0.41184664f * mid4_;
    x4_ = x3_;
    x3_ = x2_;
    x2_ = x1_;
    x1_ = f0;
    low3_ = low2_, low2_ = low1_, low1_ = low;
    high3_ = high2_, high2_ = high1_, high1_ = high;
    mid4_ = mid3_, mid3_ = mid2_, mid2_ = mid1_, mid1_ = mid;
    const Lanes sum = (low * gLow + mid * gMid + high * gHigh) * (1.0f / 8388608.0f);
    for (int32_t i = 0; i < 4; ++i) out[i] = int32_t(std::clamp(sum[i], -1.0e9f, 1.0e9f));
  }

 private:
  // The inputs are kept as floats: they are whole numbers of 16 bits, exact
  // in single precision, as BandEqualizer's integer history converts them.
  Lanes x1_ = {}, x2_ = {}, x3_ = {}, x4_ = {};
  Lanes low1_ = {}, low2_ = {}, low3_ = {};
  Lanes high1_ = {}, high2_ = {}, high3_ = {};
  Lanes mid1_ = {}, mid2_ = {}, mid3_ = {}, mid4_ = {};
};

}  // namespace zarnel
