#pragma once
// A text renderer for tests: every character 6 pixels wide, lines 10 high;
// drawing records each text with its window position instead of pixels.

#include <string>
#include <vector>

#include "skin/TextRenderer.h"

namespace zarnel::test {

struct DrawnText {
  std::string text;
  int32_t x = 0, y = 0;  // top left in the window
  int32_t clipWidth = 0, clipHeight = 0;
  uint32_t colour = 0;
};

class RecordingTextRenderer : public TextRenderer {
 public:
  // windowWidth: the stride of the back buffer the targets lie in; base its
  // first pixel.
  RecordingTextRenderer(const uint32_t* base, int32_t windowWidth) : base_(base), width_(windowWidth) {}

  TextExtent measure(const FontDescription&, std::string_view text) const override {
    return {int32_t(text.size()) * 6, 10};
  }
  void draw(const FontDescription&, std::string_view text, ColourRef colour, const PixelTarget& target, int32_t x,
            int32_t y) const override {
    const int64_t at = target.pixels - base_;
    drawn.push_back({std::string(text), int32_t(at % width_) + x, int32_t(at / width_) + y, target.width,
                     target.height, colour});
  }

  mutable std::vector<DrawnText> drawn;

 private:
  const uint32_t* base_;
  int32_t width_;
};

}  // namespace zarnel::test
