// The turning disc, the tone arm, beat lamps and the button icons.
#include <algorithm>
#include <cmath>

#include "tools/skinart/Controls.h"
#include "tools/skinart/DetMath.h"
#include "tools/skinart/Shapes.h"
#include "tools/skinart/Theme.h"

namespace zarnel::art {

namespace {

Rect whole(const Image& image) { return {0, 0, image.width, image.height}; }

// The half of a circle that starts at angle and turns clockwise by pi.
Distance halfDisc(double cx, double cy, double r, double angle) {
  const Point edge = polar(0, 0, 1, angle);
  return [=](double x, double y) {
    const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - r;
    // Which side of the diameter through angle: the cross product's sign.
    const double side = -(edge.x * (y - cy) - edge.y * (x - cx));
    return std::max(d, side);
  };
}

void drawVinyl(Image& image, double cx, double cy, double R) {
  const Rect all = whole(image);
  fill(image, all, circle(cx, cy, R - 4), Paint::solid(0x0B0C0E));
  for (double r = R - 8; r > 36; r -= 3.0)
    fill(image, all, ring(cx, cy, r, 0.45), Paint::solid(r > R - 20 || r < 44 ? 0x131519 : 0x17191E));
  // The light's reflection stands still while the record turns.
  for (double a : {-0.55, 0.55 + kPi}) {
    const Point p1 = polar(cx, cy, R - 6, a - 0.3), p2 = polar(cx, cy, R - 6, a + 0.3);
    fill(image, all, subtract(polygon({{cx, cy}, p1, p2}), circle(cx, cy, 36)), Paint::solid(0xFFFFFF),
         0.045);
  }
}

}  // namespace

void drawDisc(Image& image, double angle, uint32_t accent) {
  const double cx = image.width / 2.0, cy = image.height / 2.0, R = std::min(cx, cy) - 2;
  const Rect all = whole(image);
  glow(image, all, circle(cx, cy + 2, R), 0x000000, 3.0, 0.8);
  fill(image, all, circle(cx, cy, R), Paint::vertical(0x767E8C, 0x2A2E36, cy - R, cy + R));
  fill(image, all, circle(cx, cy, R - 2), Paint::vertical(0x3B414C, 0x1E2127, cy - R, cy + R));
  drawVinyl(image, cx, cy, R);
  // The label: two tones, so that its turn shows.
  fill(image, all, circle(cx, cy, 31), Paint::solid(0x08090B));
  fill(image, all, circle(cx, cy, 29), Paint::vertical(shade(accent, 0.15), shade(accent, -0.35), cy - 29, cy + 29));
  fill(image, all, halfDisc(cx, cy, 29, angle), Paint::solid(shade(accent, -0.55)), 0.85);
  fill(image, all, ring(cx, cy, 21, 0.6), Paint::solid(0x000000), 0.35);
  // The cue mark on the record's edge.
  fill(image, all, segment(polar(cx, cy, R - 16, angle), polar(cx, cy, R - 6, angle), 1.6),
       Paint::solid(0xF4F6FA));
  fill(image, all, circle(cx, cy, 4), Paint::vertical(0xE0E4EA, 0x6A717E, cy - 4, cy + 4));
}

void drawArm(Image& image, double t, bool mirrored) {
  const Rect all = whole(image);
  const double px = image.width / 2.0, py = 14;
  const double swing = (mirrored ? 1 : -1) * 0.10 * t;
  const double length = image.height - 30.0;
  const Point dir{-detSin(-swing), detCos(-swing)};  // pointing down, turned by the swing
  const Point tip{px + dir.x * length, py + dir.y * length};
  fill(image, all, circle(px, py, 11), Paint::vertical(0x4C5362, 0x22252C, py - 11, py + 11));
  fill(image, all, circle(px, py, 7), Paint::solid(0x15171B));
  const Point weight{px - dir.x * 2, py - dir.y * 2};
  glow(image, all, segment({px + 1.5, py + 2}, {tip.x + 1.5, tip.y + 2}, 2.2), 0x000000, 1.5, 0.6);
  fill(image, all, segment({px, py}, tip, 2.0), Paint{0xC8CED8, 0x6D7481, px - 2, 0, px + 2, 0, false});
  const Point head{tip.x - dir.x * 10, tip.y - dir.y * 10};
  fill(image, all, segment(head, tip, 4.0), Paint::vertical(0x8D95A3, 0x474D59, head.y, tip.y));
  fill(image, all, circle(weight.x, weight.y, 5), Paint::vertical(0xAEB5C1, 0x555B67, py - 5, py + 5));
}

void drawLamp(Image& image, bool lit, uint32_t colour) {
  const double cx = image.width / 2.0, cy = image.height / 2.0, r = std::min(cx, cy) - 2.5;
  const Rect all = whole(image);
  fill(image, all, circle(cx, cy, r + 1.5), Paint::solid(0x0A0B0D));
  if (!lit) {
    fill(image, all, circle(cx, cy, r), Paint::around(mix(colour, 0x000000, 0.6), mix(colour, 0x000000, 0.82), cx, cy - r / 2, r * 1.6));
    return;
  }
  glow(image, all, circle(cx, cy, r), colour, 2.5, 0.9);
  fill(image, all, circle(cx, cy, r), Paint::around(shade(colour, 0.75), colour, cx, cy - r / 3, r * 1.2));
}

void drawIcon(Image& image, Icon icon, const Rect& box, uint32_t colour) {
  const double cx = box.x + box.w / 2.0, cy = box.y + box.h / 2.0;
  const double s = std::min(std::min(box.w, box.h) * 0.5, 16.0) / 2;  // half the icon's size
  const Paint ink = Paint::solid(colour);
  const Rect all = whole(image);
  auto bar = [&](double x, double y, double w, double h) { fill(image, all, roundRect(x, y, w, h, 1.0), ink); };
  switch (icon) {
    case Icon::play:
      fill(image, all, polygon({{cx - s * 0.8, cy - s}, {cx + s * 1.0, cy}, {cx - s * 0.8, cy + s}}), ink);
      break;
    case Icon::pause:
      bar(cx - s * 0.85, cy - s, s * 0.6, 2 * s);
      bar(cx + s * 0.25, cy - s, s * 0.6, 2 * s);
      break;
    case Icon::playPause:
      fill(image, all, polygon({{cx - s * 1.7, cy - s}, {cx - s * 0.1, cy}, {cx - s * 1.7, cy + s}}), ink);
      bar(cx + s * 0.35, cy - s, s * 0.45, 2 * s);
      bar(cx + s * 1.15, cy - s, s * 0.45, 2 * s);
      break;
    case Icon::stop: bar(cx - s * 0.85, cy - s * 0.85, s * 1.7, s * 1.7); break;
    case Icon::headphones:
      fill(image, all, arc(cx, cy + s * 0.2, s * 1.05, s * 0.16, -0.5 * kPi, 0.5 * kPi), ink);
      bar(cx - s * 1.3, cy + s * 0.05, s * 0.6, s * 0.95);
      bar(cx + s * 0.7, cy + s * 0.05, s * 0.6, s * 0.95);
      break;
    case Icon::close:
      fill(image, all, segment({cx - s * 0.7, cy - s * 0.7}, {cx + s * 0.7, cy + s * 0.7}, 1.1), ink);
      fill(image, all, segment({cx + s * 0.7, cy - s * 0.7}, {cx - s * 0.7, cy + s * 0.7}, 1.1), ink);
      break;
    case Icon::minimize: bar(cx - s * 0.8, cy + s * 0.3, s * 1.6, 2.0); break;
    case Icon::maximize:
      fill(image, all, subtract(roundRect(cx - s * 0.75, cy - s * 0.7, s * 1.5, s * 1.4, 1.5),
                                roundRect(cx - s * 0.75 + 1.6, cy - s * 0.7 + 3, s * 1.5 - 3.2, s * 1.4 - 4.6, 0.5)),
           ink);
      break;
    case Icon::none: break;
  }
}

}  // namespace zarnel::art
