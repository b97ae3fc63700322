#pragma once
// The skin's names of the button actions and the slider kinds; each index is
// also the tooltip slot of its widget.

#include <cstdint>
#include <string_view>

namespace zarnel {

inline constexpr int32_t kButtonActionCount = 49;
inline constexpr int32_t kSliderKindCount = 14;

// Button actions the widgets themselves name.
enum ButtonAction : int32_t {
  kActionNothing = 0,
  kActionKnob = 23,  // the internal action of a slider's knob; no skin name
};

enum SliderKind : int32_t {
  kSliderCrossfader = 0,
  kSliderSongPos = 1,
  kSliderPitch = 2,
  kSliderLevel = 3,
  kSliderBass = 4,
  kSliderMedium = 5,
  kSliderHigh = 6,
  kSliderGain = 7,
  kSliderPreview = 8,
  kSliderBassFader = 9,
  kSliderMediumFader = 10,
  kSliderHighFader = 11,
  kSliderRotation = 12,
  kSliderArm = 13,
};

// Return: the index of the button action named name (ignoring case), or
// kActionNothing for an unknown name; the two unnamed actions are never found.
int32_t buttonActionByName(std::string_view name);
// Return: the skin name of action index, empty when it has none or is out of range.
std::string_view buttonActionName(int32_t index);

// Return: the slider kind named name (ignoring case), -1 when unknown.
int32_t sliderKindByName(std::string_view name);
std::string_view sliderKindName(int32_t kind);

}  // namespace zarnel
