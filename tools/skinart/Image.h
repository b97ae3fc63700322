#pragma once
// A 32-bit picture (0x00RRGGBB, rows top to bottom) with the few operations
// the art needs, and the 24-bit bottom-up BMP file writer.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FontService.h"

namespace zarnel::art {

struct Rect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

struct Image {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;

  Image() = default;
  Image(int32_t w, int32_t h, uint32_t fill = 0);
  uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  uint32_t& at(int32_t x, int32_t y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // Blends colour over pixel (x, y) with alpha 0..1; points outside are ignored.
  void blend(int32_t x, int32_t y, uint32_t colour, double alpha);
  PixelTarget target() { return {pixels.data(), width, height, width}; }

  // Return: the part r of this image. Pre: r lies inside.
  Image crop(const Rect& r) const;
  // Copies source with its top-left corner at (x, y), cut to this image.
  void paste(const Image& source, int32_t x, int32_t y);
  bool operator==(const Image& other) const = default;
};

// Return: the file's bytes: BITMAPFILEHEADER, BITMAPINFOHEADER, 24-bit rows
// bottom-up, each padded to four bytes.
std::vector<uint8_t> encodeBmp(const Image& image);
// Return: false when the file could not be written whole.
bool writeBmp(const std::string& path, const Image& image);

// Colour helpers: channels 0..255.
uint32_t rgb(int r, int g, int b);
// Return: a + (b - a) * t per channel, t 0..1, rounded.
uint32_t mix(uint32_t a, uint32_t b, double t);
// Return: colour scaled towards white (amount > 0) or black (amount < 0).
uint32_t shade(uint32_t colour, double amount);

}  // namespace zarnel::art
