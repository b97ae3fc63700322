#include "skin/SearchField.h"

#include <cstdlib>

#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"
#include "skin/TextPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {

SearchField::~SearchField() {
  if (holding_) host_.stopCaretTimer(kCaretTimer);
}

void SearchField::mouseDown(int32_t x, int32_t, int32_t keys) {
  const bool left = (keys & keys::kRightButton) == 0;
  if ((keys & keys::kDoubleClick) != 0 || (left && !holding_)) {
    caret_ = first_ = 0;
    if (!text_.empty()) {
      text_.clear();
      changed();
    }
  } else {
    caret_ = caretAt(x);
  }
  takeKeyboard();
  caretShown_ = true;
  draw();
}

void SearchField::hover(int32_t, int32_t, int32_t change) {
  if (change != 0) host_.showTextCursor(change > 0);
}

bool SearchField::key(int32_t code) {
  if (!holding_) return false;
  if (code == searchkey::kEnter || code == searchkey::kEscape || (code >= searchkey::kF1 && code <= searchkey::kF12)) {
    releaseKeyboard();
    return false;
  }
  if (code == searchkey::kBackspace) {
    if (caret_ > 0) erase(--caret_);
  } else if (code == searchkey::kDelete) {
    if (caret_ < text_.size()) erase(caret_);
  } else if (code == searchkey::kLeft) {
    if (caret_ > 0) --caret_;
  } else if (code == searchkey::kRight) {
    if (caret_ < text_.size()) ++caret_;
  } else {
    insert(host_.translateKey(code));
  }
  scrollToCaret();
  caretShown_ = true;
  draw();
  return true;
}

void SearchField::insert(const std::string& chars) {
  std::string kept;
  for (char c : chars) {
    // Control characters (a Ctrl key's, a tab) have no place in a search.
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F && text_.size() + kept.size() < kSearchMaxText) kept += c;
  }
  if (kept.empty()) return;
  text_.insert(caret_, kept);
  caret_ += kept.size();
  changed();
}

void SearchField::erase(size_t at) {
  text_.erase(at, 1);
  changed();
}

void SearchField::changed() { host_.searchTextChanged(text_); }

void SearchField::caretTick() {
  if (!holding_) return;
  caretShown_ = !caretShown_;
  draw();
}

void SearchField::takeKeyboard() {
  if (holding_) return;
  holding_ = true;
  caretShown_ = true;
  host_.startCaretTimer(kCaretTimer, kCaretBlinkMs);
}

void SearchField::releaseKeyboard() {
  if (!holding_) return;
  holding_ = false;
  caretShown_ = false;
  host_.stopCaretTimer(kCaretTimer);
  draw();
}

int32_t SearchField::widthOf(size_t from, size_t to) const {
  if (!textRenderer() || to <= from) return 0;
  return textRenderer()->measure(look_.controlsFont, std::string_view(text_).substr(from, to - from)).width;
}

void SearchField::scrollToCaret() {
  if (caret_ < first_) first_ = caret_;
  if (first_ > text_.size()) first_ = text_.size();
  while (first_ < caret_ && widthOf(first_, caret_) > room()) ++first_;
}

size_t SearchField::caretAt(int32_t x) const {
  const int64_t dx = int64_t(x) - rect().x;
  size_t best = first_;
  int64_t bestGap = std::llabs(dx);
  for (size_t i = first_ + 1; i <= text_.size(); ++i) {
    const int64_t w = widthOf(first_, i);
    if (w > int64_t(rect().width) + 8) break;  // past the visible part
    const int64_t gap = std::llabs(dx - w);
    if (gap < bestGap) {
      best = i;
      bestGap = gap;
    }
  }
  return best;
}

void SearchField::draw() {
  drawBackground();
  if (visible() && surface() && textRenderer()) {
    TextPainter painter(*surface(), *textRenderer());
    const SkinRect& r = rect();
    const int32_t top = r.y + (r.height - painter.lineHeight(look_.controlsFont)) / 2;
    painter.drawLine(look_.controlsFont, std::string_view(text_).substr(first_), look_.controlsColour, r.x, top, r);
    if (holding_ && caretShown_) {
      const int32_t x = r.x + widthOf(first_, caret_);
      if (x < r.x + r.width) surface()->frame({x, r.y + 1, 1, r.height - 2}, pixelOfColour(look_.controlsColour));
    }
  }
  invalidate();
}

}  // namespace zarnel
