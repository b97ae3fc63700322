#pragma once
// One row of the browser panel's options page: a label and the value of its
// setting in the options font, the "over" colour while hovered; a click
// toggles or cycles the setting, or runs the row's action.

#include <cstdint>
#include <string>

#include "skin/AreaWidgets.h"
#include "skin/OptionRows.h"
#include "skin/Widget.h"

namespace zarnel {

class Localisation;
class OptionTarget;
class TextRenderer;

// Return: the column where every row's value text starts, as an offset from
// the row's left edge: the widest label of all rows in font. UI thread.
int32_t optionValueColumn(const TextRenderer& text, const FontDescription& font, const Localisation& texts);

// UI thread.
class OptionRow : public Widget {
 public:
  // Pre: 0 <= row < kOptionRowCount; target and texts outlive the row.
  OptionRow(int32_t row, OptionTarget& target, const Localisation& texts, const BrowserLook& look);

  int32_t row() const { return row_; }
  const std::string& label() const { return label_; }
  // Return: the value text as shown now (empty for rows that show none).
  const std::string& valueText() const { return value_; }
  bool hovered() const { return hovered_; }
  // The value column, an offset from the row's left edge.
  void setValueColumn(int32_t offset) { column_ = offset; }
  // Reads the setting again (after something else changed it) and redraws.
  void refresh();

  // The background, the label, and the value text at the value column.
  void draw() override;
  // Applies the row's action, then shows the new value.
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;

 private:
  std::string readValueText() const;

  int32_t row_;
  OptionTarget& target_;
  const Localisation& texts_;
  BrowserLook look_;
  std::string label_, value_;
  int32_t column_ = 0;
  bool hovered_ = false;
};

}  // namespace zarnel
