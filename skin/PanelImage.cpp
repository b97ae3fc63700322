#include "skin/PanelImage.h"

#include <algorithm>

namespace zarnel {

namespace {

uint32_t channel(int64_t sum) { return uint32_t(std::clamp<int64_t>(sum / 256, 0, 255)); }

uint32_t recolour(uint32_t p, const int32_t (&m)[9]) {
  const int64_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  const uint32_t red = channel(r * m[0] + g * m[3] + b * m[6]);
  const uint32_t green = channel(r * m[1] + g * m[4] + b * m[7]);
  const uint32_t blue = channel(r * m[2] + g * m[5] + b * m[8]);
  return red << 16 | green << 8 | blue;
}

}  // namespace

void applyColourMatrix(Bitmap& image, const int32_t (&m)[9]) {
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() < size_t(image.width) * size_t(image.height)) return;
  const uint32_t clear = transparentColour(image);
  for (int32_t y = 0; y < image.height; ++y) {
    uint32_t* row = image.pixels.data() + size_t(y) * size_t(image.width);
    for (int32_t x = 0; x < image.width; ++x) {
      if (y <= kPanelKeepY1 && x >= kPanelKeepX0 && x <= kPanelKeepX1) continue;
      if (row[x] != clear) row[x] = recolour(row[x], m);
    }
  }
}

}  // namespace zarnel
