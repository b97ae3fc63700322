#pragma once
// Keeps the skin's widgets in step with the program: each operation applies
// to every widget of the given action or slider kind whose desk equals the
// given desk (-1 matches the widgets without "chan") and redraws it; a
// hidden widget is drawn as background.

#include <cstdint>
#include <string>

namespace zarnel {

struct Skin;

// UI thread only.
class SkinReflection {
 public:
  // The skin the operations act on; null (no skin yet, or between skins)
  // makes every operation do nothing. Pre: skin outlives its attachment.
  void setSkin(Skin* skin) { skin_ = skin; }
  Skin* skin() const { return skin_; }

  void setButtonSelected(int32_t action, int32_t desk, bool on);
  void setButtonVisible(int32_t action, int32_t desk, bool on);
  void setButtonTooltip(int32_t action, int32_t desk, const std::string& text);
  // value is clamped to 0..4096 by the slider.
  void setSliderValue(int32_t kind, int32_t desk, int32_t value);
  void setSliderVisible(int32_t kind, int32_t desk, bool on);

 private:
  template <typename F>
  void forButtons(int32_t action, int32_t desk, F&& f);
  template <typename F>
  void forSliders(int32_t kind, int32_t desk, F&& f);

  Skin* skin_ = nullptr;
};

}  // namespace zarnel
