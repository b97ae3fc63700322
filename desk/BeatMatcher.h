#pragma once
// Brings one desk in line with the other: its tempo, its beat phase and its
// loudness; the pitch setter with its range, and the gradual pitch reset.

#include <cstdint>

#include "desk/DeskHooks.h"

namespace zarnel {

class Desk;
class MixerState;
class Window;

// Return: the jump in frames of a fine beat correction: the smaller of the
// two offsets (r2 on a tie), in envelope samples, when it is under 153
// (125 ms); 0 otherwise.
int32_t fineCorrectionFrames(int32_t r1, int32_t r2);

// UI thread only.
class BeatMatcher : public LoadMatcher {
 public:
  static constexpr int32_t kPitchResetTimer[2] = {190, 191};
  static constexpr int32_t kPitchResetMs = 500;

  // window may be null (no timers: the gradual reset is then not available).
  BeatMatcher(Desk& desk1, Desk& desk2, MixerState& mixer, Window* window);

  // Return: the pitch range of the "LimitPitch" option.
  static int32_t pitchMinimum();
  static int32_t pitchMaximum();

  // Clamps p to the range and sends it to desk d.
  void setPitch(int32_t d, int32_t p);
  // Return: the "Pitch" slider position (0..4096) of desk d's pitch.
  int32_t pitchSlider(int32_t d) const;
  // After the range changed: applies both desks' pitches again.
  void applyPitchRange();

  bool matchPitch(int32_t d);
  bool matchGain(int32_t d);
  void matchBeat(int32_t d);
  void fineBeatCorrection(int32_t d);
  void skipBeat(int32_t d);
  void magic(int32_t d);

  // One step of the gradual pitch reset (timer 190 or 191).
  void pitchResetTick(int32_t d);
  void startPitchReset(int32_t d);
  void stopPitchReset(int32_t d);
  bool pitchResetRunning(int32_t d) const { return resetRunning_[d]; }
  // The "pitch_reset" button: a double press resets at once, a single one
  // starts or stops the gradual reset. nowMs is a steady clock.
  void pitchResetPress(int32_t d, int64_t nowMs);

  // The desk's automatic matching on load.
  bool matchTempo(Desk& desk) override;
  bool matchLevel(Desk& desk) override;
  void setGain(Desk& desk, int32_t gain) override;

 private:
  Desk& other(int32_t d) { return *desks_[1 - d]; }
  bool bothHaveEntries() const;

  Desk* desks_[2];
  MixerState& mixer_;
  Window* window_;
  bool resetRunning_[2] = {false, false};
  int64_t lastPress_[2] = {-1000000, -1000000};
};

}  // namespace zarnel
