#pragma once
// Thread services beyond the standard library: scheduling priority and the
// waits whose length tests want to skip.

#include <cstdint>

namespace zarnel {

class ThreadControl {
 public:
  virtual ~ThreadControl() = default;
  // Gives the calling thread the highest priority the system grants it.
  // Return: false if the system refused (the thread still runs).
  virtual bool setTimeCritical() = 0;
  // Waits about ms milliseconds.
  virtual void sleepMs(int32_t ms) = 0;
};

}  // namespace zarnel
