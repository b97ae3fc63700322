#include "app/SkinReflection.h"

#include "skin/Skin.h"

namespace zarnel {

template <typename F>
void SkinReflection::forButtons(int32_t action, int32_t desk, F&& f) {
  if (!skin_) return;
  for (auto& button : skin_->buttons)
    if (button->action() == action && button->desk() == desk) f(*button);
}

template <typename F>
void SkinReflection::forSliders(int32_t kind, int32_t desk, F&& f) {
  if (!skin_) return;
  for (auto& slider : skin_->sliders)
    if (slider->kind() == kind && slider->desk() == desk) f(*slider);
}

void SkinReflection::setButtonSelected(int32_t action, int32_t desk, bool on) {
  forButtons(action, desk, [on](Button& b) { b.setSelected(on); });
}

void SkinReflection::setButtonVisible(int32_t action, int32_t desk, bool on) {
  forButtons(action, desk, [on](Button& b) {
    if (b.visible() == on) return;
    b.setVisible(on);
    b.draw();
  });
}

void SkinReflection::setButtonTooltip(int32_t action, int32_t desk, const std::string& text) {
  forButtons(action, desk, [&text](Button& b) { b.setTooltip(text); });
}

void SkinReflection::setSliderValue(int32_t kind, int32_t desk, int32_t value) {
  forSliders(kind, desk, [value](Slider& s) {
    if (s.value() != value) s.setValue(value);
  });
}

// A slider's knob follows its slider (Slider::setVisible and draw).
void SkinReflection::setSliderVisible(int32_t kind, int32_t desk, bool on) {
  forSliders(kind, desk, [on](Slider& s) {
    if (s.visible() == on) return;
    s.setVisible(on);
    s.draw();
  });
}

}  // namespace zarnel
