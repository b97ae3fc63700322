// The mouse on a browser list: scroll bar, heading (sorting and column
// sizing), rows (selection, double clicks, the context menu) and dragging
// rows out.

#include <algorithm>
#include <cstdlib>

#include "skin/BrowserList.h"

namespace zarnel {

void BrowserList::mouseDown(int32_t x, int32_t y, int32_t keys) {
  press_ = Press::kNone;
  host_.listClicked(*this);
  if (bar_.partAt(x, y) != ListScrollBar::Part::kNone) {
    pressBar(x, y);
  } else if (inHeading(y)) {
    pressHeading(x, keys);
  } else {
    const int64_t index = indexAt(x, y);
    if (index >= 0) pressRow(int32_t(index), x, y, keys);
  }
}

void BrowserList::pressBar(int32_t x, int32_t y) {
  press_ = Press::kBar;
  int64_t first = first_;
  bar_.press(x, y, first);
  scrollTo(first);
  if (bar_.repeating()) host_.startRepeat(*this, kRepeatFirstMs);
  draw();
}

void BrowserList::repeatTick() {
  if (!bar_.repeating()) {
    host_.stopRepeat(*this);
    return;
  }
  scrollTo(bar_.repeat());
  host_.startRepeat(*this, kRepeatNextMs);
}

void BrowserList::pressHeading(int32_t x, int32_t keys) {
  border_ = borderAt(x);
  if (border_ >= 0) {
    if ((keys & keys::kDoubleClick) != 0) {
      // 4 columns: 256 each; 6 columns: 171 171 171 171 170 170.
      const int32_t n = columnCount();
      for (int32_t c = 0; c < n; ++c) weights()[c] = n == 4 ? 256 : (c < 4 ? 171 : 170);
      border_ = -1;
      draw();
      return;
    }
    press_ = Press::kBorder;
    return;
  }
  pressedCell_ = cellAt(x);
  if (pressedCell_ < 0) return;
  press_ = Press::kCell;
  draw();
}

void BrowserList::pressRow(int32_t index, int32_t x, int32_t y, int32_t keys) {
  ListItem& item = (*items_)[size_t(index)];
  const bool right = (keys & keys::kRightButton) != 0;
  if ((keys & keys::kDoubleClick) != 0 && !right) {
    if (kind_ == ListKind::kPlaylist && item.isPlaylistFile()) {
      host_.expandPlaylistFile(*this, size_t(index));
    } else {
      if (!item.selected) selectRow(size_t(index), 0);
      host_.placeSelected(*this);
    }
    return;
  }
  // A plain press on a selected row waits for the release, so that the
  // whole selection can be dragged.
  deferredSelect_ = !right && item.selected && (keys & (kMouseControl | kMouseShift)) == 0;
  if (right) {
    if (!item.selected) selectRow(size_t(index), 0);
    cursor_ = index;
  } else if (!deferredSelect_) {
    selectRow(size_t(index), keys);
  } else {
    cursor_ = index;
  }
  draw();
  if (right) {
    if (kind_ != ListKind::kPlaylist) host_.openContextMenu(*this, size_t(index), x, y);
    return;
  }
  press_ = Press::kRow;
  pressIndex_ = index;
  pressX_ = x;
  pressY_ = y;
}

void BrowserList::mouseMove(int32_t x, int32_t y, int32_t) {
  switch (press_) {
    case Press::kBar:
      if (bar_.dragging()) scrollTo(bar_.drag(y));
      break;
    case Press::kBorder:
      dragBorder(x);
      break;
    case Press::kRow:
      if (dragging_) {
        host_.dragMoved(*this, x, y);
      } else if (std::abs(x - pressX_) > kDragThreshold || std::abs(y - pressY_) > kDragThreshold) {
        startDrag();
        if (dragging_) host_.dragMoved(*this, x, y);
      }
      break;
    default:
      break;
  }
}

void BrowserList::dragBorder(int32_t x) {
  if (border_ < 0 || border_ + 1 >= columnCount()) return;
  const int32_t width = textWidth();
  if (width <= 0) return;
  int32_t* w = weights();
  const int32_t pair = w[border_] + w[border_ + 1];
  const int64_t left = columnLeft(border_);
  const int32_t wanted = int32_t(std::clamp<int64_t>((int64_t(x) - left) * 1024 / width, 0, pair));
  if (wanted == w[border_]) return;
  w[border_] = wanted;
  w[border_ + 1] = pair - wanted;
  draw();
}

void BrowserList::startDrag() {
  if (pressIndex_ < 0 || size_t(pressIndex_) >= items_->size() || !(*items_)[size_t(pressIndex_)].selected) return;
  deferredSelect_ = false;
  std::vector<ListItem> dragged = selectedItems();
  if (dragged.empty()) return;
  dragging_ = true;
  if (kind_ == ListKind::kPlaylist) {
    // The playlist's rows move: out of the list now, in again where dropped.
    std::vector<ListItem>& items = *items_;
    items.erase(std::remove_if(items.begin(), items.end(), [](const ListItem& i) { return i.selected; }), items.end());
    cursor_ = anchor_ = -1;
    host_.listChanged(*this);
    itemsChanged();
  }
  host_.beginDrag(*this, std::move(dragged));
}

void BrowserList::mouseUp(int32_t x, int32_t y, int32_t) {
  const Press press = press_;
  press_ = Press::kNone;
  if (press == Press::kBar) {
    if (bar_.repeating()) host_.stopRepeat(*this);
    bar_.release();
    draw();
  } else if (press == Press::kCell) {
    const int32_t cell = pressedCell_;
    pressedCell_ = -1;
    if (inHeading(y) && cellAt(x) == cell) {
      sortOnCell(cell);
    } else {
      draw();
    }
  } else if (press == Press::kRow) {
    if (dragging_) {
      dragging_ = false;
      host_.dragDropped(*this, x, y);
    } else if (deferredSelect_ && pressIndex_ >= 0 && size_t(pressIndex_) < items_->size()) {
      selectRow(size_t(pressIndex_), 0);
      draw();
    }
    deferredSelect_ = false;
    pressIndex_ = -1;
  }
  border_ = -1;
}

void BrowserList::hover(int32_t x, int32_t y, int32_t change) {
  const bool on = change >= 0 && (press_ == Press::kBorder || (inHeading(y) && borderAt(x) >= 0));
  if (on == sizing_) return;
  sizing_ = on;
  host_.showSizingCursor(on);
}

void BrowserList::wheel(int32_t, int32_t, int32_t, int32_t steps) { scrollTo(first_ - steps); }

}  // namespace zarnel
