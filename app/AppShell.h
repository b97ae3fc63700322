#pragma once
// What the action dispatch needs of the main window beyond its timers and
// posted messages: the clock and the full-screen mode.

#include <cstdint>
#include <mutex>

namespace zarnel {

// UI thread only.
class AppShell {
 public:
  virtual ~AppShell() = default;
  // Return: milliseconds of a steady clock.
  virtual int64_t nowMs() const = 0;
  // Enters full-screen mode, or leaves it when in it (the "Maximized" setting).
  virtual void toggleFullScreen() = 0;
  // Return: a hold on the rhythm view's drawing, which reads the desks'
  // analysis: a load frees the old track's data only while it is held.
  virtual std::unique_lock<std::mutex> holdRhythmView() { return {}; }
};

}  // namespace zarnel
