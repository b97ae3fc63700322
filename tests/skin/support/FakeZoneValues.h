#pragma once
// Zone values set by the test: one track per desk, fixed clocks.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "skin/ZoneValues.h"

namespace zarnel::test {

struct FakeDeskValues {
  int32_t length = -1;
  float position = -1.0f;
  int32_t pitch = 4096;
  std::vector<float> cues;
  std::optional<float> mainCue, firstBeat, endMarker;
  float storedBpm = 0.0f, liveBpm = 0.0f;
  int32_t storedLevel = 0, liveLevel = 0, gain = 2048;
  std::string title, author, comment;
  int32_t status = 0;
  std::string message;
};

struct FakeZoneValues : ZoneValues {
  std::array<FakeDeskValues, 2> desk;
  LocalTime time;
  int64_t ticks = 0;

  int32_t length(int32_t d) const override { return desk[d].length; }
  float position(int32_t d) const override { return desk[d].position; }
  int32_t pitch(int32_t d) const override { return desk[d].pitch; }
  std::optional<float> cuePoint(int32_t d, int32_t n) const override {
    if (n < 0 || size_t(n) >= desk[d].cues.size()) return std::nullopt;
    return desk[d].cues[size_t(n)];
  }
  std::optional<float> mainCue(int32_t d) const override { return desk[d].mainCue; }
  std::optional<float> firstBeat(int32_t d) const override { return desk[d].firstBeat; }
  std::optional<float> endMarker(int32_t d) const override { return desk[d].endMarker; }
  float storedBpm(int32_t d) const override { return desk[d].storedBpm; }
  float liveBpm(int32_t d) const override { return desk[d].liveBpm; }
  int32_t storedLevel(int32_t d) const override { return desk[d].storedLevel; }
  int32_t liveLevel(int32_t d) const override { return desk[d].liveLevel; }
  int32_t gainSlider(int32_t d) const override { return desk[d].gain; }
  std::string title(int32_t d) const override { return desk[d].title; }
  std::string author(int32_t d) const override { return desk[d].author; }
  std::string comment(int32_t d) const override { return desk[d].comment; }
  int32_t statusCode(int32_t d) const override { return desk[d].status; }
  std::string statusMessage(int32_t d) const override { return desk[d].message; }
  LocalTime localTime() const override { return time; }
  int64_t tickCount() const override { return ticks; }
};

}  // namespace zarnel::test
