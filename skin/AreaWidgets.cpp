#include "skin/AreaWidgets.h"

#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"

namespace zarnel {

namespace {

// The program's banner in the panel picture.
constexpr SkinRect kBanner{100, 160, 200, 40};

}  // namespace

void BrowserView::draw() {
  if (!visible() || !surface()) return;
  if (resolver_ && resolver_->drawContent()) return;
  const SkinRect& r = rect();
  if (PanelPainter* painter = panel()) {
    painter->fillRect(r, pixelOfColour(look_.face));
    painter->frame3d(r, look_, true);
    if (r.width >= kBanner.width + 8 && r.height >= kBanner.height + 8)
      painter->copy(
          {r.x + (r.width - kBanner.width) / 2, r.y + (r.height - kBanner.height) / 2, kBanner.width, kBanner.height},
          {kBanner.x, kBanner.y});
  } else {
    surface()->copyBackground(r);
  }
  invalidate();
}

}  // namespace zarnel
