#include "platform/posix/SdlSoundSystem.h"

#include <SDL.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <new>

#include "platform/posix/SdlSoundDevice.h"

namespace zarnel {

namespace {

constexpr uint64_t kFnvPrime = 0x100000001b3ull;
constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ull;
// A second, independent basis for the upper half of the identity.
constexpr uint64_t kSecondOffset = 0x6c62272e07bb0142ull;

uint64_t fnv1a(std::string_view text, uint64_t hash) {
  for (char c : text) {
    hash ^= uint8_t(c);
    hash *= kFnvPrime;
  }
  return hash;
}

void storeBigEndian(uint64_t value, uint8_t* out) {
  for (int i = 7; i >= 0; --i) {
    out[i] = uint8_t(value);
    value >>= 8;
  }
}

// The ALSA library prints its own errors to stderr while SDL probes for a
// device; the sound system reports failures itself.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

SdlSoundSystem::SdlSoundSystem() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  snd_lib_error_set_handler(quietAlsa);
  ready_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

SdlSoundSystem::~SdlSoundSystem() {
  if (ready_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::vector<SoundDeviceInfo> SdlSoundSystem::devices() {
  std::vector<SoundDeviceInfo> list;
  if (!ready_) return list;
  const int count = SDL_GetNumAudioDevices(0);
  for (int i = 0; i < count; ++i) {
    const char* name = SDL_GetAudioDeviceName(i, 0);
    if (name) list.push_back({identityOf(name), name});
  }
  return list;
}

std::unique_ptr<SoundDevice> SdlSoundSystem::open(const SoundDeviceId* id, SoundResult& result) {
  result = SoundResult::failed;
  if (!ready_) return nullptr;
  std::string name;
  if (id) {
    const std::vector<SoundDeviceInfo> present = devices();
    auto match = std::find_if(present.begin(), present.end(),
                              [id](const SoundDeviceInfo& info) { return info.id == *id; });
    if (match == present.end()) return nullptr;
    name = match->name;
  }
  try {
    auto device = std::make_unique<SdlSoundDevice>(std::move(name));
    result = SoundResult::ok;
    return device;
  } catch (const std::bad_alloc&) {
    result = SoundResult::outOfMemory;
    return nullptr;
  }
}

SoundDeviceId SdlSoundSystem::identityOf(std::string_view name) {
  SoundDeviceId id{};
  storeBigEndian(fnv1a(name, kFnvOffset), id.data());
  storeBigEndian(fnv1a(name, kSecondOffset), id.data() + 8);
  return id;
}

}  // namespace zarnel
