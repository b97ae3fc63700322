#pragma once
// A bounded queue of posted messages: any thread may push, the UI thread
// pops. Fixed slots, no locks and no allocation, so the audio thread may
// post. Each slot carries a sequence number that says whose turn it is.

#include <atomic>
#include <cstdint>

#include "platform/WindowSystem.h"

namespace zarnel {

struct PostedMessage {
  Window* window = nullptr;
  uint32_t id = 0;
  int32_t wparam = 0;
  int32_t lparam = 0;
};

class PostedQueue {
 public:
  static constexpr uint32_t kSlots = 256;  // a power of two

  PostedQueue() {
    for (uint32_t i = 0; i < kSlots; ++i) slots_[i].sequence.store(i, std::memory_order_relaxed);
  }

  // Any thread. Return: false when the queue is full.
  bool push(const PostedMessage& message) {
    uint32_t at = tail_.load(std::memory_order_relaxed);
    for (;;) {
      Slot& slot = slots_[at & (kSlots - 1)];
      const uint32_t sequence = slot.sequence.load(std::memory_order_acquire);
      const int32_t turn = int32_t(sequence - at);
      if (turn == 0) {
        // The slot is free for position at: claim the position, then fill it.
        if (tail_.compare_exchange_weak(at, at + 1, std::memory_order_relaxed)) {
          slot.message = message;
          slot.sequence.store(at + 1, std::memory_order_release);  // publishes the message
          return true;
        }
      } else if (turn < 0) {
        return false;  // the consumer has not freed this slot yet
      } else {
        at = tail_.load(std::memory_order_relaxed);
      }
    }
  }

  // Takes the oldest posted message as a window message. UI thread only.
  // Return: false when empty.
  bool pop(Message& message) {
    PostedMessage posted;
    if (!pop(posted)) return false;
    message = Message{};
    message.window = posted.window;
    message.id = posted.id;
    message.wparam = posted.wparam;
    message.lparam = posted.lparam;
    return true;
  }

  // UI thread only. Return: false when empty.
  bool pop(PostedMessage& message) {
    Slot& slot = slots_[head_ & (kSlots - 1)];
    if (slot.sequence.load(std::memory_order_acquire) != head_ + 1) return false;
    message = slot.message;
    slot.sequence.store(head_ + kSlots, std::memory_order_release);  // frees the slot
    ++head_;
    return true;
  }

 private:
  struct Slot {
    std::atomic<uint32_t> sequence{0};
    PostedMessage message;
  };
  Slot slots_[kSlots];
  std::atomic<uint32_t> tail_{0};
  uint32_t head_ = 0;
};

}  // namespace zarnel
