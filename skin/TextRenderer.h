#pragma once
// Measuring and drawing text into 32-bit pixel buffers, for the tooltip
// balloon and, later, the text zones. The platform's font service provides
// one; BuiltinTextRenderer stands in where there is none.

#include <cstdint>
#include <string_view>

#include "platform/FontService.h"  // TextExtent, PixelTarget
#include "skin/SkinLook.h"

namespace zarnel {

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // Return: the size one line of text takes in font.
  virtual TextExtent measure(const FontDescription& font, std::string_view text) const = 0;
  // Draws text with its top left at (x, y) in colour on a transparent
  // background (only the glyphs' pixels change), clipped to target.
  virtual void draw(const FontDescription& font, std::string_view text, ColourRef colour, const PixelTarget& target,
                    int32_t x, int32_t y) const = 0;
};

}  // namespace zarnel
