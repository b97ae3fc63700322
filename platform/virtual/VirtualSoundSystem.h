#pragma once
// Sound devices for tests and offline runs: each device's clock is driven by
// the caller, may run fast or slow against the others, and every buffer
// records what it played. Devices can be held by "another program", vanish,
// or run out of memory.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SoundSystem.h"
#include "platform/virtual/VirtualSoundBuffer.h"

namespace zarnel {

class VirtualSoundDevice;

class VirtualSoundSystem : public SoundSystem {
 public:
  static constexpr int32_t kLatency = 441;  // write cursor 10 ms ahead of play

  // Adds a card. The first one added is the default. Return: its identity.
  SoundDeviceId addCard(const std::string& name, int32_t maxChannels = 4);
  void removeCard(const SoundDeviceId& id);
  // Another program holds the card exclusively: opening it reports allocated.
  void holdCard(const SoundDeviceId& id, bool held);
  // Every later primary or buffer creation reports out of memory.
  void runOutOfMemory(bool on) { outOfMemory_ = on; }
  // Every later buffer creation fails.
  void failBuffers(bool on) { failBuffers_ = on; }
  // The card's clock runs at speed times the nominal rate.
  void setSpeed(const SoundDeviceId& id, double speed);

  // Plays frames (nominal) on every open device.
  void advance(int32_t frames);
  // Makes every buffer created from now on follow real time instead.
  void followRealTime(bool on) { realTime_ = on; }

  std::vector<SoundDeviceInfo> devices() override;
  std::unique_ptr<SoundDevice> open(const SoundDeviceId* id, SoundResult& result) override;

  // The devices open now, in the order they were opened.
  const std::vector<VirtualSoundDevice*>& openDevices() const { return open_; }

  struct Card {
    SoundDeviceInfo info;
    int32_t maxChannels = 4;
    bool held = false;
    double speed = 1.0;
  };

 private:
  friend class VirtualSoundDevice;
  const Card* find(const SoundDeviceId& id) const;

  std::vector<Card> cards_;
  std::vector<VirtualSoundDevice*> open_;
  bool outOfMemory_ = false;
  bool failBuffers_ = false;
  bool realTime_ = false;
};

class VirtualSoundDevice : public SoundDevice {
 public:
  VirtualSoundDevice(VirtualSoundSystem& system, const VirtualSoundSystem::Card& card);
  ~VirtualSoundDevice() override;

  SoundResult setCooperativeLevel(bool priority) override;
  SoundResult setSpeakersQuad() override;
  SoundResult createPrimary(int32_t channels, bool control3d) override;
  SoundResult setListener() override;
  std::unique_ptr<SoundBuffer> createBuffer(const SoundBufferSpec& spec, SoundResult& result) override;

  const SoundDeviceId& id() const { return card_.info.id; }
  bool priority() const { return priority_; }
  bool speakersQuad() const { return quad_; }
  int32_t primaryChannels() const { return primaryChannels_; }
  // The buffers alive on this device, in creation order, with their specs.
  const std::vector<VirtualSoundBuffer*>& buffers() const { return buffers_; }
  const std::vector<SoundBufferSpec>& specs() const { return specs_; }

  void advance(int32_t frames);
  void forget(VirtualSoundBuffer* buffer);

 private:
  VirtualSoundSystem& system_;
  VirtualSoundSystem::Card card_;
  bool priority_ = false;
  bool quad_ = false;
  int32_t primaryChannels_ = 0;
  double owed_ = 0.0;
  std::vector<VirtualSoundBuffer*> buffers_;
  std::vector<SoundBufferSpec> specs_;
};

}  // namespace zarnel
