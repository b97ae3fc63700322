#include "platform/virtual/VirtualSoundBuffer.h"

#include <algorithm>

namespace zarnel {

VirtualSoundBuffer::VirtualSoundBuffer(int32_t frames, int32_t channels, int32_t latency)
    : frames_(frames),
      channels_(channels),
      latency_(latency),
      data_(size_t(frames) * size_t(channels), 0) {}

bool VirtualSoundBuffer::play() {
  play_.store(0, std::memory_order_release);
  playing_ = true;
  if (realTime_) followRealTime(true);
  return true;
}

void VirtualSoundBuffer::followRealTime(bool on) {
  realTime_ = on;
  clockStart_ = std::chrono::steady_clock::now();
  clockFrames_ = 0;
}

bool VirtualSoundBuffer::cursorsRt(int32_t& play, int32_t& write) {
  if (failCursors_) return false;
  if (realTime_) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - clockStart_;
    const auto due = int64_t(elapsed.count() * 44100.0);
    advance(int32_t(due - clockFrames_));
    clockFrames_ = due;
  }
  play = play_.load(std::memory_order_acquire);
  write = (play + latency_) % frames_;
  return true;
}

bool VirtualSoundBuffer::lockRt(int32_t offset, int32_t count, SoundRegion& region) {
  if (failWrites_ || count < 0 || count > frames_) return false;
  region = splitRegion(data_.data(), frames_, channels_, offset, count);
  return true;
}

void VirtualSoundBuffer::advance(int32_t count) {
  if (!playing_) return;
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
