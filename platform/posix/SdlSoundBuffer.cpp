#include "platform/posix/SdlSoundBuffer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/posix/SdlSoundDevice.h"

namespace zarnel {

namespace {

constexpr uint64_t kPositionMask = 0x7fffffffu;
constexpr uint64_t kLappedBit = 0x80000000u;
constexpr int32_t kUnityGain = 65536;
constexpr int32_t kSilentHundredthsDb = -10000;

uint64_t packCursor(int32_t position, bool lapped, uint32_t stamp) {
  return uint64_t(stamp) << 32 | (lapped ? kLappedBit : 0) | uint64_t(position);
}
int32_t positionOf(uint64_t word) { return int32_t(word & kPositionMask); }
bool lappedOf(uint64_t word) { return (word & kLappedBit) != 0; }
uint32_t stampOf(uint64_t word) { return uint32_t(word >> 32); }

}  // namespace

bool SdlSoundBuffer::accepts(const SoundBufferSpec& spec) {
  const bool channelsOk = spec.channels == 1 || spec.channels == 2 || spec.channels == 4;
  const bool placementOk = !spec.control3d || spec.channels == 1;
  return channelsOk && placementOk && spec.frames >= 1 && spec.frames <= kMaxFrames;
}

SdlSoundBuffer::SdlSoundBuffer(SdlSoundDevice& device, const SoundBufferSpec& spec,
                               int32_t deviceChannels, int32_t period)
    : device_(&device),
      frames_(spec.frames),
      channels_(spec.channels),
      deviceChannels_(deviceChannels),
      period_(period),
      routes_(routesFor(spec, deviceChannels)),
      ring_(size_t(spec.frames) * size_t(spec.channels), 0),
      shadow_(ring_.size(), 0) {}

SdlSoundBuffer::~SdlSoundBuffer() {
  if (device_) device_->removeBuffer(this);
}

SdlSoundBuffer::Routes SdlSoundBuffer::routesFor(const SoundBufferSpec& spec,
                                                 int32_t deviceChannels) {
  // Device channels in SDL's order: front left, front right, back left, back
  // right. A device with only a front pair takes the back pair on the front.
  const int8_t back = deviceChannels >= 4 ? 2 : 0;
  Routes routes;
  for (auto& r : routes) r = {-1, -1};
  if (spec.channels == 4) {
    routes = {{{0, -1}, {1, -1}, {int8_t(back + 0), -1}, {int8_t(back + 1), -1}}};
  } else if (spec.channels == 2) {
    routes[0] = {0, -1};
    routes[1] = {1, -1};
  } else if (!spec.control3d) {
    routes[0] = {0, 1};  // a plain mono buffer plays in the middle
  } else {
    const int8_t pair = spec.z < 0.0f ? back : 0;
    if (spec.x < 0.0f) routes[0] = {pair, -1};
    else if (spec.x > 0.0f) routes[0] = {int8_t(pair + 1), -1};
    else routes[0] = {pair, int8_t(pair + 1)};
  }
  return routes;
}

bool SdlSoundBuffer::play() {
  if (!device_) return false;
  // With the callback held, its next pull starts from frame 0.
  device_->holdCallback();
  cursor_.store(packCursor(0, false, clockMicros()), std::memory_order_release);
  playing_.store(true, std::memory_order_release);
  device_->releaseCallback();
  return true;
}

void SdlSoundBuffer::stop() {
  if (!device_) return;
  device_->holdCallback();
  playing_.store(false, std::memory_order_release);
  device_->releaseCallback();
}

void SdlSoundBuffer::setVolume(int32_t hundredthsDb) {
  hundredthsDb = std::clamp(hundredthsDb, kSilentHundredthsDb, 0);
  const double gain =
      hundredthsDb == kSilentHundredthsDb ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
  gain_.store(int32_t(std::lround(gain * kUnityGain)), std::memory_order_relaxed);
}

bool SdlSoundBuffer::cursorsRt(int32_t& play, int32_t& write) {
  if (!attached_.load(std::memory_order_acquire)) return false;
  const uint64_t word = cursor_.load(std::memory_order_acquire);
  write = positionOf(word);
  if (!playing_.load(std::memory_order_acquire)) {
    play = write;
    return true;
  }
  int32_t pending = std::min(pendingFrames(stampOf(word)), frames_ - 1);
  // Before the first lap nothing before frame 0 was ever played.
  if (!lappedOf(word)) pending = std::min(pending, write);
  play = (write - pending + frames_) % frames_;
  return true;
}

int32_t SdlSoundBuffer::pendingFrames(uint32_t stamp) const {
  const uint32_t elapsedMicros = clockMicros() - stamp;  // modular: stamps wrap
  const int64_t elapsed = int64_t(elapsedMicros) * SdlSoundDevice::kRate / 1000000;
  return period_ + int32_t(std::max<int64_t>(0, period_ - elapsed));
}

bool SdlSoundBuffer::lockRt(int32_t offset, int32_t count, SoundRegion& region) {
  if (count < 0 || count > frames_) return false;
  region = splitRegion(shadow_.data(), frames_, channels_, offset, count);
  return true;
}

void SdlSoundBuffer::unlockRt(const SoundRegion& region) {
  publish(region.first, region.firstFrames);
  publish(region.second, region.secondFrames);
}

void SdlSoundBuffer::publish(const int16_t* from, int32_t frames) {
  if (!from || frames <= 0) return;
  const auto base = reinterpret_cast<uintptr_t>(shadow_.data());
  const auto at = reinterpret_cast<uintptr_t>(from);
  const size_t count = size_t(frames) * size_t(channels_);
  if (at < base || (at - base) / sizeof(int16_t) + count > shadow_.size()) return;
  const size_t start = (at - base) / sizeof(int16_t);
  // Relaxed: the callback needs each sample whole, not in any order; a
  // stretch published too late for its pull is heard a lap later, as with
  // any late write.
  for (size_t i = start; i < start + count; ++i)
    std::atomic_ref<int16_t>(ring_[i]).store(shadow_[i], std::memory_order_relaxed);
}

void SdlSoundBuffer::pullRt(int32_t* mix, int32_t frames, uint32_t stamp) {
  if (!playing_.load(std::memory_order_relaxed)) return;
  const uint64_t word = cursor_.load(std::memory_order_relaxed);
  int32_t position = positionOf(word);
  bool lapped = lappedOf(word);
  const int32_t gain = gain_.load(std::memory_order_relaxed);
  for (int32_t f = 0; f < frames; ++f) {
    int16_t* frame = ring_.data() + size_t(position) * size_t(channels_);
    int32_t* out = mix + size_t(f) * size_t(deviceChannels_);
    for (int32_t c = 0; c < channels_; ++c) {
      const int32_t sample = std::atomic_ref<int16_t>(frame[c]).load(std::memory_order_relaxed);
      // |sample| * 65536 fits 32 bits; the shift floors, exact at unity.
      const int32_t value = (sample * gain) >> 16;
      out[routes_[c][0]] += value;
      if (routes_[c][1] >= 0) out[routes_[c][1]] += value;
    }
    if (++position == frames_) {
      position = 0;
      lapped = true;
    }
  }
  // Release: pairs with the acquire in cursorsRt().
  cursor_.store(packCursor(position, lapped, stamp), std::memory_order_release);
}

void SdlSoundBuffer::detach() {
  device_ = nullptr;
  playing_.store(false, std::memory_order_release);
  attached_.store(false, std::memory_order_release);
}

uint32_t SdlSoundBuffer::clockMicros() {
  const uint64_t count = SDL_GetPerformanceCounter();
  const uint64_t frequency = SDL_GetPerformanceFrequency();
  return uint32_t((count / frequency) * 1000000u + (count % frequency) * 1000000u / frequency);
}

}  // namespace zarnel
