#pragma once
// The parameter sliders of the sample and effect pages: a 29 by 90 track
// from the panel picture with a 19 by 15 knob, value 0..4096 (4096 at the
// top). Every change made by dragging is reported with the slider's
// parameter number.

#include <cstdint>
#include <functional>

#include "skin/AreaWidgets.h"
#include "skin/Widget.h"

namespace zarnel {

inline constexpr int32_t kPanelSliderWidth = 29, kPanelSliderHeight = 90;
inline constexpr int32_t kPanelKnobWidth = 19, kPanelKnobHeight = 15;
inline constexpr int32_t kPanelSliderMax = 4096;

// Return: the knob's top for value on a slider whose top is top:
// top + 74 - value × 73 / 4096.
int32_t panelKnobTop(int32_t top, int32_t value);
// Return: the value for the pointer at y with grab offset g:
// ((top - g - y + 83) × 4096) / 73, limited to 0..4096.
int32_t panelSliderValueAt(int32_t top, int32_t g, int32_t y);

// UI thread.
class PanelSlider : public Widget {
 public:
  // Called with the new value and the parameter number.
  using Changed = std::function<void(int32_t value, int32_t parameter)>;

  PanelSlider(int32_t parameter, Changed changed, const BrowserLook& look);

  int32_t parameter() const { return parameter_; }
  int32_t value() const { return value_; }
  // Sets the value from outside (limited to 0..4096), without the callback.
  // redraw false: the panel draws it with its page (a slider off the page
  // shown must not draw over the window).
  void setValue(int32_t value, bool redraw = true);
  bool dragging() const { return dragging_; }
  int32_t grab() const { return grab_; }

  void draw() override;
  // A press within 7 pixels of the knob's reference (the point the value
  // formula puts the current value at) keeps its offset g, so the knob does
  // not jump; elsewhere g is 0 and the value follows the pointer at once.
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;

 private:
  void follow(int32_t y);

  int32_t parameter_;
  Changed changed_;
  BrowserLook look_;
  int32_t value_ = 0, grab_ = 0;
  bool dragging_ = false;
};

}  // namespace zarnel
