#include "skin/RhythmPalette.h"

#include <array>
#include <cstddef>

namespace zarnel {

namespace {

constexpr uint32_t kClassic[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr int32_t kHues = 24, kLevels = 10;

// Return: the fully saturated colour of hue (0..23, 15 degrees each) with
// its strongest channel at top.
constexpr uint32_t hueColour(int32_t hue, uint32_t top) {
  const int32_t sector = hue / 4;         // 60 degrees each
  const uint32_t rise = top * uint32_t(hue % 4) / 4;  // the changing channel
  const uint32_t fall = top - rise;
  uint32_t r = 0, g = 0, b = 0;
  switch (sector) {
    case 0: r = top, g = rise; break;   // red to yellow
    case 1: r = fall, g = top; break;   // yellow to green
    case 2: g = top, b = rise; break;   // green to cyan
    case 3: g = fall, b = top; break;   // cyan to blue
    case 4: r = rise, b = top; break;   // blue to magenta
    default: r = top, b = fall; break;  // magenta to red
  }
  return (r << 16) | (g << 8) | b;
}

constexpr std::array<uint32_t, 256> makePalette() {
  std::array<uint32_t, 256> p{};
  for (int32_t i = 0; i < 16; ++i) p[size_t(i)] = kClassic[i];
  for (int32_t level = 0; level < kLevels; ++level) {
    const uint32_t top = 255u * uint32_t(kLevels - level) / uint32_t(kLevels);
    for (int32_t hue = 0; hue < kHues; ++hue) p[size_t(16 + kHues * level + hue)] = hueColour(hue, top);
  }
  return p;
}

constexpr std::array<uint32_t, 256> kPalette = makePalette();

}  // namespace

uint32_t rhythmPaletteColour(int32_t i) { return kPalette[size_t(uint32_t(i) & 0xFFu)]; }

}  // namespace zarnel
