#include "tools/skinart/Lettering.h"

namespace zarnel::art {

Font* Lettering::font(const TextStyle& style) {
  auto& slot = cache_[{style.height, style.bold}];
  if (!slot) slot = fonts_.createFont({"Arial", style.height, style.bold ? 700 : 400});
  return slot.get();
}

bool Lettering::ready(const TextStyle& style) { return font(style) != nullptr; }

int32_t Lettering::width(const std::string& text, const TextStyle& style) {
  Font* f = font(style);
  return f ? f->measure(text).width : 0;
}

void Lettering::draw(Image& image, const Rect& box, const std::string& text,
                     const TextStyle& style, Align align) {
  Font* f = font(style);
  if (!f) return;
  const int32_t w = f->measure(text).width;
  int32_t x = box.x;
  if (align == Align::centre) x = box.x + (box.w - w) / 2;
  if (align == Align::right) x = box.x + box.w - w;
  // Capitals are about 0.65 of the cell high and end on the baseline.
  const int32_t cap = (f->height() * 65 + 50) / 100;
  const int32_t baseline = box.y + (box.h + cap + 1) / 2;
  f->draw(image.target(), x, baseline - f->ascent(), text, style.colour,
          {box.x, box.y, box.x + box.w, box.y + box.h});
}

}  // namespace zarnel::art
