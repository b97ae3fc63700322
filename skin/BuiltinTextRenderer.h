#pragma once
// A fixed 5 by 7 pixel font of the printable ASCII characters, in cells of 6
// by 8, scaled by whole factors for larger heights (height / 10, at least 1).
// It ignores the face and weight; characters outside ASCII show as '?'.

#include "skin/TextRenderer.h"

namespace zarnel {

// Any thread; no state.
class BuiltinTextRenderer : public TextRenderer {
 public:
  static constexpr int32_t kCellWidth = 6, kCellHeight = 8;

  TextExtent measure(const FontDescription& font, std::string_view text) const override;
  void draw(const FontDescription& font, std::string_view text, ColourRef colour, const PixelTarget& target,
            int32_t x, int32_t y) const override;

  // Return: the factor each glyph pixel is drawn at for font.
  static int32_t scaleFor(const FontDescription& font);
};

}  // namespace zarnel
