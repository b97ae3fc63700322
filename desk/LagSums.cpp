#include "desk/LagSums.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "desk/BeatEnvelope.h"

namespace zarnel {

namespace {

// sums[i] += v × now[i] − old × then[i] over one stretch where neither source
// wraps, so the loop runs over contiguous memory.
#if defined(__GNUC__)
[[gnu::always_inline]]
#endif
inline void accumulateBody(int32_t* sums, int32_t count, int32_t v, const int16_t* now, int32_t old,
                           const int16_t* then) {
  for (int32_t i = 0; i < count; ++i) sums[i] += v * int32_t(now[i]) - old * int32_t(then[i]);
}

using AccumulateFn = void (*)(int32_t*, int32_t, int32_t, const int16_t*, int32_t, const int16_t*);

void accumulatePlain(int32_t* sums, int32_t count, int32_t v, const int16_t* now, int32_t old,
                     const int16_t* then) {
  accumulateBody(sums, count, v, now, old, then);
}

// The same loop in eight 32-bit lanes where the processor has them; the
// integer sums are identical either way.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
[[gnu::target("avx2")]] void accumulateAvx2(int32_t* sums, int32_t count, int32_t v, const int16_t* now,
                                            int32_t old, const int16_t* then) {
  accumulateBody(sums, count, v, now, old, then);
}

AccumulateFn chooseAccumulate() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? accumulateAvx2 : accumulatePlain;
}
#else
AccumulateFn chooseAccumulate() { return accumulatePlain; }
#endif

const AccumulateFn accumulate = chooseAccumulate();

}  // namespace

void LagSums::clear() { std::memset(sums_, 0, sizeof sums_); }

// Each sum stays the exact sum of env[m] × env[m − L] over the window, so
// with |env| ≤ 576 it never leaves int32 (4344 × 576² < 2^31).
void LagSums::update(int32_t v, const int16_t* env, int32_t n) {
  const int32_t old = env[wrapSlot(n - kWindow)];
  int32_t i = 0;
  while (i < kCount) {
    const int32_t now = wrapSlot(n - kLongestLag + i);
    const int32_t then = wrapSlot(n - kLongestLag - kWindow + i);
    const int32_t run = std::min({kCount - i, kEnvelopeSlots - now, kEnvelopeSlots - then});
    accumulate(sums_ + i, run, v, env + now, old, env + then);
    i += run;
  }
}

LagSums::Peak LagSums::peak() const {
  Peak best;
  for (int32_t i = 0; i < kCount; ++i) {
    if (sums_[i] > best.value) {
      best.value = sums_[i];
      best.lag = kLongestLag - i;
    }
  }
  return best;
}

int32_t LagSums::atLag(int32_t lag) const {
  if (lag < kShortestLag || lag > kLongestLag) return 0;
  return sums_[kLongestLag - lag];
}

int64_t LagSums::largestNear(int32_t lag) const {
  int64_t largest = 0;
  for (int32_t l = lag - 2; l <= lag + 2; ++l) largest = std::max(largest, std::abs(int64_t(atLag(l))));
  return largest;
}

// A peak between 900 and 1089 samples may be two beats: it is when the
// correlation at half and at one and a half of its lag outweighs it.
bool LagSums::halfAndThreeHalvesOutweigh(const Peak& peak) const {
  return largestNear(peak.lag / 2) + largestNear((3 * peak.lag) / 2) > int64_t(peak.value);
}

// A peak between 1350 and 1794 samples is two beats, or three when the
// correlation at a third of its lag beats the one at half.
bool LagSums::thirdOutweighsHalf(int32_t lag) const {
  return largestNear(lag / 2) < largestNear(lag / 3);
}

float LagSums::rawTempo(const Peak& peak) const {
  const int32_t l = peak.lag;
  const float lag = float(l);
  if (l >= 1795) return kNoBeat;
  if (l <= 456) return 0.0f;
  if (l <= 899) return kSlotsPerMinute / lag;
  if (l <= 1089) return (halfAndThreeHalvesOutweigh(peak) ? 2.0f : 1.0f) * kSlotsPerMinute / lag;
  if (l <= 1349) return 2.0f * kSlotsPerMinute / lag;
  return (thirdOutweighsHalf(l) ? 3.0f : 2.0f) * kSlotsPerMinute / lag;
}

}  // namespace zarnel
