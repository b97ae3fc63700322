// App's slider entries (set, reset, automatic) and the rhythm view's
// scratch, by slider kind and desk.

#include "app/App.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "mixer/GainCurve.h"
#include "skin/ActionNames.h"
#include "skin/SliderMath.h"

namespace zarnel {

void App::sliderSet(int32_t kind, int32_t d, int32_t value) {
  switch (kind) {
    case kSliderCrossfader: return setCrossfader(value);
    case kSliderSongPos:
      if (Desk* target = desk(d)) {
        stopAutoMixTransition();
        target->seekAndPlay(float(value) / float(kSliderMax));
        reflectDesk(d);  // a seek ends the loop
      }
      return;
    case kSliderPitch:
      return setPitch(d, pitchMinimum() + value * (pitchMaximum() - pitchMinimum()) / kSliderMax);
    case kSliderLevel: return setLevel(d, value);
    case kSliderBass:
    case kSliderMedium:
    case kSliderHigh: return setBand(d, Band(kind - kSliderBass), value);
    case kSliderGain: return setGain(d, value);
    case kSliderPreview: return setPreview(value);
    case kSliderBassFader:
    case kSliderMediumFader:
    case kSliderHighFader: return setBandFader(Band(kind - kSliderBassFader), value);
    default: return;  // rotation and arm only show the desks
  }
}

void App::sliderReset(int32_t kind, int32_t d) {
  switch (kind) {
    case kSliderSongPos:
    case kSliderPreview:
    case kSliderRotation:
    case kSliderArm: return sliderSet(kind, d, 0);
    case kSliderLevel: return sliderSet(kind, d, kFullScale);
    default: return sliderSet(kind, d, kUnity);
  }
}

void App::sliderAuto(int32_t kind, int32_t d) {
  if (kind == kSliderCrossfader) return later().autoMixNow();
  if (!desk(d) || !links_.matcher) return;
  switch (kind) {
    case kSliderSongPos: links_.matcher->matchBeat(d); break;
    case kSliderPitch:
      links_.matcher->matchPitch(d);
      reflectPitch(d);
      break;
    case kSliderGain: links_.matcher->matchGain(d); break;
    default: break;
  }
}

void App::deskHold(int32_t d, bool on) {
  if (Desk* target = desk(d)) target->hold(on);
}

void App::deskScratch(int32_t d, int32_t frames) {
  if (Desk* target = desk(d)) target->scratch(frames);
}

}  // namespace zarnel
