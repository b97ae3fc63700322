#include "skin/RhythmPainter.h"

#include <algorithm>

#include "skin/RhythmPalette.h"

namespace zarnel {

SkinRect RhythmPainter::paint(const RhythmView& view, DrawSurface& surface, const DeskDisplay& desks,
                              int32_t active) {
  const SkinRect& v = view.rect();
  // A loaded skin keeps every widget inside the window; a view that is not
  // (or is empty) draws nothing rather than being shifted.
  if (!view.visible() || v.width <= 0 || v.height <= 0 || v.x < 0 || v.y < 0) return {};
  // The first 1024 columns, cut to the back buffer.
  const SkinRect r{v.x, v.y, std::min<int32_t>({v.width, kRhythmMaxColumns, surface.width() - v.x}),
                   std::min(v.height, surface.height() - v.y)};
  if (r.width <= 0 || r.height <= 0) return {};
  const int32_t columns = std::min(v.width, kRhythmMaxColumns);
  active = active == 1 ? 1 : 0;
  desks.strengthCurve(1 - active, playing_.data(), columns, v.height);
  desks.strengthCurve(active, active_.data(), columns, v.height);
  if (view.look().colourMode) {
    paintColours(view.look(), surface, r, v.height);
  } else {
    paintImages(view.look(), surface, r, v.height);
  }
  return r;
}

// Rows count up from the view's bottom edge, columns from its left edge.
void RhythmPainter::paintColours(const RhythmLook& look, DrawSurface& surface, const SkinRect& r,
                                 int32_t height) {
  const uint32_t colours[4] = {rhythmPaletteColour(look.back), rhythmPaletteColour(look.chan1),
                               rhythmPaletteColour(look.chan2), rhythmPaletteColour(look.both)};
  uint32_t* back = surface.backBuffer();
  for (int32_t j = 0; j < r.height; ++j) {
    uint32_t* row = back + int64_t(r.y + j) * surface.width() + r.x;
    const int32_t fromBottom = height - 1 - j;
    for (int32_t i = 0; i < r.width; ++i) row[i] = colours[cover(i, fromBottom)];
  }
}

void RhythmPainter::paintImages(const RhythmLook& look, DrawSurface& surface, const SkinRect& r,
                                int32_t height) {
  const SkinPoint images[4] = {look.up, look.chan1Image, look.chan2Image, look.bothImage};
  uint32_t* back = surface.backBuffer();
  for (int32_t j = 0; j < r.height; ++j) {
    uint32_t* row = back + int64_t(r.y + j) * surface.width() + r.x;
    const int32_t fromBottom = height - 1 - j;
    for (int32_t i = 0; i < r.width; ++i) {
      const SkinPoint& from = images[cover(i, fromBottom)];
      row[i] = surface.skinPixel(from.x + i, from.y + j);
    }
  }
}

}  // namespace zarnel
