#include "skin/DisplayRefresh.h"

#include <algorithm>

#include "skin/ActionNames.h"

namespace zarnel {

DeskPlace deskPlace(int32_t length, float fraction) {
  if (length <= 0) return {};
  if (fraction < 0.0f) return {kSliderMax, 0};
  const double f = std::min(double(fraction), 1.0);
  DeskPlace place;
  place.position = int32_t(f * kSliderMax);
  // 0.75 turns per second of play, in 4096ths of a turn.
  place.angle = int32_t(int64_t(double(length) * kDiscTurn * f * 0.75) % kDiscTurn);
  return place;
}

int32_t stepToneArm(int32_t arm, bool playing) {
  return playing ? std::min(arm + kToneArmStep, kToneArmMax) : std::max(arm - kToneArmStep, 0);
}

DisplayRefresh::DisplayRefresh()
    : playPause_(buttonActionByName("play_pause")), cueStop_(buttonActionByName("cue_stop")) {}

void DisplayRefresh::tick(Skin& skin, const DeskDisplay& desks) {
  slow_ = !slow_;
  if (slow_) slowWork(skin, desks);
  for (int32_t d = 0; d < 2; ++d) beat_[d] = desks.beatMeter(d);
  beatMax_ = std::max(beat_[0], beat_[1]);
  for (auto& lamp : skin.beatLamps) lamp->draw();
}

void DisplayRefresh::slowWork(Skin& skin, const DeskDisplay& desks) {
  for (auto& zone : skin.textZones) zone->draw();
  DeskPlace places[2];
  for (int32_t d = 0; d < 2; ++d) {
    arm_[d] = stepToneArm(arm_[d], desks.playing(d));
    places[d] = deskPlace(desks.length(d), desks.position(d));
  }
  setSliders(skin, places);
  selectTransport(skin, desks);
}

void DisplayRefresh::setSliders(Skin& skin, const DeskPlace (&places)[2]) {
  for (auto& slider : skin.sliders) {
    const int32_t d = slider->desk();
    if (d < 0 || d > 1) continue;
    switch (slider->kind()) {
      case kSliderSongPos:
        slider->setValue(places[d].position);
        break;
      case kSliderRotation:
        slider->setValue(places[d].angle);
        break;
      case kSliderArm:
        slider->setValue(arm_[d]);
        break;
      default:
        break;
    }
  }
}

void DisplayRefresh::selectTransport(Skin& skin, const DeskDisplay& desks) {
  for (auto& button : skin.buttons) {
    const int32_t d = button->desk();
    if (d < 0 || d > 1) continue;
    if (button->action() == playPause_ || button->action() == cueStop_) button->setSelected(desks.playing(d));
  }
}

}  // namespace zarnel
