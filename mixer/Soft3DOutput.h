#pragma once
// Hardware of the software-3D modes: four mono buffers placed front left,
// front right, back left and back right of the listener; the front pair
// carries the first MixRing, the back pair the second.

#include <memory>

#include "mixer/MultiBufferOutput.h"

namespace zarnel {

class Soft3DOutput : public MultiBufferOutput {
 public:
  Soft3DOutput(Desk& desk1, Desk& desk2) : MultiBufferOutput(desk1, desk2) {}

  bool open(const PlatformServices& services) override;

 protected:
  void writeOutRt(int32_t at, int32_t count) override;

 private:
  void writeChannelRt(int32_t buffer, int32_t output, int32_t channel, int32_t at, int32_t count);
};

}  // namespace zarnel
