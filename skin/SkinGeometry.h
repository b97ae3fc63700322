#pragma once
// Points and rectangles of the skin: window coordinates for widgets, skin
// bitmap coordinates for images.

#include <cstdint>

namespace zarnel {

struct SkinPoint {
  int32_t x = 0, y = 0;
};

// A rectangle by corner and size; right and bottom (x + width, y + height)
// lie outside it.
struct SkinRect {
  int32_t x = 0, y = 0, width = 0, height = 0;

  int32_t right() const { return x + width; }
  int32_t bottom() const { return y + height; }
  // Return: whether (px, py) lies inside, right and bottom edges excluded.
  bool contains(int32_t px, int32_t py) const {
    return px >= x && py >= y && px < right() && py < bottom();
  }
  // Return: whether other lies wholly inside this rectangle.
  bool encloses(const SkinRect& other) const {
    return other.x >= x && other.y >= y && int64_t(other.x) + other.width <= int64_t(x) + width &&
           int64_t(other.y) + other.height <= int64_t(y) + height;
  }
};

// The largest coordinate or size a skin may give; keeps every sum and
// product of the widget arithmetic inside 32 bits.
inline constexpr int32_t kSkinMaxCoordinate = 16384;

}  // namespace zarnel
