#include "skin/TextZone.h"

#include "skin/DrawSurface.h"

namespace zarnel {

namespace {

// A colour reference (red in the low byte) as a 0x00RRGGBB pixel.
uint32_t pixelOf(ColourRef c) {
  if (isSystemColour(c)) c = classicSystemColour(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The frame is a faint outline in the text's colour: 3/8 of each channel.
uint32_t dimmed(uint32_t p) {
  return ((p >> 16 & 0xFF) * 3 / 8) << 16 | ((p >> 8 & 0xFF) * 3 / 8) << 8 | (p & 0xFF) * 3 / 8;
}

}  // namespace

bool TextZone::hitTest(int32_t x, int32_t y) { return second_ && visible() && inHitArea(x, y); }

void TextZone::draw() {
  drawBackground();
  if (visible() && surface() && current().colour != kColourTransparent) {
    surface()->frame(rect(), dimmed(pixelOf(current().colour)));
  }
  if (!onSongPos_) invalidate();
}

void TextZone::mouseUp(int32_t, int32_t, int32_t) {
  showSecond_ = !showSecond_;
  if (resetCounter_ && host()) counterStart_ = host()->nowMs();
  draw();
}

}  // namespace zarnel
