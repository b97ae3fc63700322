#pragma once
// Measuring and drawing text into 32-bit pixel buffers, for the tooltip
// balloon and, later, the text zones. The platform's font service provides
// one; BuiltinTextRenderer stands in where there is none.

#include <cstdint>
#include <string_view>

#include "skin/SkinLook.h"

namespace zarnel {

struct TextExtent {
  int32_t width = 0, height = 0;
};

// A buffer of width × height pixels 0x00RRGGBB, rows top to bottom.
struct PixelTarget {
  uint32_t* pixels = nullptr;
  int32_t width = 0, height = 0;
};

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
