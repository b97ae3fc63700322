#include "skin/OptionRows.h"

namespace zarnel {

namespace {

// "Options" text slots.
enum : int32_t {
  kAutoPitch = 0, kAutoReset = 1, kAutoLevel = 2, kAutoSync = 3, kMasterTempo = 4, kPitchRange = 5,
  kSecurity = 6, kToolTip = 7, kMultiInstance = 8, kSkins = 9, kVisuals = 10, kSoundConfig = 11,
  kShortcuts = 12, kHistory = 13, kEnabled = 14, kDisabled = 15, kNone = 16, kAsk = 17, kAlways = 18,
  kMixLength = 19, kNoMix = 20, k5s = 21, k10s = 22, k15s = 23, k20s = 24, k30s = 25, k8to8 = 26,
  k34to34 = 27, kCrossfader = 28, kSmooth = 29, kFull = 30, kCut = 31, kAutoStart = 32, kAutoCut = 33,
  kRecordFile = 34, kWebSite = 35, kScratch = 36, kHold = 37, kEqualizer = 38, kMixStart = 39, kCue = 40,
  kFirstBeat = 41, kStart = 42, kMixEnd = 43, kLastBeat = 44, kEnd = 45, kCue1 = 46, kCharts = 47,
};

constexpr int32_t kMaxCycle = 6;

// A row: its label, its kind and, for a cycle, its values in order with the
// text of each; a toggle shows "Enabled" or "Disabled" unless it says.
struct Row {
  int32_t label;
  OptionKind kind;
  int32_t count = 0;
  int32_t values[kMaxCycle] = {};
  int32_t texts[kMaxCycle] = {};
};

constexpr OptionKind kT = OptionKind::kToggle, kC = OptionKind::kCycle, kA = OptionKind::kAction;

constexpr Row kRows[kOptionRowCount] = {
    {kAutoPitch, kT},
    {kAutoReset, kT},
    {kAutoLevel, kT},
    {kMixLength, kC, 6, {0, 16, 40, 64, 112, -1}, {k5s, k10s, k15s, k20s, k30s, kNoMix}},
    {kCrossfader, kC, 3, {0, 1, 2}, {kSmooth, kFull, kCut}},
    {kSecurity, kC, 3, {0, 1, 2}, {kNone, kAsk, kAlways}},
    {kToolTip, kT},
    {kSkins, kA},
    {kSoundConfig, kA},
    {kHistory, kA},
    {kMultiInstance, kT},
    {kShortcuts, kA},
    {kMasterTempo, kT},
    // Off first: the toggle's texts are (off, on).
    {kPitchRange, kT, 2, {0, 1}, {k34to34, k8to8}},
    {kAutoSync, kT},
    {kVisuals, kA},
    {kWebSite, kA},
    {kMixStart, kC, 3, {0, 1, 2}, {kStart, kFirstBeat, kCue}},
    {kScratch, kC, 3, {0, 1, 2}, {kDisabled, kEnabled, kHold}},
    {kEqualizer, kT},
    {kMixEnd, kC, 3, {0, 1, 2}, {kEnd, kLastBeat, kCue1}},
    {kCharts, kT},
    {kAutoStart, kT},
    {kAutoCut, kT},
    {kRecordFile, kA},
};

// Return: the index of value in a cycle row's list, 0 when it is not there.
int32_t cycleIndex(const Row& r, int32_t value) {
  for (int32_t i = 0; i < r.count; ++i) {
    if (r.values[i] == value) return i;
  }
  return 0;
}

}  // namespace

OptionKind optionKind(int32_t row) { return kRows[row].kind; }

int32_t optionLabelSlot(int32_t row) { return kRows[row].label; }

int32_t nextOptionValue(int32_t row, int32_t value) {
  const Row& r = kRows[row];
  if (r.kind == OptionKind::kToggle) return value != 0 ? 0 : 1;
  return r.values[(cycleIndex(r, value) + 1) % r.count];
}

int32_t optionValueSlot(int32_t row, int32_t value) {
  const Row& r = kRows[row];
  switch (r.kind) {
    case OptionKind::kAction:
      return -1;
    case OptionKind::kToggle:
      if (r.count == 2) return r.texts[value != 0 ? 1 : 0];
      return value != 0 ? kEnabled : kDisabled;
    case OptionKind::kCycle:
      break;
  }
  return r.texts[cycleIndex(r, value)];
}

}  // namespace zarnel
