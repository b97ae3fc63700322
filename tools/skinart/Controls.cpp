#include "tools/skinart/Controls.h"

#include <algorithm>
#include <cmath>

#include "tools/skinart/DetMath.h"
#include "tools/skinart/Shapes.h"
#include "tools/skinart/Theme.h"

namespace zarnel::art {

namespace {

Rect whole(const Image& image) { return {0, 0, image.width, image.height}; }

struct Face {
  uint32_t top, bottom, edge, highlight, ink;
  double glow;  // opacity of the accent's halo
  bool inset;
};

Face faceOf(ButtonState state, uint32_t accent) {
  const uint32_t base = 0x2B3039;
  switch (state) {
    case ButtonState::up: return {0x3A404C, 0x2B3039, 0x111317, 0x4E5564, 0xCDD3DD, 0, false};
    case ButtonState::over: return {0x4A5161, 0x363C48, 0x15171C, 0x646C7E, 0xFFFFFF, 0, false};
    case ButtonState::down: return {0x1C1F25, 0x272B33, 0x0B0C0F, 0x1C1F25, 0xA9B0BC, 0, true};
    case ButtonState::selected:
      return {mix(base, accent, 0.62), mix(base, accent, 0.38), shade(accent, -0.6),
              mix(base, accent, 0.9), 0xFFFFFF, 0.45, false};
    case ButtonState::overSelected:
      return {mix(base, accent, 0.82), mix(base, accent, 0.55), shade(accent, -0.5),
              shade(accent, 0.45), 0xFFFFFF, 0.7, false};
    case ButtonState::downSelected:
      return {mix(base, accent, 0.25), mix(base, accent, 0.45), shade(accent, -0.7),
              mix(base, accent, 0.25), 0xF0F0F0, 0.3, true};
  }
  return {};
}

}  // namespace

void drawButton(Image& image, const ButtonLook& look, ButtonState state, Lettering& letters) {
  const Face f = faceOf(state, look.accent);
  const double w = image.width, h = image.height, r = look.radius;
  if (f.glow > 0) glow(image, whole(image), roundRect(1, 1, w - 2, h - 2, r), look.accent, 2.0, f.glow);
  if (!f.inset) glow(image, whole(image), roundRect(1, 2, w - 2, h - 2.5, r), 0x000000, 1.2, 0.6);
  fill(image, whole(image), roundRect(1, 1, w - 2, h - 2, r), Paint::solid(f.edge));
  fill(image, whole(image), roundRect(2, 2, w - 4, h - 4, r - 1), Paint::solid(f.highlight));
  const double top = 3;
  fill(image, whole(image), roundRect(2, top, w - 4, h - 1 - top, r - 1),
       Paint::vertical(f.top, f.bottom, top, h - 2));
  if (f.inset)  // a shadow inside the top edge
  {
    const Distance inside = roundRect(2, 2, w - 4, h - 4, r - 1);
    glow(image, whole(image), [=](double x, double y) { return std::max(inside(x, y), y - 5.0); }, 0x000000,
         1.5, 0.45);
  }
  const int32_t dy = f.inset ? 1 : 0;
  const Rect box{2, 2 + dy, image.width - 4, image.height - 4};
  if (look.icon != Icon::none) drawIcon(image, look.icon, box, f.ink);
  if (!look.label.empty())
    letters.draw(image, box, look.label, {look.textHeight, true, f.ink}, Align::centre);
}

void drawKnob(Image& image, double value, bool centred, uint32_t accent, bool hovered) {
  const double cx = image.width / 2.0, cy = image.height / 2.0;
  const double R = std::min(cx, cy) - 1.5;
  const double a0 = -0.75 * kPi, a1 = 0.75 * kPi, a = a0 + (a1 - a0) * value;
  const Rect all = whole(image);
  fill(image, all, arc(cx, cy, R - 2, 2.2, a0, a1), Paint::solid(theme::kGroove));
  const uint32_t lit = hovered ? shade(accent, 0.3) : accent;
  double from = centred ? 0.0 : a0, to = a;
  if (from > to) std::swap(from, to);
  if (to - from > 0.02) {
    if (hovered) glow(image, all, arc(cx, cy, R - 2, 2.0, from, to), accent, 2.0, 0.5);
    fill(image, all, arc(cx, cy, R - 2, 1.8, from, to), Paint::solid(lit));
  }
  if (centred) fill(image, all, segment(polar(cx, cy, R - 4.5, 0), polar(cx, cy, R + 0.5, 0), 0.7),
                    Paint::solid(0x5A6170));
  const double capR = R - 6.5;
  glow(image, all, circle(cx, cy + 1.5, capR), 0x000000, 2.0, 0.7);
  fill(image, all, circle(cx, cy, capR), Paint::solid(0x101216));
  fill(image, all, circle(cx, cy, capR - 1),
       Paint::vertical(hovered ? 0x5C6475 : 0x4E5564, 0x23272E, cy - capR, cy + capR));
  fill(image, all, circle(cx, cy, capR - 3.5),
       Paint::around(hovered ? 0x3F4553 : 0x363B46, 0x2A2E36, cx, cy - capR / 2, capR * 1.4));
  fill(image, all, segment(polar(cx, cy, capR * 0.3, a), polar(cx, cy, capR - 1.5, a), 1.3),
       Paint::solid(0xF2F4F8));
}

void drawFaderCap(Image& image, bool acrossVertical, ButtonState state, uint32_t accent) {
  const double w = image.width, h = image.height;
  const bool over = state == ButtonState::over, down = state == ButtonState::down;
  const Rect all = whole(image);
  glow(image, all, roundRect(1, 2, w - 2, h - 2.5, 3), 0x000000, 1.5, 0.8);
  fill(image, all, roundRect(1, 1, w - 2, h - 2, 3), Paint::solid(0x0C0D10));
  const uint32_t top = down ? 0x2E333C : over ? 0x6A7284 : 0x5A6172;
  const uint32_t bottom = down ? 0x3A404C : over ? 0x3C4250 : 0x30353F;
  fill(image, all, roundRect(2, 2, w - 4, h - 4, 2), Paint::vertical(top, bottom, 2, h - 2));
  // A lit line across the cap marks its centre.
  const uint32_t line = over ? shade(accent, 0.35) : accent;
  if (acrossVertical)
    fill(image, all, roundRect(3, h / 2 - 1, w - 6, 2, 1), Paint::solid(line));
  else
    fill(image, all, roundRect(w / 2 - 1, 3, 2, h - 6, 1), Paint::solid(line));
}

void drawGroove(Image& image, const Rect& box, bool horizontal, bool lit, uint32_t accent,
                double halfWidth) {
  const double cx = box.x + box.w / 2.0, cy = box.y + box.h / 2.0;
  const Distance groove = horizontal
                              ? roundRect(box.x + 1, cy - halfWidth, box.w - 2, 2 * halfWidth, halfWidth)
                              : roundRect(cx - halfWidth, box.y + 1, 2 * halfWidth, box.h - 2, halfWidth);
  fill(image, box, groove, Paint::solid(0x2A2F38));
  const Distance inner = horizontal
                             ? roundRect(box.x + 2, cy - halfWidth + 1, box.w - 4, 2 * halfWidth - 2, halfWidth - 1)
                             : roundRect(cx - halfWidth + 1, box.y + 2, 2 * halfWidth - 2, box.h - 4, halfWidth - 1);
  if (!lit) {
    fill(image, box, inner, Paint::solid(theme::kGroove));
    return;
  }
  glow(image, box, inner, accent, 2.0, 0.35);
  fill(image, box, inner,
       horizontal ? Paint::vertical(shade(accent, 0.3), shade(accent, -0.25), cy - halfWidth, cy + halfWidth)
                  : Paint{shade(accent, 0.3), shade(accent, -0.25), cx - halfWidth, 0, cx + halfWidth, 0, false});
}

}  // namespace zarnel::art
