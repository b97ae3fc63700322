#pragma once
// The 12-pixel bar between a side pane and the list beside it: dragging it
// sizes the pane, and the release makes that size the pane's open size.

#include <cstdint>
#include <functional>

#include "skin/AreaWidgets.h"
#include "skin/Widget.h"

namespace zarnel {

// UI thread.
class PaneSplitter : public Widget {
 public:
  // moved(x, released): the pointer's window column during a drag, and at
  // its release.
  using Moved = std::function<void(int32_t x, bool released)>;
  PaneSplitter(Moved moved, const BrowserLook& look) : moved_(std::move(moved)), look_(look) {}

  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  bool dragging() const { return dragging_; }

 private:
  Moved moved_;
  BrowserLook look_;
  bool dragging_ = false;
  int32_t grab_ = 0;  // the pointer's distance from the bar's centre at the press
};

}  // namespace zarnel
