#pragma once
// The main window's object: timer handles, the per-desk remembered play
// positions, the joystick calibration, the pitch slider bounds and the mixer
// parameters the skin's sliders drive.

#include <cstdint>

#include "mixer/MixerState.h"

namespace zarnel {

// Main-window timer ids.
namespace timer {
constexpr int32_t kAutoMix = 149;
constexpr int32_t kLoad[2] = {150, 151};
constexpr int32_t kDisplay = 160;
constexpr int32_t kPanes = 176;
constexpr int32_t kCaret = 177;
constexpr int32_t kBrowser = 178;
constexpr int32_t kPitchReset[2] = {190, 191};
}  // namespace timer

// UI thread only.
class App {
 public:
  // Sets every value to its start: mixer defaults, no timers, no remembered
  // positions, a neutral joystick, and the pitch bounds from "LimitPitch".
  App();

  MixerState& mixer() { return mixer_; }
  int32_t pitchMinimum() const { return pitchMin_; }
  int32_t pitchMaximum() const { return pitchMax_; }

  // Running timers (0 = not running) and the last pitch-reset press (ms).
  int32_t loadTimer[2] = {0, 0};
  int32_t pitchResetTimer[2] = {0, 0};
  int64_t lastPitchResetPress[2] = {0, 0};
  int32_t autoMixTimer = 0;
  // Position remembered by a right-button play, -1.0 for none.
  float rememberedPlay[2] = {-1.0f, -1.0f};
  // Joystick calibration; ranges are at least 1.
  int32_t joystickMinX = 0, joystickMinY = 0;
  int32_t joystickRangeX = 1, joystickRangeY = 1;
  bool joystickCaptured = false;
  int32_t loopLength[2] = {0, 0};

 private:
  MixerState mixer_;
  int32_t pitchMin_;
  int32_t pitchMax_;
};

}  // namespace zarnel
