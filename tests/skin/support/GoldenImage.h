#pragma once
// Compares a rendered image with a reference PNG under tests/. A mismatch,
// or a missing reference, writes the rendered image as "<reference>.actual"
// beside it for review; copying that over the reference accepts it.

#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tools/xshot/PngFile.h"

namespace zarnel::test {

// Return: the path of a reference image below tests/skin/golden/.
inline std::string goldenPath(const std::string& name) {
  return std::string(ZARNEL_TEST_SOURCE_DIR) + "/skin/golden/" + name + ".png";
}

// Return: success when pixels (width × height, 0x00RRGGBB) match the
// reference name: every channel within tolerance, and at most maxOff pixels
// beyond it.
inline testing::AssertionResult matchesGolden(const std::string& name, const uint32_t* pixels, int32_t width,
                                              int32_t height, int32_t tolerance = 2, int64_t maxOff = 0) {
  tools::RgbImage actual;
  actual.width = width;
  actual.height = height;
  actual.pixels.assign(pixels, pixels + size_t(width) * size_t(height));
  for (uint32_t& p : actual.pixels) p &= 0xFFFFFFu;
  const std::string path = goldenPath(name);
  tools::RgbImage want;
  std::string why;
  if (!tools::readPng(path, want)) {
    why = "no reference image " + path;
  } else if (want.width != width || want.height != height) {
    why = "size " + std::to_string(width) + "x" + std::to_string(height) + ", reference " +
          std::to_string(want.width) + "x" + std::to_string(want.height);
  } else {
    int64_t off = 0;
    for (size_t i = 0; i < want.pixels.size(); ++i) {
      for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t a = int32_t((actual.pixels[i] >> shift) & 0xFF), b = int32_t((want.pixels[i] >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) {
          ++off;
          break;
        }
      }
    }
    if (off <= maxOff) return testing::AssertionSuccess();
    why = std::to_string(off) + " pixels differ from " + path;
  }
  tools::writePng(path + ".actual", actual);
  return testing::AssertionFailure() << why << "; the rendering is in " << path << ".actual";
}

}  // namespace zarnel::test
