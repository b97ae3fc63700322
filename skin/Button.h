#pragma once
// A skin push button, and the moving knob of a slider (a "fader" child, read
// like a button, whose action is the internal knob action).

#include <array>
#include <cstdint>
#include <optional>

#include "skin/ActionNames.h"
#include "skin/Widget.h"

namespace zarnel {

class Slider;

class Button : public Widget {
 public:
  // The six images, each the corner of an image of the button's size.
  enum Image { kUp, kDown, kSelected, kOver, kOverSelected, kDownSelected, kImageCount };

  int32_t action() const { return action_; }
  void setAction(int32_t action) { action_ = action; }
  void setImage(Image which, std::optional<SkinPoint> corner) { images_[which] = corner; }
  const std::optional<SkinPoint>& image(Image which) const { return images_[which]; }
  // "rightclick" "bend": releasing the right button sends the press again.
  void setRightBend(bool on) { rightBend_ = on; }
  bool rightBend() const { return rightBend_; }
  // Makes the button the knob of slider (non-owning; the slider lives as long).
  void setOwner(Slider* slider) { owner_ = slider; }
  Slider* owner() const { return owner_; }

  bool pressed() const { return pressed_; }
  bool selected() const { return selected_; }
  bool hovered() const { return hovered_; }
  // Sets whether the button's function is on, and redraws it when it changes.
  void setSelected(bool on);
  // Shows the knob pressed or released and redraws it (its slider's drag).
  void setPressed(bool on);

  bool hitTest(int32_t x, int32_t y) override;
  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;

 private:
  // Return: the image of the current state, or none for the background.
  std::optional<SkinPoint> currentImage() const;
  // Return: the point's distance along the owner slider's axis from the centre.
  int32_t axisOffset(int32_t x, int32_t y) const;

  int32_t action_ = kActionNothing;
  std::array<std::optional<SkinPoint>, kImageCount> images_{};
  bool rightBend_ = false;
  Slider* owner_ = nullptr;
  bool pressed_ = false, selected_ = false, hovered_ = false;
  bool pressAgainOnRelease_ = false;
  int32_t knobOffset_ = 0;
};

}  // namespace zarnel
