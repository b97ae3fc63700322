#include "skin/ContextMenu.h"

#include <algorithm>

#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"
#include "skin/TextPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

constexpr int32_t kPadY = 4;  // above the first and below the last entry
constexpr int32_t kTextLeft = 16, kTextRight = 28;
constexpr int32_t kSeparatorHeight = 9;
constexpr int32_t kMinWidth = 150;
constexpr int32_t kShadow = 4;  // the shadow's reach right and below

// Return: a and b mixed, weight parts of b in 256.
uint32_t mix(uint32_t a, uint32_t b, int32_t weight) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int32_t x = int32_t((a >> shift) & 0xFF), y = int32_t((b >> shift) & 0xFF);
    out |= uint32_t((x * (256 - weight) + y * weight) / 256) << shift;
  }
  return out;
}

}  // namespace

int32_t ContextMenu::itemHeight() const {
  const int32_t line = textRenderer() ? textRenderer()->measure(look_.listFont, "Ag").height : look_.listFont.height;
  return std::max(line + 10, 20);
}

int32_t ContextMenu::entryTop(size_t index) const {
  int32_t top = rect().y + kPadY;
  for (size_t i = 0; i < index && i < entries_.size(); ++i)
    top += entries_[i].id == 0 ? kSeparatorHeight : itemHeight();
  return top;
}

void ContextMenu::open(int32_t x, int32_t y, std::vector<MenuEntry> entries) {
  if (open_) close();
  if (!surface() || !textRenderer()) return;
  entries_ = std::move(entries);
  int32_t width = kMinWidth, height = 2 * kPadY;
  for (const MenuEntry& e : entries_) {
    if (e.id != 0)
      width = std::max(width, textRenderer()->measure(look_.listFont, e.text).width + kTextLeft + kTextRight);
    height += e.id == 0 ? kSeparatorHeight : itemHeight();
  }
  // Kept inside the window, shadow included, where the window is big enough.
  x = std::max(0, std::min(x, surface()->width() - width - kShadow));
  y = std::max(0, std::min(y, surface()->height() - height - kShadow));
  setRect(x, y, width, height);
  hot_ = -1;
  pressedInside_ = false;
  open_ = true;
  saveUnder();
  draw();
}

SkinRect ContextMenu::withShadow() const {
  const SkinRect& r = rect();
  const int32_t x0 = std::max(0, r.x), y0 = std::max(0, r.y);
  const int32_t x1 = std::min(surface()->width(), r.right() + kShadow);
  const int32_t y1 = std::min(surface()->height(), r.bottom() + kShadow);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void ContextMenu::saveUnder() {
  savedRect_ = withShadow();
  saved_.resize(size_t(savedRect_.width) * size_t(savedRect_.height));
  for (int32_t j = 0; j < savedRect_.height; ++j) {
    const uint32_t* row = surface()->backBuffer() + int64_t(savedRect_.y + j) * surface()->width() + savedRect_.x;
    std::copy(row, row + savedRect_.width, saved_.begin() + int64_t(j) * savedRect_.width);
  }
}

void ContextMenu::close() {
  if (!open_) return;
  open_ = false;
  hot_ = -1;
  if (surface()) {
    for (int32_t j = 0; j < savedRect_.height; ++j) {
      uint32_t* row = surface()->backBuffer() + int64_t(savedRect_.y + j) * surface()->width() + savedRect_.x;
      std::copy(saved_.begin() + int64_t(j) * savedRect_.width, saved_.begin() + int64_t(j + 1) * savedRect_.width,
                row);
    }
    surface()->invalidate(savedRect_);
  }
  saved_.clear();
  host_.menuClosed();
}

void ContextMenu::paintShadow() {
  // Darkens the pixels right of and below the menu, fading out over kShadow.
  const SkinRect& r = rect();
  const SkinRect area = withShadow();
  for (int32_t y = std::max(area.y, r.y + kShadow); y < area.bottom(); ++y) {
    for (int32_t x = std::max(area.x, r.x + kShadow); x < area.right(); ++x) {
      if (x < r.right() && y < r.bottom()) continue;
      const int32_t reach = std::max(x - r.right() + 1, y - r.bottom() + 1);
      uint32_t& p = surface()->backBuffer()[int64_t(y) * surface()->width() + x];
      p = mix(p, 0, 30 * (kShadow + 1 - reach) + 10);
    }
  }
}

void ContextMenu::draw() {
  if (!open_ || !surface() || !panel() || !textRenderer()) return;
  PanelPainter& p = *panel();
  const SkinRect& r = rect();
  paintShadow();
  const uint32_t face = pixelOfColour(look_.highlight), text = pixelOfColour(look_.listColour);
  p.fillRect(r, face);
  surface()->frame(r, mix(pixelOfColour(look_.light), text, 48));
  TextPainter painter(*surface(), *textRenderer());
  const int32_t line = painter.lineHeight(look_.listFont);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const int32_t top = entryTop(i);
    if (entries_[i].id == 0) {
      p.line(r.x + 8, top + kSeparatorHeight / 2, r.right() - 9, top + kSeparatorHeight / 2,
             pixelOfColour(look_.light));
      continue;
    }
    const bool hot = int32_t(i) == hot_;
    const SkinRect row{r.x + 3, top, r.width - 6, itemHeight()};
    if (hot) p.fillRect(row, pixelOfColour(look_.listSelected));
    painter.drawLine(look_.listFont, entries_[i].text, hot ? look_.listOver : look_.listColour, r.x + kTextLeft,
                     top + (itemHeight() - line) / 2, row);
  }
  surface()->invalidate(withShadow());
}

