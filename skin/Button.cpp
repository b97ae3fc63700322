#include "skin/Button.h"

#include "skin/Slider.h"

namespace zarnel {

bool Button::hitTest(int32_t x, int32_t y) { return visible() && inHitArea(x, y); }

void Button::setSelected(bool on) {
  if (selected_ == on) return;
  selected_ = on;
  draw();
}

void Button::setPressed(bool on) {
  pressed_ = on;
  draw();
}

std::optional<SkinPoint> Button::currentImage() const {
  if (pressed_ && selected_ && images_[kDownSelected]) return images_[kDownSelected];
  if (pressed_ && images_[kDown]) return images_[kDown];
  if (selected_ && hovered_ && images_[kOverSelected]) return images_[kOverSelected];
  if (selected_ && images_[kSelected]) return images_[kSelected];
  if (hovered_ && images_[kOver]) return images_[kOver];
  return images_[kUp];
}

void Button::draw() {
  std::optional<SkinPoint> image = visible() ? currentImage() : std::nullopt;
  if (image) {
    drawImage(*image);
  } else {
    drawBackground();
  }
  invalidate();
}

int32_t Button::axisOffset(int32_t x, int32_t y) const {
  if (owner_->vertical()) return y - (rect().y + rect().height / 2);
  return x - (rect().x + rect().width / 2);
}

void Button::mouseDown(int32_t x, int32_t y, int32_t keys) {
  if (owner_) {
    knobOffset_ = axisOffset(x, y);
    bool vertical = owner_->vertical();
    owner_->mouseDown(x - (vertical ? 0 : knobOffset_), y - (vertical ? knobOffset_ : 0), keys);
    return;
  }
  if (actions()) actions()->buttonPress(action_, desk(), keys);
  pressAgainOnRelease_ = (keys & keys::kRightButton) && rightBend_;
  setPressed(true);
}

void Button::mouseMove(int32_t x, int32_t y, int32_t keys) {
  if (!owner_) return;
  bool vertical = owner_->vertical();
  owner_->mouseMove(x - (vertical ? 0 : knobOffset_), y - (vertical ? knobOffset_ : 0), keys);
}

void Button::mouseUp(int32_t x, int32_t y, int32_t keys) {
  if (owner_) {
    owner_->mouseUp(x, y, keys);
    return;
  }
  if (actions()) {
    if (pressAgainOnRelease_) {
      actions()->buttonPress(action_, desk(), keys);
    } else {
      actions()->buttonRelease(action_, desk(), keys);
    }
  }
  pressAgainOnRelease_ = false;
  setPressed(false);
}

void Button::hover(int32_t, int32_t, int32_t change) {
  if (change == 0 || (!images_[kOver] && !images_[kOverSelected])) return;
  hovered_ = change > 0;
  draw();
}

}  // namespace zarnel
