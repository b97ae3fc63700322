#pragma once
// The desk and clock values the skin's text zones show, read through one
// narrow interface so that the formatting needs no desk. The main window
// provides it over the desks and the track store; tests provide fixed values.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/LocalClock.h"  // LocalTime

namespace zarnel {

// Desk d is 0 or 1 in every call. Any value may change between two calls.
// UI thread.
class ZoneValues {
 public:
  virtual ~ZoneValues() = default;
  // Return: the track length in whole seconds; negative when nothing is
  // loaded or the load failed.
  virtual int32_t length(int32_t d) const = 0;
  // Return: the heard point, a fraction 0..1; negative when nothing is
  // loaded or the end has been passed.
  virtual float position(int32_t d) const = 0;
  // Return: the pitch, Q12 (4096 normal speed).
  virtual int32_t pitch(int32_t d) const = 0;
  // Return: the position of cue point n (0..4) of the track, none when the
  // track has n cue points or fewer.
  virtual std::optional<float> cuePoint(int32_t d, int32_t n) const = 0;
  // Return: the main cue point, the first beat and the analysis' end marker
  // (the last beat) as fractions; none without the track's data.
  virtual std::optional<float> mainCue(int32_t d) const = 0;
  virtual std::optional<float> firstBeat(int32_t d) const = 0;
  virtual std::optional<float> endMarker(int32_t d) const = 0;
  // Return: the tempo stored for the file, and the tempo measured now; 0
  // when there is none.
  virtual float storedBpm(int32_t d) const = 0;
  virtual float liveBpm(int32_t d) const = 0;
  // Return: the analysed loudness peak, and the loudness measured now; 0
  // when there is none.
  virtual int32_t storedLevel(int32_t d) const = 0;
  virtual int32_t liveLevel(int32_t d) const = 0;
  // Return: the desk's gain slider, 0..4096 (2048 unity).
  virtual int32_t gainSlider(int32_t d) const = 0;
  virtual std::string title(int32_t d) const = 0;
  virtual std::string author(int32_t d) const = 0;
  // Return: the comment stored for the file in the track store.
  virtual std::string comment(int32_t d) const = 0;
  // Return: the desk's status code (0 when all is well) and, for code 152,
  // the desk's own message.
  virtual int32_t statusCode(int32_t d) const = 0;
  virtual std::string statusMessage(int32_t d) const = 0;
  virtual LocalTime localTime() const = 0;
  // Return: milliseconds of a steady clock.
  virtual int64_t tickCount() const = 0;
};

}  // namespace zarnel
