// The desk's performance commands on the audio thread: jumps, scratches and
// holds with their transitions, and beat loops.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "desk/DeskEngine.h"
#include "library/TrackEntry.h"

namespace zarnel {

namespace {

constexpr int32_t kHalfTransition = kTransitionFrames / 2;  // 2205
constexpr int32_t kFramesPerBeatAtOneBpm = 2646000;         // 60 × 44100
constexpr int32_t kLongestLoop = 293759;                    // the DecodeRing less a block

int32_t wrapRing(int32_t i) {
  i %= kOutputRingFrames;
  return i < 0 ? i + kOutputRingFrames : i;
}

// Frames from a forward to b in the output ring, with 0 counting as a full ring.
int32_t freeBetween(int32_t b, int32_t a) {
  int32_t d = b - a;
  return d <= 0 ? d + kOutputRingFrames : d;
}

int32_t aheadBetween(int32_t w, int32_t h) {
  int32_t d = w - h;
  return d < 0 ? d + kOutputRingFrames : d;
}

bool validBpm(float bpm) { return bpm >= 1.0f && bpm <= 999.0f; }

}  // namespace

// --- jump -----------------------------------------------------------------

void Desk::jumpRt(int32_t n) {
  DeskOutputRing& out = *out_;
  int32_t h = out.heardIndex;
  const int32_t w = out.writeIndex;
  if (n < 0) {
    const int32_t free = freeBetween(h, w);
    if (free < 2) return;
    n = std::max(n, 1 - free);
    h = wrapRing(h + n);
    // Frames never written since the last refresh are played as silence.
    const int32_t unwritten = out.refillCountdown + 1 - free - n;
    for (int32_t i = 0; i < unwritten; ++i) {
      const int32_t at = wrapRing(h + i);
      out.frames[2 * at] = out.frames[2 * at + 1] = 0;
    }
  } else if (n > 0) {
    h = wrapRing(h + std::min(n, aheadBetween(w, h)));
  }
  out.heardIndex = h;
  movedRt(h);
}

// After the heard index moved: refill, then either re-mix or, for a paused
// desk, follow with the position.
void Desk::movedRt(int32_t h) {
  resampler_.passRt(*this);
  if (playing()) {
    if (engine_) engine_->invalidate(index_);
  } else {
    positionUpdateRt(h);
  }
}

// --- transitions ------------------------------------------------------------

float Desk::transitionSpeedRt(int32_t g) const {
  const DeskTransition& t = *transition_;
  const float A = t.speedStart, B = t.speedEnd, C = t.speedMiddle;
  if (g < kHalfTransition) return B + float(g) * (C - B) / float(kHalfTransition);
  return (A - C) * float(g) / float(kHalfTransition) + 2 * C - A;
}

int32_t Desk::transitionOwedRt(int32_t g) const {
  const DeskTransition& t = *transition_;
  const float A = t.speedStart, B = t.speedEnd, C = t.speedMiddle;
  const float fg = float(g);
  if (g < kHalfTransition) return int32_t(fg * (B + fg * (C - B) / float(kTransitionFrames)));
  return int32_t(fg * (fg * (A - C) / float(kTransitionFrames) + 2 * C - A) + (B + A - 2 * C) * 1102.5f);
}

// Renders the transition that covers n ring frames in 4410 output frames,
// going from speed A through C to B.
void Desk::renderTransitionRt(int32_t n, float A, float B) {
  DeskTransition& t = *transition_;
  const DeskOutputRing& out = *out_;
  const int32_t h = out.heardIndex;
  t.target = wrapRing(h + n);
  t.speedStart = A;
  t.speedEnd = B;
  t.speedMiddle = float(n) / float(kHalfTransition) - (A + B) / 2;
  const float C = t.speedMiddle;
  double u = h;
  float step = A + (C - A) / float(kTransitionFrames);
  for (int32_t i = 0; i < kTransitionFrames; ++i) {
    if (i == kHalfTransition) step = C + (B - C) / float(kTransitionFrames);
    const int32_t a = int32_t(std::floor(u));
    const int32_t b = a + 1 == kOutputRingFrames ? 0 : a + 1;
    const double f = u - a;
    for (int32_t c = 0; c < 2; ++c)
      t.frames[2 * i + c] = int16_t(out.frames[2 * a + c] + (out.frames[2 * b + c] - out.frames[2 * a + c]) * f);
    u += step;
    while (u >= kOutputRingFrames) u -= kOutputRingFrames;
    while (u < 0) u += kOutputRingFrames;
    step += (i < kHalfTransition ? C - A : B - C) / float(kHalfTransition);
  }
  t.remaining = kTransitionFrames;
  t.active = true;
  if (engine_) engine_->invalidate(index_);
}

// Cuts a move to what the output ring holds. Return: false when a backward
// move has no history to go to.
bool Desk::limitTransitionRt(int32_t& n) const {
  const DeskOutputRing& out = *out_;
  const int32_t h = out.heardIndex, w = out.writeIndex;
  if (n < 0) {
    int32_t back = h - w;
    if (back < 1) back += kOutputRingFrames;
    const int32_t history = back - kTransitionFrames - out.refillCountdown - 1;
    if (history <= 0) return false;
    n = std::max(n, -history);
  } else if (n > 0) {
    n = std::min(n, aheadBetween(w, h));
  }
  return true;
}

void Desk::holdRt(bool on) {
  if (settings().scratch.load(std::memory_order_relaxed) == 0) return;
  if (on) {
    if (hold()) {
      if (!playing()) hold_.store(0, std::memory_order_relaxed);
      return;
    }
    if (!playing()) return;
    hold_.store(1, std::memory_order_relaxed);
    startTransitionRt(kHalfTransition, 1.0f, 0.0f);  // brake to a stop within 0.1 s
    return;
  }
  if (!hold()) return;
  hold_.store(0, std::memory_order_relaxed);
  if (!playing()) return;
  const float A = transition_->active ? transitionSpeedRt(transition_->remaining) : 0.0f;
  startTransitionRt(int32_t((A + 1) * kHalfTransition), A, 1.0f);  // back to normal speed
}

void Desk::startTransitionRt(int32_t n, float A, float B) {
  if (limitTransitionRt(n)) renderTransitionRt(n, A, B);
}

void Desk::scratchRt(int32_t n) {
  if (settings().scratch.load(std::memory_order_relaxed) == 0) return moveDirectlyRt(n);
  const bool moving = playing() && !hold();
  const float B = moving ? 1.0f : 0.0f;
  if (moving) n += kTransitionFrames;  // a playing desk keeps moving under the scratch
  float A = B;
  DeskTransition& t = *transition_;
  if (t.active) {
    const int32_t g = t.remaining;
    const float owedSpeedEnd = t.speedEnd;
    t.speedEnd = B;  // the running transition's owed distance, with the new end speed
    A = transitionSpeedRt(g);
    n += transitionOwedRt(g);
    t.speedEnd = owedSpeedEnd;
    if (moving) n -= g;
  }
  startTransitionRt(n, A, B);
}

// With scratching disabled, a scratch moves the heard point at once.
void Desk::moveDirectlyRt(int32_t n) {
  DeskOutputRing& out = *out_;
  const int32_t h = out.heardIndex, w = out.writeIndex;
  if (n < 0) {
    int32_t back = h - w;
    if (back < 1) back += kOutputRingFrames;
    const int32_t history = back - out.refillCountdown - 1;
    if (history <= 0) return;
    n = std::max(n, -history);
  } else {
    n = std::min(n, aheadBetween(w, h));
  }
  const int32_t moved = wrapRing(h + n);
  out.heardIndex = moved;
  resampler_.passRt(*this);
  if (playing()) {
    if (engine_) engine_->invalidate(index_);
  } else {
    positionUpdateRt(moved);
    if (engine_) engine_->deskMoved(index_, moved, kBlockFrames);
  }
}

// The heard index a of a running transition: while frames are still owed the
// desk is heard where the transition has brought it.
int32_t Desk::transitionHeardRt(int32_t a) {
  DeskTransition& t = *transition_;
  int32_t r = t.target - a;
  if (r < 0) r += kOutputRingFrames;
  if (settings().scratch.load(std::memory_order_relaxed) != 0 && r > 0 && r <= t.remaining) {
    t.remaining = r;
    return wrapRing(t.target - transitionOwedRt(r));
  }
  t.active = false;
  if (!playing() || hold()) return t.target;
  return a;
}

// --- loops --------------------------------------------------------------------

void Desk::setLoopRt(int32_t code) {
  if (code == 0) {
    loop_.active = false;
    loop_.pendingLength = 0;
    return refreshRt();
  }
  const float bpm = entry_ ? entry_->bpm : 0.0f;
  if (!validBpm(bpm)) return;  // no tempo, no beat length: the loop is refused
  int32_t length = code >= 1 ? int32_t(double(code) * kFramesPerBeatAtOneBpm / bpm)
                             : int32_t(double(kFramesPerBeatAtOneBpm) / bpm / double(-code));
  while (length > kLongestLoop) length /= 2;
  length = std::max(length, 1);
  if (loop_.active) {
    int32_t into = playIndex_ - loop_.start;
    if (into < 0) into += kDecodeRingFrames;
    if (into < length) loop_.length = length;
    else loop_.pendingLength = length;
  } else {
    loop_.start = playIndex_;
    loop_.length = length;
    loop_.active = true;
  }
  refreshRt();
}

}  // namespace zarnel
