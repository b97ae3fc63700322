#pragma once
// The base of every skin widget: its rectangle, visibility, tooltip, hit
// area and clip mask, and the virtual operations the mouse routing and the
// renderer call, in their slot order.

#include <cstdint>
#include <optional>
#include <string>

#include "skin/SkinGeometry.h"
#include "skin/WidgetSeams.h"

namespace zarnel {

// Where a widget takes the mouse. A mask is an image of the widget's size in
// the skin whose black pixels are sensitive; rectangle and circle are in
// window coordinates.
struct HitArea {
  enum class Kind { kWidget, kMask, kRect, kCircle };
  Kind kind = Kind::kWidget;
  SkinRect rect;        // kMask: the image corner (x, y); kRect: the rectangle
  int32_t radius = 0;   // kCircle: centre (rect.x, rect.y)
};

// Mouse key-state bits: the window system's, and the two the routing adds.
namespace keys {
constexpr int32_t kLeft = 0x0001;
constexpr int32_t kRight = 0x0002;
constexpr int32_t kDoubleClick = 0x1000;
constexpr int32_t kRightButton = 0x2000;
}  // namespace keys

// UI thread, except where a class says otherwise.
class Widget {
 public:
  Widget() = default;
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;
  virtual ~Widget() = default;

  // 1. Return: true when (x, y) is on the widget. Base: visible and inside
  // the rectangle, right and bottom edges excluded.
  virtual bool hitTest(int32_t x, int32_t y);
  // 2. Paints the widget into the back buffer and marks it for repaint.
  virtual void draw() {}
  // 3.-7. The mouse, from the routing; keys carries its bits.
  virtual void mouseDown(int32_t, int32_t, int32_t) {}
  virtual void mouseMove(int32_t, int32_t, int32_t) {}
  virtual void mouseUp(int32_t, int32_t, int32_t) {}
  // change: 1 the pointer enters, -1 it leaves, 0 it moves on the widget.
  virtual void hover(int32_t, int32_t, int32_t) {}
  virtual void wheel(int32_t, int32_t, int32_t, int32_t) {}
  // 8. Moves and resizes the widget.
  virtual void setRect(int32_t x, int32_t y, int32_t width, int32_t height);

  const SkinRect& rect() const { return rect_; }
  bool visible() const { return visible_; }
  // Shows or hides; a hidden widget is drawn as background and never hit.
  virtual void setVisible(bool on);
  // The tooltip text, empty for none.
  const std::string& tooltip() const { return tooltip_; }
  virtual void setTooltip(const std::string& text) { tooltip_ = text; }

  // The desk from "chan": 0, 1, or -1 for none.
  int32_t desk() const { return desk_; }
  void setDesk(int32_t desk) { desk_ = desk; }
  const HitArea& hitArea() const { return hitArea_; }
  void setHitArea(const HitArea& area) { hitArea_ = area; }
  const std::optional<SkinPoint>& clipMask() const { return clipMask_; }
  void setClipMask(std::optional<SkinPoint> mask) { clipMask_ = mask; }

  // Connects the widget to its drawing surface, actions and desks. Pre:
  // context outlives the binding; null unbinds, and an unbound widget draws
  // nothing and triggers nothing.
  virtual void bind(const WidgetContext* context) { context_ = context; }

 protected:
  // Return: whether (x, y) is in the hit area (the visible flag aside).
  bool inHitArea(int32_t x, int32_t y) const;
  // Draws the skin image at src over the widget's rectangle, through the
  // clip mask when there is one; part limits it to a sub-rectangle given as
  // offsets from the widget's corner.
  void drawImage(SkinPoint src) const;
  void drawImagePart(SkinPoint src, const SkinRect& part) const;
  void drawBackground() const;
  // Marks the widget's rectangle for repaint, or for the screen at once.
  void invalidate() const;
  void showNow() const;

  DrawSurface* surface() const { return context_ ? context_->surface : nullptr; }
  ActionSink* actions() const { return context_ ? context_->actions : nullptr; }
  const DeskReader* desks() const { return context_ ? context_->desks : nullptr; }
  MouseHost* host() const { return context_ ? context_->host : nullptr; }
  PanelPainter* panel() const { return context_ ? context_->panel : nullptr; }
  const TextRenderer* textRenderer() const { return context_ ? context_->text : nullptr; }
  const ZoneValues* zoneValues() const { return context_ ? context_->zones : nullptr; }

 private:
  SkinRect rect_;
  bool visible_ = true;
  std::string tooltip_;
  int32_t desk_ = -1;
  HitArea hitArea_;
  std::optional<SkinPoint> clipMask_;
  const WidgetContext* context_ = nullptr;
};

}  // namespace zarnel
