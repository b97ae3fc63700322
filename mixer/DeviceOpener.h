#pragma once
// Opens one sound device the way every output engine does, and maps its
// failures to the fatal error shown at the end of the run.

#include <cstdint>
#include <memory>
#include <optional>

#include "app/Settings.h"
#include "platform/SoundSystem.h"

namespace zarnel {

struct PlatformServices;

struct DeviceRequest {
  const std::optional<DeviceGuid>* guid = nullptr;  // null or empty: the default device
  int32_t channels = 2;        // primary buffer format
  bool control3d = false;      // software 3D modes
  bool quadSpeakers = false;   // four-channel modes without software rendering
};

// Opens the device, sets its cooperative level from "MultiInstance", its
// speakers and its primary buffer. A failure other than out of memory or
// allocated on a chosen device retries once with the default device.
// Return: the device, or null with FatalError set. UI thread.
std::unique_ptr<SoundDevice> openSoundDevice(SoundSystem* sound, const DeviceRequest& request);

// Return: the FatalError code of a buffer creation or device failure.
int32_t soundFailureCode(SoundResult result, bool quadSpeakers);

// Creates one looping buffer. Return: null with FatalError 12 on failure.
std::unique_ptr<SoundBuffer> createLoopingBuffer(SoundDevice& device, const SoundBufferSpec& spec);

}  // namespace zarnel
