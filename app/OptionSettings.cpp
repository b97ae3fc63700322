#include "app/OptionSettings.h"

#include "app/Settings.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "skin/OptionRows.h"

namespace zarnel {

OptionSettings::OptionSettings(Settings& settings, MixerState& mixer, Desk* desk0, Desk* desk1,
                               BeatMatcher* matcher, OptionActions* actions)
    : settings_(settings), mixer_(mixer), desks_{desk0, desk1}, matcher_(matcher),
      actions_(actions ? actions : &noActions_) {}

int32_t* OptionSettings::plainField(int32_t row) const {
  Settings& s = settings_;
  switch (row) {
    case kRowAutoBpm: return &s.autoBpm;
    case kRowAutoZPitch: return &s.autoZPitch;
    case kRowAutoLevel: return &s.autoLevel;
    case kRowLongMix: return &s.longMix;
    case kRowCrossfader: return &s.crossfader;
    case kRowBabySecure: return &s.babySecure;
    case kRowToolTip: return &s.toolTip;
    case kRowMultiInstance: return &s.multiInstance;
    case kRowLimitPitch: return &s.limitPitch;
    case kRowAutoSync: return &s.autoSync;
    case kRowStartMix: return &s.startMix;
    case kRowEndMix: return &s.endMix;
    case kRowCharts: return &s.charts;
    case kRowAutoSave: return &s.autoSave;
    case kRowAutoSaveCut: return &s.autoSaveCut;
    default: return nullptr;
  }
}

int32_t OptionSettings::optionValue(int32_t row) const {
  if (const int32_t* f = plainField(row)) return *f;
  switch (row) {
    case kRowMasterTempo: return settings_.masterTempo.load();
    case kRowScratch: return settings_.scratch.load();
    case kRowEqualizer: return settings_.equalizer.load();
    default: return 0;
  }
}

void OptionSettings::setOptionValue(int32_t row, int32_t value) {
  if (int32_t* f = plainField(row)) {
    *f = value;
  } else if (row == kRowMasterTempo) {
    settings_.masterTempo.store(value);
  } else if (row == kRowScratch) {
    settings_.scratch.store(value);
  } else if (row == kRowEqualizer) {
    settings_.equalizer.store(value);
  } else {
    return;
  }
  takeEffect(row, value);
}

void OptionSettings::takeEffect(int32_t row, int32_t value) {
  switch (row) {
    case kRowCrossfader:
      mixer_.setCrossfaderMode(value);
      break;
    case kRowMasterTempo:
      // The resampler reads the setting; a refresh makes the change heard at once.
      for (Desk* d : desks_) {
        if (d) d->refresh();
      }
      break;
    case kRowEqualizer:
      mixer_.sendAll();
      break;
    case kRowLimitPitch:
      if (matcher_) matcher_->applyPitchRange();
      break;
    default:
      break;
  }
}

}  // namespace zarnel
