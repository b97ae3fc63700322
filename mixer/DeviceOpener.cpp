#include "mixer/DeviceOpener.h"

#include "app/FatalError.h"

namespace zarnel {

namespace {

SoundResult tryOpen(SoundSystem& sound, const SoundDeviceId* id, const DeviceRequest& request,
                    std::unique_ptr<SoundDevice>& device) {
  SoundResult result = SoundResult::ok;
  device = sound.open(id, result);
  if (!device) return result == SoundResult::ok ? SoundResult::failed : result;
  const bool priority = settings().multiInstance != 0;
  result = device->setCooperativeLevel(priority);
  if (result == SoundResult::ok && request.quadSpeakers) result = device->setSpeakersQuad();
  if (result == SoundResult::ok) result = device->createPrimary(request.channels, request.control3d);
  if (result != SoundResult::ok) device.reset();
  return result;
}

}  // namespace

int32_t soundFailureCode(SoundResult result, bool quadSpeakers) {
  switch (result) {
    case SoundResult::outOfMemory:
      return kErrorDirectSoundMemory;
    case SoundResult::allocated:
      return quadSpeakers ? kErrorWdm : kErrorDirectSoundUsed;
    default:
      return kErrorDirectSound;
  }
}

std::unique_ptr<SoundDevice> openSoundDevice(SoundSystem* sound, const DeviceRequest& request) {
  if (!sound) {
    setFatalError(kErrorDirectSound);
    return nullptr;
  }
  const SoundDeviceId* id = request.guid && *request.guid ? &**request.guid : nullptr;
  std::unique_ptr<SoundDevice> device;
  SoundResult result = tryOpen(*sound, id, request, device);
  if (result == SoundResult::failed && id) result = tryOpen(*sound, nullptr, request, device);
  if (result != SoundResult::ok) setFatalError(soundFailureCode(result, request.quadSpeakers));
  return device;
}

std::unique_ptr<SoundBuffer> createLoopingBuffer(SoundDevice& device, const SoundBufferSpec& spec) {
  SoundResult result = SoundResult::ok;
  std::unique_ptr<SoundBuffer> buffer = device.createBuffer(spec, result);
  if (!buffer || result != SoundResult::ok) {
    setFatalError(kErrorDirectSound);
    return nullptr;
  }
  return buffer;
}

}  // namespace zarnel
