#include "mixer/SingleBufferOutput.h"

#include "app/Settings.h"
#include "mixer/DeviceOpener.h"
#include "platform/Services.h"

namespace zarnel {

SingleBufferOutput::SingleBufferOutput(Desk& desk1, Desk& desk2, std::unique_ptr<SoundBuffer> buffer)
    : OutputEngine(desk1, desk2), buffer_(std::move(buffer)) {}

bool SingleBufferOutput::open(const PlatformServices& services) {
  DeviceRequest request;
  request.guid = &settings().soundCardGuid;
  device_ = openSoundDevice(services.sound, request);
  if (!device_) return false;
  buffer_ = createLoopingBuffer(*device_, SoundBufferSpec{2, kMixRingFrames});
  if (!buffer_) return false;
  SoundBuffer* buffers[] = {buffer_.get()};
  return startBuffers(buffers, 1, services);
}

bool SingleBufferOutput::readCursorsRt(int32_t& play, int32_t& write) {
  return buffer_ && buffer_->cursorsRt(play, write);
}

void SingleBufferOutput::writeOutRt(int32_t at, int32_t count) {
  // A failed lock leaves that stretch of the device unwritten; the MixRing
  // and the positions move on regardless.
  buffer_->writeRt(at, out_[0] + at * 2, count);
}

}  // namespace zarnel
