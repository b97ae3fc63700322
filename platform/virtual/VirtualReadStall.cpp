#include "platform/virtual/VirtualReadStall.h"

#include <algorithm>

namespace zarnel {

void VirtualReadStall::stallFor(int64_t ms) {
  std::lock_guard<std::mutex> lock(lock_);
  until_ = std::max(until_, now_ + ms);
}

void VirtualReadStall::stallNextRead(int64_t ms) {
  std::lock_guard<std::mutex> lock(lock_);
  nextDelay_ = ms;
}

void VirtualReadStall::advance(int64_t ms) {
  {
    std::lock_guard<std::mutex> lock(lock_);
    now_ += ms;
  }
  wake_.notify_all();
}

void VirtualReadStall::release() {
  {
    std::lock_guard<std::mutex> lock(lock_);
    until_ = -1;
    nextDelay_ = -1;
    now_ = std::max(now_, int64_t(1) << 60);
  }
  wake_.notify_all();
}

int64_t VirtualReadStall::nowMs() const {
  std::lock_guard<std::mutex> lock(lock_);
  return now_;
}

// Reads whose stall has ended are on their way out, whether or not their
// thread has run yet: a test waiting for the readers then waits for them.
int32_t VirtualReadStall::waiting() const {
  std::lock_guard<std::mutex> lock(lock_);
  return now_ < until_ ? waiting_ : 0;
}

int32_t VirtualReadStall::stalledReads() const {
  std::lock_guard<std::mutex> lock(lock_);
  return stalled_;
}

void VirtualReadStall::holdRead() {
  std::unique_lock<std::mutex> lock(lock_);
  if (nextDelay_ >= 0) {
    until_ = std::max(until_, now_ + nextDelay_);
    nextDelay_ = -1;
  }
  if (now_ >= until_) return;
  ++stalled_;
  ++waiting_;
  wake_.wait(lock, [this] { return now_ >= until_; });
  --waiting_;
}

}  // namespace zarnel
