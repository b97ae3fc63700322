#include "skin/OptionRow.h"

#include <algorithm>

#include "app/Localisation.h"
#include "skin/OptionTarget.h"
#include "skin/PanelPainter.h"
#include "skin/TextPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {

int32_t optionValueColumn(const TextRenderer& text, const FontDescription& font, const Localisation& texts) {
  int32_t widest = 0;
  for (int32_t row = 0; row < kOptionRowCount; ++row) {
    widest = std::max(widest, text.measure(font, texts.text(TextSection::kOptions, optionLabelSlot(row))).width);
  }
  return widest;
}

OptionRow::OptionRow(int32_t row, OptionTarget& target, const Localisation& texts, const BrowserLook& look)
    : row_(row), target_(target), texts_(texts), look_(look) {
  label_ = std::string(texts.text(TextSection::kOptions, optionLabelSlot(row)));
  setTooltip(std::string(texts.text(TextSection::kToolTipOptions, row)));
  value_ = readValueText();
}

std::string OptionRow::readValueText() const {
  if (row_ == kRowRecordFile) return target_.recordFileName();
  if (optionKind(row_) == OptionKind::kAction) return {};
  return std::string(texts_.text(TextSection::kOptions, optionValueSlot(row_, target_.optionValue(row_))));
}

void OptionRow::refresh() {
  value_ = readValueText();
  draw();
}

void OptionRow::draw() {
  // Inside the browser panel the row lies on the panel's face.
  if (PanelPainter* painter = panel(); painter && visible()) {
    painter->fillRect(rect(), pixelOfColour(look_.face));
  } else {
    drawBackground();
  }
  if (visible() && surface() && textRenderer()) {
    TextPainter painter(*surface(), *textRenderer());
    const ColourRef colour = hovered_ ? look_.optionsOver : look_.optionsColour;
    const SkinRect& r = rect();
    painter.drawLine(look_.optionsFont, label_, colour, r.x, r.y, r);
    painter.drawLine(look_.optionsFont, value_, colour, int32_t(int64_t(r.x) + column_), r.y, r);
  }
  invalidate();
}

void OptionRow::mouseUp(int32_t, int32_t, int32_t) {
  if (optionKind(row_) == OptionKind::kAction) {
    target_.runOption(row_);
  } else {
    target_.setOptionValue(row_, nextOptionValue(row_, target_.optionValue(row_)));
  }
  refresh();
}

void OptionRow::hover(int32_t, int32_t, int32_t change) {
  if (change == 0 || hovered_ == (change > 0)) return;
  hovered_ = change > 0;
  draw();
}

}  // namespace zarnel
