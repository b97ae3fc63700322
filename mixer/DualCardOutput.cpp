#include "mixer/DualCardOutput.h"

#include "app/Settings.h"
#include "mixer/DeviceOpener.h"
#include "platform/Services.h"

namespace zarnel {

bool DualCardOutput::open(const PlatformServices& services) {
  const std::optional<DeviceGuid>* guids[2] = {&settings().soundCard1Guid, &settings().soundCard2Guid};
  SoundBuffer* started[2];
  for (int32_t card = 0; card < 2; ++card) {
    DeviceRequest request;
    request.guid = guids[card];
    std::unique_ptr<SoundDevice> device = openSoundDevice(services.sound, request);
    if (!device) return false;
    SoundDevice& opened = addDevice(std::move(device));
    std::unique_ptr<SoundBuffer> buffer = createLoopingBuffer(opened, SoundBufferSpec{2, kMixRingFrames});
    if (!buffer) return false;
    started[card] = buffer.get();
    addBuffer(std::move(buffer));
  }
  return startBuffers(started, 2, services);
}

void DualCardOutput::writeOutRt(int32_t at, int32_t count) {
  buffer(0).writeRt(bufferFrame(0, at), out_[0] + at * 2, count);
  buffer(1).writeRt(bufferFrame(1, at), out_[1] + at * 2, count);
}

void DualCardOutput::afterResyncRt(const int32_t* oldOffset) {
  const int32_t shift = oldOffset[1] - offset(1);
  const int32_t from = writeCursor();
  for (int32_t k = 0; k < kRestartFadeFrames; ++k) {
    const int32_t at = (from + k) % kMixRingFrames;
    const int32_t was = ((at + shift) % kMixRingFrames + kMixRingFrames) % kMixRingFrames;
    for (int32_t c = 0; c < 2; ++c) {
      const int32_t value = out_[1][at * 2 + c];
      const int32_t old = out_[1][was * 2 + c];
      out_[1][at * 2 + c] = int16_t(value * k / 256 + old * (256 - k) / 256);
    }
  }
}

}  // namespace zarnel
