// The folder tree on screen: drawing its rows and the mouse on them.

#include <algorithm>

#include "skin/DrawSurface.h"
#include "skin/FolderTree.h"
#include "skin/PanelPainter.h"
#include "skin/TextLayout.h"
#include "skin/TextPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

constexpr int32_t kIndent = 16;
constexpr int32_t kBoxSize = 11, kBoxColumn = 13;  // the expand box and the column it takes
constexpr int32_t kIconSize = 16, kIconGap = 4;
constexpr int32_t kNamePadding = 3;  // around the selected name's highlight
constexpr SkinPoint kExpandBox{460, 0}, kCollapseBox{472, 0}, kFavouriteStar{484, 0};

SkinPoint iconImage(FolderIcon icon, bool open) {
  if (icon == FolderIcon::kFavourite) return kFavouriteStar;
  if (icon == FolderIcon::kFolder && open) icon = FolderIcon::kOpenFolder;
  return {406 + 16 * int32_t(icon), 40};
}

}  // namespace

int32_t FolderTree::indentOf(const FolderNode& node) const { return inner().x + 2 + kIndent * node.depth; }

int32_t FolderTree::nameWidth(const FolderNode& node) const {
  return textRenderer() ? textRenderer()->measure(look_.listFont, node.name).width : 0;
}

void FolderTree::draw() {
  if (!visible() || !surface() || !panel()) return;
  PanelPainter& p = *panel();
  const SkinRect& r = rect();
  p.fillRect(r, pixelOfColour(look_.face));
  surface()->frame(r, pixelOfColour(look_.shadow));
  layoutBar();
  const int32_t rows = visibleRows(), height = rowHeight();
  for (int32_t row = 0; row < rows && first_ + row < int64_t(rows_.size()); ++row)
    paintRow(p, *rows_[size_t(first_ + row)], inner().y + row * height);
  bar_.draw(p, look_);
  invalidate();
}

void FolderTree::paintRow(PanelPainter& p, const FolderNode& node, int32_t top) {
  const int32_t height = rowHeight();
  const int32_t right = bar_.needed() ? bar_.rect().x : inner().right();
  const int32_t x = indentOf(node);
  const SkinRect clip{inner().x, top, right - inner().x, height};
  if (node.hasSubfolders && x + kBoxSize <= right) {
    p.copy({x, top + (height - kBoxSize) / 2, kBoxSize, kBoxSize}, node.expanded ? kCollapseBox : kExpandBox);
  }
  const bool chosen = &node == selected_;
  const int32_t iconX = x + kBoxColumn;
  if (iconX + kIconSize <= right)
    p.copy({iconX, top + (height - kIconSize) / 2, kIconSize, kIconSize}, iconImage(node.icon, chosen));
  const int32_t textX = iconX + kIconSize + kIconGap;
  if (!textRenderer() || textX >= right - kNamePadding) return;
  TextPainter painter(*surface(), *textRenderer());
  const std::string shown = ellipsize(*textRenderer(), look_.listFont, node.name, right - textX - kNamePadding);
  if (chosen) {
    const int32_t width = painter.width(look_.listFont, shown);
    p.fillRect(
        {textX - kNamePadding, top + 1, std::min(width + 2 * kNamePadding, right - textX + kNamePadding), height - 2},
        pixelOfColour(look_.listSelected));
  }
  const int32_t textTop = top + (height - painter.lineHeight(look_.listFont)) / 2;
  painter.drawLine(look_.listFont, shown, chosen ? look_.listOver : look_.listColour, textX, textTop, clip);
}

void FolderTree::mouseDown(int32_t x, int32_t y, int32_t keys) {
  host_.treeClicked();
  if (bar_.partAt(x, y) != ListScrollBar::Part::kNone) {
    int64_t first = first_;
    bar_.press(x, y, first);
    barPressed_ = true;
    scrollTo(first);
    if (bar_.repeating()) host_.startRepeat(*this, kRepeatFirstMs);
    draw();
    return;
  }
  const SkinRect in = inner();
  if (!in.contains(x, y) || rowHeight() <= 0) return;
  const int64_t row = first_ + (y - in.y) / rowHeight();
  if ((y - in.y) / rowHeight() >= visibleRows() || row >= int64_t(rows_.size())) return;
  FolderNode& node = *rows_[size_t(row)];
  const int32_t left = indentOf(node);
  if (x < left) return;
  if (x < left + kBoxColumn) {
    if (node.hasSubfolders) toggle(node);
    return;
  }
  const int32_t textEnd = left + kBoxColumn + kIconSize + kIconGap + nameWidth(node) + kNamePadding;
  if (x >= textEnd) return;
  if ((keys & keys::kDoubleClick) != 0) {
    if (node.hasSubfolders) toggle(node);
    return;
  }
  select(node, true);
}

void FolderTree::mouseMove(int32_t, int32_t y, int32_t) {
  if (barPressed_ && bar_.dragging()) scrollTo(bar_.drag(y));
}

void FolderTree::mouseUp(int32_t, int32_t, int32_t) {
  if (!barPressed_) return;
  barPressed_ = false;
  if (bar_.repeating()) host_.stopRepeat(*this);
  bar_.release();
  draw();
}

void FolderTree::repeatTick() {
  if (!bar_.repeating()) {
    host_.stopRepeat(*this);
    return;
  }
  scrollTo(bar_.repeat());
  host_.startRepeat(*this, kRepeatNextMs);
}

void FolderTree::wheel(int32_t, int32_t, int32_t, int32_t steps) { scrollTo(first_ - steps); }

}  // namespace zarnel
