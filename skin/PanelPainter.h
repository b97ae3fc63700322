#pragma once
// The drawing primitives of the browser panel, into the back buffer: copies
// from the panel picture that skip its transparent colour (plain or scaled),
// lines, polylines, filled rectangles, three-dimensional frames in the
// browser's widget colours, and text. Every primitive clips to the back
// buffer and to the panel picture; none marks a repaint (the caller does).

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"
#include "skin/AreaWidgets.h"
#include "skin/SkinGeometry.h"

namespace zarnel {

class DrawSurface;
class TextRenderer;

class PanelPainter {
 public:
  // Pre: surface, panel (already recoloured) and text, when given, outlive
  // the painter. UI thread.
  PanelPainter(DrawSurface& surface, const Bitmap& panel, const TextRenderer* text)
      : surface_(surface), panel_(panel), text_(text) {}

  // Copies the panel picture's rectangle at src, dst's size, to dst.
  void copy(const SkinRect& dst, SkinPoint src);
  // Scales the panel picture's rectangle src onto dst, nearest pixel.
  void copyScaled(const SkinRect& dst, const SkinRect& src);
  // Colours (0x00RRGGBB) the pixels from (x0, y0) to (x1, y1), both ends in.
  // Pre: the ends lie within kSkinMaxCoordinate of the window.
  void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);
  // Lines through points in turn.
  void polyline(const std::vector<SkinPoint>& points, uint32_t colour);
  void fillRect(const SkinRect& r, uint32_t colour);
  // A two-pixel frame just inside r: sunken draws the shadows top and left,
  // raised draws them bottom and right.
  void frame3d(const SkinRect& r, const BrowserLook& look, bool sunken);
  // Draws one line of text with its top left at (x, y), clipped to clip.
  void text(const FontDescription& font, std::string_view text, ColourRef colour, int32_t x, int32_t y,
            const SkinRect& clip);

  const Bitmap& panel() const { return panel_; }

 private:
  void plot(int32_t x, int32_t y, uint32_t colour);

  DrawSurface& surface_;
  const Bitmap& panel_;
  const TextRenderer* text_;
};

// Return: a colour reference (red in the low byte, or a system colour) as a
// 0x00RRGGBB pixel.
uint32_t pixelOfColour(ColourRef c);

}  // namespace zarnel
