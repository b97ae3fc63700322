#include "skin/Widget.h"

#include "skin/DrawSurface.h"

namespace zarnel {

bool Widget::hitTest(int32_t x, int32_t y) { return visible_ && rect_.contains(x, y); }

void Widget::setRect(int32_t x, int32_t y, int32_t width, int32_t height) { rect_ = {x, y, width, height}; }

void Widget::setVisible(bool on) { visible_ = on; }

bool Widget::inHitArea(int32_t x, int32_t y) const {
  switch (hitArea_.kind) {
    case HitArea::Kind::kRect:
      return hitArea_.rect.contains(x, y);
    case HitArea::Kind::kCircle: {
      int64_t dx = int64_t(x) - hitArea_.rect.x, dy = int64_t(y) - hitArea_.rect.y;
      return dx * dx + dy * dy <= int64_t(hitArea_.radius) * hitArea_.radius;
    }
    case HitArea::Kind::kMask:
      // The mask has the widget's size: only points on the widget have a pixel.
      if (!rect_.contains(x, y) || !surface()) return false;
      return surface()->skinBlack(hitArea_.rect.x + (x - rect_.x), hitArea_.rect.y + (y - rect_.y));
    case HitArea::Kind::kWidget:
      break;
  }
  return rect_.contains(x, y);
}

void Widget::drawImagePart(SkinPoint src, const SkinRect& part) const {
  DrawSurface* s = surface();
  if (!s) return;
  SkinRect dst{rect_.x + part.x, rect_.y + part.y, part.width, part.height};
  SkinPoint from{src.x + part.x, src.y + part.y};
  if (clipMask_) {
    s->copyMasked(dst, from, {clipMask_->x + part.x, clipMask_->y + part.y});
  } else {
    s->copyRect(dst, from);
  }
}

void Widget::drawImage(SkinPoint src) const { drawImagePart(src, {0, 0, rect_.width, rect_.height}); }

void Widget::drawBackground() const {
  if (surface()) surface()->copyBackground(rect_);
}

void Widget::invalidate() const {
  if (surface()) surface()->invalidate(rect_);
}

void Widget::showNow() const {
  if (surface()) surface()->showNow(rect_);
}

}  // namespace zarnel
