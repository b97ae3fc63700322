#include "skin/BrowserList.h"

#include <algorithm>

#include "skin/ListColumns.h"
#include "skin/TextRenderer.h"

namespace zarnel {

BrowserList::BrowserList(ListKind kind, BrowserListHost& host, BandSizes& bands, const BrowserLook& look)
    : kind_(kind), host_(host), bands_(bands), look_(look) {
  checkWeights();
}

BrowserList::~BrowserList() {
  if (bar_.repeating()) host_.stopRepeat(*this);
}

// ---- Weights ----

void BrowserList::checkWeights() {
  int64_t sum = 0;
  bool valid = true;
  for (int32_t c = 0; c < columnCount(); ++c) {
    valid = valid && weights()[c] >= 0;
    sum += weights()[c];
  }
  if (!valid || sum != 1024) resetWeightsEvenly();
}

void BrowserList::resetWeightsEvenly() {
  const int32_t n = columnCount();
  for (int32_t c = 0; c < n; ++c) weights()[c] = 1024 / n;
  weights()[n - 1] = 1024 - (1024 / n) * (n - 1);
}

void BrowserList::bandsChanged() {
  checkWeights();
  draw();
}

// ---- Items ----

void BrowserList::attach(std::vector<ListItem>* external) {
  items_ = external ? external : &own_;
  first_ = 0;
  cursor_ = anchor_ = -1;
  itemsChanged();
}

void BrowserList::setItems(std::vector<ListItem> items) {
  *items_ = std::move(items);
  first_ = 0;
  cursor_ = anchor_ = -1;
  itemsChanged();
}

void BrowserList::showFolderFiles(std::vector<ListItem> items) {
  *items_ = std::move(items);
  sortKey_ = kSortStatus;
  sortDir_ = 1;
  sortItemsBy(sortKey_, sortDir_);
  first_ = 0;
  cursor_ = anchor_ = -1;
  itemsChanged();
}

void BrowserList::insertItems(size_t before, std::vector<ListItem> items) {
  before = std::min(before, items_->size());
  for (ListItem& item : *items_) item.selected = false;
  for (ListItem& item : items) item.selected = true;
  const int64_t count = int64_t(items.size());
  items_->insert(items_->begin() + int64_t(before), std::make_move_iterator(items.begin()),
                 std::make_move_iterator(items.end()));
  if (cursor_ >= int64_t(before)) cursor_ += count;
  anchor_ = int64_t(before);
  itemsChanged();
}

void BrowserList::clampIndices() {
  const int64_t n = int64_t(items_->size());
  if (cursor_ >= n) cursor_ = n - 1;
  if (anchor_ >= n) anchor_ = n - 1;
  layoutBar();
  // A list that shrank scrolls back so that no rows at the end stay empty.
  first_ = std::clamp<int64_t>(first_, 0, std::max<int64_t>(0, n - visibleRows()));
  layoutBar();
}

void BrowserList::itemsChanged() {
  clampIndices();
  draw();
}

std::vector<ListItem> BrowserList::selectedItems() const {
  std::vector<ListItem> out;
  for (const ListItem& item : *items_)
    if (item.selected) out.push_back(item);
  return out;
}

void BrowserList::ensureEntry(ListItem& item) {
  if (item.entryLooked) return;
  item.entry = host_.findEntry(item);
  item.entryLooked = true;
}

int32_t BrowserList::statusOf(ListItem& item) {
  ensureEntry(item);
  return statusValue(item, !item.isPlaylistFile() && host_.playedThisRun(item));
}

void BrowserList::sortItemsBy(int32_t key, int32_t direction) {
  std::vector<ListItem>& items = *items_;
  for (ListItem& item : items) ensureEntry(item);
  const std::vector<size_t> order = sortedOrder(
      items, key, direction, [this](const ListItem& item) { return statusOf(const_cast<ListItem&>(item)); });
  std::vector<ListItem> sorted;
  sorted.reserve(items.size());
  int64_t cursor = -1, anchor = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (int64_t(order[i]) == cursor_) cursor = int64_t(i);
    if (int64_t(order[i]) == anchor_) anchor = int64_t(i);
    sorted.push_back(std::move(items[order[i]]));
  }
  items = std::move(sorted);
  cursor_ = cursor;
  anchor_ = anchor;
}

void BrowserList::sortOnCell(int32_t cell) {
  if (cell < 0 || cell > columnCount()) return;
  const int32_t key = cell - 1;
  if (key == sortKey_) {
    sortDir_ = -sortDir_;
  } else {
    sortKey_ = key;
  }
  sortItemsBy(sortKey_, sortDir_);
  host_.listChanged(*this);
  draw();
}

// ---- Selection and keys ----

void BrowserList::selectRow(size_t index, int32_t mods) {
  std::vector<ListItem>& items = *items_;
  if (index >= items.size()) return;
  const int64_t i = int64_t(index);
  if ((mods & kMouseControl) != 0) {
    items[index].selected = !items[index].selected;
    anchor_ = i;
  } else if ((mods & kMouseShift) != 0 && anchor_ >= 0) {
    const int64_t lo = std::min(anchor_, i), hi = std::max(anchor_, i);
    for (int64_t k = 0; k < int64_t(items.size()); ++k) items[size_t(k)].selected = k >= lo && k <= hi;
  } else {
    for (ListItem& item : items) item.selected = false;
    items[index].selected = true;
    anchor_ = i;
  }
  cursor_ = i;
}

