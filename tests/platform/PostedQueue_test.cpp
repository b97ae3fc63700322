#include "platform/PostedQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace zarnel {
namespace {

TEST(PostedQueue, ManyThreadsPostAndEveryMessageArrivesOnceInItsSendersOrder) {
  PostedQueue queue;
  constexpr int kThreads = 4, kEach = 20000;
  std::vector<std::thread> senders;
  std::atomic<int> refused{0};
  for (int t = 0; t < kThreads; ++t) {
    senders.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        while (!queue.push(PostedMessage{nullptr, uint32_t(t), i, 0})) {
          refused.fetch_add(1, std::memory_order_relaxed);
          std::this_thread::yield();  // full: the UI thread is behind
        }
      }
    });
  }
  int next[kThreads] = {};
  int received = 0;
  while (received < kThreads * kEach) {
    PostedMessage m;
    if (!queue.pop(m)) {
      std::this_thread::yield();
      continue;
    }
    ASSERT_LT(m.id, uint32_t(kThreads));
    ASSERT_EQ(m.wparam, next[m.id]) << "sender " << m.id;
    ++next[m.id];
    ++received;
  }
  for (auto& s : senders) s.join();
  PostedMessage extra;
  EXPECT_FALSE(queue.pop(extra));
}

TEST(PostedQueue, AFullQueueRefusesAndTakesAgainOnceEmptied) {
  PostedQueue queue;
  for (uint32_t i = 0; i < PostedQueue::kSlots; ++i) ASSERT_TRUE(queue.push(PostedMessage{nullptr, i, 0, 0}));
  EXPECT_FALSE(queue.push(PostedMessage{nullptr, 999, 0, 0}));
  Message m;
  ASSERT_TRUE(queue.pop(m));
  EXPECT_EQ(m.id, 0u);
  EXPECT_TRUE(queue.push(PostedMessage{nullptr, 1000, 5, 6}));
  for (uint32_t i = 1; i < PostedQueue::kSlots; ++i) ASSERT_TRUE(queue.pop(m));
  ASSERT_TRUE(queue.pop(m));
  EXPECT_EQ(m.id, 1000u);
  EXPECT_EQ(m.wparam, 5);
  EXPECT_EQ(m.lparam, 6);
}

}  // namespace
}  // namespace zarnel
