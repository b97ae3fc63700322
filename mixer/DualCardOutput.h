#pragma once
// Hardware of the two-card modes: card 1 carries the first MixRing, card 2
// the second, each on a stereo buffer with its own clock.

#include <memory>

#include "mixer/MultiBufferOutput.h"

namespace zarnel {

class DualCardOutput : public MultiBufferOutput {
 public:
  DualCardOutput(Desk& desk1, Desk& desk2) : MultiBufferOutput(desk1, desk2) {}

  bool open(const PlatformServices& services) override;

 protected:
  void writeOutRt(int32_t at, int32_t count) override;
  // Blends 256 frames of card 2's MixRing from the write cursor from where
  // its audio stood under the old offset to where it stands now.
  void afterResyncRt(const int32_t* oldOffset) override;
};

}  // namespace zarnel
