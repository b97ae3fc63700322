#include "desk/sources/ReadAhead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "desk/sources/ReadAheadThread.h"
#include "platform/SpscRing.h"

namespace zarnel {
namespace {

// Byte n of the stream is patternAt(n): a position shows in every byte.
uint8_t patternAt(int64_t n) { return uint8_t((n * 7 + n / 251) & 0xFF); }

// A stream of `size` pattern bytes, `unit` bytes per fetch. Fetches can be
// held (as a stalled disk would) and made to fail from an offset on.
class PatternFeed : public ReadAheadFeed {
 public:
  PatternFeed(int64_t size, int32_t unit) : size_(size), unit_(unit) {}

  int32_t unitBytes() const override { return unit_; }
  bool reposition(int64_t position) override {
    if (position < 0 || position > size_) return false;
    next_ = position;
    return true;
  }
  int32_t fetch(uint8_t* dst, int32_t max) override {
    fetches.fetch_add(1);
    while (held.load()) std::this_thread::sleep_for(std::chrono::microseconds(200));
    if (failFrom >= 0 && next_ >= failFrom) return -1;
    const int64_t n = std::min<int64_t>({int64_t(unit_), int64_t(max), size_ - next_});
    for (int64_t i = 0; i < n; ++i) dst[i] = patternAt(next_ + i);
    next_ += n;
    return int32_t(n);
  }

  std::atomic<bool> held{false};
  std::atomic<int32_t> fetches{0};
  int64_t failFrom = -1;

 private:
  const int64_t size_;
  const int32_t unit_;
  int64_t next_ = 0;
};

// Takes n bytes, waiting (as a test may) while they are pending.
std::vector<uint8_t> takeWaiting(ReadAhead& ahead, int32_t n) {
  std::vector<uint8_t> out(static_cast<size_t>(n));
  while (ahead.supplyRt(n) == Supply::kPending) std::this_thread::sleep_for(std::chrono::microseconds(100));
  EXPECT_EQ(ahead.takeRt(out.data(), n), n);
  return out;
}

int64_t firstWrongByte(const std::vector<uint8_t>& bytes, int64_t from) {
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] != patternAt(from + int64_t(i))) return int64_t(i);
  return -1;
}

TEST(SpscRing, WrapsAndCountsBothSides) {
  SpscRing ring(16);
  const uint8_t in[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  uint8_t out[12] = {};
  ring.write(in, 12);
  EXPECT_EQ(ring.readable(), 12u);
  EXPECT_EQ(ring.writable(), 4u);
  ring.read(out, 10);
  ring.write(in, 12);  // wraps at 16
  EXPECT_EQ(ring.readable(), 14u);
  ring.read(out, 2);
  ring.read(out, 12);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 12), std::vector<uint8_t>(in, in + 12));
  ring.skipTo(ring.tail());
  EXPECT_EQ(ring.readable(), 0u);
  EXPECT_EQ(ring.writable(), 16u);
}

// Without a reader thread the consumer fills the ring itself: every call
// answers at once, exactly as a direct read would.
TEST(ReadAheadInline, DeliversInOrderAcrossTheRingAndAfterSeeks) {
  PatternFeed feed(4 * int64_t(ReadAhead::kCapacityBytes), 5000);
  ReadAhead ahead;
  ahead.attach(&feed);
  std::vector<uint8_t> bytes(4608);
  int64_t at = 0;
  for (int32_t i = 0; i < 400; ++i, at += 4608) {  // 1.8 MB, past the ring's size three times
    ASSERT_EQ(ahead.supplyRt(4608), Supply::kReady);
    ASSERT_EQ(ahead.takeRt(bytes.data(), 4608), 4608);
    ASSERT_EQ(firstWrongByte(bytes, at), -1) << "block " << i;
  }
  EXPECT_TRUE(ahead.seekRt(123457));
  ASSERT_EQ(ahead.takeRt(bytes.data(), 4608), 4608);
  EXPECT_EQ(firstWrongByte(bytes, 123457), -1) << "the bytes read ahead before the seek went";
  EXPECT_FALSE(ahead.seekRt(-5)) << "a refused move is known at once";
  EXPECT_EQ(ahead.supplyRt(1), Supply::kFailed);
}

