#include "mixer/MultiBufferOutput.h"

#include "app/Settings.h"

namespace zarnel {

namespace {
int32_t wrapRing(int32_t i) {
  i %= kMixRingFrames;
  return i < 0 ? i + kMixRingFrames : i;
}
}  // namespace

void MultiBufferOutput::resync() {
  resyncWanted_.store(1, std::memory_order_release);
  requestRemix();
}

SoundDevice& MultiBufferOutput::addDevice(std::unique_ptr<SoundDevice> device) {
  devices_[deviceCount_] = std::move(device);
  return *devices_[deviceCount_++];
}

void MultiBufferOutput::addBuffer(std::unique_ptr<SoundBuffer> buffer) {
  buffers_[count_++] = std::move(buffer);
}

int32_t MultiBufferOutput::bufferFrame(int32_t i, int32_t at) const { return wrapRing(at - offset_[i]); }

// Each further buffer's offset makes its play cursor equal the first's.
bool MultiBufferOutput::measureOffsetsRt() {
  int32_t play[kMaxBuffers], write;
  for (int32_t i = 0; i < count_; ++i)
    if (!buffers_[i]->cursorsRt(play[i], write)) return false;
  int32_t old[kMaxBuffers];
  for (int32_t i = 0; i < count_; ++i) {
    old[i] = offset_[i];
    offset_[i] = wrapRing(play[0] - play[i]);
  }
  afterResyncRt(old);
  resyncs_.fetch_add(1, std::memory_order_relaxed);
  requestRemix();
  return true;
}

bool MultiBufferOutput::driftedRt(const int32_t* play) const {
  const int32_t shift = settings().resyncShift.load(std::memory_order_relaxed);
  for (int32_t i = 1; i < count_; ++i) {
    const int32_t drift = wrapRing(play[i] - play[0]);
    if (drift > shift && drift < kMixRingFrames - shift) return true;
  }
  return false;
}

bool MultiBufferOutput::readCursorsRt(int32_t& play, int32_t& write) {
  if (resyncWanted_.exchange(0, std::memory_order_acquire) != 0) measureOffsetsRt();
  int32_t plays[kMaxBuffers], writes[kMaxBuffers];
  for (int32_t i = 0; i < count_; ++i) {
    if (!buffers_[i]->cursorsRt(plays[i], writes[i])) return false;
    plays[i] = wrapRing(plays[i] + offset_[i]);
    writes[i] = wrapRing(writes[i] + offset_[i]);
  }
  if (driftedRt(plays)) {
    measureOffsetsRt();
    return false;
  }
  // The earliest play cursor and the latest write cursor: a cursor counts as
  // later when it is at most half the buffer ahead.
  play = plays[0];
  write = writes[0];
  for (int32_t i = 1; i < count_; ++i) {
    if (wrapRing(play - plays[i]) <= kMixRingFrames / 2) play = plays[i];
    if (wrapRing(writes[i] - write) <= kMixRingFrames / 2) write = writes[i];
  }
  return true;
}

}  // namespace zarnel
