#include "mixer/QuadOutput.h"

#include "app/Settings.h"
#include "mixer/DeviceOpener.h"
#include "platform/Services.h"

namespace zarnel {

bool QuadOutput::open(const PlatformServices& services) {
  DeviceRequest request;
  request.guid = &settings().soundCardGuid;
  request.channels = 4;
  request.quadSpeakers = true;
  device_ = openSoundDevice(services.sound, request);
  if (!device_) return false;
  buffer_ = createLoopingBuffer(*device_, SoundBufferSpec{4, kMixRingFrames});
  if (!buffer_) return false;
  SoundBuffer* buffers[] = {buffer_.get()};
  return startBuffers(buffers, 1, services);
}

bool QuadOutput::readCursorsRt(int32_t& play, int32_t& write) {
  return buffer_ && buffer_->cursorsRt(play, write);
}

void QuadOutput::interleaveRt(int16_t* dst, int32_t from, int32_t count) const {
  const int16_t* front = out_[0] + from * 2;
  const int16_t* back = out_[1] + from * 2;
  for (int32_t i = 0; i < count; ++i) {
    dst[4 * i] = front[2 * i];
    dst[4 * i + 1] = front[2 * i + 1];
    dst[4 * i + 2] = back[2 * i];
    dst[4 * i + 3] = back[2 * i + 1];
  }
}

void QuadOutput::writeOutRt(int32_t at, int32_t count) {
  SoundRegion region;
  if (!buffer_->lockRt(at, count, region)) return;
  interleaveRt(region.first, at, region.firstFrames);
  if (region.secondFrames > 0) interleaveRt(region.second, at + region.firstFrames, region.secondFrames);
  buffer_->unlockRt(region);
}

}  // namespace zarnel
