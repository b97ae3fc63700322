#pragma once
// Hardware with several buffers that play on their own clocks (two cards, or
// four placed mono buffers): each further buffer keeps an offset against the
// first, and drift beyond "ResyncShift" frames re-aligns them.

#include <atomic>
#include <cstdint>
#include <memory>

#include "mixer/OutputEngine.h"
#include "platform/SoundSystem.h"

namespace zarnel {

class MultiBufferOutput : public OutputEngine {
 public:
  static constexpr int32_t kMaxBuffers = 4;

  MultiBufferOutput(Desk& desk1, Desk& desk2) : OutputEngine(desk1, desk2) {}

  // Measures the offsets again on the audio thread's next cursor update.
  void resync() override;
  // Return: how many times the buffers were re-aligned.
  int32_t resyncCount() const { return resyncs_.load(std::memory_order_relaxed); }
  int32_t offset(int32_t buffer) const { return offset_[buffer]; }

 protected:
  // Keeps a device open for the engine's life; its buffers go first.
  SoundDevice& addDevice(std::unique_ptr<SoundDevice> device);
  // Pre: called once per buffer from open, the first being the reference.
  void addBuffer(std::unique_ptr<SoundBuffer> buffer);
  int32_t bufferCount() const { return count_; }
  SoundBuffer& buffer(int32_t i) { return *buffers_[i]; }
  // Return: buffer i's own frame that plays with MixRing frame at.
  int32_t bufferFrame(int32_t i, int32_t at) const;

  bool readCursorsRt(int32_t& play, int32_t& write) override;
  // Called after the offsets changed, with the old ones. Audio thread.
  virtual void afterResyncRt(const int32_t* /*oldOffset*/) {}

 private:
  bool measureOffsetsRt();
  bool driftedRt(const int32_t* play) const;

  std::unique_ptr<SoundDevice> devices_[2];  // declared first: destroyed after the buffers
  int32_t deviceCount_ = 0;
  std::unique_ptr<SoundBuffer> buffers_[kMaxBuffers];
  int32_t count_ = 0;
  int32_t offset_[kMaxBuffers] = {};  // audio thread
  std::atomic<int32_t> resyncWanted_{0};
  std::atomic<int32_t> resyncs_{0};
};

}  // namespace zarnel
