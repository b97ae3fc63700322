#include "platform/FontService.h"

#include <algorithm>

namespace zarnel {

namespace {
// Windows-1252 bytes 0x80 to 0x9F; 0xFFFD marks the unassigned ones.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

char32_t ansiCodePoint(uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

uint32_t blendCoverage(uint32_t pixel, uint32_t colour, uint32_t coverage) {
  if (coverage == 0) return pixel;
  if (coverage >= 255) return colour & 0xFFFFFF;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t p = (pixel >> shift) & 0xFF, c = (colour >> shift) & 0xFF;
    out |= ((c * coverage + p * (255 - coverage) + 127) / 255) << shift;
  }
  return out;
}

ClipRect clipToTarget(const ClipRect& clip, const PixelTarget& target) {
  ClipRect r;
  r.left = std::max(clip.left, 0);
  r.top = std::max(clip.top, 0);
  r.right = std::min(clip.right, target.width);
  r.bottom = std::min(clip.bottom, target.height);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace zarnel
