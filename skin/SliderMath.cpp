#include "skin/SliderMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnel {

namespace {

int32_t into360(int64_t degrees) { return int32_t(((degrees % 360) + 360) % 360); }

}  // namespace

int32_t clampSliderValue(int64_t v) { return int32_t(std::clamp<int64_t>(v, 0, kSliderMax)); }

int32_t linearValue(int32_t pointer, int32_t start, int32_t travel, bool vertical, bool reversed) {
  int64_t along = vertical ? int64_t(travel) + start - pointer - 1 : int64_t(pointer) - start;
  int64_t v = along * kSliderMax / (travel - 1);
  return clampSliderValue(reversed ? kSliderMax - v : v);
}

int32_t linearPosition(int32_t v, int32_t start, int32_t travel, bool vertical) {
  int64_t step = int64_t(v) * (travel - 1) / kSliderMax;
  return int32_t(vertical ? int64_t(start) + travel - step - 1 : start + step);
}

int32_t pointerAngle(int32_t dx, int32_t dy) {
  double degrees = std::atan2(double(dx), double(-dy)) * 180.0 / std::numbers::pi;
  return into360(int64_t(degrees));
}

int32_t circleValue(int32_t angle, int32_t angleMin, int32_t angleMax, bool ccw) {
  int32_t range = into360(int64_t(angleMax) - angleMin);
  int32_t at = into360(int64_t(angle) - angleMin);
  if (ccw) {
    range = into360(360 - range);
    at = into360(360 - at);
  }
  if (range == 0) range = 360;  // the defaults 0 and 360: the whole turn
  if (at > range) return at > range / 2 + 180 ? 0 : kSliderMax;
  return clampSliderValue(int64_t(at) * kSliderMax / range);
}

double intoHalfTurns(double a) {
  if (!std::isfinite(a)) return 0.0;
  return std::remainder(a, 2 * std::numbers::pi);
}

int32_t roundValue(int32_t dx, int32_t dy, RoundMove move, int32_t sensibility, int32_t startValue) {
  int64_t d = 0;
  switch (move) {
    case RoundMove::kFull: d = int64_t(dx) + dy; break;
    case RoundMove::kHorz: d = dx; break;
    case RoundMove::kVert: d = dy; break;
    case RoundMove::kV: {
      int64_t cut = std::abs(int64_t(dy)) / 2;
      d = dx > 0 ? std::max<int64_t>(dx - cut, 0) : std::min<int64_t>(int64_t(dx) + cut, 0);
      break;
    }
  }
  return clampSliderValue(d * kSliderMax / sensibility + startValue);
}

int32_t roundFrame(int32_t v, int32_t count) { return int32_t(int64_t(count - 1) * v / kSliderMax); }

}  // namespace zarnel
