#pragma once
// A looping sound buffer: the device plays it round and round, and the
// program writes the part behind the play cursor.

#include <cstdint>

namespace zarnel {

// A locked stretch of a buffer: up to two parts when it wraps at the end.
// Frames hold the buffer's channel count of 16-bit samples each.
struct SoundRegion {
  int16_t* first = nullptr;
  int32_t firstFrames = 0;
  int16_t* second = nullptr;
  int32_t secondFrames = 0;
};

// Return: the region of count frames from offset (wrapped into the buffer)
// of a ring of frames × channels samples at base, in up to two parts.
// Pre: 0 <= count <= frames.
SoundRegion splitRegion(int16_t* base, int32_t frames, int32_t channels, int32_t offset, int32_t count);

class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  // Return: the buffer's length in frames.
  virtual int32_t frames() const = 0;
  // Return: the channel count of one frame (1, 2 or 4).
  virtual int32_t channels() const = 0;
  // Starts looping playback from frame 0. Return: false on failure. UI thread.
  virtual bool play() = 0;
  virtual void stop() = 0;
  // Volume in hundredths of a decibel, 0 = full, -10000 = silent.
  virtual void setVolume(int32_t hundredthsDb) = 0;
  // Reads the play and write cursors, in frames. Return: false on failure.
  // Audio thread.
  virtual bool cursorsRt(int32_t& play, int32_t& write) = 0;
  // Locks count frames from offset (wrapping). Return: false on failure, and
  // then nothing is locked. Audio thread.
  virtual bool lockRt(int32_t offset, int32_t count, SoundRegion& region) = 0;
  virtual void unlockRt(const SoundRegion& region) = 0;

  // Copies count frames of this buffer's channel count from src to offset,
  // wrapping. Return: false if the lock failed (nothing written). Audio thread.
  bool writeRt(int32_t offset, const int16_t* src, int32_t count);
};

}  // namespace zarnel
