#pragma once
// One SDL playback device: 44100 Hz, 16 bits, two or four channels, a short
// device period for low latency, and the callback that mixes every playing
// SdlSoundBuffer into the device's output.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/SoundSystem.h"

namespace zarnel {

class SdlSoundBuffer;

// Channels: createPrimary(4, ...) needs a device with four channels and fails
// on a stereo one, since the back pair carries the headphone or second-desk
// signal that must not reach the speakers. A stereo primary with 3D control,
// or after setSpeakersQuad, takes four channels where the device offers them
// and otherwise folds the back pair onto the front, as a 3D renderer on two
// speakers would.
//
// Thread: UI thread, except the callback (SDL's thread) and the buffers'
// audio-thread calls. Pre: destroyed before the SdlSoundSystem that opened it.
class SdlSoundDevice : public SoundDevice {
 public:
  static constexpr int32_t kRate = 44100;
  static constexpr int32_t kPeriodFrames = 512;  // about 12 ms
  static constexpr int32_t kMaxBuffers = 8;

  // name: SDL's name of the device, empty for the default device. Nothing is
  // opened until createPrimary.
  explicit SdlSoundDevice(std::string name);
  // Post: SDL's device is closed and any buffer still alive is detached.
  ~SdlSoundDevice() override;
  SdlSoundDevice(const SdlSoundDevice&) = delete;
  SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

  // SDL has no exclusive mode: either level opens the device shared where
  // its driver allows, and a device held elsewhere shows at createPrimary.
  SoundResult setCooperativeLevel(bool priority) override;
  // Post: createPrimary asks for four channels.
  SoundResult setSpeakersQuad() override;
  // Opens the device and starts it playing silence. Pre: channels 2 or 4.
  // Return: allocated if the device is busy, outOfMemory, or failed
  // (including a second call).
  SoundResult createPrimary(int32_t channels, bool control3d) override;
  SoundResult setListener() override { return SoundResult::ok; }
  // Return: a stopped buffer registered with the callback, or null with
  // result failed (no primary yet, bad spec, kMaxBuffers reached) or
  // outOfMemory.
  std::unique_ptr<SoundBuffer> createBuffer(const SoundBufferSpec& spec,
                                            SoundResult& result) override;

  // Return: the device's channel count (2 or 4), 0 before createPrimary.
  int32_t channels() const { return channels_; }
  // Return: the result for a failed open whose SDL error text is text.
  static SoundResult classifyOpenError(const char* text);

  // Keep the callback out while a buffer changes what it reads. UI thread.
  void holdCallback();
  void releaseCallback();
  // Post: the callback no longer pulls from buffer. UI thread.
  void removeBuffer(SdlSoundBuffer* buffer);

 private:
  static constexpr int32_t kChunkFrames = 1024;

  static void callbackRt(void* self, uint8_t* stream, int bytes);
  void mixRt(int16_t* out, int32_t frames);
  SoundResult openQuad(bool needFour);
  SoundResult openSdl(int32_t channels, int allowedChanges);
  void closeSdl();

  const std::string name_;
  bool quad_ = false;
  uint32_t sdlId_ = 0;  // SDL_AudioDeviceID, 0 when closed
  int32_t channels_ = 0;
  int32_t period_ = 0;
  // Changed only with the callback held; read by the callback.
  std::array<SdlSoundBuffer*, kMaxBuffers> buffers_{};
  std::array<int32_t, kChunkFrames * 4> mix_{};  // callback's sums
};

}  // namespace zarnel
