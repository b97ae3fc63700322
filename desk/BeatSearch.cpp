#include "desk/BeatSearch.h"

#include <algorithm>

namespace zarnel {

namespace {
constexpr int32_t kCurveStep = 1024;  // pitch units per envelope sample of a curve point

// Return: value weighed down by its distance i: value × 1000 / (i + 1000).
int64_t weighed(int32_t value, int32_t i) { return int64_t(value) * 1000 / (i + 1000); }
}  // namespace

int32_t BeatSearch::period(float bpm) {
  if (!(bpm >= 1.0f && bpm <= 999.0f)) bpm = 80.0f;
  return int32_t(kSlotsPerMinute / bpm);
}

int32_t BeatSearch::ahead(const HeardPoint& point) {
  int32_t slots = point.write / kEnvelopeFrames - point.play / kEnvelopeFrames;
  if (slots < 0) slots += kEnvelopeSlots;
  return slots;
}

int32_t BeatSearch::highest(int32_t slot, int32_t count) const {
  int32_t best = strength(slot);
  for (int32_t i = 1; i < count; ++i) best = std::max(best, strength(slot + i));
  return best;
}

void BeatSearch::strengthCurve(const HeardPoint& point, int32_t peak, int32_t* values, int32_t count,
                               int32_t height) const {
  const int32_t c = peak > 0 ? peak : 1;
  const int32_t d = point.pitch != 0 ? point.pitch : 4096;
  int32_t slot = point.play / kEnvelopeFrames;
  int32_t e = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t n = d + e;
    if (n < kCurveStep) {
      values[i] = 0;
      e = n;
      continue;
    }
    const int32_t taken = n / kCurveStep;
    const int64_t f = highest(slot, taken);
    slot = wrapSlot(slot + taken);
    e = n % kCurveStep;
    values[i] = int32_t(std::clamp<int64_t>(int64_t(height) * f / c, 0, height - 1));
  }
}

int32_t BeatSearch::nextBeatOffset(const HeardPoint& point, float bpm) const {
  const int32_t span = std::min(ahead(point), period(bpm));
  const int32_t slot = point.play / kEnvelopeFrames;
  int32_t best = 0;
  int32_t result = 0;
  for (int32_t i = 0; i < span; ++i) {
    const int32_t value = strength(slot + i);
    if (value > best) {
      best = value;
      result = i;
    }
  }
  return result;
}

int32_t BeatSearch::nearestBeatOffset(const HeardPoint& point, float bpm, int32_t o) const {
  const int32_t forward = ahead(point) - o;
  if (forward <= 0) return 0;
  const int32_t back = o - ahead(point) - point.unfilled / kEnvelopeFrames + kEnvelopeSlots;
  if (back < 0) return 0;
  const int32_t start = wrapSlot(point.play / kEnvelopeFrames + o);
  const int32_t beat = period(bpm);
  int64_t best = 0;
  int32_t result = 0;
  for (int32_t i = 0; i < beat; ++i) {
    if (i < forward) {
      const int64_t value = weighed(strength(start + i), i);
      if (value > best) {
        best = value;
        result = i;
      }
    }
    if (i < back) {
      const int64_t value = weighed(strength(start - i), i);
      if (value > best) {
        best = value;
        result = -i;
      }
    }
  }
  return result;
}

}  // namespace zarnel
