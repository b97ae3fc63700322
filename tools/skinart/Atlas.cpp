#include "tools/skinart/Atlas.h"

#include <algorithm>

namespace zarnel::art {

Rect Atlas::place(const Image& image) {
  for (const Placed& p : placed_)
    if (p.image == image) return p.at;
  if (x_ + image.width > width_) {
    shelfY_ += shelfHeight_;
    x_ = 0;
    shelfHeight_ = 0;
  }
  const Rect at{x_, shelfY_, image.width, image.height};
  x_ += image.width;
  shelfHeight_ = std::max(shelfHeight_, image.height);
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
