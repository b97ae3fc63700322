#pragma once
// Sound output through SDL2 audio. SDL_AUDIODRIVER picks SDL's driver
// ("dummy" plays nowhere, "disk" writes to the file SDL_DISKAUDIOFILE names).

#include <string_view>

#include "platform/SoundSystem.h"

namespace zarnel {

// Thread: UI thread. Devices it opens must be destroyed before it.
class SdlSoundSystem : public SoundSystem {
 public:
  // Starts SDL's audio (SDL counts starts, so several systems may coexist).
  // SDL's own signal handlers stay off: the program handles its signals.
  SdlSoundSystem();
  ~SdlSoundSystem() override;
  SdlSoundSystem(const SdlSoundSystem&) = delete;
  SdlSoundSystem& operator=(const SdlSoundSystem&) = delete;

  // Return: false if SDL's audio could not start; then there are no devices
  // and open fails.
  bool ready() const { return ready_; }
  // Return: SDL's playback devices, each identified by identityOf(its name).
  std::vector<SoundDeviceInfo> devices() override;
  // Return: a device for id (null: the default device), or null with result
  // failed when SDL's audio is down or no present device has the identity.
  std::unique_ptr<SoundDevice> open(const SoundDeviceId* id, SoundResult& result) override;

  // Return: a fixed 128-bit hash of name, the same in every run and build.
  static SoundDeviceId identityOf(std::string_view name);

 private:
  bool ready_ = false;
};

}  // namespace zarnel
