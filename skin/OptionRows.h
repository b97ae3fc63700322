#pragma once
// The table of the options page's 25 rows: each row's label, what a click
// does (toggle, cycle, or an action), and the value text of each stored
// value, as slots of the localised "Options" texts.

#include <cstdint>

namespace zarnel {

inline constexpr int32_t kOptionRowCount = 25;

// The rows, in page order.
enum OptionRowId : int32_t {
  kRowAutoBpm, kRowAutoZPitch, kRowAutoLevel, kRowLongMix, kRowCrossfader, kRowBabySecure, kRowToolTip,
  kRowSkin, kRowSoundConfig, kRowHistory, kRowMultiInstance, kRowShortcuts, kRowMasterTempo,
  kRowLimitPitch, kRowAutoSync, kRowVisuals, kRowWebSite, kRowStartMix, kRowScratch, kRowEqualizer,
  kRowEndMix, kRowCharts, kRowAutoSave, kRowAutoSaveCut, kRowRecordFile,
};

enum class OptionKind { kToggle, kCycle, kAction };

// Pre for every function: 0 <= row < kOptionRowCount. Any thread.
OptionKind optionKind(int32_t row);
// Return: the "Options" slot of the row's label.
int32_t optionLabelSlot(int32_t row);
// Return: the setting's value after a click: a toggle gives 1 for 0 and 0
// otherwise; a cycle the next value of its list, and the list's second for
// a value not in it (taken as the first). Pre: not an action row.
int32_t nextOptionValue(int32_t row, int32_t value);
// Return: the "Options" slot of the text shown for value, -1 for a row that
// shows none; a value a cycle does not list shows its first value's text.
int32_t optionValueSlot(int32_t row, int32_t value);

}  // namespace zarnel
