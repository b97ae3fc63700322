#pragma once
// Writes Windows BMP files in memory for the skin tests.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/WindowSystem.h"
#include "support/Bytes.h"

namespace zarnel::test {

struct BmpSpec {
  int32_t bits = 24;          // 8, 24 or 32 (anything else is written as asked)
  bool topDown = false;
  uint32_t infoSize = 40;     // 40, 108, 124, ...
  uint32_t compression = 0;
  uint16_t planes = 1;
  bool bitFields = false;     // 32-bit with the usual masks (compression 3)
};

// A BMP of image; an 8-bit file gets a palette of the image's colours in
// first-seen order (at most 256 are kept; later colours map to index 0).
inline std::vector<uint8_t> makeBmp(const Bitmap& image, const BmpSpec& spec = {}) {
  std::vector<uint32_t> palette;
  if (spec.bits == 8) {
    for (uint32_t p : image.pixels) {
      if (palette.size() < 256 && std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
    }
  }
  uint32_t stride = uint32_t((image.width * spec.bits + 31) / 32 * 4);
  uint32_t headerBytes = 14 + spec.infoSize + uint32_t(palette.size()) * 4;
  std::vector<uint8_t> v;
  v.push_back('B');
  v.push_back('M');
  put32(v, headerBytes + stride * uint32_t(image.height));
  put32(v, 0);
  put32(v, headerBytes);
  put32(v, spec.infoSize);
  put32(v, uint32_t(image.width));
  put32(v, uint32_t(spec.topDown ? -image.height : image.height));
  put16(v, spec.planes);
  put16(v, uint16_t(spec.bits));
  put32(v, spec.bitFields ? 3u : spec.compression);
  put32(v, stride * uint32_t(image.height));
  put32(v, 2835);
  put32(v, 2835);
  put32(v, uint32_t(palette.size()));
  put32(v, 0);
  // The larger headers start with the masks; the rest stays zero.
  std::vector<uint8_t> rest;
  if (spec.infoSize > 40) {
    put32(rest, 0x00FF0000u);
    put32(rest, 0x0000FF00u);
    put32(rest, 0x000000FFu);
    rest.resize(spec.infoSize - 40, 0);
  } else if (spec.bitFields) {
    put32(rest, 0x00FF0000u);
    put32(rest, 0x0000FF00u);
    put32(rest, 0x000000FFu);
    headerBytes += 12;
    v[10] = uint8_t(headerBytes);
    v[11] = uint8_t(headerBytes >> 8);
  }
  v.insert(v.end(), rest.begin(), rest.end());
  for (uint32_t p : palette) put32(v, p);
  for (int32_t r = 0; r < image.height; ++r) {
    int32_t y = spec.topDown ? r : image.height - 1 - r;
    size_t start = v.size();
    for (int32_t x = 0; x < image.width; ++x) {
      uint32_t p = image.pixels[size_t(y) * image.width + x];
      if (spec.bits == 8) {
        v.push_back(uint8_t(std::find(palette.begin(), palette.end(), p) - palette.begin()));
      } else {
        v.push_back(uint8_t(p));
        v.push_back(uint8_t(p >> 8));
        v.push_back(uint8_t(p >> 16));
        if (spec.bits == 32) v.push_back(0xAB);  // a fourth byte the reader must drop
      }
    }
    v.resize(start + stride, 0);
  }
  return v;
}

// An image of width × height filled with colour.
inline Bitmap solidImage(int32_t width, int32_t height, uint32_t colour) {
  Bitmap b;
  b.width = width;
  b.height = height;
  b.pixels.assign(size_t(width) * height, colour);
  return b;
}

inline void setPixel(Bitmap& b, int32_t x, int32_t y, uint32_t colour) { b.pixels[size_t(y) * b.width + x] = colour; }
inline uint32_t pixelAt(const Bitmap& b, int32_t x, int32_t y) { return b.pixels[size_t(y) * b.width + x]; }

}  // namespace zarnel::test
