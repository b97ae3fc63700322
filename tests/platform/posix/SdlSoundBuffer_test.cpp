#include "platform/posix/SdlSoundBuffer.h"

#include <gtest/gtest.h>

#include "platform/posix/SdlSoundDevice.h"
#include "platform/posix/SdlSoundSystem.h"
#include "platform/posix/SdlTestAudio.h"

namespace zarnel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A playing dummy-driver device with one buffer.
class SdlSoundBufferTest : public ::testing::Test {
 protected:
  void open(int32_t frames, int32_t channels) {
    SoundResult result = SoundResult::failed;
    device_ = system_.open(nullptr, result);
    ASSERT_TRUE(device_);
    ASSERT_EQ(device_->createPrimary(2, false), SoundResult::ok);
    buffer_ = device_->createBuffer({channels, frames}, result);
    ASSERT_TRUE(buffer_);
  }

  test::SdlDriverScope driver_{"dummy"};
  SdlSoundSystem system_;
  std::unique_ptr<SoundDevice> device_;
  std::unique_ptr<SoundBuffer> buffer_;
};

TEST_F(SdlSoundBufferTest, CursorsFollowRealTimeWithTheWriteCursorJustAhead) {
  constexpr int32_t kFrames = 22050;
  ASSERT_NO_FATAL_FAILURE(open(kFrames, 2));
  int32_t play = -1, write = -1;
  ASSERT_TRUE(buffer_->cursorsRt(play, write));
  EXPECT_EQ(play, 0);
  EXPECT_EQ(write, 0);
  ASSERT_TRUE(buffer_->play());
  ASSERT_TRUE(test::waitHanded(*buffer_, 2 * SdlSoundDevice::kPeriodFrames, 2s));

  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(buffer_->cursorsRt(play, write));
  int32_t last = play;
  int64_t travelled = 0;
  int32_t minLead = kFrames, maxLead = 0;
  while (Clock::now() - start < 400ms) {
    ASSERT_TRUE(buffer_->cursorsRt(play, write));
    const int32_t lead = (write - play + kFrames) % kFrames;
    minLead = std::min(minLead, lead);
    maxLead = std::max(maxLead, lead);
    const int32_t step = (play - last + kFrames) % kFrames;
    ASSERT_LT(step, kFrames / 2) << "the play cursor went back";
    travelled += step;
    last = play;
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_GT(minLead, 0);
  EXPECT_LE(maxLead, 2 * SdlSoundDevice::kPeriodFrames);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_NEAR(double(travelled) / SdlSoundDevice::kRate, seconds, 0.35 * seconds);
}

TEST_F(SdlSoundBufferTest, LockedRegionsWrapAtTheEnd) {
  ASSERT_NO_FATAL_FAILURE(open(1000, 4));
  SoundRegion region;
  ASSERT_TRUE(buffer_->lockRt(900, 200, region));
  EXPECT_EQ(region.firstFrames, 100);
  EXPECT_EQ(region.secondFrames, 100);
  EXPECT_EQ(region.second, region.first - 900 * 4);
  for (int32_t i = 0; i < 400; ++i) region.first[i] = int16_t(i + 1);
  for (int32_t i = 0; i < 400; ++i) region.second[i] = int16_t(-i - 1);
  buffer_->unlockRt(region);

  SoundRegion again;
  ASSERT_TRUE(buffer_->lockRt(-100, 150, again));  // offsets wrap both ways
  EXPECT_EQ(again.first, region.first);
  EXPECT_EQ(again.firstFrames, 100);
  EXPECT_EQ(again.secondFrames, 50);
  EXPECT_EQ(again.first[399], 400);
  EXPECT_EQ(again.second[0], -1);
  buffer_->unlockRt(again);
  EXPECT_FALSE(buffer_->lockRt(0, 1001, again));
}

TEST_F(SdlSoundBufferTest, BufferOutlivingItsDeviceFailsCleanly) {
  ASSERT_NO_FATAL_FAILURE(open(4410, 2));
  ASSERT_TRUE(buffer_->play());
  device_.reset();
  int32_t play = 0, write = 0;
  EXPECT_FALSE(buffer_->cursorsRt(play, write));
  EXPECT_FALSE(buffer_->play());
  buffer_->stop();
  buffer_->setVolume(-100);
  buffer_.reset();
}

}  // namespace
}  // namespace zarnel
