#pragma once
// The values the skin's text zones show, read from the two desks, their
// tracks' records in the track store, the mixer's gain sliders and the
// clocks.

#include <cstdint>

#include "skin/ZoneValues.h"

namespace zarnel {

class Desk;
class MixerState;
class WindowSystem;
struct TrackData;

class ZoneState : public ZoneValues {
 public:
  // Pre: the desks (either may be null: it reads as empty), the mixer, the
  // window system and clock (null: the standard library's local time)
  // outlive this object. UI thread.
  ZoneState(const Desk* desk0, const Desk* desk1, const MixerState& mixer, WindowSystem& windows,
            const LocalClock* clock);

  int32_t length(int32_t d) const override;
  float position(int32_t d) const override;
  int32_t pitch(int32_t d) const override;
  std::optional<float> cuePoint(int32_t d, int32_t n) const override;
  std::optional<float> mainCue(int32_t d) const override;
  std::optional<float> firstBeat(int32_t d) const override;
  std::optional<float> endMarker(int32_t d) const override;
  float storedBpm(int32_t d) const override;
  float liveBpm(int32_t d) const override;
  int32_t storedLevel(int32_t d) const override;
  int32_t liveLevel(int32_t d) const override;
  int32_t gainSlider(int32_t d) const override;
  std::string title(int32_t d) const override;
  std::string author(int32_t d) const override;
  std::string comment(int32_t d) const override;
  int32_t statusCode(int32_t d) const override;
  std::string statusMessage(int32_t d) const override;
  LocalTime localTime() const override;
  int64_t tickCount() const override;

 private:
  const Desk* desk(int32_t d) const { return d == 0 || d == 1 ? desks_[d] : nullptr; }
  const TrackData* data(int32_t d) const;

  const Desk* desks_[2];
  const MixerState& mixer_;
  WindowSystem& windows_;
  const LocalClock* clock_;
};

}  // namespace zarnel
