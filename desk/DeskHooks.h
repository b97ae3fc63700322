#pragma once
// The desk's links to the features that act on a load or on the heard
// position: automatic matching and AutoMix. The base classes are what the
// program does while those features are off.

#include <cstdint>

namespace zarnel {

class Desk;

// Tempo and level matching to the other desk. UI thread.
class LoadMatcher {
 public:
  virtual ~LoadMatcher() = default;
  // Return: true if the desk's pitch was matched to the other desk.
  virtual bool matchTempo(Desk&) { return false; }
  // Return: true if the desk's gain was matched to the other desk.
  virtual bool matchLevel(Desk&) { return false; }
  // Sets the desk's gain knob (2048 = 0 dB).
  virtual void setGain(Desk&, int32_t) {}
};

// AutoMix's view of a desk.
class AutoMixWatch {
 public:
  virtual ~AutoMixWatch() = default;
  // Return: true while AutoMix is on. UI thread.
  virtual bool autoMixOn() const { return false; }
  // Return: where AutoMix starts a newly loaded track. UI thread.
  virtual float startPosition(Desk&) { return 0.0f; }
  // The heard position of a desk moved. Audio thread.
  virtual void mixCheckRt(Desk&) {}
  // The heard point of a desk reached the end of its track. Audio thread.
  virtual void endOfTrackCheckRt(Desk&) {}
};

}  // namespace zarnel
