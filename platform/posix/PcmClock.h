#pragma once
// The time line of a decoded PCM stream, in 100-ns units.

#include <cstdint>

namespace zarnel {

// Counts frames from an anchor time, so that runs of frames tile without
// rounding drift, and follows the container's time stamps where they disagree
// by more than their own precision (a gap or a jump in the stream).
// Thread: one owner.
class PcmClock {
 public:
  static constexpr int64_t kUnitsPerSecond = 10000000;

  // Starts the clock at time for frames of rate per second; the next stamp is
  // taken as it is. Pre: rate > 0.
  void restart(int64_t time, int32_t rate);
  // Offers the container's time for the frame at now(), precise to precision
  // units. Post: now() is time if it was off by more than precision.
  void stamp(int64_t time, int64_t precision);
  // Return: the time of the next frame.
  int64_t now() const { return timeAfter(0); }
  // Return: the time of the frame frames after now(). Pre: frames >= 0.
  int64_t timeAfter(int64_t frames) const;
  // Return: how many frames after now() the last frame at or before target
  // starts; 0 when target is at or before now().
  int64_t framesUntil(int64_t target) const;
  // Post: now() moves by frames.
  void advance(int64_t frames) { frames_ += frames; }

 private:
  int64_t anchor_ = 0;
  int64_t frames_ = 0;  // frames since the anchor
  int32_t rate_ = 1;
  bool takeNextStamp_ = true;
};

}  // namespace zarnel
