#pragma once
// What a desk asks of the output engine.

#include <cstdint>

namespace zarnel {

// Called on the audio thread from desk commands, or on the UI thread while no
// audio thread runs.
class DeskEngine {
 public:
  virtual ~DeskEngine() = default;
  // The desk starts playing: mix it from the write cursor on.
  virtual void deskStarted(int32_t desk) = 0;
  virtual void deskStopped(int32_t desk) = 0;
  // Re-mix from the write cursor (after seeks, jumps, refreshes). -1: both desks.
  virtual void invalidate(int32_t desk) = 0;
  // A paused desk's heard point moved. Return: true.
  virtual bool deskMoved(int32_t desk, int32_t position, int32_t span) = 0;
};

}  // namespace zarnel
