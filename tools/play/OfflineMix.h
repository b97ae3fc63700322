#pragma once
// Plays one or two tracks through the desks and the mode-0 engine on a
// virtual sound card, as fast as the machine allows: desk 1 starts, desk 2
// comes in at two thirds of desk 1's track while the crossfader moves slowly
// from desk 1 to desk 2. What the card plays streams to a sink as it is
// played, so memory stays bounded whatever the mix's length.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace zarnel::tools {

// Receives the mix while it is rendered. Render thread.
class MixSink {
 public:
  virtual ~MixSink() = default;
  // Called once, before the first write, with the most frames the mix may
  // have (the render stops with an error beyond it).
  virtual void expect(int64_t maxFrames) { (void)maxFrames; }
  // Takes frames interleaved stereo frames. Return: false with error set,
  // which ends the render.
  virtual bool write(const int16_t* stereo, size_t frames, std::string& error) = 0;
};

struct OfflineMixOptions {
  bool showStatus = false;
  int64_t maxFrames = -1;                  // a bound tighter than the tracks' own, -1 for none
  const std::atomic<bool>* stop = nullptr;  // set to interrupt the render
};

struct OfflineMixResult {
  bool ok = false;
  std::string error;
  std::vector<int16_t> stereo;  // what the card played (the collecting overload only)
  int64_t frames = 0;           // frames given to the sink
};

// Renders the mix into sink, from the first mixed frame. Every render ends:
// when the tracks are over, or with an error once the mix passes the bound
// the tracks' lengths give (MixPlan::frameBound) or options.maxFrames.
// Return: ok with the frame count, or ok false with a message.
OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           const OfflineMixOptions& options, MixSink& sink);

// Return: the rendered mix in result.stereo, or ok false with a message.
OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           bool showStatus);

}  // namespace zarnel::tools
