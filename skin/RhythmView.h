#pragma once
// The rhythm curve display: the skin's "rhythm" element. The renderer's
// thread draws it from the fields below; the mouse drags the curves to
// scratch or nudge a desk.

#include <cstdint>
#include <optional>

#include "skin/Widget.h"

namespace zarnel {

// How the view fills its columns: palette indexes of the colour mode, or the
// images of the image mode.
struct RhythmLook {
  SkinPoint up;  // the background image
  bool colourMode = false;
  // Colour mode: palette indexes of the background, the playing desk's curve
  // only, the active desk's only, and both.
  int32_t back = 0, chan1 = 16, chan2 = 15, both = 10;
  // Image mode: the images under the playing desk's curve only, the active
  // desk's only, and both.
  SkinPoint chan1Image, chan2Image, bothImage;
};

class RhythmView : public Widget {
 public:
  // The drag's speed in frames per pixel at normal pitch, with the "Scratch"
  // setting at hold and otherwise.
  static constexpr int32_t kHoldFramesPerPixel = 48;
  static constexpr int32_t kFramesPerPixel = 72;

  void setLook(const RhythmLook& look) { look_ = look; }
  const RhythmLook& look() const { return look_; }
  // The window's width, for the endless drag's wrap.
  void setWindowWidth(int32_t width) { windowWidth_ = width; }

  // The desk: the active one, the other with the right button. Enters
  // scratch hold with the "Scratch" setting at hold.
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  // Scratches by k × (previous x - x) × pitch / 4096 frames; at the window's
  // edges the pointer wraps round by width - 2 (none under 3 pixels wide).
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;

 private:
  RhythmLook look_;
  int32_t windowWidth_ = 800;
  int32_t dragDesk_ = -1;  // -1: no drag
  int32_t lastX_ = 0;
  bool holding_ = false;
};

}  // namespace zarnel
