#include "platform/posix/PcmClock.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

constexpr int64_t kSecond = PcmClock::kUnitsPerSecond;

TEST(PcmClockTest, RunsTileWithoutDrift) {
  PcmClock clock;
  clock.restart(kSecond / 3, 22050);
  int64_t sum = 0;
  for (int i = 0; i < 22050; ++i) {  // 1024-frame runs, each a non-whole number of units
    sum += clock.timeAfter(1024) - clock.now();
    clock.advance(1024);
  }
  EXPECT_EQ(sum, 1024 * kSecond);
  EXPECT_EQ(clock.now(), kSecond / 3 + 1024 * kSecond);
}

TEST(PcmClockTest, StampsMoveTheClockOnlyBeyondTheirPrecision) {
  PcmClock clock;
  clock.restart(0, 44100);
  clock.stamp(5 * kSecond, 10000);  // the first stamp after a restart is taken as it is
  EXPECT_EQ(clock.now(), 5 * kSecond);
  clock.advance(441);
  clock.stamp(5 * kSecond + kSecond / 100 + 9999, 10000);
  EXPECT_EQ(clock.now(), 5 * kSecond + kSecond / 100);
  clock.stamp(5 * kSecond + kSecond / 100 - 10001, 10000);
  EXPECT_EQ(clock.now(), 5 * kSecond + kSecond / 100 - 10001);
}

TEST(PcmClockTest, FramesUntilFindsTheLastFrameAtOrBeforeTheTarget) {
  for (int32_t rate : {8000, 11025, 44100, 48000}) {
    PcmClock clock;
    clock.restart(123457, rate);
    clock.advance(777);
    EXPECT_EQ(clock.framesUntil(clock.now() - 1), 0);
    for (int64_t target = clock.now(); target < clock.now() + kSecond; target += 997) {
      const int64_t k = clock.framesUntil(target);
      ASSERT_LE(clock.timeAfter(k), target) << rate << " " << target;
      ASSERT_GT(clock.timeAfter(k + 1), target) << rate << " " << target;
    }
  }
}

}  // namespace
}  // namespace zarnel
