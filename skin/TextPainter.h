#pragma once
// Draws text into the back buffer for the widgets that show text (text
// zones, option rows, the search field), clipped to a box: aligned lines
// with an ellipsis where they do not fit, or a word-wrapped block centred in
// the box.

#include <cstdint>
#include <string_view>

#include "skin/SkinGeometry.h"
#include "skin/TextLayout.h"

namespace zarnel {

class DrawSurface;
class TextRenderer;

// UI thread.
class TextPainter {
 public:
  // Pre: surface and text outlive the painter.
  TextPainter(DrawSurface& surface, const TextRenderer& text) : surface_(surface), text_(text) {}

  // Draws the lines of s (broken at CR LF, CR, LF) from the top of box
  // down, each aligned in box and ended by "..." when it is too wide. No
  // pixel outside box changes.
  void drawLines(const FontDescription& font, std::string_view s, ColourRef colour, TextAlign align,
                 const SkinRect& box);
  // Draws s broken at spaces to box's width, each line centred with an
  // ellipsis when a word is too wide, the block centred vertically (from
  // the top when it is taller than box).
  void drawWrapped(const FontDescription& font, std::string_view s, ColourRef colour, const SkinRect& box);
  // Draws one line with its top left at (x, y), clipped to clip.
  void drawLine(const FontDescription& font, std::string_view s, ColourRef colour, int32_t x, int32_t y,
                const SkinRect& clip);
  // Return: the width of s in font.
  int32_t width(const FontDescription& font, std::string_view s) const;
  // Return: the height of a line of font.
  int32_t lineHeight(const FontDescription& font) const;

 private:
  DrawSurface& surface_;
  const TextRenderer& text_;
};

}  // namespace zarnel
