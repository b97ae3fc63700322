#pragma once
// A looping sound buffer whose clock the caller drives. It records every
// frame it "plays", so tests and offline renders hear exactly what a device
// would have played.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/SoundBuffer.h"

namespace zarnel {

class VirtualSoundBuffer : public SoundBuffer {
 public:
  // frames: buffer length; latency: frames from the play to the write cursor.
  VirtualSoundBuffer(int32_t frames, int32_t channels, int32_t latency);

  int32_t frames() const override { return frames_; }
  int32_t channels() const override { return channels_; }
  bool play() override;
  void stop() override { playing_ = false; }
  void setVolume(int32_t hundredthsDb) override { volume_ = hundredthsDb; }
  bool cursorsRt(int32_t& play, int32_t& write) override;
  bool lockRt(int32_t offset, int32_t count, SoundRegion& region) override;
  void unlockRt(const SoundRegion&) override {}

  // Plays count frames if the buffer is playing (it plays from construction
  // unless stopped): the play cursor moves on and the frames it passes are
  // appended to the recording. Caller's thread.
  void advance(int32_t count);
  // Makes the clock follow real time: each cursor read first plays the frames
  // that real time has added since the previous one. Pre: only the thread
  // that reads the cursors advances the buffer from then on.
  void followRealTime(bool on);
  void setRecording(bool on) { recording_ = on; }
  const std::vector<int16_t>& recorded() const { return recorded_; }
  void clearRecorded() { recorded_.clear(); }
  // Failure injection: cursor reads or locks fail while set.
  void failCursors(bool fail) { failCursors_ = fail; }
  void failWrites(bool fail) { failWrites_ = fail; }
  int32_t playCursor() const { return play_.load(std::memory_order_acquire); }
  int32_t volume() const { return volume_; }
  bool playing() const { return playing_; }
  // Return: the sample at frame and channel of the buffer's memory.
  int16_t sampleAt(int32_t frame, int32_t channel) const {
    return data_[size_t(frame) * size_t(channels_) + size_t(channel)];
  }

 private:
  const int32_t frames_;
  const int32_t channels_;
  const int32_t latency_;
  std::vector<int16_t> data_;
  std::vector<int16_t> recorded_;
  std::atomic<int32_t> play_{0};
  bool playing_ = true;
  bool realTime_ = false;
  std::chrono::steady_clock::time_point clockStart_{};
  int64_t clockFrames_ = 0;
  bool recording_ = true;
  bool failCursors_ = false;
  bool failWrites_ = false;
  int32_t volume_ = 0;
};

}  // namespace zarnel
