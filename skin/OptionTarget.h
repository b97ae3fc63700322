#pragma once
// What the options page's rows show and change: the settings behind the
// rows, and the actions of the rows that have no setting (dialogs, the
// history, the web page, the recording file). The main window provides it
// over the settings, the mixer and the desks; tests provide their own.

#include <cstdint>
#include <string>

namespace zarnel {

// UI thread.
class OptionTarget {
 public:
  virtual ~OptionTarget() = default;
  // Return: the stored value of row's setting. Pre: the row has one.
  virtual int32_t optionValue(int32_t row) const = 0;
  // Stores value as row's setting and makes it take effect at once (the
  // crossfader curve, master tempo, equaliser, pitch range). Pre: the row
  // has a setting.
  virtual void setOptionValue(int32_t row, int32_t value) = 0;
  // Runs the action of a row without a setting. Pre: the row has none.
  virtual void runOption(int32_t row) = 0;
  // Return: the recording's file name, the value text of the last row.
  virtual std::string recordFileName() const = 0;
};

}  // namespace zarnel
