#include "mixer/EffectRequests.h"

#include <gtest/gtest.h>

#include <vector>

#include "mixer/DeskOutputRing.h"
#include "platform/MessagePoster.h"

namespace zarnel {
namespace {

struct Posted : MessagePoster {
  struct Message {
    uint32_t id;
    int32_t wparam, lparam;
  };
  void postRt(uint32_t id, int32_t wparam, int32_t lparam) override { messages.push_back({id, wparam, lparam}); }
  std::vector<Message> messages;
};

TEST(EffectRequests, ARequestRunsWhenItsFrameIsHeardNotBefore) {
  EffectRequests requests;
  Posted poster;
  ASSERT_TRUE(requests.addRt(1, 5000, 3, 1, 0));  // slot 3 pauses desk 2 at output frame 5000
  requests.fireRt(1, 4000, 4999, poster);
  EXPECT_TRUE(poster.messages.empty());
  requests.fireRt(0, 4999, 6000, poster);  // the other desk's heard index
  EXPECT_TRUE(poster.messages.empty());
  requests.fireRt(1, 4999, 5000, poster);
  ASSERT_EQ(poster.messages.size(), 1u);
  EXPECT_EQ(poster.messages[0].id, kMsgEffect);
  EXPECT_EQ(poster.messages[0].wparam, 3 + 1 * 256);
  EXPECT_EQ(requests.waiting(), 0);
}

TEST(EffectRequests, DueIndicesWrapWithTheRingAndTheRestKeepTheirOrder) {
  EffectRequests requests;
  Posted poster;
  requests.addRt(0, 10, 0, 5, 111);                      // after the wrap
  requests.addRt(0, kOutputRingFrames - 5, 2, 4, 4200);  // before it
  requests.addRt(0, 500, 4, 2, 0);                       // later still
  requests.fireRt(0, kOutputRingFrames - 100, 20, poster);
  ASSERT_EQ(poster.messages.size(), 2u);
  EXPECT_EQ(poster.messages[0].lparam, 111);  // in queue order
  EXPECT_EQ(poster.messages[1].lparam, 4200);
  EXPECT_EQ(requests.waiting(), 1);
  requests.fireRt(0, 20, 20, poster);  // no movement: nothing runs
  EXPECT_EQ(requests.waiting(), 1);
}

TEST(EffectRequests, SixtyFourWaitAtMostAndARenderDropsTheDesksRequests) {
  EffectRequests requests;
  for (int32_t i = 0; i < kEffectRequestCapacity; ++i) ASSERT_TRUE(requests.addRt(i % 2, 100 + i, i % 6, 1, 0));
  EXPECT_FALSE(requests.addRt(0, 1, 0, 1, 0));
  requests.dropRt(1);
  EXPECT_EQ(requests.waiting(), kEffectRequestCapacity / 2);
  EXPECT_TRUE(requests.addRt(1, 7, 1, 2, 0));
  Posted poster;
  requests.fireRt(1, 0, 7, poster);
  ASSERT_EQ(poster.messages.size(), 1u);
  EXPECT_EQ(poster.messages[0].wparam, 1 + 2 * 256);
}

TEST(EffectRequests, ReachedInRingIsHalfOpenAndWraps) {
  EXPECT_FALSE(reachedInRing(10, 20, 10, 100));
  EXPECT_TRUE(reachedInRing(10, 20, 11, 100));
  EXPECT_TRUE(reachedInRing(10, 20, 20, 100));
  EXPECT_FALSE(reachedInRing(10, 20, 21, 100));
  EXPECT_TRUE(reachedInRing(90, 5, 0, 100));
  EXPECT_TRUE(reachedInRing(90, 5, 95, 100));
  EXPECT_FALSE(reachedInRing(90, 5, 50, 100));
}

}  // namespace
}  // namespace zarnel
