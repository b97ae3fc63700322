#pragma once
// Hardware of the four-channel modes: one device driving four speakers, one
// four-channel buffer whose front pair carries the first MixRing and whose
// back pair carries the second.

#include <memory>

#include "mixer/OutputEngine.h"
#include "platform/SoundSystem.h"

namespace zarnel {

class QuadOutput : public OutputEngine {
 public:
  QuadOutput(Desk& desk1, Desk& desk2) : OutputEngine(desk1, desk2) {}

  bool open(const PlatformServices& services) override;

 protected:
  bool readCursorsRt(int32_t& play, int32_t& write) override;
  void writeOutRt(int32_t at, int32_t count) override;

 private:
  void interleaveRt(int16_t* dst, int32_t from, int32_t count) const;

  std::unique_ptr<SoundDevice> device_;
  std::unique_ptr<SoundBuffer> buffer_;
};

}  // namespace zarnel
