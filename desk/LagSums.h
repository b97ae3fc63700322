#pragma once
// The running autocorrelation of the envelope over its last 4344 samples
// (3.55 s) for every lag from 1800 down to 451 samples, and the raw tempo its
// peak gives.

#include <cstdint>

namespace zarnel {

class LagSums {
 public:
  static constexpr int32_t kCount = 1350;
  static constexpr int32_t kLongestLag = 1800;  // element i is lag 1800 − i
  static constexpr int32_t kShortestLag = kLongestLag - kCount + 1;  // 451
  static constexpr int32_t kWindow = 4344;
  // Raw tempo when the peak lies at the longest lags: no beat found.
  static constexpr float kNoBeat = 999.9f;

  struct Peak {
    int32_t lag = kLongestLag;
    int32_t value = 0;
  };

  // Post: every sum 0. Thread of the analyser.
  void clear();
  // Adds the products of the new sample v, which goes to slot n of env, and
  // drops those of the sample leaving the window. Pre: env is the envelope
  // ring (kEnvelopeSlots samples) without v stored yet. Thread of the analyser.
  void update(int32_t v, const int16_t* env, int32_t n);

  // Return: the largest sum and its lag. The search starts from 0 at index 0
  // and only a strictly greater sum replaces, so the first maximum wins and a
  // window without positive correlation reports the longest lag.
  Peak peak() const;
  // Return: the tempo in beats per minute that the peak stands for, with the
  // octave checks against half, one and a half and a third of its lag;
  // kNoBeat for lags from 1795, 0 for lags to 456.
  float rawTempo(const Peak& peak) const;
  // Return: the sum for lag; 0 outside kShortestLag..kLongestLag.
  int32_t atLag(int32_t lag) const;

 private:
  int64_t largestNear(int32_t lag) const;
  bool halfAndThreeHalvesOutweigh(const Peak& peak) const;
  bool thirdOutweighsHalf(int32_t lag) const;

  int32_t sums_[kCount] = {};
};

}  // namespace zarnel
