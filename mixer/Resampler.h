#pragma once
// Turns a desk's decoded audio into its output ring at the desk's speed:
// plain sample stepping, or with master tempo a splice of overlapping
// stretches placed by correlation, which changes speed but keeps the pitch.

#include <cstdint>

namespace zarnel {

class Desk;

class Resampler {
 public:
  static constexpr int32_t kPassFrames = 3088;
  static constexpr int32_t kSpliceFrames = 512;
  static constexpr int32_t kTailInputFrames = kPassFrames + kSpliceFrames;  // 3600
  // Steps above 4x normal speed are taken as 4x: the rings hold no more.
  static constexpr int32_t kMaxStep = 4 * 4096;
  static constexpr int32_t kMaxInputFrames = kMaxStep * kPassFrames / 4096 + 2246;

  // Return: the decoded frames a pass needs at speed step (Q12).
  static int32_t requirementFor(int32_t step);

  // Audio thread (or UI thread while no audio thread runs).
  void setRequirement(int32_t step) { requirement_ = requirementFor(step); }
  int32_t requirement() const { return requirement_; }
  void resetRemainders() { phase_ = remainder_ = 0; }
  // The 512 stereo frames kept from the last splice.
  int16_t* spliceTail() { return tail_; }

  // One pass for desk: writes up to 3088 frames into its output ring.
  // Return: false when the ring had no room or no input could be decoded.
  bool passRt(Desk& desk);

  // Return: the splice offset in 16-bit sample units (even) that best
  // continues tail into in. Exposed for tests.
  int32_t searchOffsetRt(const int16_t* tail, const int16_t* in);

 private:
  bool ensureInputRt(Desk& desk);
  const int16_t* gatherInputRt(Desk& desk);
  int32_t plainRt(const int16_t* in, int16_t* out, int32_t step);
  int32_t spliceRt(const int16_t* in, int16_t* out, int32_t step, int32_t& written);
  void advanceReadRt(Desk& desk, int32_t consumed);
  int64_t scoreRt(const int16_t* in, int32_t offset) const;

  int32_t phase_ = 0;      // plain stepping, Q12
  int32_t remainder_ = 0;  // splice, Q12
  int32_t requirement_ = 5846;
  int16_t tail_[kSpliceFrames * 2] = {};
  int16_t input_[kMaxInputFrames * 2] = {};
  // The correlation reference r, split as r = 256 * high + low.
  int32_t referenceHigh_[kSpliceFrames * 2] = {};
  int32_t referenceLow_[kSpliceFrames * 2] = {};
};

}  // namespace zarnel
