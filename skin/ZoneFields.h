#pragma once
// The values of a text zone's fields as text: times of the zone's desk in
// minutes, seconds and tenths (or beats), tempo, pitch, level, the track's
// texts, the clock and the counter.

#include <cstdint>
#include <string>

#include "skin/ZoneValues.h"

namespace zarnel {

// The fields in the order their names are matched, then the six that are
// recognised only as the whole rest of a format.
enum class ZoneField : int32_t {
  kTime, kSpent, kLeft, kCue0, kCue1, kCue2, kCue3, kCue4, kCue, kFirst, kEnd, kBpm, kPitch, kLevel,
  kTitle, kAuthor, kComment, kFullHour, kHour, kCounter,
};
inline constexpr int32_t kZonePrefixFields = 14;  // kTime..kLevel
inline constexpr int32_t kZoneFieldCount = 20;

// The modifier letters: "P" plain (no pitch or gain applied), "L" live
// value, "B" a time in beats.
struct FieldFlags {
  bool plain = false, live = false, beats = false;
};

// Return: a time of tenths of a second as "mm:ss.t", minutes unbounded,
// with a leading "-" when negative. Any thread.
std::string formatTenths(int64_t tenths);
// Return: milliseconds as the counter shows them, "mm:ss't" with minutes and
// seconds modulo 60; a negative span shows as zero. Any thread.
std::string formatCounter(int64_t ms);

// UI thread (it reads the values through their interface).
class ZoneFields {
 public:
  // values may be null: then no field has a value. desk is 0, 1, or -1 for
  // a zone without one, whose desk fields have no value. Pre: values, when
  // given, outlives this object.
  ZoneFields(const ZoneValues* values, int32_t desk, int64_t counterStart)
      : values_(values), desk_(desk), counterStart_(counterStart) {}

  // Return: the field's text, empty when its value is not available.
  std::string text(ZoneField field, FieldFlags flags) const;

 private:
  bool hasDesk() const { return values_ && (desk_ == 0 || desk_ == 1); }
  // Return: whether a track is loaded; fraction gets the heard point, the
  // end (1) once the track has ended.
  bool track(double& fraction) const;
  // A span of the track from a mark to the heard point (both fractions),
  // or the whole length, as shown with flags.
  std::string span(double fromFraction, double toFraction, FieldFlags flags, int64_t extraTenths) const;
  std::string timeText(int64_t tenths, FieldFlags flags) const;
  std::string markText(ZoneField field, FieldFlags flags) const;
  std::string bpmText(FieldFlags flags) const;
  std::string levelText(FieldFlags flags) const;
  std::string clockText(ZoneField field) const;

  const ZoneValues* values_;
  int32_t desk_;
  int64_t counterStart_;
};

}  // namespace zarnel
