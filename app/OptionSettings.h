#pragma once
// The options page's rows over the program: each row's setting in the
// settings record, and the effects a change has at once: the crossfader
// curve on the mixer, master tempo heard again on both desks, the
// equaliser sent to the engine, the pitch range applied to both desks.

#include <cstdint>
#include <string>

#include "skin/OptionTarget.h"

namespace zarnel {

class BeatMatcher;
class Desk;
class MixerState;
struct Settings;

// The actions of the rows without a setting: the skin chooser, the sound
// configuration, the history save, the shortcut list, the visual chooser,
// the web page and the recording file name. The dialogs and subsystems
// that do them come later; until then nothing visible happens. UI thread.
class OptionActions {
 public:
  virtual ~OptionActions() = default;
  virtual void run(int32_t /*row*/) {}
  // Return: the recording's file name.
  virtual std::string recordFileName() const { return {}; }
};

// UI thread.
class OptionSettings : public OptionTarget {
 public:
  // Pre: everything given outlives this object; the desks and the matcher
  // may be null (no desk to apply to); actions null: the no-op actions.
  // With a matcher, settings is the process-wide record (the matcher reads
  // the pitch range there).
  OptionSettings(Settings& settings, MixerState& mixer, Desk* desk0, Desk* desk1, BeatMatcher* matcher,
                 OptionActions* actions);

  int32_t optionValue(int32_t row) const override;
  void setOptionValue(int32_t row, int32_t value) override;
  void runOption(int32_t row) override { actions_->run(row); }
  std::string recordFileName() const override { return actions_->recordFileName(); }

 private:
  // Return: the plain field of row's setting; null for the atomic ones and
  // rows without a setting.
  int32_t* plainField(int32_t row) const;
  void takeEffect(int32_t row, int32_t value);

  Settings& settings_;
  MixerState& mixer_;
  Desk* desks_[2];
  BeatMatcher* matcher_;
  OptionActions noActions_;
  OptionActions* actions_;
};

}  // namespace zarnel
