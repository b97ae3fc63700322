#pragma once
// One loaded skin: the skin surface, the window size, the options, and the
// widgets in their lists. In each list the element that came last in the
// file is first, so that of overlapping widgets of one class it receives the
// mouse. A slider's knob is in the button list, where it was read.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/WindowSystem.h"
#include "skin/AreaWidgets.h"
#include "skin/BeatLamp.h"
#include "skin/Button.h"
#include "skin/RhythmView.h"
#include "skin/Slider.h"
#include "skin/TextZone.h"

namespace zarnel {

struct Skin {
  // The skin bitmap at the top left of a surface at least 800 × 600; the
  // rest is black.
  Bitmap surface;
  // The image area the skin's bitmap really covers (its file's size).
  int32_t bitmapWidth = 0, bitmapHeight = 0;
  int32_t windowWidth = 800, windowHeight = 600;
  // "options" "pitchlevel" "together".
  bool pitchLevelTogether = false;

  std::vector<std::unique_ptr<Button>> buttons;
  std::vector<std::unique_ptr<Slider>> sliders;
  std::vector<std::unique_ptr<TextZone>> textZones;
  std::vector<std::unique_ptr<DropZone>> dropZones;
  std::vector<std::unique_ptr<BeatLamp>> beatLamps;
  std::vector<std::unique_ptr<ScratchZone>> scratchZones;
  std::unique_ptr<RhythmView> rhythm;  // at most one
  std::unique_ptr<BrowserView> browser;  // exactly one in a loaded skin

  // Connects every widget to context (null unbinds). UI thread.
  void bind(const WidgetContext* context);
  // Draws every widget. Pre: bound. UI thread.
  void drawAll();
  // Return: the number of widgets of every kind, knobs included.
  size_t widgetCount() const;
};

}  // namespace zarnel
