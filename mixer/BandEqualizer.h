#pragma once
// The three-band equaliser of one desk channel: a third-order low-pass, a
// fourth-order band-pass and a third-order high-pass in single precision, whose
// outputs are weighted by the strip gains.

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

// The strip without filters ("Equalizer" off): x0 × (stripLow / 2048) / 4096.
// The product is taken in 64 bits: with the gain knob high it exceeds 32.
inline int32_t bypassStrip(int32_t x0, int32_t stripLow) {
  return int32_t(int64_t(x0) * (stripLow / 2048) / 4096);
}

}  // namespace zarnel
