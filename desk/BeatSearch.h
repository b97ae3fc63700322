#pragma once
// Reading the beat strength ring around a desk's heard point: the strength
// curve the rhythm views draw, the next beat ahead and the strongest beat
// near a point. Pure reads of the ring; any thread.

#include <cstdint>

#include "desk/BeatEnvelope.h"

namespace zarnel {

// Where a desk stands in its DecodeRing (frames) and how fast it plays.
struct HeardPoint {
  int32_t play = 0;      // play index: the frame at the heard point
  int32_t write = 0;     // write index: the next frame to decode
  int32_t unfilled = 0;  // frames holding no audio since the last clear
  int32_t pitch = 4096;  // Q12 speed ratio
};

class BeatSearch {
 public:
  // Pre: ring outlives the search.
  explicit BeatSearch(const StrengthRing& ring) : ring_(ring) {}

  // Return: the beat period in envelope samples, truncate(73500 / bpm), with
  // 80 beats a minute standing in for a bpm outside 1..999.
  static int32_t period(float bpm);

  // Fills count points of 0..height − 1 with the strength from the heard
  // point forward in heard time: each point covers pitch / 1024 envelope
  // samples (their maximum, scaled so that peak reaches height).
  // Pre: values holds count entries; height > 0.
  void strengthCurve(const HeardPoint& point, int32_t peak, int32_t* values, int32_t count,
                     int32_t height) const;
  // Return: the offset in envelope samples of the strongest slot within one
  // beat period ahead of the heard point (and before the write index); 0
  // when none is above 0.
  int32_t nextBeatOffset(const HeardPoint& point, float bpm) const;
  // Return: the signed offset from the heard point + o of the strongest
  // beat within one period either way, a beat i samples away weighing
  // 1000 / (1000 + i); nearer wins a tie, forward at equal distance. 0 when
  // heard point + o lies at or past the decoded audio or behind the audio
  // still kept.
  int32_t nearestBeatOffset(const HeardPoint& point, float bpm, int32_t o) const;

 private:
  int32_t strength(int32_t slot) const { return ring_[size_t(wrapSlot(slot))].load(std::memory_order_relaxed); }
  // Return: the highest of count slots from slot on.
  int32_t highest(int32_t slot, int32_t count) const;
  static int32_t ahead(const HeardPoint& point);

  const StrengthRing& ring_;
};

}  // namespace zarnel
