#include "skin/BalloonImage.h"

namespace zarnel {

namespace {

constexpr uint32_t kClear = 0xFF00FF, kBody = 0xFFFFE1, kLine = 0x000000;

void put(Bitmap& b, int32_t x, int32_t y, uint32_t colour) { b.pixels[size_t(y) * size_t(b.width) + size_t(x)] = colour; }

// The body: rows 0..22 with a one-pixel outline and corners cut by two.
void drawBody(Bitmap& b) {
  const int32_t last = kBalloonBodyHeight - 1, right = b.width - 1;
  for (int32_t y = 0; y <= last; ++y) {
    for (int32_t x = 0; x <= right; ++x) {
      const int32_t dx = x < 2 ? 2 - x : (x > right - 2 ? x - (right - 2) : 0);
      const int32_t dy = y < 2 ? 2 - y : (y > last - 2 ? y - (last - 2) : 0);
      if (dx + dy > 2) continue;  // outside a rounded corner
      const bool edge = x == 0 || y == 0 || x == right || y == last || dx + dy == 2;
      put(b, x, y, edge ? kLine : kBody);
    }
  }
}

// The pointer below the left end: its left edge straight down at column 2,
// its tip on the bottom row.
void drawPointer(Bitmap& b) {
  for (int32_t y = kBalloonBodyHeight - 1; y < b.height; ++y) {
    const int32_t right = 2 + (b.height - 1 - y);
    for (int32_t x = 2; x <= right; ++x) {
      const bool edge = x == 2 || x == right || y == b.height - 1;
      if (y == kBalloonBodyHeight - 1 && !edge) {
        put(b, x, y, kBody);  // open into the body
      } else {
        put(b, x, y, edge ? kLine : kBody);
      }
    }
  }
}

}  // namespace

Bitmap makeBalloonImage() {
  Bitmap b;
  b.width = kBalloonImageWidth;
  b.height = kBalloonImageHeight;
  b.pixels.assign(size_t(b.width) * size_t(b.height), kClear);
  drawBody(b);
  drawPointer(b);
  put(b, 0, 0, kClear);  // the first pixel names the transparent colour
  return b;
}

}  // namespace zarnel
