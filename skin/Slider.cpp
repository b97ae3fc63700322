#include "skin/Slider.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "skin/ActionNames.h"
#include "skin/Button.h"
#include "skin/DrawSurface.h"

namespace zarnel {

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

void Slider::setKnob(Button* knob) {
  knob_ = knob;
  if (knob_) knob_->setTooltip(tooltip());
}

int32_t Slider::travelStart() const {
  const SkinRect& base = hitArea().kind == HitArea::Kind::kRect ? hitArea().rect : rect();
  int32_t knobLength = knob_ ? (vertical() ? knob_->rect().height : knob_->rect().width) : 0;
  return (vertical() ? base.y : base.x) + knobLength / 2;
}

int32_t Slider::travelLength() const {
  const SkinRect& base = hitArea().kind == HitArea::Kind::kRect ? hitArea().rect : rect();
  int32_t knobLength = knob_ ? (vertical() ? knob_->rect().height : knob_->rect().width) : 0;
  return (vertical() ? base.height : base.width) - knobLength;
}

void Slider::setValue(int32_t v) {
  value_ = clampSliderValue(v);
  draw();
}

bool Slider::hitTest(int32_t x, int32_t y) { return visible() && inHitArea(x, y); }

void Slider::setVisible(bool on) {
  Widget::setVisible(on);
  if (knob_) knob_->setVisible(on);
}

void Slider::setTooltip(const std::string& text) {
  Widget::setTooltip(text);
  if (knob_) knob_->setTooltip(text);
}

void Slider::draw() {
  if (!visible()) {
    drawBackground();
    if (knob_) knob_->draw();
  } else if (orientation_ == SliderOrientation::kCircle) {
    drawCircle();
  } else if (orientation_ == SliderOrientation::kRound) {
    drawRound();
  } else {
    drawStraight();
  }
  if (kind_ == kSliderSongPos) {
    showNow();
  } else {
    invalidate();
  }
}

void Slider::drawStraight() {
  int32_t p = linearPosition(shownValue(), travelStart(), travelLength(), vertical());
  const SkinRect& r = rect();
  // Offset of p inside the widget, and the parts before and from it.
  int32_t cut = std::clamp(vertical() ? p - r.y : p - r.x, 0, vertical() ? r.height : r.width);
  SkinRect before = vertical() ? SkinRect{0, 0, r.width, cut} : SkinRect{0, 0, cut, r.height};
  SkinRect after = vertical() ? SkinRect{0, cut, r.width, r.height - cut} : SkinRect{cut, 0, r.width - cut, r.height};
  // Horizontal: "selected" left of p; vertical: "up" above p.
  const std::optional<SkinPoint>& first = vertical() ? up_ : selected_;
  const std::optional<SkinPoint>& second = vertical() ? selected_ : up_;
  SkinPoint background{r.x, r.y};
  drawImagePart(first.value_or(background), before);
  drawImagePart(second.value_or(background), after);
  placeKnob(p);
}

void Slider::placeKnob(int32_t p) {
  if (!knob_) return;
  const SkinRect& r = rect();
  const SkinRect& k = knob_->rect();
  if (vertical()) {
    knob_->setRect(r.x + r.width / 2 - k.width / 2, p - k.height / 2, k.width, k.height);
  } else {
    knob_->setRect(p - k.width / 2, r.y + r.height / 2 - k.height / 2, k.width, k.height);
  }
  knob_->draw();
}

void Slider::drawCircle() {
  DrawSurface* s = surface();
  if (!s || !clipMask()) return;
  double a0 = radians(double(circle_.angleMin) - 180.0), a1 = radians(double(circle_.angleMax) - 180.0);
  double a = a0 + (a1 - a0) * value_ / kSliderMax;
  double start = a0, end = a;
  if (circle_.sectorSize > 0) {
    start = a - radians(circle_.sectorSize) / 2;
    end = a + radians(circle_.sectorSize) / 2;
  } else if (reversed_) {
    start = a;
    end = a0;
  }
  SkinPoint background{rect().x, rect().y};
  s->copySector(rect(), selected_.value_or(background), up_.value_or(background), *clipMask(), circle_.centreX,
                circle_.centreY, intoHalfTurns(start), intoHalfTurns(end));
}

void Slider::drawRound() {
  const FrameStrip& strip = hovered_ && round_.over ? *round_.over : round_.frames;
  int32_t f = roundFrame(value_, strip.count);
  drawImage({strip.corner.x + (f % strip.perRow) * rect().width, strip.corner.y + (f / strip.perRow) * rect().height});
}

void Slider::request(int32_t v) {
  if (v != value_ && actions()) actions()->sliderSet(kind_, desk(), v);
}

bool Slider::applyMode(SliderMode mode, bool remember) {
  switch (mode) {
    case SliderMode::kBend:
      restore_ = value_;
      return true;
    case SliderMode::kCut:
    case SliderMode::kBoost:
      if (remember) restore_ = value_;
      request(mode == SliderMode::kCut ? 0 : kSliderMax);
      return false;
    case SliderMode::kReset:
      if (actions()) actions()->sliderReset(kind_, desk());
      return false;
    case SliderMode::kAuto:
      if (actions()) actions()->sliderAuto(kind_, desk());
      return false;
    case SliderMode::kNone:
      break;
  }
  return true;
}

void Slider::mouseDown(int32_t x, int32_t y, int32_t keys) {
  restore_.reset();
  if ((keys & keys::kRightButton) && rightMode_ != SliderMode::kNone) {
    if (applyMode(rightMode_, true)) startDrag(x, y);
  } else if ((keys & keys::kDoubleClick) && doubleMode_ != SliderMode::kNone) {
    applyMode(doubleMode_, false);
  } else {
    startDrag(x, y);
  }
}

void Slider::startDrag(int32_t x, int32_t y) {
  dragging_ = true;
  if (knob_) knob_->setPressed(true);
  if (orientation_ == SliderOrientation::kRound) {
    dragValue_ = value_;
    dragStart_ = {x, y};
  }
  mouseMove(x, y, 0);
}

int32_t Slider::valueAt(int32_t x, int32_t y) const {
  switch (orientation_) {
    case SliderOrientation::kHorizontal:
      return linearValue(x, travelStart(), travelLength(), false, reversed_);
    case SliderOrientation::kVertical:
      return linearValue(y, travelStart(), travelLength(), true, reversed_);
    case SliderOrientation::kCircle:
      return circleValue(pointerAngle(x - circle_.centreX, y - circle_.centreY), circle_.angleMin,
                         circle_.angleMax, reversed_);
    case SliderOrientation::kRound:
      break;
  }
  return roundValue(x - dragStart_.x, dragStart_.y - y, round_.move, round_.sensibility, dragValue_);
}

void Slider::mouseMove(int32_t x, int32_t y, int32_t) {
  if (dragging_) request(valueAt(x, y));
}

void Slider::mouseUp(int32_t, int32_t, int32_t) {
  dragging_ = false;
  if (restore_ && *restore_ != value_ && actions()) actions()->sliderSet(kind_, desk(), *restore_);
  restore_.reset();
  if (knob_) knob_->setPressed(false);
}

void Slider::hover(int32_t, int32_t, int32_t change) {
  if (change == 0 || orientation_ != SliderOrientation::kRound || !round_.over) return;
  hovered_ = change > 0;
  draw();
}

}  // namespace zarnel
