#include "skin/SampleDisplay.h"

#include "skin/PanelPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {

namespace {
constexpr int32_t kInset = 2;  // the sunken frame's width
}  // namespace

SampleDisplay::SampleDisplay(int32_t slot, SampleDisplayHost& host, const BrowserLook& look)
    : slot_(slot), host_(host), look_(look) {}

void SampleDisplay::draw() {
  if (!visible() || !panel()) return;
  const SkinRect& r = rect();
  shownLit_ = host_.samplePlaying(slot_);
  const ColourRef fill = shownLit_ ? look_.listSelected : hovered_ ? look_.light : look_.face;
  panel()->fillRect(r, pixelOfColour(fill));
  panel()->frame3d(r, look_, true);
  const std::string caption = host_.sampleCaption(slot_);
  const SkinRect inside{r.x + kInset, r.y + kInset, r.width - 2 * kInset, r.height - 2 * kInset};
  int32_t x = inside.x, y = inside.y;
  if (const TextRenderer* text = textRenderer()) {
    const TextExtent e = text->measure(look_.listFont, caption);
    x = inside.x + (inside.width - e.width) / 2;
    y = inside.y + (inside.height - e.height) / 2;
  }
  panel()->text(look_.listFont, caption, shownLit_ ? look_.listOver : look_.listColour, x, y, inside);
  invalidate();
}

void SampleDisplay::mouseDown(int32_t, int32_t, int32_t keys) {
  pressed_ = true;
  host_.pressSample(slot_, keys);
}

void SampleDisplay::mouseUp(int32_t, int32_t, int32_t) {
  if (!pressed_) return;
  pressed_ = false;
  host_.releaseSample(slot_);
}

void SampleDisplay::hover(int32_t, int32_t, int32_t change) {
  if (change == 0 || hovered_ == (change > 0)) return;
  hovered_ = change > 0;
  draw();
}

}  // namespace zarnel
