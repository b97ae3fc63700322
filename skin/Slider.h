#pragma once
// A skin slider: straight (horizontal, vertical) with an optional knob, a
// knob turned by angle ("circle"), or a knob shown as animation frames
// ("round"). Its value 0..4096 is set from outside (the action dispatch) and
// the slider redrawn; the mouse asks for new values through the ActionSink.

#include <cstdint>
#include <optional>

#include "skin/SliderMath.h"
#include "skin/Widget.h"

namespace zarnel {

class Button;

enum class SliderOrientation { kHorizontal, kVertical, kCircle, kRound };
// What the right button or a double click does ("rightclick", "dblclick").
enum class SliderMode { kNone, kBend, kCut, kBoost, kReset, kAuto };

// The "circle" child: centre in window coordinates, angles in degrees
// clockwise from straight up as the skin gives them.
struct CircleShape {
  int32_t centreX = 0, centreY = 0;
  int32_t angleMin = 0, angleMax = 360;
  int32_t sectorSize = 0;
};

// A strip of frames of the widget's size: frame f at column f % perRow and
// row f / perRow from the corner.
struct FrameStrip {
  SkinPoint corner;
  int32_t count = 1;
  int32_t perRow = 1;
};

struct RoundShape {
  RoundMove move = RoundMove::kFull;
  int32_t sensibility = 1;
  FrameStrip frames;
  std::optional<FrameStrip> over;
};

class Slider : public Widget {
 public:
  // --- set by the skin loader -------------------------------------------
  void setOrientation(SliderOrientation o) { orientation_ = o; }
  void setKind(int32_t kind) { kind_ = kind; }
  void setImages(std::optional<SkinPoint> up, std::optional<SkinPoint> selected) {
    up_ = up;
    selected_ = selected;
  }
  void setModes(SliderMode right, SliderMode doubleClick) {
    rightMode_ = right;
    doubleMode_ = doubleClick;
  }
  // Reversed: straight sliders "down"/"left", circle sliders "ccw".
  void setReversed(bool on) { reversed_ = on; }
  // The knob (owned by the skin's button list, which lives as long).
  void setKnob(Button* knob);
  void setCircle(const CircleShape& shape) { circle_ = shape; }
  void setRound(const RoundShape& shape) { round_ = shape; }

  SliderOrientation orientation() const { return orientation_; }
  bool vertical() const { return orientation_ == SliderOrientation::kVertical; }
  int32_t kind() const { return kind_; }
  bool reversed() const { return reversed_; }
  SliderMode rightMode() const { return rightMode_; }
  SliderMode doubleClickMode() const { return doubleMode_; }
  Button* knob() const { return knob_; }
  const CircleShape& circle() const { return circle_; }
  const RoundShape& round() const { return round_; }
  const std::optional<SkinPoint>& upImage() const { return up_; }
  const std::optional<SkinPoint>& selectedImage() const { return selected_; }
  // Straight sliders: where the travel starts along the axis and its length.
  int32_t travelStart() const;
  int32_t travelLength() const;

  // --- state --------------------------------------------------------------
  int32_t value() const { return value_; }
  // Takes v (clamped to 0..4096) and redraws. UI thread.
  void setValue(int32_t v);
  bool dragging() const { return dragging_; }

  bool hitTest(int32_t x, int32_t y) override;
  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;
  void setVisible(bool on) override;
  // A slider with a knob gives its tooltip to the knob.
  void setTooltip(const std::string& text) override;

 private:
  // Applies a right-button or double-click mode. Return: true when a drag
  // follows ("bend").
  bool applyMode(SliderMode mode, bool remember);
  void startDrag(int32_t x, int32_t y);
  // Asks for v through the ActionSink when it differs from the value shown.
  void request(int32_t v);
  int32_t valueAt(int32_t x, int32_t y) const;
  void drawStraight();
  void drawCircle();
  void drawRound();
  void placeKnob(int32_t p);
  int32_t shownValue() const { return reversed_ && orientation_ != SliderOrientation::kCircle ? kSliderMax - value_ : value_; }

  SliderOrientation orientation_ = SliderOrientation::kHorizontal;
  int32_t kind_ = 0;
  std::optional<SkinPoint> up_, selected_;
  SliderMode rightMode_ = SliderMode::kNone, doubleMode_ = SliderMode::kNone;
  bool reversed_ = false;
  Button* knob_ = nullptr;
  CircleShape circle_;
  RoundShape round_;

  int32_t value_ = 0;
  bool dragging_ = false, hovered_ = false;
  std::optional<int32_t> restore_;  // sent back on release ("bend", "cut", "boost")
  int32_t dragValue_ = 0;           // a round knob's value at the drag's start
  SkinPoint dragStart_;
};

}  // namespace zarnel
