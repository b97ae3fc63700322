#include "skin/BeatLamp.h"

#include <algorithm>

#include "skin/DrawSurface.h"

namespace zarnel {

namespace {
constexpr int32_t kLitLevel = 2048;
}  // namespace

int32_t BeatLamp::level() const {
  if (!desks()) return 0;
  if (desk() >= 0) return desks()->beatMeter(desk());
  return std::max(desks()->beatMeter(0), desks()->beatMeter(1));
}

void BeatLamp::draw() {
  DrawSurface* s = surface();
  if (!s) return;
  if (!visible()) {
    drawBackground();
  } else if (transparent_) {
    int32_t weight = std::min(level() / 16, 255);
    const std::optional<SkinPoint>& mask = clipMask();
    s->blend(rect(), down_, up_, weight, mask ? &*mask : nullptr);
  } else {
    drawImage(level() >= kLitLevel ? down_ : up_);
  }
  showNow();
}

}  // namespace zarnel
