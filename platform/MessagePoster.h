#pragma once
// Messages that the audio thread posts to the main window.

#include <cstdint>

namespace zarnel {

constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t kMsgMixIn = kWmUser + 44;       // 1068: wparam = desk to mix in
constexpr uint32_t kMsgTrackEnded = kWmUser + 45;  // 1069: wparam = desk whose track ended
constexpr uint32_t kMsgEffect = kWmUser + 49;      // 1073: an effect plug-in's request

// Queues a message for the UI thread. Implementations never block, lock or
// allocate: the audio thread posts, through postRt.
class MessagePoster {
 public:
  virtual ~MessagePoster() = default;
  virtual void postRt(uint32_t message, int32_t wparam, int32_t lparam) = 0;
};

}  // namespace zarnel
