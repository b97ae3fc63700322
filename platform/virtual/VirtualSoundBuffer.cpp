#include "platform/virtual/VirtualSoundBuffer.h"

#include <algorithm>
#include <cstring>

namespace zarnel {

VirtualSoundBuffer::VirtualSoundBuffer(int32_t frames, int32_t channels, int32_t latency)
    : frames_(frames),
      channels_(channels),
      latency_(latency),
      data_(size_t(frames) * size_t(channels), 0) {}

bool VirtualSoundBuffer::cursors(int32_t& play, int32_t& write) {
  if (failCursors_) return false;
  play = play_.load(std::memory_order_acquire);
  write = (play + latency_) % frames_;
  return true;
}

bool VirtualSoundBuffer::write(int32_t offset, const int16_t* src, int32_t count) {
  if (failWrites_) return false;
  offset %= frames_;
  int32_t first = std::min(count, frames_ - offset);
  std::memcpy(data_.data() + size_t(offset) * channels_, src, size_t(first) * channels_ * 2);
  std::memcpy(data_.data(), src + size_t(first) * channels_, size_t(count - first) * channels_ * 2);
  return true;
}

void VirtualSoundBuffer::advance(int32_t count) {
  int32_t play = play_.load(std::memory_order_relaxed);
  while (count > 0) {
    int32_t run = std::min(count, frames_ - play);
    if (recording_) {
      const int16_t* from = data_.data() + size_t(play) * channels_;
      recorded_.insert(recorded_.end(), from, from + size_t(run) * channels_);
    }
    play += run;
    if (play == frames_) play = 0;
    count -= run;
  }
  play_.store(play, std::memory_order_release);
}

}  // namespace zarnel
