#include "skin/FontTextRenderer.h"

namespace zarnel {

const Font* FontTextRenderer::fontFor(const FontDescription& font) const {
  Key key{font.face, font.height, font.weight};
  auto found = made_.find(key);
  if (found == made_.end()) {
    FontSpec spec;
    spec.face = font.face;
    spec.height = font.height;
    spec.weight = font.weight;
    found = made_.emplace(std::move(key), fonts_.createFont(spec)).first;
  }
  return found->second.get();
}

TextExtent FontTextRenderer::measure(const FontDescription& font, std::string_view text) const {
  const Font* f = fontFor(font);
  return f ? f->measure(text) : fallback_.measure(font, text);
}

void FontTextRenderer::draw(const FontDescription& font, std::string_view text, ColourRef colour,
                            const PixelTarget& target, int32_t x, int32_t y) const {
  const Font* f = fontFor(font);
  if (!f) return fallback_.draw(font, text, colour, target, x, y);
  f->draw(target, x, y, text, colour & 0xFFFFFFu, ClipRect{0, 0, target.width, target.height});
}

}  // namespace zarnel
