#include "tools/xshot/PngFile.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zarnel::tools {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kStoredBlock = 65535;  // largest stored deflate block
constexpr int32_t kMaxSide = 16384;

const std::array<uint32_t, 256>& crcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = crcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

uint32_t big32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

void putChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  putBig32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, crc32(out.data() + start, out.size() - start));
}

// The scanlines, each with filter byte 0, in a zlib stream of stored blocks.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t at = 0;
  do {
    const size_t n = std::min(kStoredBlock, raw.size() - at);
    z.push_back(at + n == raw.size() ? 1 : 0);
    z.push_back(uint8_t(n));
    z.push_back(uint8_t(n >> 8));
    z.push_back(uint8_t(~n));
    z.push_back(uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  putBig32(z, b << 16 | a);
  return z;
}

std::vector<uint8_t> scanlines(const RgbImage& image) {
  std::vector<uint8_t> raw;
  raw.reserve(size_t(image.height) * (size_t(image.width) * 3 + 1));
  for (int32_t y = 0; y < image.height; ++y) {
    raw.push_back(0);
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t p = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
      raw.push_back(uint8_t(p >> 16));
      raw.push_back(uint8_t(p >> 8));
      raw.push_back(uint8_t(p));
    }
  }
  return raw;
}

bool readWhole(const std::string& path, std::vector<uint8_t>& bytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) return false;
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  return !std::ferror(f.get());
}

// Undoes zlibStored; false for anything else.
bool unstore(const std::vector<uint8_t>& z, std::vector<uint8_t>& raw) {
  size_t at = 2;
  for (bool last = false; !last;) {
    if (at + 5 > z.size()) return false;
    last = z[at] & 1;
    if ((z[at] & 6) != 0) return false;  // compressed block: not ours
    const size_t n = z[at + 1] | size_t(z[at + 2]) << 8;
    at += 5;
    if (at + n > z.size()) return false;
    raw.insert(raw.end(), z.begin() + long(at), z.begin() + long(at + n));
    at += n;
  }
  return true;
}

}  // namespace

bool writePng(const std::string& path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() != size_t(image.width) * size_t(image.height))
    return false;
  std::vector<uint8_t> out(kSignature, kSignature + 8);
  std::vector<uint8_t> header;
  putBig32(header, uint32_t(image.width));
  putBig32(header, uint32_t(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  putChunk(out, "IHDR", header);
  putChunk(out, "IDAT", zlibStored(scanlines(image)));
  putChunk(out, "IEND", {});
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && written;
}

bool readPng(const std::string& path, RgbImage& image) {
  std::vector<uint8_t> bytes, idat;
  if (!readWhole(path, bytes) || bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return false;
  int32_t width = 0, height = 0;
  for (size_t at = 8; at + 12 <= bytes.size();) {
    const size_t length = big32(&bytes[at]);
    if (length > bytes.size() - at - 12) return false;
    const uint8_t* data = &bytes[at + 8];
    if (std::memcmp(&bytes[at + 4], "IHDR", 4) == 0 && length == 13) {
      width = int32_t(big32(data));
      height = int32_t(big32(data + 4));
      if (data[8] != 8 || data[9] != 2 || data[12] != 0) return false;
    } else if (std::memcmp(&bytes[at + 4], "IDAT", 4) == 0) {
      idat.insert(idat.end(), data, data + length);
    }
    at += length + 12;
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  std::vector<uint8_t> raw;
  const size_t row = size_t(width) * 3 + 1;
  if (!unstore(idat, raw) || raw.size() < row * size_t(height)) return false;
  image.width = width;
  image.height = height;
  image.pixels.assign(size_t(width) * size_t(height), 0);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* line = &raw[size_t(y) * row];
    if (line[0] != 0) return false;
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* p = line + 1 + 3 * x;
      image.pixels[size_t(y) * size_t(width) + size_t(x)] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
  }
  return true;
}

}  // namespace zarnel::tools
