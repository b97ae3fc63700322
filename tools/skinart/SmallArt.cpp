// The tooltip balloon and the program icon.
#include <algorithm>

#include "tools/skinart/Controls.h"
#include "tools/skinart/PanelArt.h"
#include "tools/skinart/Shapes.h"
#include "tools/skinart/Theme.h"

namespace zarnel::art {

namespace {
Distance unite(Distance a, Distance b) {
  return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}
}  // namespace

Image makeTooltipImage() {
  constexpr uint32_t kBody = 0xF3F5F8, kEdge = 0x707A8C;
  Image image(29, 30, kTransparent);
  // The body runs past both ends so that column 22 is the same from top to
  // bottom; the pointer hangs from the left end towards the mouse.
  const Distance body = roundRect(0, 0, 29, 23, 4);
  const Distance pointer = polygon({{3, 21}, {12, 21}, {2.5, 29.5}});
  const Distance shape = unite(body, pointer);
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 29; ++x) {
      const double d = shape(x + 0.5, y + 0.5);
      if (d > 0) continue;  // hard edge: the window's shape is made from these pixels
      image.at(x, y) = mix(kBody, kEdge, std::clamp(d + 1.6, 0.0, 1.0));
    }
  }
  return image;
}

Image makeProgramIcon(int32_t size) {
  const double s = size / 32.0;
  Image image(size, size, kTransparent);
  Image art(size, size, 0x101216);
  const Rect all{0, 0, size, size};
  fill(art, all, roundRect(0, 0, size, size, 7 * s), Paint::vertical(0x343A46, 0x15171C, 0, size));
  const double c = size / 2.0;
  fill(art, all, circle(c, c, 12.5 * s), Paint::solid(0x050607));
  for (double r = 11 * s; r > 6 * s; r -= 1.6 * s) fill(art, all, ring(c, c, r, 0.3 * s), Paint::solid(0x23262C));
  fill(art, all, circle(c, c, 5.2 * s), Paint::solid(theme::kDesk1));
  const Distance label = circle(c, c, 5.2 * s);
  fill(art, all, [=](double x, double y) { return std::max(label(x, y), c - x); }, Paint::solid(theme::kDesk2));
  fill(art, all, circle(c, c, 1.3 * s), Paint::solid(0xE6EAF0));
  const Distance tile = roundRect(0, 0, size, size, 7 * s);
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x)
      if (tile(x + 0.5, y + 0.5) <= 0) image.at(x, y) = art.at(x, y);
  return image;
}

}  // namespace zarnel::art
