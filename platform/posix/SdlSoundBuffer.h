#pragma once
// One looping buffer of an SDL sound device. The layer keeps the ring; the
// device's callback pulls from it at the write cursor and mixes it into the
// device's output.

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/SoundBuffer.h"
#include "platform/SoundSystem.h"

namespace zarnel {

class SdlSoundDevice;

// Cursors: the write cursor is the frame the callback pulls next, so every
// frame before it has been handed to the device. The play cursor is the write
// cursor less an estimate of the frames handed but not yet heard: one device
// period queued plus what remains of the last period handed, shrinking with
// the time since that callback, so it moves smoothly between callbacks.
//
// Writing: lock returns pointers into a copy of the ring that only the
// program's audio thread touches; unlock publishes the locked frames to the
// ring with atomic stores, which the callback reads with atomic loads. Frames
// between the play and the write cursor have already been handed to the
// device: writes there are not heard and are not allowed.
//
// Thread: created, played, stopped and destroyed on the UI thread; cursors,
// lock and unlock on the program's audio thread; pullRt on SDL's thread.
class SdlSoundBuffer : public SoundBuffer {
 public:
  static constexpr int32_t kMaxFrames = 441000;  // ten seconds

  // Return: whether a buffer of spec can be made (1, 2 or 4 channels, 3D
  // placement only for mono, 1..kMaxFrames frames).
  static bool accepts(const SoundBufferSpec& spec);
  // Pre: accepts(spec); device's format is set to deviceChannels (2 or 4) and
  // period frames per callback. Throws std::bad_alloc if the ring does not fit.
  SdlSoundBuffer(SdlSoundDevice& device, const SoundBufferSpec& spec, int32_t deviceChannels,
                 int32_t period);
  ~SdlSoundBuffer() override;
  SdlSoundBuffer(const SdlSoundBuffer&) = delete;
  SdlSoundBuffer& operator=(const SdlSoundBuffer&) = delete;

  int32_t frames() const override { return frames_; }
  int32_t channels() const override { return channels_; }
  // Return: false once the device is gone.
  bool play() override;
  void stop() override;
  // Post: the callback scales by 10^(hundredthsDb / 2000); -10000 and below is silent.
  void setVolume(int32_t hundredthsDb) override;
  // Return: false once the device is gone. Stopped: both cursors where
  // playback stopped.
  bool cursorsRt(int32_t& play, int32_t& write) override;
  // Offsets wrap; count 0..frames().
  bool lockRt(int32_t offset, int32_t count, SoundRegion& region) override;
  // Publishes the frames of region to the ring. Pre: region came from lock.
  void unlockRt(const SoundRegion& region) override;

  // Adds frames frames of this buffer, from its write cursor on, into mix
  // (device-channel interleaved, 32-bit sums) and moves the cursor on.
  // stamp: clockMicros() at the start of this callback. SDL's thread, with the
  // device's callback lock held.
  void pullRt(int32_t* mix, int32_t frames, uint32_t stamp);
  // The device has closed: the buffer stops for good. UI thread.
  void detach();
  // Return: a monotonic clock in microseconds, wrapping at 32 bits. Any thread.
  static uint32_t clockMicros();

 private:
  // For each buffer channel, up to two device channels (-1 none).
  using Routes = std::array<std::array<int8_t, 2>, 4>;
  static Routes routesFor(const SoundBufferSpec& spec, int32_t deviceChannels);
  int32_t pendingFrames(uint32_t stamp) const;
  void publish(const int16_t* from, int32_t frames);

  SdlSoundDevice* device_;  // null once detached; UI thread only
  const int32_t frames_;
  const int32_t channels_;
  const int32_t deviceChannels_;
  const int32_t period_;
  const Routes routes_;
  std::vector<int16_t> ring_;    // read by the callback, atomically per sample
  std::vector<int16_t> shadow_;  // the program's side, behind lock
  // Write cursor (bits 0..30), lapped once (bit 31), stamp of the callback
  // that set it (bits 32..63): one word, so a reader never sees them torn.
  std::atomic<uint64_t> cursor_{0};
  std::atomic<bool> playing_{false};
  std::atomic<bool> attached_{true};  // false once the device has closed
  std::atomic<int32_t> gain_{65536};  // Q16
};

}  // namespace zarnel
