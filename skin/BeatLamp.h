#pragma once
// A lamp that lights with the beat: the skin's "beattap" element.

#include <cstdint>

#include "skin/Widget.h"

namespace zarnel {

class BeatLamp : public Widget {
 public:
  void setImages(SkinPoint up, SkinPoint down) {
    up_ = up;
    down_ = down;
  }
  // "transparent": the lit image fades in with the beat instead of switching.
  void setTransparent(bool on) { transparent_ = on; }
  SkinPoint upImage() const { return up_; }
  SkinPoint downImage() const { return down_; }
  bool transparent() const { return transparent_; }

  // Return: the beat level the lamp shows: its desk's beat meter, or the
  // larger of the two without a desk.
  int32_t level() const;
  // Draws the lamp at the current level and sends it to the screen at once:
  // transparent, the lit image blended over the unlit one with weight
  // min(level / 16, 255); otherwise "down" at level 2048 and above, else "up".
  void draw() override;

 private:
  SkinPoint up_, down_;
  bool transparent_ = false;
};

}  // namespace zarnel
