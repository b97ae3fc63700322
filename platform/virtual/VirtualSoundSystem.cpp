#include "platform/virtual/VirtualSoundSystem.h"

#include <algorithm>
#include <cmath>

namespace zarnel {

namespace {

// A buffer that tells its device when it goes.
class DeviceBuffer : public VirtualSoundBuffer {
 public:
  DeviceBuffer(VirtualSoundDevice& device, int32_t frames, int32_t channels)
      : VirtualSoundBuffer(frames, channels, VirtualSoundSystem::kLatency), device_(device) {
    stop();  // a new buffer waits for play()
  }
  ~DeviceBuffer() override { device_.forget(this); }

 private:
  VirtualSoundDevice& device_;
};

}  // namespace

SoundDeviceId VirtualSoundSystem::addCard(const std::string& name, int32_t maxChannels) {
  SoundDeviceId id{};
  id[0] = uint8_t(cards_.size() + 1);
  for (size_t i = 0; i < name.size() && i + 1 < id.size(); ++i) id[i + 1] = uint8_t(name[i]);
  cards_.push_back(Card{SoundDeviceInfo{id, name}, maxChannels});
  return id;
}

void VirtualSoundSystem::removeCard(const SoundDeviceId& id) {
  std::erase_if(cards_, [&](const Card& c) { return c.info.id == id; });
}

void VirtualSoundSystem::holdCard(const SoundDeviceId& id, bool held) {
  for (Card& c : cards_)
    if (c.info.id == id) c.held = held;
}

void VirtualSoundSystem::setSpeed(const SoundDeviceId& id, double speed) {
  for (Card& c : cards_)
    if (c.info.id == id) c.speed = speed;
}

const VirtualSoundSystem::Card* VirtualSoundSystem::find(const SoundDeviceId& id) const {
  for (const Card& c : cards_)
    if (c.info.id == id) return &c;
  return nullptr;
}

std::vector<SoundDeviceInfo> VirtualSoundSystem::devices() {
  std::vector<SoundDeviceInfo> out;
  for (const Card& c : cards_) out.push_back(c.info);
  return out;
}

std::unique_ptr<SoundDevice> VirtualSoundSystem::open(const SoundDeviceId* id, SoundResult& result) {
  const Card* card = id ? find(*id) : (cards_.empty() ? nullptr : &cards_.front());
  if (!card) {
    result = SoundResult::failed;
    return nullptr;
  }
  if (card->held) {
    result = SoundResult::allocated;
    return nullptr;
  }
  result = SoundResult::ok;
  return std::make_unique<VirtualSoundDevice>(*this, *card);
}

void VirtualSoundSystem::advance(int32_t frames) {
  for (VirtualSoundDevice* device : open_) device->advance(frames);
}

VirtualSoundDevice::VirtualSoundDevice(VirtualSoundSystem& system, const VirtualSoundSystem::Card& card)
    : system_(system), card_(card) {
  system_.open_.push_back(this);
}

VirtualSoundDevice::~VirtualSoundDevice() { std::erase(system_.open_, this); }

SoundResult VirtualSoundDevice::setCooperativeLevel(bool priority) {
  priority_ = priority;
  return SoundResult::ok;
}

SoundResult VirtualSoundDevice::setSpeakersQuad() {
  if (card_.maxChannels < 4) return SoundResult::failed;
  quad_ = true;
  return SoundResult::ok;
}

SoundResult VirtualSoundDevice::createPrimary(int32_t channels, bool) {
  if (system_.outOfMemory_) return SoundResult::outOfMemory;
  if (channels > card_.maxChannels) return SoundResult::failed;
  primaryChannels_ = channels;
  return SoundResult::ok;
}

SoundResult VirtualSoundDevice::setListener() { return SoundResult::ok; }

std::unique_ptr<SoundBuffer> VirtualSoundDevice::createBuffer(const SoundBufferSpec& spec,
                                                              SoundResult& result) {
  if (system_.outOfMemory_) {
    result = SoundResult::outOfMemory;
    return nullptr;
  }
  if (system_.failBuffers_ || spec.channels > card_.maxChannels) {
    result = SoundResult::failed;
    return nullptr;
  }
  auto buffer = std::make_unique<DeviceBuffer>(*this, spec.frames, spec.channels);
  if (system_.realTime_) buffer->followRealTime(true);
  buffers_.push_back(buffer.get());
  specs_.push_back(spec);
  result = SoundResult::ok;
  return buffer;
}

void VirtualSoundDevice::advance(int32_t frames) {
  const VirtualSoundSystem::Card* card = system_.find(card_.info.id);
  owed_ += frames * (card ? card->speed : card_.speed);
  const auto whole = int32_t(std::floor(owed_));
  owed_ -= whole;
  for (VirtualSoundBuffer* buffer : buffers_) buffer->advance(whole);
}

void VirtualSoundDevice::forget(VirtualSoundBuffer* buffer) {
  for (size_t i = 0; i < buffers_.size(); ++i) {
    if (buffers_[i] != buffer) continue;
    buffers_.erase(buffers_.begin() + long(i));
    specs_.erase(specs_.begin() + long(i));
    return;
  }
}

}  // namespace zarnel
