#pragma once
// An auto-reset event: one waiter is released per signal, and the event
// clears itself as the waiter passes. Signalling never blocks or locks, so the
// audio thread may signal.

#include <atomic>
#include <cstdint>

namespace zarnel {

class AutoResetEvent {
 public:
  // Any thread, never blocks.
  void signal() {
    state_.store(1, std::memory_order_release);  // publishes the signaller's writes
    state_.notify_one();
  }
  // Blocks until signalled, then clears. Not for the audio thread.
  void wait() {
    while (state_.exchange(0, std::memory_order_acquire) == 0) state_.wait(0, std::memory_order_relaxed);
  }
  // Return: true (and clears) if signalled, without waiting.
  bool tryWait() { return state_.exchange(0, std::memory_order_acquire) != 0; }

 private:
  std::atomic<int32_t> state_{0};
};

}  // namespace zarnel
