#include "app/App.h"

#include "app/Settings.h"

namespace zarnel {

App::App() {
  // MixerState starts at the defaults: crossfader and bands in the centre,
  // levels full, kills off, preview 0.
  const bool limited = settings().limitPitch != 0;
  pitchMin_ = limited ? 3768 : 2730;  // -8 % or -1/3 of 4096
  pitchMax_ = limited ? 4424 : 5462;
}

}  // namespace zarnel
