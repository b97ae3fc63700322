#pragma once
// A looping secondary sound buffer: the device plays it round and round, and
// the program writes the part behind the play cursor.

#include <cstdint>

namespace zarnel {

class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  // Return: the buffer's length in frames.
  virtual int32_t frames() const = 0;
  // Return: the channel count of one frame (16-bit samples).
  virtual int32_t channels() const = 0;
  // Reads the play and write cursors, in frames. Return: false on failure.
  // Audio thread.
  virtual bool cursors(int32_t& play, int32_t& write) = 0;
  // Copies count frames from src into the buffer at offset, wrapping at its end.
  // Return: false if the region cannot be locked (nothing is written). Audio thread.
  virtual bool write(int32_t offset, const int16_t* src, int32_t count) = 0;
};

}  // namespace zarnel
