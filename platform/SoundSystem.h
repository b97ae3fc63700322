#pragma once
// Sound devices as the output engines use them: enumeration by a 16-byte
// identity, a primary buffer that sets the device format, and looping
// secondary buffers of 1, 2 or 4 channels (mono buffers placed in space).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SoundBuffer.h"

namespace zarnel {

using SoundDeviceId = std::array<uint8_t, 16>;

struct SoundDeviceInfo {
  SoundDeviceId id{};
  std::string name;
};

enum class SoundResult {
  ok,
  outOfMemory,
  allocated,  // the device is in use, or another program has priority
  failed,     // anything else, including a device that no longer exists
};

// A secondary buffer. A mono buffer with control3d is placed at (x, y, z)
// around a listener at the origin facing +z: x < 0 is left, z > 0 is front.
struct SoundBufferSpec {
  int32_t channels = 2;
  int32_t frames = 22050;
  bool control3d = false;
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

// One opened device. UI thread, except where a buffer says otherwise.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Exclusive use (priority false) or shared use with priority.
  virtual SoundResult setCooperativeLevel(bool priority) = 0;
  // Asks the device to drive four speakers (front and back pairs).
  virtual SoundResult setSpeakersQuad() = 0;
  // Sets the device format (44100 Hz, 16 bits, channels) and starts it.
  virtual SoundResult createPrimary(int32_t channels, bool control3d) = 0;
  // Listener at the origin facing +z with the top +y, unit factors.
  virtual SoundResult setListener() = 0;
  // Return: a new stopped buffer, or null with result set.
  virtual std::unique_ptr<SoundBuffer> createBuffer(const SoundBufferSpec& spec,
                                                    SoundResult& result) = 0;
};

class SoundSystem {
 public:
  virtual ~SoundSystem() = default;
  // Return: the output devices present now.
  virtual std::vector<SoundDeviceInfo> devices() = 0;
  // Opens the device with the identity id, or the default device for null.
  // Return: the device, or null with result set (failed for an unknown id).
  virtual std::unique_ptr<SoundDevice> open(const SoundDeviceId* id, SoundResult& result) = 0;
};

}  // namespace zarnel
