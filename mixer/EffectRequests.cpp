#include "mixer/EffectRequests.h"

#include <cstddef>

#include "mixer/DeskOutputRing.h"
#include "platform/MessagePoster.h"

namespace zarnel {

bool reachedInRing(int32_t from, int32_t to, int32_t index, int32_t frames) {
  if (from == to) return false;
  const auto ahead = [frames](int32_t a, int32_t b) { return ((b - a) % frames + frames) % frames; };
  const int32_t span = ahead(from, to);
  const int32_t at = ahead(from, index);
  return at > 0 && at <= span;
}

bool EffectRequests::addRt(int32_t desk, int32_t due, int32_t slot, int32_t command, int32_t value) {
  if (count_ == kEffectRequestCapacity) return false;
  queue_[std::size_t(count_++)] = Request{desk, due, slot, command, value};
  return true;
}

void EffectRequests::fireRt(int32_t desk, int32_t previous, int32_t heard, MessagePoster& poster) {
  int32_t kept = 0;
  for (int32_t i = 0; i < count_; ++i) {
    const Request& r = queue_[std::size_t(i)];
    if (r.desk == desk && reachedInRing(previous, heard, r.due, kOutputRingFrames)) {
      postNowRt(r.slot, r.command, r.value, poster);
    } else {
      queue_[std::size_t(kept++)] = r;
    }
  }
  count_ = kept;
}

void EffectRequests::dropRt(int32_t desk) {
  int32_t kept = 0;
  for (int32_t i = 0; i < count_; ++i) {
    if (queue_[std::size_t(i)].desk != desk) queue_[std::size_t(kept++)] = queue_[std::size_t(i)];
  }
  count_ = kept;
}

bool EffectRequests::postNowRt(int32_t slot, int32_t command, int32_t value, MessagePoster& poster) {
  poster.postRt(kMsgEffect, slot + command * 256, value);
  return true;
}

}  // namespace zarnel
