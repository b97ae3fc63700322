#pragma once
// The local time of day, for the clock the skin's text zones show. A backend
// or a test may provide its own; the standard library's serves otherwise.

#include <cstdint>

namespace zarnel {

struct LocalTime {
  int32_t hour = 0, minute = 0, second = 0;
};

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  // Return: the local time now. UI thread.
  virtual LocalTime now() const = 0;
};

// Return: the local time now from the standard library; midnight when it
// cannot be read. UI thread (the library's conversion is not re-entrant).
LocalTime systemLocalTime();

}  // namespace zarnel
