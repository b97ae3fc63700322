#pragma once
// The back buffer the widgets draw into, the skin pixels they draw from, and
// the pixel primitives, for 32-bit 0x00RRGGBB pixels. Every primitive clips to
// the back buffer and to the skin pixels, so no widget geometry reads or
// writes outside them. Repaints are recorded as rectangles that the window
// layer presents: invalidated ones at the next paint, shown-now ones at once.

#include <cstdint>
#include <vector>

#include "platform/WindowSystem.h"
#include "skin/SkinGeometry.h"

namespace zarnel {

class DrawSurface {
 public:
  // back: width × height pixels, rows top to bottom; skin: the skin surface.
  // Both must outlive this object. UI thread (the rhythm view's thread draws
  // only its own rectangle).
  DrawSurface(uint32_t* back, int32_t width, int32_t height, const Bitmap* skin);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  uint32_t* backBuffer() const { return back_; }
  const Bitmap& skin() const { return *skin_; }

  // Return: the skin pixel at (x, y), or 1 (not black) outside the skin.
  uint32_t skinPixel(int32_t x, int32_t y) const;
  // Return: whether the skin pixel at (x, y) is all zero (a mask's black).
  bool skinBlack(int32_t x, int32_t y) const { return (skinPixel(x, y) & 0xFFFFFFu) == 0; }

  // Copies the skin rectangle at src, dst's size, to dst.
  void copyRect(const SkinRect& dst, SkinPoint src);
  // The window's background under dst: the skin at the same coordinates.
  void copyBackground(const SkinRect& dst) { copyRect(dst, {dst.x, dst.y}); }
  // Copies like copyRect, only where the mask image at mask is black.
  void copyMasked(const SkinRect& dst, SkinPoint src, SkinPoint mask);
  // out = (lit × weight + unlit × (256 - weight)) / 256 per channel, weight
  // 0..255; only where the mask is black when mask is given.
  void blend(const SkinRect& dst, SkinPoint lit, SkinPoint unlit, int32_t weight, const SkinPoint* mask);
  // For each pixel of dst whose mask pixel is black: its angle about the
  // centre t = atan2(centreX - x, y - centreY) (radians, 0 straight down,
  // growing clockwise, ±pi straight up) picks the lit image when
  // start < t <= end, or, when start > end, when t >= start or t < end; the
  // unlit image otherwise. Pixels outside the mask are left as they are.
  void copySector(const SkinRect& dst, SkinPoint lit, SkinPoint unlit, SkinPoint mask, int32_t centreX,
                  int32_t centreY, double start, double end);
  // Fills the outline of r, one pixel wide, with colour (0x00RRGGBB).
  void frame(const SkinRect& r, uint32_t colour);

  // Marks r for repaint at the next paint.
  void invalidate(const SkinRect& r);
  // Marks r to go to the screen at once.
  void showNow(const SkinRect& r);
  // Return: the rectangles marked since the last take, clipped to the back
  // buffer, in marking order; the list is emptied.
  std::vector<SkinRect> takeInvalidated();
  std::vector<SkinRect> takeShown();

 private:
  // The part of dst's rows and columns that every source offset keeps inside
  // its image: [x0, x1) × [y0, y1) as offsets from dst's corner.
  struct Span {
    int32_t x0, x1, y0, y1;
  };
  Span clip(const SkinRect& dst, const SkinPoint* sources, int32_t count) const;
  void record(std::vector<SkinRect>& list, const SkinRect& r);
  uint32_t* backRow(int32_t y) const { return back_ + int64_t(y) * width_; }
  const uint32_t* skinRow(int32_t y) const { return skin_->pixels.data() + int64_t(y) * skin_->width; }

  uint32_t* back_;
  int32_t width_, height_;
  const Bitmap* skin_;
  std::vector<SkinRect> invalidated_, shown_;
};

}  // namespace zarnel
