#pragma once
// AutoMix in the running program: the transition controller acting on the
// desks, the mixer, the beat matcher and the playlist, and the desks' view
// of AutoMix on the audio thread (the mix point and the end of a track).
// Values the audio thread reads are mirrored into atomic words by the UI
// thread (sync, every display refresh), so the audio thread never reads the
// settings record or a track's data.

#include <atomic>
#include <cstdint>
#include <functional>

#include "app/AutoMix.h"
#include "desk/DeskHooks.h"

namespace zarnel {

class App;
class BeatMatcher;
class Desk;
class MessagePoster;
class Window;
struct Settings;

// Borrowed; outlive the link.
struct AutoMixLinks {
  App* app = nullptr;
  Desk* desks[2] = {nullptr, nullptr};
  BeatMatcher* matcher = nullptr;
  Window* window = nullptr;
  MessagePoster* poster = nullptr;  // where the audio thread posts 1068
  const Settings* settings = nullptr;
  // Loads the next playlist track onto a desk. Return: false when none.
  std::function<bool(int32_t)> nextTrack;
};

class AutoMixLink : public AutoMixHost, public AutoMixWatch {
 public:
  explicit AutoMixLink(const AutoMixLinks& links);

  AutoMix& controller() { return autoMix_; }
  // Copies the settings and the desks' first cue points into the words the
  // audio thread reads. UI thread, at every display refresh and on a switch.
  void sync();
  void setOn(bool on);

  // AutoMixWatch
  bool autoMixOn() const override { return autoMix_.on(); }
  float startPosition(Desk& desk) override;
  void mixCheckRt(Desk& desk) override;
  void endOfTrackCheckRt(Desk& desk) override;

  // AutoMixHost
  float position(int32_t desk) const override;
  int32_t length(int32_t desk) const override;
  int32_t pitch(int32_t desk) const override;
  bool playing(int32_t desk) const override;
  void play(int32_t desk) override;
  void stop(int32_t desk) override;
  void eject(int32_t desk) override;
  bool nextTrack(int32_t desk) override;
  int32_t crossfader() const override;
  void setCrossfader(int32_t value) override;
  int32_t previewDesk() const override;
  void setPreviewDesk(int32_t desk) override;
  bool matchPitch(int32_t desk) override;
  void matchBeat(int32_t desk) override;
  void fineBeatCorrection(int32_t desk) override;
  void startPitchReset(int32_t desk) override;
  void startTimer(int32_t id, int32_t periodMs) override;
  void stopTimer(int32_t id) override;
  void lightMixButtons(bool on) override;

 private:
  // Return: the check's view of desk d; d is 0 or 1. Audio thread.
  struct MixCheckInput inputRt(const Desk& desk) const;
  int32_t indexOf(const Desk& desk) const { return &desk == links_.desks[1] ? 1 : 0; }

  AutoMixLinks links_;
  AutoMix autoMix_;
  std::atomic<bool> on_{false};
  std::atomic<int32_t> longMix_{0}, endMix_{1};
  std::atomic<float> firstCue_[2];  // below 0: none
  std::atomic<float> lastBeat_[2];
};

}  // namespace zarnel
