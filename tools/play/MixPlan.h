#pragma once
// The mix the play tool performs: desk 1 plays, desk 2 comes in at two thirds
// of desk 1's track, and the crossfader moves from desk 1 to desk 2 across the
// last third. It ends when every started track has ended.

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
  void post(uint32_t message, int32_t wparam, int32_t) override {
    if (message == kMsgTrackEnded && (wparam == 0 || wparam == 1)) ended[wparam] = true;
  }
  std::atomic<bool> ended[2] = {false, false};
};

class MixPlan {
 public:
  explicit MixPlan(const PlatformServices& services);

  // Loads one or two files. Return: false with error set.
  bool load(const std::vector<std::string>& files, std::string& error);
  // Starts desk 1 with the crossfader on its side.
  void start();
  // Starts desk 2 and moves the crossfader as desk 1 goes on.
  void step();
  // Return: whether every started track has ended.
  bool finished() const;
  // Prints the one-line status (positions, crossfader, pitch) over itself.
  void printStatus(double seconds) const;

  Desk& desk(int32_t d) { return *desks_[d]; }
  MixerState& mixer() { return mixer_; }

 private:
  EndWatcher watcher_;
  std::unique_ptr<Desk> desks_[2];
  MixerState mixer_;
  size_t tracks_ = 0;
  bool secondStarted_ = false;
  float fadeFrom_ = 0.0f;
};

}  // namespace zarnel::tools
