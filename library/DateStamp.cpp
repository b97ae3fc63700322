#include "library/DateStamp.h"

#include <ctime>

namespace zarnel {

int32_t todayStamp() {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return 0;
  return dateStamp(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

}  // namespace zarnel
