#include "skin/WindowShape.h"

#include <algorithm>

namespace zarnel {

std::vector<WindowRect> shapeRuns(const Bitmap& image) {
  std::vector<WindowRect> rects;
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() < size_t(image.width) * size_t(image.height))
    return rects;
  const uint32_t clear = image.pixels[0];
  for (int32_t y = 0; y < image.height; ++y) {
    const uint32_t* row = image.pixels.data() + size_t(y) * size_t(image.width);
    for (int32_t x = 0; x < image.width;) {
      if (row[x] == clear) {
        ++x;
        continue;
      }
      const int32_t start = x;
      while (x < image.width && row[x] != clear) ++x;
      const WindowRect run{start, y, x - start, 1};
      if (rects.size() < kMaxShapeRects) {
        rects.push_back(run);
      } else {
        rects.back() = run;
      }
    }
  }
  return rects;
}

std::vector<uint8_t> shapeMask(const std::vector<WindowRect>& rects, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<uint8_t> mask(size_t(width) * size_t(height), 0);
  for (const WindowRect& r : rects) {
    const int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int32_t x1 = int32_t(std::min<int64_t>(int64_t(r.x) + r.width, width));
    const int32_t y1 = int32_t(std::min<int64_t>(int64_t(r.y) + r.height, height));
    for (int32_t y = y0; y < y1; ++y)
      std::fill(mask.begin() + int64_t(y) * width + x0, mask.begin() + int64_t(y) * width + std::max(x0, x1), 1);
  }
  return mask;
}

}  // namespace zarnel