bool BrowserList::key(int32_t code) {
  const int64_t n = int64_t(items_->size());
  if (code == listkey::kDelete) {
    if (kind_ != ListKind::kPlaylist) return false;
    removeSelected();
    return true;
  }
  const int64_t page = std::max(1, visibleRows());
  const int64_t from = cursor_ >= 0 ? cursor_ : first_;
  int64_t to;
  switch (code) {
    case listkey::kPageUp:
      to = from - page;
      break;
    case listkey::kPageDown:
      to = from + page;
      break;
    case listkey::kHome:
      to = 0;
      break;
    case listkey::kEnd:
      to = n - 1;
      break;
    case listkey::kUp:
      to = from - 1;
      break;
    case listkey::kDown:
      to = cursor_ >= 0 ? cursor_ + 1 : first_;
      break;
    default:
      return false;
  }
  if (n == 0) return true;
  to = std::clamp<int64_t>(to, 0, n - 1);
  selectRow(size_t(to), 0);
  scrollIntoView(to);
  draw();
  return true;
}

void BrowserList::removeSelected() {
  std::vector<ListItem>& items = *items_;
  int64_t cursor = cursor_;
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].selected) {
      if (int64_t(i) < cursor_) --cursor;
      continue;
    }
    if (kept != i) items[kept] = std::move(items[i]);
    ++kept;
  }
  if (kept == items.size()) return;
  items.resize(kept);
  cursor_ = items.empty() ? -1 : std::min<int64_t>(std::max<int64_t>(cursor, 0), int64_t(kept) - 1);
  anchor_ = cursor_;
  host_.listChanged(*this);
  itemsChanged();
}

// ---- Geometry ----

int32_t BrowserList::lineHeight() const {
  const TextRenderer* text = textRenderer();
  return text ? std::max(1, text->measure(look_.listFont, "Ag").height) : std::max(1, look_.listFont.height);
}

int32_t BrowserList::rowHeight() const { return std::max(lineHeight() + 5, 16); }
int32_t BrowserList::headingHeight() const { return std::max(lineHeight() + 8, 20); }

SkinRect BrowserList::inner() const {
  const SkinRect& r = rect();
  return {r.x + 1, r.y + 1, std::max(0, r.width - 2), std::max(0, r.height - 2)};
}

int32_t BrowserList::visibleRows() const { return std::max(0, (rect().height - headingHeight() - 2) / rowHeight()); }

void BrowserList::layoutBar() {
  const SkinRect in = inner();
  bar_.setRect({in.right() - kScrollBarWidth, rowsTop(), kScrollBarWidth, std::max(0, in.bottom() - rowsTop())});
  bar_.setRange(int64_t(items_->size()), visibleRows(), first_);
}

int32_t BrowserList::textWidth() const {
  return std::max(0, inner().width - kStatusCell - (bar_.needed() ? kScrollBarWidth : 0));
}

int32_t BrowserList::columnLeft(int32_t c) const {
  const int32_t left = inner().x + kStatusCell, width = textWidth();
  if (c >= columnCount()) return left + width;
  int64_t sum = 0;
  for (int32_t k = 0; k < c; ++k) sum += weights()[k];
  return left + int32_t(sum * width / 1024);
}

bool BrowserList::inHeading(int32_t y) const { return y >= inner().y && y < rowsTop(); }

int32_t BrowserList::cellAt(int32_t x) const {
  if (x < inner().x || x >= columnLeft(columnCount())) return -1;
  for (int32_t c = columnCount() - 1; c >= 0; --c)
    if (x >= columnLeft(c)) return c + 1;
  return 0;
}

int32_t BrowserList::borderAt(int32_t x) const {
  int32_t best = -1, bestGap = kBorderGrab;
  for (int32_t b = 0; b + 1 < columnCount(); ++b) {
    const int32_t gap = std::abs(x - columnLeft(b + 1));
    if (gap < bestGap) {
      best = b;
      bestGap = gap;
    }
  }
  return best;
}

int64_t BrowserList::indexAt(int32_t x, int32_t y) const {
  const SkinRect in = inner();
  if (x < in.x || x >= columnLeft(columnCount()) || y < rowsTop() || y >= in.bottom()) return -1;
  const int64_t row = (y - rowsTop()) / rowHeight();
  if (row >= visibleRows()) return -1;
  const int64_t index = first_ + row;
  return index < int64_t(items_->size()) ? index : -1;
}

void BrowserList::scrollTo(int64_t first) {
  const int64_t n = int64_t(items_->size());
  first = std::clamp<int64_t>(first, 0, std::max<int64_t>(0, n - visibleRows()));
  if (first == first_) return;
  first_ = first;
  layoutBar();
  draw();
}

void BrowserList::scrollIntoView(int64_t index) {
  if (index < 0) return;
  const int64_t rows = std::max(1, visibleRows());
  if (index < first_) {
    first_ = index;
  } else if (index >= first_ + rows) {
    first_ = index - rows + 1;
  }
  clampIndices();
}

void BrowserList::setRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  Widget::setRect(x, y, width, height);
  clampIndices();
}

}  // namespace zarnel
