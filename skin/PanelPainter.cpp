#include "skin/PanelPainter.h"

#include <algorithm>
#include <cstdlib>

#include "skin/DrawSurface.h"
#include "skin/PanelImage.h"
#include "skin/TextPainter.h"

namespace zarnel {

uint32_t pixelOfColour(ColourRef c) {
  if (isSystemColour(c)) c = classicSystemColour(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void PanelPainter::plot(int32_t x, int32_t y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= surface_.width() || y >= surface_.height()) return;
  surface_.backBuffer()[int64_t(y) * surface_.width() + x] = colour;
}

void PanelPainter::copy(const SkinRect& dst, SkinPoint src) {
  copyScaled(dst, SkinRect{src.x, src.y, dst.width, dst.height});
}

void PanelPainter::copyScaled(const SkinRect& dst, const SkinRect& src) {
  if (dst.width <= 0 || dst.height <= 0 || src.width <= 0 || src.height <= 0) return;
  const uint32_t clear = transparentColour(panel_);
  const int32_t y0 = std::max(0, -dst.y), y1 = std::min<int64_t>(dst.height, int64_t(surface_.height()) - dst.y);
  const int32_t x0 = std::max(0, -dst.x), x1 = std::min<int64_t>(dst.width, int64_t(surface_.width()) - dst.x);
  for (int32_t j = y0; j < y1; ++j) {
    const int64_t sy = src.y + int64_t(j) * src.height / dst.height;
    if (sy < 0 || sy >= panel_.height) continue;
    uint32_t* out = surface_.backBuffer() + int64_t(dst.y + j) * surface_.width() + dst.x;
    for (int32_t i = x0; i < x1; ++i) {
      const int64_t sx = src.x + int64_t(i) * src.width / dst.width;
      if (sx < 0 || sx >= panel_.width) continue;
      const uint32_t p = panel_.pixels[size_t(sy) * size_t(panel_.width) + size_t(sx)];
      if (p != clear) out[i] = p;
    }
  }
}

// Bresenham's walk: every pixel of the line exactly once.
void PanelPainter::line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
  const int64_t dx = std::abs(int64_t(x1) - x0), dy = -std::abs(int64_t(y1) - y0);
  const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int64_t err = dx + dy;
  for (;;) {
    plot(x0, y0, colour);
    if (x0 == x1 && y0 == y1) return;
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void PanelPainter::polyline(const std::vector<SkinPoint>& points, uint32_t colour) {
  for (size_t i = 1; i < points.size(); ++i) line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
}

void PanelPainter::fillRect(const SkinRect& r, uint32_t colour) {
  const int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
  const int32_t x1 = int32_t(std::min<int64_t>(int64_t(r.x) + r.width, surface_.width()));
  const int32_t y1 = int32_t(std::min<int64_t>(int64_t(r.y) + r.height, surface_.height()));
  for (int32_t y = y0; y < y1; ++y) {
    uint32_t* row = surface_.backBuffer() + int64_t(y) * surface_.width();
    std::fill(row + x0, row + std::max(x0, x1), colour);
  }
}

void PanelPainter::frame3d(const SkinRect& r, const BrowserLook& look, bool sunken) {
  if (r.width < 4 || r.height < 4) return;
  // Outer ring first. Sunken: shadows top and left, lights bottom and right.
  const ColourRef topLeft[2] = {sunken ? look.shadow : look.light, sunken ? look.darkShadow : look.highlight};
  const ColourRef bottomRight[2] = {sunken ? look.highlight : look.darkShadow, sunken ? look.light : look.shadow};
  const int32_t l = r.x, t = r.y, rt = r.right() - 1, b = r.bottom() - 1;
  for (int32_t k = 0; k < 2; ++k) {
    const uint32_t upper = pixelOfColour(topLeft[k]), lower = pixelOfColour(bottomRight[k]);
    line(l + k, b - k, l + k, t + k, upper);
    line(l + k, t + k, rt - k, t + k, upper);
    line(rt - k, t + k + 1, rt - k, b - k, lower);
    line(l + k + 1, b - k, rt - k, b - k, lower);
  }
}

void PanelPainter::text(const FontDescription& font, std::string_view text, ColourRef colour, int32_t x, int32_t y,
                        const SkinRect& clip) {
  if (text_) TextPainter(surface_, *text_).drawLine(font, text, colour, x, y, clip);
}

}  // namespace zarnel
