#pragma once
// Routes the main window's mouse messages to the skin's widgets: finds the
// widget under the pointer, tracks the pressed and hovered widgets, tells
// double clicks, accumulates the wheel and drags the window where no widget
// is hit. The window's own services come through a MouseHost.

#include <cstdint>

#include "skin/Skin.h"
#include "skin/WidgetSeams.h"

namespace zarnel {

class MouseRouter {
 public:
  // Two downs closer than this, at the same point with the same keys, are a
  // double click.
  static constexpr int64_t kDoubleClickMs = 300;
  static constexpr int32_t kWheelNotch = 120;

  // Pre: host outlives the router. UI thread, as every call below.
  explicit MouseRouter(MouseHost& host) : host_(host) {}

  // The skin whose widgets receive the mouse; null detaches. Clears every
  // pressed, hovered and drag state (the old widgets may be gone).
  void setSkin(Skin* skin);

  // A button went down at (x, y): keys is the message's key-state word;
  // right tells the right button from the left; timeMs the message's time.
  void buttonDown(int32_t x, int32_t y, int32_t keys, bool right, int64_t timeMs);
  // A button went up; the released button's own bit is added to keys.
  void buttonUp(int32_t x, int32_t y, int32_t keys, bool right);
  void mouseMove(int32_t x, int32_t y, int32_t keys);
  // delta: the wheel's delta, 120 per notch.
  void wheel(int32_t x, int32_t y, int32_t keys, int32_t delta);

  // Return: the widget under (x, y) in the hit order (browser, rhythm view,
  // buttons, scratch zones, sliders, text zones), or null.
  Widget* widgetAt(int32_t x, int32_t y) const;

  Widget* pressed() const { return pressed_; }
  Widget* hovered() const { return hovered_; }
  bool dragging() const { return dragging_; }

 private:
  void changeHover(Widget* w, int32_t x, int32_t y);

  MouseHost& host_;
  Skin* skin_ = nullptr;
  Widget* pressed_ = nullptr;
  Widget* hovered_ = nullptr;
  bool dragging_ = false;
  int32_t grabX_ = 0, grabY_ = 0;
  bool haveClick_ = false;
  int64_t clickTime_ = 0;
  int32_t clickX_ = 0, clickY_ = 0, clickKeys_ = 0;
  int32_t wheelSum_ = 0;
};

}  // namespace zarnel
