#include "skin/PanelSlider.h"

#include <algorithm>
#include <cstdlib>

#include "skin/PanelPainter.h"

namespace zarnel {
namespace {

constexpr SkinPoint kTrack{750, 0}, kKnob{779, 0};
constexpr int32_t kGrabReach = 7;

// The pointer's y at which the value formula gives value (g = 0).
int32_t referenceOf(int32_t top, int32_t value) { return top + 83 - value * 73 / kPanelSliderMax; }

}  // namespace

int32_t panelKnobTop(int32_t top, int32_t value) { return top + 74 - value * 73 / kPanelSliderMax; }

int32_t panelSliderValueAt(int32_t top, int32_t g, int32_t y) {
  const int64_t v = (int64_t(top) - g - y + 83) * kPanelSliderMax / 73;
  return int32_t(std::clamp<int64_t>(v, 0, kPanelSliderMax));
}

PanelSlider::PanelSlider(int32_t parameter, Changed changed, const BrowserLook& look)
    : parameter_(parameter), changed_(std::move(changed)), look_(look) {}

void PanelSlider::setValue(int32_t value, bool redraw) {
  value = std::clamp(value, 0, kPanelSliderMax);
  if (value == value_) return;
  value_ = value;
  if (redraw) draw();
}

void PanelSlider::draw() {
  if (!visible() || !panel()) return;
  const SkinRect& r = rect();
  const SkinRect track{r.x, r.y, kPanelSliderWidth, kPanelSliderHeight};
  panel()->fillRect(track, pixelOfColour(look_.face));
  panel()->copy(track, kTrack);
  panel()->copy(
      {r.x + (kPanelSliderWidth - kPanelKnobWidth) / 2, panelKnobTop(r.y, value_), kPanelKnobWidth, kPanelKnobHeight},
      kKnob);
  invalidate();
}

void PanelSlider::mouseDown(int32_t, int32_t y, int32_t) {
  const int32_t reference = referenceOf(rect().y, value_);
  const bool onKnob = std::abs(y - reference) <= kGrabReach;
  grab_ = onKnob ? reference - y : 0;
  dragging_ = true;
  if (!onKnob) follow(y);
}

void PanelSlider::mouseMove(int32_t, int32_t y, int32_t) {
  if (dragging_) follow(y);
}

void PanelSlider::mouseUp(int32_t, int32_t, int32_t) { dragging_ = false; }

void PanelSlider::follow(int32_t y) {
  const int32_t value = panelSliderValueAt(rect().y, grab_, y);
  if (value == value_) return;
  value_ = value;
  draw();
  if (changed_) changed_(value_, parameter_);
}

}  // namespace zarnel
