#pragma once
// Writes and reads the PNG files of the end-to-end test's screenshots:
// 8-bit RGB, written with stored (uncompressed) deflate blocks, so no
// compression library is needed; reading accepts only what writePng makes.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel::tools {

struct RgbImage {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
};

// Return: false when the file cannot be written whole.
bool writePng(const std::string& path, const RgbImage& image);
// Return: false when the file is not a PNG this writer made.
bool readPng(const std::string& path, RgbImage& image);

}  // namespace zarnel::tools
