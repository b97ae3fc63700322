// Drawing a browser list: the heading row with its sort mark, the rows
// with status icons and clipped texts, and the scroll bar.

#include <algorithm>

#include "skin/BrowserList.h"
#include "skin/DrawSurface.h"
#include "skin/ListColumns.h"
#include "skin/PanelPainter.h"
#include "skin/TextLayout.h"
#include "skin/TextPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

constexpr int32_t kStatusIconSize = 14;
constexpr int32_t kCellPadding = 5;
constexpr SkinPoint kSortUp{584, 0}, kSortDown{592, 0};

SkinPoint statusIconAt(int32_t icon) { return {406 + 14 * (icon % 2), 14 * (icon / 2)}; }

// Draws s in the box: one line, vertically centred, left-aligned after the
// padding, ended with "..." when too wide.
void cellText(DrawSurface& surface, const TextRenderer& text, const FontDescription& font, std::string_view s,
              ColourRef colour, const SkinRect& box) {
  if (s.empty() || box.width <= 2 * kCellPadding) return;
  TextPainter painter(surface, text);
  const std::string shown = ellipsize(text, font, s, box.width - 2 * kCellPadding);
  const int32_t top = box.y + (box.height - painter.lineHeight(font)) / 2;
  painter.drawLine(font, shown, colour, box.x + kCellPadding, top, box);
}

}  // namespace

void BrowserList::draw() {
  if (!visible() || !surface() || !panel()) return;
  PanelPainter& p = *panel();
  const SkinRect& r = rect();
  p.fillRect(r, pixelOfColour(look_.face));
  const uint32_t edge = pixelOfColour(look_.shadow);
  p.line(r.x, r.y, r.right() - 1, r.y, edge);
  p.line(r.x, r.bottom() - 1, r.right() - 1, r.bottom() - 1, edge);
  p.line(r.x, r.y, r.x, r.bottom() - 1, edge);
  p.line(r.right() - 1, r.y, r.right() - 1, r.bottom() - 1, edge);
  layoutBar();
  paintHeading(p);
  paintRows(p);
  bar_.draw(p, look_);
  invalidate();
}

void BrowserList::paintHeading(PanelPainter& p) {
  const SkinRect in = inner();
  const int32_t top = in.y, height = headingHeight();
  p.fillRect({in.x, top, in.width, height}, pixelOfColour(look_.highlight));
  const uint32_t divider = pixelOfColour(look_.light), under = pixelOfColour(look_.darkShadow);
  for (int32_t cell = 0; cell <= columnCount(); ++cell) {
    const int32_t left = cell == 0 ? in.x : columnLeft(cell - 1);
    const int32_t right = cell == columnCount() ? in.right() : columnLeft(cell);
    const SkinRect box{left, top, right - left, height};
    if (cell == pressedCell_) p.fillRect(box, pixelOfColour(look_.shadow));
    if (cell > 0 && cell <= columnCount() && surface() && textRenderer()) {
      const std::string_view heading =
          size_t(cell - 1) < headings_.size() ? std::string_view(headings_[size_t(cell - 1)]) : std::string_view();
      const bool sorted = sortKey_ == cell - 1;
      // The sort mark takes the cell's right end; a pressed cell's text sinks by a pixel.
      SkinRect textBox{box.x + (cell == pressedCell_), box.y + (cell == pressedCell_), box.width - (sorted ? 12 : 0),
                       box.height};
      cellText(*surface(), *textRenderer(), look_.listFont, heading, look_.listColour, textBox);
    }
    if (sortKey_ == cell - 1 && box.width > 12)
      p.copy({right - 12, top + (height - 5) / 2, 8, 5}, sortDir_ > 0 ? kSortUp : kSortDown);
    if (cell < columnCount()) p.line(right - 1, top + 3, right - 1, top + height - 4, divider);
  }
  p.line(in.x, top + height - 1, in.right() - 1, top + height - 1, under);
}

void BrowserList::paintRows(PanelPainter& p) {
  const int32_t rows = visibleRows();
  const int32_t height = rowHeight();
  for (int32_t row = 0; row < rows; ++row) {
    const int64_t index = first_ + row;
    if (index >= int64_t(items_->size())) break;
    paintRow(p, size_t(index), rowsTop() + row * height);
  }
}

void BrowserList::paintRow(PanelPainter& p, size_t index, int32_t top) {
  ListItem& item = (*items_)[index];
  const int32_t height = rowHeight();
  const SkinRect in = inner();
  const int32_t right = columnLeft(columnCount());
  const SkinRect row{in.x, top, right - in.x, height};
  if (item.selected) {
    p.fillRect(row, pixelOfColour(look_.listSelected));
  } else if (index % 2 == 1) {
    p.fillRect(row, pixelOfColour(look_.stripes));
  }
  if (int64_t(index) == cursor_) {
    // The keyboard cursor: a thin frame in the selection colour's light.
    surface()->frame(row, pixelOfColour(item.selected ? look_.listOver : look_.light));
  }
  const int32_t icon = statusIcon(statusOf(item));
  p.copy({in.x + (kStatusCell - kStatusIconSize) / 2, top + (height - kStatusIconSize) / 2, kStatusIconSize,
          kStatusIconSize},
         statusIconAt(icon));
  if (!textRenderer()) return;
  const ColourRef colour = item.selected ? look_.listOver : look_.listColour;
  for (int32_t c = 0; c < columnCount(); ++c) {
    const SkinRect box{columnLeft(c), top, columnLeft(c + 1) - columnLeft(c), height};
    cellText(*surface(), *textRenderer(), look_.listFont, columnText(item, c), colour, box);
  }
}

}  // namespace zarnel
