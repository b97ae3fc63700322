#include "tools/skinart/Image.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace zarnel::art {

Image::Image(int32_t w, int32_t h, uint32_t fill)
    : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

void Image::blend(int32_t x, int32_t y, uint32_t colour, double alpha) {
  if (!contains(x, y) || alpha <= 0.0) return;
  uint32_t& p = at(x, y);
  p = alpha >= 1.0 ? (colour & 0xFFFFFF) : mix(p, colour, alpha);
}

Image Image::crop(const Rect& r) const {
  Image out(r.w, r.h);
  for (int32_t y = 0; y < r.h; ++y)
    for (int32_t x = 0; x < r.w; ++x) out.at(x, y) = at(r.x + x, r.y + y);
  return out;
}

void Image::paste(const Image& source, int32_t x0, int32_t y0) {
  for (int32_t y = 0; y < source.height; ++y)
    for (int32_t x = 0; x < source.width; ++x)
      if (contains(x0 + x, y0 + y)) at(x0 + x, y0 + y) = source.at(x, y);
}

namespace {
void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
}  // namespace

std::vector<uint8_t> encodeBmp(const Image& image) {
  const uint32_t rowBytes = (uint32_t(image.width) * 3 + 3) & ~3u;
  const uint32_t dataBytes = rowBytes * uint32_t(image.height);
  std::vector<uint8_t> out;
  out.reserve(54 + dataBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + dataBytes);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, uint32_t(image.width));
  put32(out, uint32_t(image.height));  // positive: bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // BI_RGB
  put32(out, dataBytes);
  put32(out, 2835);  // 72 dots per inch
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int32_t y = image.height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t p = image.at(x, y);
      out.push_back(uint8_t(p));
      out.push_back(uint8_t(p >> 8));
      out.push_back(uint8_t(p >> 16));
    }
    for (uint32_t pad = uint32_t(image.width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

bool writeBmp(const std::string& path, const Image& image) {
  const std::vector<uint8_t> bytes = encodeBmp(image);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

uint32_t rgb(int r, int g, int b) {
  auto c = [](int v) { return uint32_t(std::clamp(v, 0, 255)); };
  return c(r) << 16 | c(g) << 8 | c(b);
}

uint32_t mix(uint32_t a, uint32_t b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

uint32_t shade(uint32_t colour, double amount) {
  return amount >= 0 ? mix(colour, 0xFFFFFF, amount) : mix(colour, 0x000000, -amount);
}

}  // namespace zarnel::art
