#pragma once
// The desk state the renderer shows: the transport words the display
// refresh turns into positions, discs and tone arms, and the strength curves
// the rhythm view draws.

#include <cstdint>

namespace zarnel {

class DeskDisplay {
 public:
  virtual ~DeskDisplay() = default;
  // Return: the active desk (the headphones' desk), 0 or 1. UI thread.
  virtual int32_t activeDesk() const = 0;
  // Desk d is 0 or 1 in every call below. UI thread.
  virtual bool playing(int32_t d) const = 0;
  // Return: the track position 0..1, negative when nothing is loaded or
  // the track has ended.
  virtual float position(int32_t d) const = 0;
  // Return: the track length in whole seconds; 0 or less when unknown.
  virtual int32_t length(int32_t d) const = 0;
  // Return: the beat meter, 0..4096.
  virtual int32_t beatMeter(int32_t d) const = 0;
  // Fills count heights of 0..height - 1 with the beat strength from the
  // heard point forward. Any thread: the rhythm thread reads it without a lock.
  virtual void strengthCurve(int32_t d, int32_t* values, int32_t count, int32_t height) const = 0;
};

}  // namespace zarnel
