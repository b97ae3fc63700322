#include "app/DeskState.h"

#include <algorithm>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"

namespace zarnel {

DeskState::DeskState(const Desk* desk0, const Desk* desk1, const MixerState& mixer)
    : desks_{desk0, desk1}, mixer_(mixer) {}

int32_t DeskState::activeDesk() const { return mixer_.previewDesk() == 1 ? 1 : 0; }

int32_t DeskState::pitch(int32_t d) const { return desk(d) ? desk(d)->pitch() : 4096; }

int32_t DeskState::beatMeter(int32_t d) const { return desk(d) ? desk(d)->beatMeter() : 0; }

int32_t DeskState::scratchMode() const { return settings().scratch.load(std::memory_order_relaxed); }

bool DeskState::playing(int32_t d) const { return desk(d) && desk(d)->playing(); }

float DeskState::position(int32_t d) const { return desk(d) ? desk(d)->position() : -1.0f; }

int32_t DeskState::length(int32_t d) const { return desk(d) ? desk(d)->length() : -1; }

void DeskState::strengthCurve(int32_t d, int32_t* values, int32_t count, int32_t height) const {
  if (desk(d)) return desk(d)->strengthCurve(values, count, height);
  std::fill(values, values + count, 0);
}

}  // namespace zarnel
