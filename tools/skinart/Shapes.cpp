#include "tools/skinart/Shapes.h"

#include <algorithm>
#include <cmath>

#include "tools/skinart/DetMath.h"

namespace zarnel::art {

namespace {
// sqrt is exact to the last bit everywhere; hypot is not.
double len(double x, double y) { return std::sqrt(x * x + y * y); }
}  // namespace

uint32_t Paint::at(double x, double y) const {
  if (from == to) return from;
  if (radial) return mix(from, to, len(x - x0, y - y0) / std::max(x1, 1e-9));
  const double dx = x1 - x0, dy = y1 - y0;
  const double t = ((x - x0) * dx + (y - y0) * dy) / std::max(dx * dx + dy * dy, 1e-9);
  return mix(from, to, t);
}

Distance roundRect(double x, double y, double w, double h, double r) {
  const double cx = x + w / 2, cy = y + h / 2, hx = w / 2 - r, hy = h / 2 - r;
  return [=](double px, double py) {
    const double qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const double outside = len(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - r;
  };
}

Distance circle(double cx, double cy, double r) {
  return [=](double px, double py) { return len(px - cx, py - cy) - r; };
}

Distance ring(double cx, double cy, double r, double halfWidth) {
  return [=](double px, double py) {
    return std::fabs(len(px - cx, py - cy) - r) - halfWidth;
  };
}

Distance segment(Point a, Point b, double halfWidth) {
  return [=](double px, double py) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = std::max(dx * dx + dy * dy, 1e-12);
    const double t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0);
    return len(px - a.x - t * dx, py - a.y - t * dy) - halfWidth;
  };
}

Distance polygon(std::vector<Point> points) {
  double area = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const Point& p = points[i];
    const Point& q = points[(i + 1) % points.size()];
    area += p.x * q.y - q.x * p.y;
  }
  const double turn = area > 0 ? 1.0 : -1.0;
  return [=](double px, double py) {
    double d = -1e9;
    for (size_t i = 0; i < points.size(); ++i) {
      const Point& p = points[i];
      const Point& q = points[(i + 1) % points.size()];
      const double ex = q.x - p.x, ey = q.y - p.y, edge = len(ex, ey);
      // Outward normal for the polygon's turn.
      d = std::max(d, turn * ((px - p.x) * ey - (py - p.y) * ex) / edge);
    }
    return d;
  };
}

Distance arc(double cx, double cy, double r, double halfWidth, double a0, double a1) {
  const Point e0 = polar(cx, cy, r, a0), e1 = polar(cx, cy, r, a1);
  return [=](double px, double py) {
    double angle = detAtan2(px - cx, cy - py);  // clockwise from straight up
    if (angle < a0) angle += 2 * kPi;
    if (angle >= a0 && angle <= a1) return std::fabs(len(px - cx, py - cy) - r) - halfWidth;
    const double d0 = len(px - e0.x, py - e0.y), d1 = len(px - e1.x, py - e1.y);
    return std::min(d0, d1) - halfWidth;
  };
}

Distance subtract(Distance a, Distance b) {
  return [=](double px, double py) { return std::max(a(px, py), -b(px, py)); };
}

namespace {
template <typename Cover>
void forPixels(Image& image, const Rect& bounds, Cover cover) {
  const int32_t x0 = std::max(bounds.x, 0), y0 = std::max(bounds.y, 0);
  const int32_t x1 = std::min(bounds.x + bounds.w, image.width);
  const int32_t y1 = std::min(bounds.y + bounds.h, image.height);
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) cover(x, y, x + 0.5, y + 0.5);
}
}  // namespace

void fill(Image& image, const Rect& bounds, const Distance& shape, const Paint& paint,
          double opacity) {
  forPixels(image, bounds, [&](int32_t x, int32_t y, double px, double py) {
    const double c = std::clamp(0.5 - shape(px, py), 0.0, 1.0);
    if (c > 0) image.blend(x, y, paint.at(px, py), c * opacity);
  });
}

void glow(Image& image, const Rect& bounds, const Distance& shape, uint32_t colour, double blur,
          double opacity) {
  forPixels(image, bounds, [&](int32_t x, int32_t y, double px, double py) {
    const double t = std::clamp(0.5 - shape(px, py) / (2 * blur), 0.0, 1.0);
    const double c = t * t * (3 - 2 * t);
    if (c > 0) image.blend(x, y, colour, c * opacity);
  });
}

Point polar(double cx, double cy, double r, double angle) {
  return {cx + r * detSin(angle), cy - r * detCos(angle)};
}

}  // namespace zarnel::art
