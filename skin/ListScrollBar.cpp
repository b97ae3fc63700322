#include "skin/ListScrollBar.h"

#include <algorithm>

#include "skin/AreaWidgets.h"
#include "skin/PanelPainter.h"

namespace zarnel {
namespace {

// Arrow images in the panel picture: up, up pressed, down, down pressed.
constexpr SkinPoint kArrowUp{520, 0}, kArrowUpDown{536, 0}, kArrowDown{552, 0}, kArrowDownDown{568, 0};

}  // namespace

void ListScrollBar::setRange(int64_t total, int64_t visible, int64_t first) {
  total_ = std::max<int64_t>(total, 0);
  visible_ = std::max<int64_t>(visible, 0);
  first_ = std::clamp<int64_t>(first, 0, maxFirst());
}

int32_t ListScrollBar::trackLength() const { return std::max(0, rect_.height - 2 * kScrollBarWidth); }

SkinRect ListScrollBar::thumb() const {
  if (!needed()) return {};
  const int32_t track = trackLength();
  const int32_t length =
      int32_t(std::clamp<int64_t>(int64_t(track) * visible_ / total_, std::min(kScrollMinThumb, track), track));
  const int32_t offset = int32_t(int64_t(track - length) * first_ / maxFirst());
  return {rect_.x, trackTop() + offset, rect_.width, length};
}

ListScrollBar::Part ListScrollBar::partAt(int32_t x, int32_t y) const {
  if (!needed() || !rect_.contains(x, y)) return Part::kNone;
  if (y < trackTop()) return Part::kUp;
  if (y >= rect_.bottom() - kScrollBarWidth) return Part::kDown;
  const SkinRect t = thumb();
  if (y < t.y) return Part::kPageUp;
  return y < t.bottom() ? Part::kThumb : Part::kPageDown;
}

int64_t ListScrollBar::step(Part part) const {
  int64_t first = first_;
  if (part == Part::kUp) first -= 1;
  if (part == Part::kDown) first += 1;
  if (part == Part::kPageUp) first -= std::max<int64_t>(visible_, 1);
  if (part == Part::kPageDown) first += std::max<int64_t>(visible_, 1);
  return std::clamp<int64_t>(first, 0, maxFirst());
}

ListScrollBar::Part ListScrollBar::press(int32_t x, int32_t y, int64_t& first) {
  held_ = partAt(x, y);
  if (held_ == Part::kThumb) grab_ = y - thumb().y;
  first = step(held_);
  return held_;
}

int64_t ListScrollBar::drag(int32_t y) const {
  if (held_ != Part::kThumb) return first_;
  const int32_t room = trackLength() - thumb().height;
  if (room <= 0) return first_;
  const int64_t offset = std::clamp<int64_t>(int64_t(y) - grab_ - trackTop(), 0, room);
  // Rounded to the nearest row, so that the thumb follows the pointer.
  return std::clamp<int64_t>((offset * maxFirst() + room / 2) / room, 0, maxFirst());
}

int64_t ListScrollBar::repeat() const { return repeating() ? step(held_) : first_; }

void ListScrollBar::draw(PanelPainter& painter, const BrowserLook& look) const {
  if (!needed()) return;
  painter.fillRect(rect_, pixelOfColour(look.track1));
  // A slightly lighter inner lane makes the track read as a groove.
  painter.fillRect({rect_.x + 3, trackTop(), rect_.width - 6, trackLength()}, pixelOfColour(look.track2));
  painter.copy({rect_.x, rect_.y, kScrollBarWidth, kScrollBarWidth}, held_ == Part::kUp ? kArrowUpDown : kArrowUp);
  painter.copy({rect_.x, rect_.bottom() - kScrollBarWidth, kScrollBarWidth, kScrollBarWidth},
               held_ == Part::kDown ? kArrowDownDown : kArrowDown);
  const SkinRect t = thumb();
  const bool active = held_ == Part::kThumb;
  painter.fillRect({t.x + 2, t.y + 1, t.width - 4, t.height - 2}, pixelOfColour(active ? look.shadow : look.light));
  painter.fillRect({t.x + 3, t.y + 2, t.width - 6, t.height - 4}, pixelOfColour(active ? look.light : look.highlight));
}

}  // namespace zarnel
