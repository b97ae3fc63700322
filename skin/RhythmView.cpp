#include "skin/RhythmView.h"

namespace zarnel {

namespace {
constexpr int32_t kScratchHold = 2;
}  // namespace

void RhythmView::mouseDown(int32_t x, int32_t, int32_t keys) {
  if (!desks()) return;
  int32_t active = desks()->activeDesk();
  dragDesk_ = (keys & keys::kRightButton) ? 1 - active : active;
  lastX_ = x;
  holding_ = desks()->scratchMode() == kScratchHold;
  if (holding_ && actions()) actions()->deskHold(dragDesk_, true);
}

void RhythmView::mouseMove(int32_t x, int32_t y, int32_t) {
  if (dragDesk_ < 0 || !desks()) return;
  int32_t k = holding_ ? kHoldFramesPerPixel : kFramesPerPixel;
  int64_t frames = int64_t(k) * (int64_t(lastX_) - x) * desks()->pitch(dragDesk_) / 4096;
  if (frames != 0 && actions()) actions()->deskScratch(dragDesk_, int32_t(frames));
  lastX_ = x;
  // The pointer wraps at the window's edges so that a drag never ends.
  int32_t wrapped = x;
  if (x <= 0) wrapped = x + (windowWidth_ - 2);
  if (x >= windowWidth_ - 1) wrapped = x - (windowWidth_ - 2);
  if (wrapped != x) {
    lastX_ = wrapped;
    if (host()) host()->setCursorPos(wrapped, y);
  }
}

void RhythmView::mouseUp(int32_t, int32_t, int32_t) {
  if (dragDesk_ >= 0 && holding_ && actions()) actions()->deskHold(dragDesk_, false);
  dragDesk_ = -1;
  holding_ = false;
}

}  // namespace zarnel
