#include "mixer/Resampler.h"

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "desk/Desk.h"

namespace zarnel {

namespace {

constexpr int32_t kSearchRows[4][8] = {
    {248, 498, 748, 998, 1248, 1498, 1748, 1998},
    {-200, -150, -100, -50, 50, 100, 150, 200},
    {-40, -30, -20, -10, 10, 20, 30, 40},
    {-8, -6, -4, -2, 2, 4, 6, 8},
};

int32_t ringDistance(int32_t from, int32_t to, int32_t ring) {
  int32_t d = to - from;
  return d < 0 ? d + ring : d;
}

// Free room of the output ring: the span from the write index up to the
// heard index (or a backward transition's target), 0 counting as a full ring.
int32_t outputRoom(Desk& desk) {
  DeskOutputRing& out = desk.outputRing();
  int32_t limit = out.heardIndex;
  const DeskTransition& t = desk.transition();
  if (t.active && settings().scratch.load(std::memory_order_relaxed) != 0 &&
      (t.speedStart < 0 || t.speedMiddle < 0 || t.speedEnd < 0))
    limit = t.target;
  int32_t free = limit - out.writeIndex;
  if (free <= 0) free += kOutputRingFrames;
  return free;
}

}  // namespace

int32_t Resampler::requirementFor(int32_t step) {
  int32_t a = std::clamp(step, 0, kMaxStep) * kPassFrames / 4096;
  return a <= 3600 ? 5846 : a + 2246;
}

bool Resampler::passRt(Desk& desk) {
  if (outputRoom(desk) <= kOutputRingFree) return false;
  if (!ensureInputRt(desk)) return false;
  const int16_t* in = gatherInputRt(desk);
  const int32_t step = std::clamp(desk.pitch(), 0, kMaxStep);
  DeskOutputRing& out = desk.outputRing();
  int16_t* dst = out.frames + out.writeIndex * 2;
  int32_t written = kPassFrames;
  int32_t consumed;
  if (settings().masterTempo.load(std::memory_order_relaxed) != 0)
    consumed = spliceRt(in, dst, step, written);
  else
    consumed = plainRt(in, dst, step);
  if (desk.effects().loadedRt()) desk.effects().processRt(dst, written);
  int32_t end = out.writeIndex + written;
  if (end > kOutputRingFrames) {
    // The pass ran into the overflow tail: fold that part onto the ring's start.
    std::memcpy(out.frames, out.frames + kOutputRingFrames * 2,
                size_t(end - kOutputRingFrames) * 4);
  }
  out.writeIndex = DeskOutputRing::wrap(end);
  out.refillCountdown = std::max(0, out.refillCountdown - written);
  advanceReadRt(desk, consumed);
  return true;
}

// Decodes until the ring holds the pass's input past the read index.
bool Resampler::ensureInputRt(Desk& desk) {
  for (;;) {
    int32_t ready = ringDistance(desk.readIndex(), desk.writeIndex(), kDecodeRingFrames);
    int32_t need = requirement_;
    const DeskLoop& loop = desk.loop();
    if (loop.active) {
      int32_t toEnd = ringDistance(desk.readIndex(), (loop.start + loop.length) % kDecodeRingFrames,
                                   kDecodeRingFrames);
      if (toEnd == 0) toEnd = loop.length;
      need = std::min(need, toEnd);
    }
    if (ready >= need) return true;
    if (!desk.decodeStepRt()) return false;
  }
}

// Return: the pass's input as one contiguous run, wrapping the decode ring
// and, with a loop, running from the loop's end back to its start.
const int16_t* Resampler::gatherInputRt(Desk& desk) {
  const int16_t* ring = desk.decodeRing();
  const DeskLoop& loop = desk.loop();
  int32_t pos = desk.readIndex();
  int32_t need = requirement_;
  if (!loop.active && pos + need <= kDecodeRingFrames) return ring + pos * 2;
  int32_t loopEnd = loop.active ? (loop.start + loop.length) % kDecodeRingFrames : -1;
  int32_t done = 0;
  while (done < need) {
    int32_t run = std::min(need - done, kDecodeRingFrames - pos);
    if (loop.active) {
      int32_t toEnd = ringDistance(pos, loopEnd, kDecodeRingFrames);
      if (toEnd == 0) toEnd = loop.length;
      run = std::min(run, toEnd);
    }
    std::memcpy(input_ + done * 2, ring + pos * 2, size_t(run) * 4);
    done += run;
    pos += run;
    if (pos == kDecodeRingFrames) pos = 0;
    if (loop.active && pos == loopEnd) pos = loop.start;
  }
  return input_;
}

int32_t Resampler::plainRt(const int16_t* in, int16_t* out, int32_t step) {
  int32_t index = 0;
  int32_t phase = phase_;
  for (int32_t i = 0; i < kPassFrames; ++i) {
    std::memcpy(out + 2 * i, in + 2 * index, 4);
    phase += step;
    index += phase >> 12;
    phase &= 4095;
  }
  phase_ = phase;
  return index;
}

int32_t Resampler::spliceRt(const int16_t* in, int16_t* out, int32_t step, int32_t& written) {
  const int32_t e = step == 4096 ? 0 : searchOffsetRt(tail_, in);
  const int32_t shift = e / 2;
  const int16_t* from = in + e;
  for (int32_t i = 0; i < kSpliceFrames; ++i) {
    for (int32_t c = 0; c < 2; ++c) {
      int32_t mixed = (tail_[2 * i + c] * (kSpliceFrames - i) + from[2 * i + c] * i) >> 9;
      out[2 * i + c] = int16_t(mixed);
    }
  }
  written = kPassFrames - shift;
  std::memcpy(out + kSpliceFrames * 2, from + kSpliceFrames * 2,
              size_t(written - kSpliceFrames) * 4);
  std::memcpy(tail_, in + kPassFrames * 2, sizeof tail_);
  int32_t total = written * step + remainder_;
  remainder_ = total & 4095;
  return total >> 12;
}

void Resampler::advanceReadRt(Desk& desk, int32_t consumed) {
  int32_t read = desk.readIndex() + consumed;
  const DeskLoop& loop = desk.loop();
  if (loop.active && loop.length > 0) {
    int32_t toEnd = ringDistance(desk.readIndex(), (loop.start + loop.length) % kDecodeRingFrames,
                                 kDecodeRingFrames);
    if (toEnd == 0) toEnd = loop.length;
    while (consumed >= toEnd) {
      read -= loop.length;
      toEnd += loop.length;
    }
  }
  read %= kDecodeRingFrames;
  if (read < 0) read += kDecodeRingFrames;
  desk.setReadIndex(read);
}

int32_t Resampler::searchOffsetRt(const int16_t* tail, const int16_t* in) {
  for (int32_t i = 0; i < kSpliceFrames; ++i) {
    const int64_t weight = int64_t(kSpliceFrames - i) * i;
    for (int32_t c = 0; c < 2; ++c) {
      const int32_t r = int32_t((tail[2 * i + c] * weight) >> 15);
      referenceHigh_[2 * i + c] = r >> 8;
      referenceLow_[2 * i + c] = r & 255;
    }
  }
  int32_t best = 248;
  int64_t bestScore = -32768;
  int32_t base = 0;
  for (const auto& row : kSearchRows) {
    for (int32_t delta : row) {
      int32_t candidate = base + delta;
      int64_t score = scoreRt(in, candidate);
      if (score > bestScore) {
        bestScore = score;
        best = candidate;
      }
    }
    base = best;
  }
  return best;
}

// Each product is shifted before it is added. With r = 256·hi + lo (lo in
// 0..255), (r·s) >> 8 = hi·s + ((lo·s) >> 8) exactly, and both parts fit 32
// bits, so the loop runs in 32-bit lanes; sums of 128 terms cannot overflow.
int64_t Resampler::scoreRt(const int16_t* in, int32_t offset) const {
  const int16_t* s = in + offset;
  int64_t score = 0;
  for (int32_t k0 = 2; k0 < kSpliceFrames * 2; k0 += 128) {
    const int32_t end = std::min(k0 + 128, kSpliceFrames * 2);
    int32_t part = 0;
    for (int32_t k = k0; k < end; ++k)
      part += referenceHigh_[k] * s[k] + ((referenceLow_[k] * s[k]) >> 8);
    score += part;
  }
  return score;
}

}  // namespace zarnel
