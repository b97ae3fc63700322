#include "tools/skinart/Atlas.h"

#include <algorithm>

namespace zarnel::art {

Rect Atlas::place(const Image& image) {
  for (const Placed& p : placed_)
    if (p.image == image) return p.at;
  Rect at{0, 0, image.width, image.height};
  at.y = -1;
  for (int32_t x = 0; x + image.width <= width_; ++x) {
    const int32_t y = *std::max_element(skyline_.begin() + x, skyline_.begin() + x + image.width);
    if (at.y < 0 || y < at.y) {
      at.x = x;
      at.y = y;
    }
  }
  std::fill(skyline_.begin() + at.x, skyline_.begin() + at.x + image.width, at.y + image.height);
  placed_.push_back({image, at});
  return at;
}

Image Atlas::compose(const Image& background) const {
  int32_t height = std::max(background.height, top_);
  for (const Placed& p : placed_) height = std::max(height, p.at.y + p.at.h);
  Image out(std::max(background.width, width_), height, 0);
  out.paste(background, 0, 0);
  for (const Placed& p : placed_) out.paste(p.image, p.at.x, p.at.y);
  return out;
}

}  // namespace zarnel::art
