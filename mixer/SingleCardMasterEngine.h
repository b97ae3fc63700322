#pragma once
// Output mode 0: one stereo sound buffer carrying the master mix.

#include <memory>

#include "mixer/OutputEngine.h"
#include "platform/SoundBuffer.h"

namespace zarnel {

class SingleCardMasterEngine : public OutputEngine {
 public:
  // Pre: buffer is stereo with kMixRingFrames frames and already looping.
  SingleCardMasterEngine(Desk& desk1, Desk& desk2, std::unique_ptr<SoundBuffer> buffer);

 protected:
  bool readCursorsRt(int32_t& play, int32_t& write) override;
  void writeOutRt(int32_t at, int32_t count) override;
  void mixRunRt(const int16_t* const src[2], int32_t at, int32_t count) override;

 private:
  std::unique_ptr<SoundBuffer> buffer_;
};

}  // namespace zarnel
