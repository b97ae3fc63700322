#include "skin/PanelButton.h"

#include "skin/PanelPainter.h"

namespace zarnel {

int32_t panelButtonColumn(int32_t id) {
  if (id == 0 || id == 1) return 0;
  if (id >= 2 && id <= 12) return id - 1;
  if ((id >= 42 && id <= 53) || (id >= 64 && id <= 69)) return 12;
  return -1;
}

bool panelButtonToggles(int32_t id) { return id == 0 || id == 1 || id == 6; }

PanelButton::PanelButton(int32_t id, PanelButtonHost& host, const BrowserLook& look)
    : id_(id), host_(host), look_(look) {}

void PanelButton::setOn(bool on) {
  on_ = on;
}

int32_t PanelButton::stateRow() const {
  const int32_t base = on_ && panelButtonToggles(id_) ? 3 : 0;
  return base + (pressed_ ? 1 : hovered_ ? 2 : 0);
}

void PanelButton::draw() {
  if (!visible() || !panel()) return;
  const SkinRect& r = rect();
  const SkinRect cell{r.x, r.y, kPanelButtonSize, kPanelButtonSize};
  // The picture's rounded corners are transparent: the page's face shows.
  panel()->fillRect(cell, pixelOfColour(look_.face));
  const int32_t column = panelButtonColumn(id_);
  if (column >= 0) panel()->copy(cell, {column * kPanelButtonSize, stateRow() * kPanelButtonSize});
  invalidate();
}

void PanelButton::mouseDown(int32_t, int32_t, int32_t) {
  pressed_ = true;
  draw();
}

void PanelButton::mouseUp(int32_t x, int32_t y, int32_t) {
  if (!pressed_) return;
  pressed_ = false;
  // A press dragged off the button and released elsewhere is abandoned.
  const bool inside = rect().contains(x, y);
  draw();
  if (inside) host_.panelAction(id_);
}

void PanelButton::hover(int32_t, int32_t, int32_t change) {
  if (change == 0 || hovered_ == (change > 0)) return;
  hovered_ = change > 0;
  draw();
}

}  // namespace zarnel
