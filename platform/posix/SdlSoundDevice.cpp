#include "platform/posix/SdlSoundDevice.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <new>
#include <string_view>

#include "platform/posix/SdlSoundBuffer.h"

namespace zarnel {

namespace {

bool containsNoCase(std::string_view text, std::string_view word) {
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  return std::search(text.begin(), text.end(), word.begin(), word.end(), same) != text.end();
}

int16_t clip16(int32_t value) { return int16_t(std::clamp(value, -32768, 32767)); }

}  // namespace

SdlSoundDevice::SdlSoundDevice(std::string name) : name_(std::move(name)) {}

SdlSoundDevice::~SdlSoundDevice() {
  closeSdl();
  for (SdlSoundBuffer*& buffer : buffers_) {
    if (buffer) buffer->detach();
    buffer = nullptr;
  }
}

SoundResult SdlSoundDevice::setCooperativeLevel(bool) { return SoundResult::ok; }

SoundResult SdlSoundDevice::setSpeakersQuad() {
  quad_ = true;
  return SoundResult::ok;
}

SoundResult SdlSoundDevice::createPrimary(int32_t channels, bool control3d) {
  if (sdlId_ != 0 || (channels != 2 && channels != 4)) return SoundResult::failed;
  const bool wantFour = channels == 4 || quad_ || control3d;
  const SoundResult result = wantFour ? openQuad(channels == 4) : openSdl(2, 0);
  if (result == SoundResult::ok) SDL_PauseAudioDevice(sdlId_, 0);
  return result;
}

SoundResult SdlSoundDevice::openQuad(bool needFour) {
  const SoundResult result = openSdl(4, SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (result != SoundResult::ok || channels_ == 4) return result;
  if (channels_ == 2 && !needFour) return SoundResult::ok;
  const int32_t offered = channels_;
  closeSdl();
  if (offered == 2) return SoundResult::failed;
  // Some other layout (mono, 5.1...): SDL maps our four channels onto it.
  return openSdl(4, 0);
}

SoundResult SdlSoundDevice::openSdl(int32_t channels, int allowedChanges) {
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = Uint8(channels);
  want.samples = Uint16(kPeriodFrames);
  want.callback = callbackRt;
  want.userdata = this;
  SDL_AudioSpec have{};
  SDL_ClearError();
  const char* name = name_.empty() ? nullptr : name_.c_str();
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(name, 0, &want, &have, allowedChanges);
  if (id == 0) return classifyOpenError(SDL_GetError());
  // Read by the callback only after SDL_PauseAudioDevice, which orders them.
  sdlId_ = id;
  channels_ = have.channels;
  period_ = have.samples;
  return SoundResult::ok;
}

void SdlSoundDevice::closeSdl() {
  // Waits for SDL's thread: no callback runs after this.
  if (sdlId_ != 0) SDL_CloseAudioDevice(sdlId_);
  sdlId_ = 0;
  channels_ = 0;
  period_ = 0;
}

SoundResult SdlSoundDevice::classifyOpenError(const char* text) {
  const std::string_view error = text ? text : "";
  // ALSA's EBUSY text for a hardware device another program holds.
  if (containsNoCase(error, "busy")) return SoundResult::allocated;
  if (containsNoCase(error, "out of memory")) return SoundResult::outOfMemory;
  return SoundResult::failed;
}

std::unique_ptr<SoundBuffer> SdlSoundDevice::createBuffer(const SoundBufferSpec& spec,
                                                          SoundResult& result) {
  result = SoundResult::failed;
  if (sdlId_ == 0 || !SdlSoundBuffer::accepts(spec)) return nullptr;
  auto slot = std::find(buffers_.begin(), buffers_.end(), nullptr);
  if (slot == buffers_.end()) return nullptr;
  std::unique_ptr<SdlSoundBuffer> buffer;
  try {
    buffer = std::make_unique<SdlSoundBuffer>(*this, spec, channels_, period_);
  } catch (const std::bad_alloc&) {
    result = SoundResult::outOfMemory;
    return nullptr;
  }
  holdCallback();
  *slot = buffer.get();
  releaseCallback();
  result = SoundResult::ok;
  return buffer;
}

void SdlSoundDevice::holdCallback() {
  if (sdlId_ != 0) SDL_LockAudioDevice(sdlId_);
}

void SdlSoundDevice::releaseCallback() {
  if (sdlId_ != 0) SDL_UnlockAudioDevice(sdlId_);
}

void SdlSoundDevice::removeBuffer(SdlSoundBuffer* buffer) {
  holdCallback();
  std::replace(buffers_.begin(), buffers_.end(), buffer, static_cast<SdlSoundBuffer*>(nullptr));
  releaseCallback();
}

// ---- SDL's audio thread: no allocation, no locks, no waits ----

void SdlSoundDevice::callbackRt(void* self, uint8_t* stream, int bytes) {
  auto* device = static_cast<SdlSoundDevice*>(self);
  const int32_t frames = bytes / int32_t(sizeof(int16_t) * size_t(device->channels_));
  device->mixRt(reinterpret_cast<int16_t*>(stream), frames);
}

void SdlSoundDevice::mixRt(int16_t* out, int32_t frames) {
  const uint32_t stamp = SdlSoundBuffer::clockMicros();
  while (frames > 0) {
    const int32_t run = std::min(frames, kChunkFrames);
    const size_t samples = size_t(run) * size_t(channels_);
    std::fill_n(mix_.begin(), samples, 0);
    for (SdlSoundBuffer* buffer : buffers_)
      if (buffer) buffer->pullRt(mix_.data(), run, stamp);
    for (size_t i = 0; i < samples; ++i) out[i] = clip16(mix_[i]);
    out += samples;
    frames -= run;
  }
}

}  // namespace zarnel
