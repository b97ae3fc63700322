#pragma once
// The mix the play tool performs: desk 1 plays, desk 2 comes in at two thirds
// of desk 1's track (or when desk 1 is over, if sooner), and the crossfader
// moves from desk 1 to desk 2 across the last third. It ends when every
// started track is over.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "platform/MessagePoster.h"
#include "platform/Services.h"

namespace zarnel::tools {

// Notes the track-ended messages of the desks. Any thread.
class EndWatcher : public MessagePoster {
 public:
  void postRt(uint32_t message, int32_t wparam, int32_t) override {
    if (message == kMsgTrackEnded && (wparam == 0 || wparam == 1)) ended[wparam] = true;
  }
  std::atomic<bool> ended[2] = {false, false};
};

class MixPlan {
 public:
  explicit MixPlan(const PlatformServices& services);

  // Loads one or two files. Return: false with error set (see loadFailure).
  bool load(const std::vector<std::string>& files, std::string& error);
  // Return: the message for a desk that could not load path.
  static std::string loadFailure(const Desk& desk, const std::string& path);
  // Starts desk 1 with the crossfader on its side.
  void start();
  // Starts desk 2 and moves the crossfader as desk 1 goes on.
  void step();
  // Return: whether every started track is over.
  bool finished() const;
  // Return: the most output frames the loaded tracks can take to play out,
  // with room for lengths that were only estimated: twice their lengths and
  // a minute. Pre: load succeeded.
  int64_t frameBound() const;
  // Prints the one-line status (positions, crossfader, pitch) over itself.
  void printStatus(double seconds) const;

  Desk& desk(int32_t d) { return *desks_[d]; }
  MixerState& mixer() { return mixer_; }

 private:
  static constexpr int64_t kFramesPerSecond = 44100;
  static constexpr int64_t kBoundFactor = 2;
  static constexpr int64_t kBoundMarginSeconds = 60;

  // Return: whether desk d ended or stopped past its end.
  bool over(int32_t d) const;

  EndWatcher watcher_;
  std::unique_ptr<Desk> desks_[2];
  MixerState mixer_;
  size_t tracks_ = 0;
  bool secondStarted_ = false;
  float fadeFrom_ = 0.0f;
};

}  // namespace zarnel::tools
