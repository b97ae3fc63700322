#include "skin/TextPainter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {

int32_t TextPainter::width(const FontDescription& font, std::string_view s) const {
  return text_.measure(font, s).width;
}

int32_t TextPainter::lineHeight(const FontDescription& font) const {
  return std::max(1, text_.measure(font, "").height);
}

void TextPainter::drawLine(const FontDescription& font, std::string_view s, ColourRef colour, int32_t x, int32_t y,
                           const SkinRect& clip) {
  if (colour == kColourTransparent || s.empty()) return;
  const int32_t x0 = std::max(clip.x, 0), y0 = std::max(clip.y, 0);
  const int32_t x1 = int32_t(std::min<int64_t>(int64_t(clip.x) + clip.width, surface_.width()));
  const int32_t y1 = int32_t(std::min<int64_t>(int64_t(clip.y) + clip.height, surface_.height()));
  if (x1 <= x0 || y1 <= y0) return;
  // The clip becomes the target: a sub-rectangle of the back buffer.
  const PixelTarget target{surface_.backBuffer() + int64_t(y0) * surface_.width() + x0, x1 - x0, y1 - y0,
                           surface_.width()};
  // The renderers take the pixel value (0x00RRGGBB), system colours resolved.
  text_.draw(font, s, pixelOfColour(colour), target, int32_t(int64_t(x) - x0), int32_t(int64_t(y) - y0));
}

void TextPainter::drawLines(const FontDescription& font, std::string_view s, ColourRef colour, TextAlign align,
                            const SkinRect& box) {
  if (box.width <= 0 || box.height <= 0) return;
  const int32_t h = lineHeight(font);
  int64_t y = box.y;
  for (std::string_view line : splitLines(s)) {
    if (y >= int64_t(box.y) + box.height) break;
    const std::string shown = ellipsize(text_, font, line, box.width);
    const int32_t x = alignedLeft(align, box.x, box.width, width(font, shown));
    drawLine(font, shown, colour, x, int32_t(y), box);
    y += h;
  }
}

void TextPainter::drawWrapped(const FontDescription& font, std::string_view s, ColourRef colour,
                              const SkinRect& box) {
  if (box.width <= 0 || box.height <= 0) return;
  const std::vector<std::string> lines = wrapWords(text_, font, s, box.width);
  const int32_t h = lineHeight(font);
  const int64_t total = int64_t(h) * int64_t(lines.size());
  int64_t y = box.y + std::max<int64_t>(0, (box.height - total) / 2);
  for (const std::string& line : lines) {
    if (y >= int64_t(box.y) + box.height) break;
    const std::string shown = ellipsize(text_, font, line, box.width);
    drawLine(font, shown, colour, alignedLeft(TextAlign::kCentre, box.x, box.width, width(font, shown)),
             int32_t(y), box);
    y += h;
  }
}

}  // namespace zarnel
