#include "app/SplashImage.h"

#include <cmath>

#include "skin/WindowShape.h"

namespace zarnel {

namespace {

constexpr double kCentreX = 146.0, kCentreY = 146.0, kRadius = 140.0;

uint32_t rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// Return: the colour of the record at distance d from its centre, or 0
// outside it.
uint32_t recordColour(double d, double angle) {
  if (d > kRadius) return 0;
  if (d < 6) return rgb(20, 20, 24);          // spindle hole
  if (d < 48) {                               // label
    const bool band = std::fmod(angle + 7.0, 1.2) < 0.6 && d > 30;
    return band ? rgb(250, 170, 40) : rgb(230, 90, 30);
  }
  const int groove = int(d) % 3 == 0 ? 38 : 24;  // grooves
  const int sheen = int(24 * std::pow(std::cos(angle * 2 - 0.8), 8));  // light on the vinyl
  return rgb(groove + sheen, groove + sheen, groove + sheen + 6);
}

// Return: whether (x, y) lies on the tone arm, which rests on the record.
bool onArm(double x, double y) {
  const double ax = 262, ay = 300, bx = 210, by = 120;  // pivot to head
  const double vx = bx - ax, vy = by - ay;
  const double t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy);
  if (t < -0.05 || t > 1.05) return std::hypot(x - ax, y - ay) < 18;
  const double px = ax + t * vx, py = ay + t * vy;
  return std::hypot(x - px, y - py) < (t > 0.95 ? 9 : 5) || std::hypot(x - ax, y - ay) < 18;
}

}  // namespace

SplashImage makeSplashImage() {
  SplashImage s;
  s.image.width = kSplashWidth;
  s.image.height = kSplashHeight;
  s.image.pixels.assign(size_t(kSplashWidth) * kSplashHeight, 0);
  for (int32_t y = 0; y < kSplashHeight; ++y) {
    for (int32_t x = 0; x < kSplashWidth; ++x) {
      const size_t i = size_t(y) * kSplashWidth + size_t(x);
      const double dx = x - kCentreX, dy = y - kCentreY;
      const uint32_t record = recordColour(std::hypot(dx, dy), std::atan2(dy, dx));
      if (onArm(x, y)) {
        s.image.pixels[i] = rgb(200, 205, 215);
      } else {
        s.image.pixels[i] = record;
      }
    }
  }
  // Black, the top-left pixel's colour, is the transparent one.
  s.mask = shapeMask(shapeRuns(s.image), kSplashWidth, kSplashHeight);
  return s;
}

}  // namespace zarnel
