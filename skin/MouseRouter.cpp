#include "skin/MouseRouter.h"

namespace zarnel {

namespace {

template <typename List>
Widget* firstHit(const List& list, int32_t x, int32_t y) {
  for (const auto& w : list) {
    if (w->hitTest(x, y)) return w.get();
  }
  return nullptr;
}

}  // namespace

void MouseRouter::setSkin(Skin* skin) {
  skin_ = skin;
  pressed_ = hovered_ = nullptr;
  dragging_ = false;
  haveClick_ = false;
  wheelSum_ = 0;
}

Widget* MouseRouter::widgetAt(int32_t x, int32_t y) const {
  if (!skin_) return nullptr;
  if (skin_->browser && skin_->browser->hitTest(x, y)) return skin_->browser->elementAt(x, y);
  if (skin_->rhythm && skin_->rhythm->hitTest(x, y)) return skin_->rhythm.get();
  if (Widget* w = firstHit(skin_->buttons, x, y)) return w;
  if (Widget* w = firstHit(skin_->scratchZones, x, y)) return w;
  if (Widget* w = firstHit(skin_->sliders, x, y)) return w;
  return firstHit(skin_->textZones, x, y);
}

void MouseRouter::changeHover(Widget* w, int32_t x, int32_t y) {
  if (w == hovered_) {
    if (w) w->hover(x, y, 0);
    return;
  }
  if (hovered_) hovered_->hover(x, y, -1);
  hovered_ = w;
  if (w) w->hover(x, y, 1);
}

void MouseRouter::buttonDown(int32_t x, int32_t y, int32_t keys, bool right, int64_t timeMs) {
  if (right) keys |= keys::kRightButton;
  // A third click is a new single click: a double click forgets its first.
  bool twice = haveClick_ && timeMs - clickTime_ < kDoubleClickMs && timeMs >= clickTime_ && x == clickX_ &&
               y == clickY_ && keys == clickKeys_;
  haveClick_ = !twice;
  clickTime_ = timeMs;
  clickX_ = x;
  clickY_ = y;
  clickKeys_ = keys;
  if (twice) keys |= keys::kDoubleClick;
  host_.releaseKeyboardUnlessAt(x, y);
  host_.hideTooltip();
  if (pressed_) pressed_->mouseUp(x, y, keys);
  pressed_ = nullptr;
  Widget* w = widgetAt(x, y);
  changeHover(w, x, y);
  pressed_ = w;
  if (w) {
    w->mouseDown(x, y, keys);
  } else if (!host_.fullScreen()) {
    dragging_ = true;
    grabX_ = x;
    grabY_ = y;
  }
  host_.captureMouse();
}

void MouseRouter::buttonUp(int32_t x, int32_t y, int32_t keys, bool right) {
  keys |= right ? (keys::kRight | keys::kRightButton) : keys::kLeft;
  host_.releaseMouse();
  host_.hideTooltip();
  Widget* w = pressed_;
  pressed_ = nullptr;
  if (w) w->mouseUp(x, y, keys);
  dragging_ = false;
}

void MouseRouter::mouseMove(int32_t x, int32_t y, int32_t keys) {
  if (pressed_) {
    pressed_->mouseMove(x, y, keys);
    return;
  }
  if (dragging_) {
    if (host_.fullScreen()) {
      dragging_ = false;
    } else {
      // The window follows so that the grabbed point stays under the pointer.
      host_.moveWindowBy(x - grabX_, y - grabY_);
    }
    return;
  }
  Widget* w = widgetAt(x, y);
  changeHover(w, x, y);
  if ((keys & (keys::kLeft | keys::kRight)) == 0 && host_.tooltipsOn()) {
    host_.showTooltip(x, y, w ? w->tooltip() : std::string());
  }
}

void MouseRouter::wheel(int32_t x, int32_t y, int32_t keys, int32_t delta) {
  int64_t sum = int64_t(wheelSum_) + 3 * int64_t(delta);
  if (sum <= -kWheelNotch || sum >= kWheelNotch) {
    Widget* w = pressed_ ? pressed_ : widgetAt(x, y);
    if (w) w->wheel(x, y, keys, int32_t(sum / kWheelNotch));
    sum %= kWheelNotch;
  }
  wheelSum_ = int32_t(sum);
}

}  // namespace zarnel
