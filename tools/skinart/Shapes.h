#pragma once
// Anti-aliased drawing from signed distances: a shape is a function giving,
// for a point, its distance to the outline (negative inside); a pixel is
// covered by 0.5 minus the distance at its centre, clamped to 0..1.

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/skinart/Image.h"

namespace zarnel::art {

using Distance = std::function<double(double x, double y)>;

// A colour that may vary over the picture: solid, linear between two points,
// or radial from a centre.
struct Paint {
  uint32_t from = 0, to = 0;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool radial = false;  // radial: from at (x0, y0), to at distance x1

  static Paint solid(uint32_t c) { return {c, c, 0, 0, 0, 1, false}; }
  static Paint vertical(uint32_t top, uint32_t bottom, double y0, double y1) {
    return {top, bottom, 0, y0, 0, y1, false};
  }
  static Paint around(uint32_t centre, uint32_t edge, double cx, double cy, double r) {
    return {centre, edge, cx, cy, r, 0, true};
  }
  uint32_t at(double x, double y) const;
};

struct Point {
  double x = 0, y = 0;
};

// Shapes.
Distance roundRect(double x, double y, double w, double h, double r);
Distance circle(double cx, double cy, double r);
Distance ring(double cx, double cy, double r, double halfWidth);
// A stroke of halfWidth around the segment a-b, with round ends.
Distance segment(Point a, Point b, double halfWidth);
// A convex polygon, points in either order of turn.
Distance polygon(std::vector<Point> points);
// An arc of ring(cx, cy, r, halfWidth) from angle a0 to a1 (radians,
// clockwise from straight up, a0 <= a1), with round ends.
Distance arc(double cx, double cy, double r, double halfWidth, double a0, double a1);
// Return: the part of a outside b.
Distance subtract(Distance a, Distance b);

// Fills shape with paint inside bounds, at opacity 0..1.
void fill(Image& image, const Rect& bounds, const Distance& shape, const Paint& paint,
          double opacity = 1.0);
// A soft-edged fill: coverage falls from 1 to 0 over 2 * blur around the outline.
void glow(Image& image, const Rect& bounds, const Distance& shape, uint32_t colour, double blur,
          double opacity);

// Return: the point at angle (radians, clockwise from straight up) and radius r.
Point polar(double cx, double cy, double r, double angle);

}  // namespace zarnel::art