TEST(ReadAheadInline, EndAndFailureComeAfterTheBytesBeforeThem) {
  PatternFeed feed(10000, 4096);
  ReadAhead ahead;
  ahead.attach(&feed);
  std::vector<uint8_t> bytes(8000);
  ASSERT_EQ(ahead.takeRt(bytes.data(), 8000), 8000);
  EXPECT_EQ(ahead.supplyRt(4608), Supply::kEnded);
  EXPECT_EQ(ahead.availableRt(), 2000);
  EXPECT_EQ(ahead.takeRt(bytes.data(), 4608), 2000);
  EXPECT_EQ(ahead.takeRt(bytes.data(), 4608), 0);

  PatternFeed failing(100000, 4096);
  failing.failFrom = 8192;
  ahead.attach(&failing);
  ASSERT_EQ(ahead.supplyRt(8192), Supply::kReady);
  EXPECT_EQ(ahead.takeRt(bytes.data(), 8000), 8000);
  EXPECT_EQ(ahead.supplyRt(4608), Supply::kFailed);
  EXPECT_EQ(ahead.takeRt(bytes.data(), 4608), 192);
  EXPECT_EQ(ahead.takeRt(bytes.data(), 4608), -1);
  EXPECT_TRUE(ahead.settledRt());
}

// A reader thread fills while the consumer takes and seeks: the consumer
// never waits inside the read-ahead, and every byte is where it belongs.
TEST(ReadAheadThread, StreamsAndSeeksWhileTheReaderFills) {
  // 5000-byte units: some are read in place, those that would wrap go
  // through the staging buffer.
  PatternFeed feed(int64_t(1) << 26, 5000);
  ReadAhead ahead;
  ahead.attach(&feed);
  ReadAheadThread reader;
  reader.add(ahead);
  ASSERT_TRUE(reader.start());
  int64_t at = 0;
  for (int32_t round = 0; round < 40; ++round) {
    for (int32_t i = 0; i < 50; ++i, at += 4608) {
      const std::vector<uint8_t> bytes = takeWaiting(ahead, 4608);
      ASSERT_EQ(firstWrongByte(bytes, at), -1) << "round " << round << " block " << i;
    }
    at = (at * 31 + 977 * round) % ((int64_t(1) << 26) - 1000000);
    EXPECT_TRUE(ahead.seekRt(at));
  }
  reader.stop();
  ahead.detach();
}

TEST(ReadAheadThread, AStalledFeedLeavesTheConsumerPendingNotWaiting) {
  PatternFeed feed(int64_t(1) << 24, 8192);
  ReadAhead ahead;
  ahead.attach(&feed);
  ReadAheadThread reader;
  reader.add(ahead);
  feed.held = true;
  ASSERT_TRUE(reader.start());
  while (feed.fetches.load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
  // The reader sits in a fetch: the consumer learns that without blocking.
  EXPECT_EQ(ahead.supplyRt(4608), Supply::kPending);
  EXPECT_FALSE(ahead.settledRt());
  EXPECT_TRUE(ahead.seekRt(40000));
  EXPECT_EQ(ahead.supplyRt(4608), Supply::kPending);
  uint8_t none[16];
  EXPECT_EQ(ahead.takeRt(none, 16), 0);
  feed.held = false;
  // The fetch that was stalled belongs to the old position and is dropped.
  EXPECT_EQ(firstWrongByte(takeWaiting(ahead, 4608), 40000), -1);
  while (!ahead.settledRt()) std::this_thread::sleep_for(std::chrono::microseconds(100));
  EXPECT_LT(ahead.availableRt(), int32_t(ReadAhead::kCapacityBytes) + 1);
  EXPECT_GT(ahead.availableRt(), int32_t(ReadAhead::kCapacityBytes) - 8192 - 4608);
  reader.stop();
}

TEST(ReadAheadThread, DetachWaitsForTheFetchInProgress) {
  PatternFeed feed(int64_t(1) << 24, 8192);
  ReadAhead ahead;
  ahead.attach(&feed);
  ReadAheadThread reader;
  reader.add(ahead);
  feed.held = true;
  ASSERT_TRUE(reader.start());
  while (feed.fetches.load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    feed.held = false;
  });
  ahead.detach();  // returns only once the held fetch is over
  const int32_t fetches = feed.fetches.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(feed.fetches.load(), fetches) << "the reader fetched from a detached feed";
  release.join();
  reader.stop();
}

}  // namespace
}  // namespace zarnel
