#include "mixer/SingleCardMasterEngine.h"

#include <algorithm>

namespace zarnel {

namespace {
int32_t clip16(int32_t v) { return std::clamp(v, -32768, 32767); }
}  // namespace

SingleCardMasterEngine::SingleCardMasterEngine(Desk& desk1, Desk& desk2,
                                               std::unique_ptr<SoundBuffer> buffer)
    : OutputEngine(desk1, desk2), buffer_(std::move(buffer)) {}

bool SingleCardMasterEngine::readCursorsRt(int32_t& play, int32_t& write) {
  return buffer_->cursors(play, write);
}

void SingleCardMasterEngine::writeOutRt(int32_t at, int32_t count) {
  // A failed lock leaves that stretch of the device unwritten; the MixRing
  // and the positions move on regardless.
  buffer_->write(at, mixRing_ + at * 2, count);
}

void SingleCardMasterEngine::mixRunRt(const int16_t* const src[2], int32_t at, int32_t count) {
  int16_t* out = mixRing_ + at * 2;
  for (int32_t i = 0; i < count; ++i) {
    int32_t left = 0, right = 0;
    for (int32_t d = 0; d < 2; ++d) {
      if (!src[d]) continue;
      left += stripRt(d, 0, src[d][2 * i]);
      right += stripRt(d, 1, src[d][2 * i + 1]);
    }
    out[2 * i] = fadeRt((at + i) * 2, clip16(left));
    out[2 * i + 1] = fadeRt((at + i) * 2 + 1, clip16(right));
    stepFadeRt();
  }
}

}  // namespace zarnel
