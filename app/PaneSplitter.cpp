#include "app/PaneSplitter.h"

#include "skin/PanelPainter.h"

namespace zarnel {

// A raised bar with a grip of three dots at its middle.
void PaneSplitter::draw() {
  PanelPainter* painter = panel();
  if (!visible() || !painter || rect().width <= 0) return;
  const SkinRect& r = rect();
  painter->fillRect(r, pixelOfColour(look_.face));
  painter->fillRect({r.x + r.width / 2 - 1, r.y + 2, 2, r.height - 4}, pixelOfColour(look_.shadow));
  for (int32_t i = -1; i <= 1; ++i) {
    painter->fillRect({r.x + r.width / 2 - 2, r.y + r.height / 2 + 8 * i - 2, 4, 4}, pixelOfColour(look_.light));
  }
  invalidate();
}

void PaneSplitter::mouseDown(int32_t x, int32_t, int32_t) {
  dragging_ = true;
  grab_ = x - (rect().x + rect().width / 2);
}

void PaneSplitter::mouseMove(int32_t x, int32_t, int32_t) {
  if (dragging_ && moved_) moved_(x - grab_, false);
}

void PaneSplitter::mouseUp(int32_t x, int32_t, int32_t) {
  if (!dragging_) return;
  dragging_ = false;
  if (moved_) moved_(x - grab_, true);
}

}  // namespace zarnel
