#pragma once
// Places the state images of the skin below its window background: each one
// goes as high as it fits on the skyline of those placed before (the leftmost
// such place); an image equal to one placed before is not stored twice.

#include <vector>

#include "tools/skinart/Image.h"

namespace zarnel::art {

class Atlas {
 public:
  // Images go in a band width pixels wide starting at row top.
  Atlas(int32_t width, int32_t top) : width_(width), top_(top), skyline_(size_t(width), top) {}
  // Return: the top-left corner of image in the final bitmap.
  // Pre: image.width <= the band's width.
  Rect place(const Image& image);
  // Return: background with every placed image below it, as one bitmap.
  Image compose(const Image& background) const;

 private:
  struct Placed {
    Image image;
    Rect at;
  };
  int32_t width_, top_;
  std::vector<int32_t> skyline_;  // per column, the first free row
  std::vector<Placed> placed_;
};

}  // namespace zarnel::art
