#include "platform/LocalClock.h"

#include <ctime>

namespace zarnel {

LocalTime systemLocalTime() {
  const std::time_t now = std::time(nullptr);
  const std::tm* t = std::localtime(&now);
  if (!t) return {};
  return LocalTime{t->tm_hour, t->tm_min, t->tm_sec};
}

}  // namespace zarnel
