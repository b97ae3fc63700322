#include "mixer/MixerState.h"

#include <algorithm>

#include "mixer/GainCurve.h"
#include "mixer/OutputEngine.h"

namespace zarnel {

namespace {
constexpr const char* kBandNames[3] = {"bass", "medium", "high"};
constexpr const char* kKillNames[3] = {"kill_bass", "kill_medium", "kill_high"};
constexpr const char* kFaderNames[3] = {"bassfader", "mediumfader", "highfader"};
int32_t clampValue(int32_t v) { return std::clamp(v, 0, kFullScale); }
}  // namespace

void MixerState::attach(OutputEngine* engine, MixerWidgets* widgets) {
  engine_ = engine;
  widgets_ = widgets;
}

void MixerState::notify(const char* kind, int32_t desk, int32_t value) {
  if (widgets_) widgets_->valueChanged(kind, desk, value);
}

void MixerState::sendLevels() {
  if (!engine_) return;
  CrossfaderLevels curve = crossfaderCurve(crossfader_, crossfaderMode_);
  if (!curve.modeValid) {
    crossfaderMode_ = 0;
    engine_->setLevels(0, 0);
    return;
  }
  engine_->setLevels(curve.desk1 * level_[0] / kFullScale, curve.desk2 * level_[1] / kFullScale);
}

void MixerState::sendEqualizer(int32_t desk) {
  if (!engine_) return;
  int32_t v[3];
  for (int32_t b = 0; b < 3; ++b) v[b] = bandValue(desk, band_[desk][b], kill_[desk][b] != 0, fader_[b]);
  engine_->setEqualizer(desk, v[0], v[1], v[2], gain_[desk]);
}

void MixerState::sendPreview() {
  if (!engine_) return;
  int32_t p1 = previewDesk_ == 0 ? kFullScale : preview_;
  int32_t p2 = previewDesk_ == 1 ? kFullScale : preview_;
  engine_->setPreviewLevels(p1, p2);
}

void MixerState::sendAll() {
  sendLevels();
  sendEqualizer(0);
  sendEqualizer(1);
  sendPreview();
}

void MixerState::setCrossfader(int32_t value) {
  value = clampValue(value);
  if (value == crossfader_) return;
  crossfader_ = value;
  sendLevels();
  notify("crossfader", -1, value);
}

void MixerState::cycleCrossfaderMode() { setCrossfaderMode(crossfaderMode_ >= 2 ? 0 : crossfaderMode_ + 1); }

void MixerState::setCrossfaderMode(int32_t mode) {
  crossfaderMode_ = mode;
  sendLevels();
}

void MixerState::setLevel(int32_t desk, int32_t value) {
  value = clampValue(value);
  if (value == level_[desk]) return;
  level_[desk] = value;
  sendLevels();
  notify("level", desk, value);
}

void MixerState::setGain(int32_t desk, int32_t value) {
  value = clampValue(value);
  if (value == gain_[desk]) return;
  gain_[desk] = value;
  sendEqualizer(desk);
  notify("gain", desk, value);
}

void MixerState::setBand(int32_t desk, Band band, int32_t value) {
  value = clampValue(value);
  int32_t& slot = band_[desk][int(band)];
  if (value == slot) return;
  slot = value;
  sendEqualizer(desk);
  notify(kBandNames[int(band)], desk, value);
}

void MixerState::setKill(int32_t desk, Band band, int32_t on) {
  int32_t& slot = kill_[desk][int(band)];
  int32_t value = on < 0 ? 1 - slot : (on != 0 ? 1 : 0);
  if (value == slot) return;
  slot = value;
  sendEqualizer(desk);
  notify(kKillNames[int(band)], desk, value);
}

void MixerState::setBandFader(Band band, int32_t value) {
  value = clampValue(value);
  int32_t& slot = fader_[int(band)];
  if (value == slot) return;
  slot = value;
  sendEqualizer(0);
  sendEqualizer(1);
  notify(kFaderNames[int(band)], -1, value);
}

void MixerState::setPreview(int32_t value) {
  value = clampValue(value);
  if (value == preview_) return;
  preview_ = value;
  sendPreview();
  notify("preview", -1, value);
}

void MixerState::selectPreviewDesk(int32_t desk) {
  desk = desk != 0 ? 1 : 0;
  if (desk == previewDesk_) return;
  previewDesk_ = desk;
  sendPreview();
  notify("preview_desk", -1, desk);
}

void MixerState::resetEqualizer(int32_t desk) {
  if (desk < 0) {
    resetEqualizer(0);
    resetEqualizer(1);
    return;
  }
  for (int32_t b = 0; b < 3; ++b) {
    setKill(desk, Band(b), 0);
    setBand(desk, Band(b), kUnity);
    bool attenuates = desk == 0 ? fader_[b] > kUnity : fader_[b] < kUnity;
    if (attenuates) setBandFader(Band(b), kUnity);
  }
}

}  // namespace zarnel
