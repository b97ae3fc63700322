#include "platform/posix/PcmClock.h"

namespace zarnel {

void PcmClock::restart(int64_t time, int32_t rate) {
  anchor_ = time;
  frames_ = 0;
  rate_ = rate > 0 ? rate : 1;
  takeNextStamp_ = true;
}

void PcmClock::stamp(int64_t time, int64_t precision) {
  const int64_t off = time - now();
  if (takeNextStamp_ || off > precision || off < -precision) {
    anchor_ = time;
    frames_ = 0;
  }
  takeNextStamp_ = false;
}

int64_t PcmClock::timeAfter(int64_t frames) const {
  // Rounded down: a frame's time is never later than the frame itself.
  return anchor_ + (frames_ + frames) * kUnitsPerSecond / rate_;
}

int64_t PcmClock::framesUntil(int64_t target) const {
  if (target <= now()) return 0;
  int64_t k = (target - anchor_) * rate_ / kUnitsPerSecond - frames_;
  // The estimate can be one off either way through the rounding of timeAfter.
  while (k > 0 && timeAfter(k) > target) --k;
  while (timeAfter(k + 1) <= target) ++k;
  return k;
}

}  // namespace zarnel
