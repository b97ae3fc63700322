// App's value setters and the reflection of the program's state on the
// skin's widgets.

#include <cstring>

#include "app/App.h"
#include "app/ActionIds.h"
#include "app/LaterSeams.h"
#include "app/Settings.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "mixer/GainCurve.h"
#include "skin/ActionNames.h"

namespace zarnel {

namespace {
bool isDesk(int32_t d) { return d == 0 || d == 1; }
}  // namespace

// --- setters ----------------------------------------------------------------
// The mixer clamps and stores; it tells valueChanged, which sets the widgets.

void App::setCrossfader(int32_t value) {
  const int32_t before = mixer_.crossfader();
  mixer_.setCrossfader(value);
  const int32_t now = mixer_.crossfader();
  if (now != before && (now == 0 || now == kFullScale) && settings().autoSaveCut != 0) later().flagRecordingCut();
}

void App::setLevel(int32_t d, int32_t value) {
  if (isDesk(d)) mixer_.setLevel(d, value);
}

void App::setGain(int32_t d, int32_t value) {
  if (isDesk(d)) mixer_.setGain(d, value);
}

void App::setBand(int32_t d, Band band, int32_t value) {
  if (isDesk(d)) mixer_.setBand(d, band, value);
}

void App::setKill(int32_t d, Band band, int32_t on) {
  if (isDesk(d)) mixer_.setKill(d, band, on);
}

void App::setBandFader(Band band, int32_t value) { mixer_.setBandFader(band, value); }

void App::setPreview(int32_t value) { mixer_.setPreview(value); }

void App::setPitch(int32_t d, int32_t pitch) {
  if (!desk(d) || !links_.matcher) return;
  links_.matcher->setPitch(d, pitch);
  reflectPitch(d);
}

void App::setActiveDesk(int32_t d) {
  if (!isDesk(d)) return;
  mixer_.selectPreviewDesk(d);  // sends the preview levels
  reflectActiveDesk();
}

// --- reflection ---------------------------------------------------------------

void App::setSharedSlider(int32_t kind, int32_t value) {
  for (int32_t d = -1; d < 2; ++d) reflection_.setSliderValue(kind, d, value);
}

void App::valueChanged(const char* kind, int32_t d, int32_t value) {
  if (std::strcmp(kind, "preview_desk") == 0) return reflectActiveDesk();
  for (int32_t b = 0; b < 3; ++b) {
    const char* const kills[3] = {"kill_bass", "kill_medium", "kill_high"};
    if (std::strcmp(kind, kills[b]) == 0) return reflection_.setButtonSelected(button::kKillBass + b, d, value != 0);
  }
  const int32_t slider = sliderKindByName(kind);
  if (slider < 0) return;
  if (d < 0) return setSharedSlider(slider, value);
  reflection_.setSliderValue(slider, d, value);
}

void App::reflectActiveDesk() {
  const int32_t select = button::kSelect;
  for (int32_t d = 0; d < 2; ++d) reflection_.setButtonSelected(select, d, d == activeDesk());
}

void App::reflectPitch(int32_t d) {
  const Desk* target = desk(d);
  if (!target) return;
  reflection_.setSliderValue(kSliderPitch, d, pitchSliderValue(target->pitch()));
  const bool resetting = links_.matcher && links_.matcher->pitchResetRunning(d);
  reflection_.setButtonSelected(button::kPitchReset, d, resetting);
}

void App::reflectLoop(int32_t d) {
  const Desk* target = desk(d);
  if (!target) return;
  loopLength[d] = target->loopCode();
  for (int32_t i = 0; i < 6; ++i)
    reflection_.setButtonSelected(button::kLoop4th + i, d, kLoopButtonCodes[i] == loopLength[d]);
}

// Everything of a desk that a desk action can change: pitch, pitch reset,
// loop lights and the transport buttons (which the display refresh also
// keeps in step while the audio thread plays).
void App::reflectDesk(int32_t d) {
  const Desk* target = desk(d);
  if (!target) return;
  reflectPitch(d);
  reflectLoop(d);
  reflection_.setButtonSelected(button::kPlayPause, d, target->playing());
  reflection_.setButtonSelected(button::kCueStop, d, target->playing());
}

void App::reflectMixer() {
  reflectActiveDesk();
  setSharedSlider(kSliderCrossfader, mixer_.crossfader());
  setSharedSlider(kSliderPreview, mixer_.preview());
  for (int32_t b = 0; b < 3; ++b) setSharedSlider(kSliderBassFader + b, mixer_.bandFader(Band(b)));
  for (int32_t d = 0; d < 2; ++d) {
    reflection_.setSliderValue(kSliderLevel, d, mixer_.level(d));
    reflection_.setSliderValue(kSliderGain, d, mixer_.gain(d));
    for (int32_t b = 0; b < 3; ++b) {
      reflection_.setSliderValue(kSliderBass + b, d, mixer_.band(d, Band(b)));
      reflection_.setButtonSelected(button::kKillBass + b, d, mixer_.kill(d, Band(b)));
    }
  }
}

}  // namespace zarnel
