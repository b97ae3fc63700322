#pragma once
// Hardware of the one-card stereo modes: one device, one stereo buffer that
// carries the first MixRing.

#include <memory>

#include "mixer/OutputEngine.h"
#include "platform/SoundSystem.h"

namespace zarnel {

class SingleBufferOutput : public OutputEngine {
 public:
  SingleBufferOutput(Desk& desk1, Desk& desk2) : OutputEngine(desk1, desk2) {}
  // Plays through a buffer that is already open and looping (offline work).
  // Pre: buffer is stereo with kMixRingFrames frames.
  SingleBufferOutput(Desk& desk1, Desk& desk2, std::unique_ptr<SoundBuffer> buffer);

  bool open(const PlatformServices& services) override;

 protected:
  bool readCursorsRt(int32_t& play, int32_t& write) override;
  void writeOutRt(int32_t at, int32_t count) override;

 private:
  std::unique_ptr<SoundDevice> device_;
  std::unique_ptr<SoundBuffer> buffer_;
};

}  // namespace zarnel
