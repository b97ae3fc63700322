#include "skin/DrawSurface.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zarnel {

namespace {

// A list that is never taken stays bounded: past this many rectangles the
// last one grows to cover the new ones.
constexpr size_t kMaxMarked = 256;

SkinRect unite(const SkinRect& a, const SkinRect& b) {
  int32_t x = std::min(a.x, b.x), y = std::min(a.y, b.y);
  return {x, y, std::max(a.right(), b.right()) - x, std::max(a.bottom(), b.bottom()) - y};
}

uint32_t blendPixel(uint32_t lit, uint32_t unlit, uint32_t w) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t l = (lit >> shift) & 0xFF, u = (unlit >> shift) & 0xFF;
    out |= ((l * w + u * (256 - w)) / 256) << shift;
  }
  return out;
}

}  // namespace

DrawSurface::DrawSurface(uint32_t* back, int32_t width, int32_t height, const Bitmap* skin)
    : back_(back), width_(width), height_(height), skin_(skin) {}

uint32_t DrawSurface::skinPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= skin_->width || y >= skin_->height) return 1;
  return skinRow(y)[x];
}

DrawSurface::Span DrawSurface::clip(const SkinRect& dst, const SkinPoint* sources, int32_t count) const {
  int64_t x0 = std::max<int64_t>(0, -int64_t(dst.x)), y0 = std::max<int64_t>(0, -int64_t(dst.y));
  int64_t x1 = std::min<int64_t>(dst.width, int64_t(width_) - dst.x);
  int64_t y1 = std::min<int64_t>(dst.height, int64_t(height_) - dst.y);
  for (int32_t i = 0; i < count; ++i) {
    x0 = std::max<int64_t>(x0, -int64_t(sources[i].x));
    y0 = std::max<int64_t>(y0, -int64_t(sources[i].y));
    x1 = std::min<int64_t>(x1, int64_t(skin_->width) - sources[i].x);
    y1 = std::min<int64_t>(y1, int64_t(skin_->height) - sources[i].y);
  }
  if (x1 < x0) x1 = x0;
  if (y1 < y0) y1 = y0;
  return {int32_t(x0), int32_t(x1), int32_t(y0), int32_t(y1)};
}

void DrawSurface::copyRect(const SkinRect& dst, SkinPoint src) {
  Span s = clip(dst, &src, 1);
  for (int32_t j = s.y0; j < s.y1; ++j) {
    const uint32_t* from = skinRow(src.y + j) + src.x;
    std::copy(from + s.x0, from + s.x1, backRow(dst.y + j) + dst.x + s.x0);
  }
}

void DrawSurface::copyMasked(const SkinRect& dst, SkinPoint src, SkinPoint mask) {
  SkinPoint sources[2] = {src, mask};
  Span s = clip(dst, sources, 2);
  for (int32_t j = s.y0; j < s.y1; ++j) {
    const uint32_t* from = skinRow(src.y + j) + src.x;
    const uint32_t* m = skinRow(mask.y + j) + mask.x;
    uint32_t* to = backRow(dst.y + j) + dst.x;
    for (int32_t i = s.x0; i < s.x1; ++i) {
      if ((m[i] & 0xFFFFFFu) == 0) to[i] = from[i];
    }
  }
}

void DrawSurface::blend(const SkinRect& dst, SkinPoint lit, SkinPoint unlit, int32_t weight,
                        const SkinPoint* mask) {
  SkinPoint sources[3] = {lit, unlit, mask ? *mask : lit};
  Span s = clip(dst, sources, 3);
  uint32_t w = uint32_t(std::clamp(weight, 0, 255));
  for (int32_t j = s.y0; j < s.y1; ++j) {
    const uint32_t* l = skinRow(lit.y + j) + lit.x;
    const uint32_t* u = skinRow(unlit.y + j) + unlit.x;
    uint32_t* to = backRow(dst.y + j) + dst.x;
    for (int32_t i = s.x0; i < s.x1; ++i) {
      if (mask && (skinRow(mask->y + j)[mask->x + i] & 0xFFFFFFu) != 0) continue;
      to[i] = blendPixel(l[i], u[i], w);
    }
  }
}

void DrawSurface::copySector(const SkinRect& dst, SkinPoint lit, SkinPoint unlit, SkinPoint mask,
                             int32_t centreX, int32_t centreY, double start, double end) {
  SkinPoint sources[3] = {lit, unlit, mask};
  Span s = clip(dst, sources, 3);
  for (int32_t j = s.y0; j < s.y1; ++j) {
    const uint32_t* m = skinRow(mask.y + j) + mask.x;
    uint32_t* to = backRow(dst.y + j) + dst.x;
    int32_t y = dst.y + j;
    for (int32_t i = s.x0; i < s.x1; ++i) {
      if ((m[i] & 0xFFFFFFu) != 0) continue;
      double t = std::atan2(double(centreX) - double(dst.x + i), double(y) - double(centreY));
      bool inLit = start > end ? (t >= start || t < end) : (start < t && t <= end);
      SkinPoint from = inLit ? lit : unlit;
      to[i] = skinRow(from.y + j)[from.x + i];
    }
  }
}

void DrawSurface::frame(const SkinRect& r, uint32_t colour) {
  auto fill = [&](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    for (int64_t y = std::max<int64_t>(y0, 0); y < std::min<int64_t>(y1, height_); ++y) {
      for (int64_t x = std::max<int64_t>(x0, 0); x < std::min<int64_t>(x1, width_); ++x) {
        backRow(int32_t(y))[x] = colour;
      }
    }
  };
  if (r.width <= 0 || r.height <= 0) return;
  int64_t right = int64_t(r.x) + r.width, bottom = int64_t(r.y) + r.height;
  fill(r.x, r.y, right, int64_t(r.y) + 1);
  fill(r.x, bottom - 1, right, bottom);
  fill(r.x, r.y, int64_t(r.x) + 1, bottom);
  fill(right - 1, r.y, right, bottom);
}

void DrawSurface::record(std::vector<SkinRect>& list, const SkinRect& r) {
  int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
  int32_t x1 = int32_t(std::min<int64_t>(int64_t(r.x) + r.width, width_));
  int32_t y1 = int32_t(std::min<int64_t>(int64_t(r.y) + r.height, height_));
  if (x1 <= x0 || y1 <= y0) return;
  SkinRect clipped{x0, y0, x1 - x0, y1 - y0};
  if (list.size() >= kMaxMarked) {
    list.back() = unite(list.back(), clipped);
    return;
  }
  list.push_back(clipped);
}

void DrawSurface::invalidate(const SkinRect& r) { record(invalidated_, r); }
void DrawSurface::showNow(const SkinRect& r) { record(shown_, r); }

std::vector<SkinRect> DrawSurface::takeInvalidated() { return std::exchange(invalidated_, {}); }
std::vector<SkinRect> DrawSurface::takeShown() { return std::exchange(shown_, {}); }

}  // namespace zarnel
