#include "mixer/Soft3DOutput.h"

#include "app/Settings.h"
#include "mixer/DeviceOpener.h"
#include "platform/Services.h"

namespace zarnel {

namespace {

// Buffer order: front left, front right, back left, back right; each takes
// one channel of one MixRing. Positions are (x, 0, 2z).
struct Placement {
  float x, z;
  int32_t output, channel;
};
constexpr Placement kPlacements[4] = {
    {-1.0f, 2.0f, 0, 0}, {1.0f, 2.0f, 0, 1}, {-1.0f, -2.0f, 1, 0}, {1.0f, -2.0f, 1, 1}};

}  // namespace

bool Soft3DOutput::open(const PlatformServices& services) {
  DeviceRequest request;
  request.guid = &settings().soundCardGuid;
  request.control3d = true;
  std::unique_ptr<SoundDevice> opened = openSoundDevice(services.sound, request);
  if (!opened) return false;
  SoundDevice& device = addDevice(std::move(opened));
  device.setListener();
  SoundBuffer* started[4];
  for (int32_t i = 0; i < 4; ++i) {
    SoundBufferSpec spec{1, kMixRingFrames, true, kPlacements[i].x, 0.0f, kPlacements[i].z};
    std::unique_ptr<SoundBuffer> buffer = createLoopingBuffer(device, spec);
    if (!buffer) return false;
    started[i] = buffer.get();
    addBuffer(std::move(buffer));
  }
  return startBuffers(started, 4, services);
}

void Soft3DOutput::writeChannelRt(int32_t b, int32_t output, int32_t channel, int32_t at, int32_t count) {
  SoundRegion region;
  if (!buffer(b).lockRt(bufferFrame(b, at), count, region)) return;
  const int16_t* src = out_[output] + at * 2 + channel;
  for (int32_t i = 0; i < region.firstFrames; ++i) region.first[i] = src[2 * i];
  src += 2 * region.firstFrames;
  for (int32_t i = 0; i < region.secondFrames; ++i) region.second[i] = src[2 * i];
  buffer(b).unlockRt(region);
}

void Soft3DOutput::writeOutRt(int32_t at, int32_t count) {
  for (int32_t b = 0; b < 4; ++b)
    writeChannelRt(b, kPlacements[b].output, kPlacements[b].channel, at, count);
}

}  // namespace zarnel
