#include "desk/sources/ReadAhead.h"

#include <algorithm>

#include "platform/AudioThread.h"

namespace zarnel {

namespace {
constexpr uint32_t kNumberMask = 0x3FFFFFFFu;  // seek numbers as pack() keeps them
}  // namespace

ReadAhead::ReadAhead() : ring_(kCapacityBytes), staging_(new uint8_t[kMaxUnitBytes]) {}

void ReadAhead::attach(ReadAheadFeed* feed) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  std::lock_guard<std::mutex> lock(feedLock_);
  feed_ = feed;
  unitBytes_ = feed ? std::min(feed->unitBytes(), kMaxUnitBytes) : 0;
  ring_.reset();
  readerSeek_ = 0;
  readerState_ = kStreaming;
  asked_ = 0;
  skipped_ = true;
  seekNumber_.store(0, std::memory_order_relaxed);
  answerStart_.store(0, std::memory_order_relaxed);
  answer_.store(pack(0, kStreaming), std::memory_order_relaxed);
}

void ReadAhead::detach() {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  std::lock_guard<std::mutex> lock(feedLock_);
  feed_ = nullptr;
  unitBytes_ = 0;
}

bool ReadAhead::seekRt(int64_t position) {
  seekTarget_.store(position, std::memory_order_relaxed);
  ++asked_;
  skipped_ = false;
  // Release: the target is stored before the reader can see the new number.
  seekNumber_.store(asked_, std::memory_order_release);
  if (threaded_) return true;
  // No reader thread: answer the seek here and now.
  step();
  uint32_t state = kStreaming;
  return !caughtUpRt(state) || state != kFailure;
}

// Return: true once the reader has answered the newest seek, with state set
// to the feed's state since; drops the bytes that came before the answer.
bool ReadAhead::caughtUpRt(uint32_t& state) {
  // Acquire: pairs with the reader's release of answer_, so answerStart_ and
  // every byte the reader counted before its answer are visible.
  const uint32_t answer = answer_.load(std::memory_order_acquire);
  if ((answer >> 2) != (asked_ & kNumberMask)) return false;
  if (!skipped_) {
    ring_.skipTo(answerStart_.load(std::memory_order_relaxed));
    skipped_ = true;
  }
  state = answer & 3u;
  return true;
}

Supply ReadAhead::supplyRt(int32_t bytes) {
  if (!threaded_) fillInline(bytes);
  uint32_t state = kStreaming;
  if (!caughtUpRt(state)) return Supply::kPending;
  // The state was read before the fill: an end or a failure seen there
  // already counts every byte the reader wrote before it.
  if (ring_.readable() >= uint32_t(bytes)) return Supply::kReady;
  if (state == kEnd) return Supply::kEnded;
  return state == kFailure ? Supply::kFailed : Supply::kPending;
}

int32_t ReadAhead::takeRt(void* dst, int32_t bytes) {
  if (!threaded_) fillInline(bytes);
  uint32_t state = kStreaming;
  if (!caughtUpRt(state)) return 0;
  const uint32_t have = ring_.readable();
  if (have == 0) return state == kFailure ? -1 : 0;
  const uint32_t n = std::min(have, uint32_t(bytes));
  ring_.read(static_cast<uint8_t*>(dst), n);
  return int32_t(n);
}

int32_t ReadAhead::availableRt() {
  uint32_t state = kStreaming;
  return caughtUpRt(state) ? int32_t(ring_.readable()) : 0;
}

bool ReadAhead::settledRt() {
  uint32_t state = kStreaming;
  if (!caughtUpRt(state)) return false;
  return state != kStreaming || unitBytes_ == 0 || ring_.writable() < uint32_t(unitBytes_);
}

void ReadAhead::fillInline(int32_t bytes) {
  uint32_t state = kStreaming;
  // Alone with the ring, the consumer starts it over whenever it is empty,
  // so that the bytes pass through the same few cache lines every time.
  if (caughtUpRt(state) && ring_.readable() == 0) ring_.reset();
  for (;;) {
    caughtUpRt(state);
    if (ring_.readable() >= uint32_t(bytes) || !step()) return;
  }
}

bool ReadAhead::serviceReader() {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  std::lock_guard<std::mutex> lock(feedLock_);
  return step();
}

bool ReadAhead::step() {
  if (!feed_) return false;
  // Acquire: pairs with seekRt's release, so the target is the one asked.
  const uint32_t number = seekNumber_.load(std::memory_order_acquire);
  if (number != readerSeek_) {
    const bool moved = feed_->reposition(seekTarget_.load(std::memory_order_relaxed));
    readerSeek_ = number;
    readerState_ = moved ? kStreaming : kFailure;
    answerStart_.store(ring_.tail(), std::memory_order_relaxed);
    // Release: answerStart_ is stored before the consumer sees the answer.
    answer_.store(pack(number & kNumberMask, readerState_), std::memory_order_release);
    return true;
  }
  if (readerState_ != kStreaming) return false;
  const uint32_t room = ring_.writable();
  if (unitBytes_ <= 0 || room < uint32_t(unitBytes_)) return false;
  // A whole unit that fits before the ring wraps is read in place; one that
  // would wrap goes through the staging buffer.
  uint32_t span = 0;
  uint8_t* inPlace = ring_.writeSpan(span);
  const bool direct = span >= uint32_t(unitBytes_);
  const int32_t max = int32_t(std::min<uint32_t>(direct ? span : room, uint32_t(kMaxUnitBytes)));
  const int32_t got = feed_->fetch(direct ? inPlace : staging_.get(), max);
  if (got > 0) {
    if (direct) ring_.commit(uint32_t(std::min(got, max)));
    else ring_.write(staging_.get(), uint32_t(std::min(got, max)));
    return true;
  }
  readerState_ = got == 0 ? kEnd : kFailure;
  // Release: the bytes written before the end are counted before it is seen.
  answer_.store(pack(readerSeek_ & kNumberMask, readerState_), std::memory_order_release);
  return true;
}

}  // namespace zarnel
