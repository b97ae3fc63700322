#pragma once
// Listens to every decoded block of a desk. The tempo, beat and loudness
// measurements are not built yet: until then the analyser keeps no results,
// so it reports no tempo and no beats.

#include <cstdint>

#include "library/TrackEntry.h"

namespace zarnel {

class Desk;

class BeatAnalyser {
 public:
  explicit BeatAnalyser(Desk* desk) : desk_(desk) {}

  // Forgets everything, including the track's record. UI thread, desk unloaded.
  void fullReset() { data_ = nullptr; }
  // Forgets the measured envelope after a jump in the stream. Audio thread.
  void clearRt() {}
  // The track's record, where results are stored. UI thread, desk unloaded.
  void setTrackData(TrackData* data) { data_ = data; }
  // One decoded block of kBlockFrames stereo frames. Audio thread.
  void feedRt(const int16_t* /*block*/) {}

  // Return: the beat lamp value (0 without measurements).
  int32_t beatMeter() const { return 0; }

 private:
  Desk* desk_;
  TrackData* data_ = nullptr;
};

}  // namespace zarnel
