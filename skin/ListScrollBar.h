#pragma once
// The vertical scroll bar of the browser lists and the folder tree: 16-pixel
// arrow buttons at both ends, a thumb at least 8 pixels long, page jumps in
// the track. It keeps the geometry and the press in progress; its owner
// scrolls to the rows it answers and runs the repeat timer.

#include <cstdint>

#include "skin/SkinGeometry.h"

namespace zarnel {

class PanelPainter;
struct BrowserLook;

// A widget whose press repeats: the host calls repeatTick when the timer it
// started fires. UI thread.
class RepeatClient {
 public:
  virtual ~RepeatClient() = default;
  virtual void repeatTick() = 0;
};

// The timer behind repeating presses. start replaces a running timer of the
// same client. UI thread.
class RepeatTimer {
 public:
  virtual ~RepeatTimer() = default;
  virtual void startRepeat(RepeatClient& client, int32_t periodMs) = 0;
  virtual void stopRepeat(RepeatClient& client) = 0;
};

inline constexpr int32_t kScrollBarWidth = 16;
inline constexpr int32_t kScrollMinThumb = 8;
inline constexpr int32_t kRepeatFirstMs = 400;
inline constexpr int32_t kRepeatNextMs = 100;

// UI thread.
class ListScrollBar {
 public:
  enum class Part { kNone, kUp, kDown, kPageUp, kPageDown, kThumb };

  // The bar's rectangle (16 wide), and the rows: total, visible at once, and
  // the first visible one.
  void setRect(const SkinRect& r) { rect_ = r; }
  void setRange(int64_t total, int64_t visible, int64_t first);
  const SkinRect& rect() const { return rect_; }
  // Return: whether the rows do not all fit, so the bar shows.
  bool needed() const { return total_ > visible_; }
  int64_t maxFirst() const { return total_ > visible_ ? total_ - visible_ : 0; }

  // Return: the part at (x, y); kNone outside the bar or when not needed.
  Part partAt(int32_t x, int32_t y) const;
  // The thumb's rectangle (empty when the bar is not needed).
  SkinRect thumb() const;

  // A press at (x, y). Return: the part pressed; first is the row to
  // scroll to (unchanged for the thumb and kNone).
  Part press(int32_t x, int32_t y, int64_t& first);
  // Return: the first row for the pointer at y while the thumb is dragged;
  // the current first row otherwise.
  int64_t drag(int32_t y) const;
  // Return: the first row after one more step of the held arrow.
  int64_t repeat() const;
  // Return: whether an arrow is held (its press repeats).
  bool repeating() const { return held_ == Part::kUp || held_ == Part::kDown; }
  bool dragging() const { return held_ == Part::kThumb; }
  void release() { held_ = Part::kNone; }

  // Draws the track, the arrows (pressed while held) and the thumb.
  void draw(PanelPainter& painter, const BrowserLook& look) const;

 private:
  int64_t step(Part part) const;
  int32_t trackTop() const { return rect_.y + kScrollBarWidth; }
  int32_t trackLength() const;

  SkinRect rect_;
  int64_t total_ = 0, visible_ = 0, first_ = 0;
  Part held_ = Part::kNone;
  int32_t grab_ = 0;  // pointer offset into the thumb while dragging it
};

}  // namespace zarnel
