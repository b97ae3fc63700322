#include "skin/RhythmView.h"

#include <algorithm>

namespace zarnel {

namespace {

constexpr int32_t kScratchHold = 2;

// Return: where a pointer at x goes so that a drag across the window's edge
// carries on from the other side: by width - 2, kept strictly inside so the
// new place never wraps again; x itself when the window has no inside (under
// 3 pixels), where any wrap would walk the pointer away a pixel a move.
int32_t wrappedX(int32_t x, int32_t width) {
  if (width < 3 || (x > 0 && x < width - 1)) return x;
  int64_t span = int64_t(width) - 2;
  int64_t moved = x <= 0 ? int64_t(x) + span : int64_t(x) - span;
  return int32_t(std::clamp<int64_t>(moved, 1, width - 2));
}

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
  int32_t wrapped = wrappedX(x, windowWidth_);
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
