#pragma once
// Places the state images of the skin below its window background: shelves
// of images left to right, a new shelf when a row is full; an image equal to
// one placed before is not stored twice.

#include <vector>

#include "tools/skinart/Image.h"

namespace zarnel::art {

class Atlas {
 public:
  // Images go in a band width pixels wide starting at row top.
  Atlas(int32_t width, int32_t top) : width_(width), top_(top), shelfY_(top) {}
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
  int32_t x_ = 0, shelfY_, shelfHeight_ = 0;
  std::vector<Placed> placed_;
};

}  // namespace zarnel::art
