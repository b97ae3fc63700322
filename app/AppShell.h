#pragma once
// What the action dispatch needs of the main window beyond its timers and
// posted messages: the clock and the full-screen mode.

#include <cstdint>

namespace zarnel {

// UI thread only.
class AppShell {
 public:
  virtual ~AppShell() = default;
  // Return: milliseconds of a steady clock.
  virtual int64_t nowMs() const = 0;
  // Enters full-screen mode, or leaves it when in it (the "Maximized" setting).
  virtual void toggleFullScreen() = 0;
};

}  // namespace zarnel