bool ContextMenu::hitTest(int32_t, int32_t) { return open_ && visible(); }

int32_t ContextMenu::entryAt(int32_t x, int32_t y) const {
  if (!open_ || !rect().contains(x, y)) return -1;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const int32_t top = entryTop(i), height = entries_[i].id == 0 ? kSeparatorHeight : itemHeight();
    if (y >= top && y < top + height) return entries_[i].id == 0 ? -1 : int32_t(i);
  }
  return -1;
}

void ContextMenu::setHot(int32_t index) {
  if (index == hot_) return;
  hot_ = index;
  draw();
}

void ContextMenu::choose(int32_t index) {
  if (index < 0 || size_t(index) >= entries_.size() || entries_[size_t(index)].id == 0) return;
  const int32_t id = entries_[size_t(index)].id;
  close();
  host_.menuChosen(id);
}

void ContextMenu::mouseDown(int32_t x, int32_t y, int32_t) {
  if (!open_) return;
  if (!rect().contains(x, y)) {
    close();
    return;
  }
  pressedInside_ = true;
  setHot(entryAt(x, y));
}

void ContextMenu::mouseMove(int32_t x, int32_t y, int32_t) {
  if (open_) setHot(entryAt(x, y));
}

void ContextMenu::mouseUp(int32_t x, int32_t y, int32_t) {
  pressedInside_ = false;
  if (open_) choose(entryAt(x, y));
}

void ContextMenu::hover(int32_t x, int32_t y, int32_t change) {
  if (open_) setHot(change < 0 ? -1 : entryAt(x, y));
}

void ContextMenu::moveHot(int32_t step) {
  const int32_t n = int32_t(entries_.size());
  int32_t at = hot_;
  for (int32_t k = 0; k < n; ++k) {
    at = at < 0 ? (step > 0 ? 0 : n - 1) : (at + step + n) % n;
    if (entries_[size_t(at)].id != 0) {
      setHot(at);
      return;
    }
  }
}

bool ContextMenu::key(int32_t code) {
  if (!open_) return false;
  if (code == menukey::kEscape) close();
  if (code == menukey::kUp) moveHot(-1);
  if (code == menukey::kDown) moveHot(1);
  if (code == menukey::kEnter) choose(hot_);
  return true;
}

}  // namespace zarnel
