#pragma once
// The track store's date stamps: year × 1024 + month × 64 + day.

#include <cstdint>

namespace zarnel {

// Return: the stamp of a date (month 1..12, day 1..31).
constexpr int32_t dateStamp(int32_t year, int32_t month, int32_t day) {
  return year * 1024 + month * 64 + day;
}

// Return: the stamp of today's local date. UI thread (the C library's local
// time is not reentrant).
int32_t todayStamp();

}  // namespace zarnel
