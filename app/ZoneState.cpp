#include "app/ZoneState.h"

#include "desk/Desk.h"
#include "desk/SharedWord.h"
#include "mixer/MixerState.h"
#include "platform/WindowSystem.h"

namespace zarnel {

ZoneState::ZoneState(const Desk* desk0, const Desk* desk1, const MixerState& mixer, WindowSystem& windows,
                     const LocalClock* clock)
    : desks_{desk0, desk1}, mixer_(mixer), windows_(windows), clock_(clock) {}

const TrackData* ZoneState::data(int32_t d) const { return desk(d) ? desk(d)->trackData() : nullptr; }

int32_t ZoneState::length(int32_t d) const { return desk(d) ? desk(d)->length() : -1; }

float ZoneState::position(int32_t d) const { return desk(d) ? desk(d)->position() : -1.0f; }

int32_t ZoneState::pitch(int32_t d) const { return desk(d) ? desk(d)->pitch() : 4096; }

std::optional<float> ZoneState::cuePoint(int32_t d, int32_t n) const {
  const TrackData* t = data(d);
  if (!t || n < 0 || int64_t(t->cues.size()) <= n) return std::nullopt;
  return t->cues[size_t(n)].position;
}

// The first and last beats are written by the audio thread's analyser.
std::optional<float> ZoneState::mainCue(int32_t d) const {
  const TrackData* t = data(d);
  return t ? std::optional<float>(loadWord(t->v3)) : std::nullopt;
}

std::optional<float> ZoneState::firstBeat(int32_t d) const {
  const TrackData* t = data(d);
  return t ? std::optional<float>(loadWord(t->v1)) : std::nullopt;
}

std::optional<float> ZoneState::endMarker(int32_t d) const {
  const TrackData* t = data(d);
  return t ? std::optional<float>(loadWord(t->v2)) : std::nullopt;
}

float ZoneState::storedBpm(int32_t d) const { return desk(d) ? desk(d)->bpm() : 0.0f; }

float ZoneState::liveBpm(int32_t d) const { return desk(d) ? desk(d)->analyser().tempo() : 0.0f; }

int32_t ZoneState::storedLevel(int32_t d) const {
  const TrackData* t = data(d);
  return t ? loadWord(t->v8) : 0;
}

int32_t ZoneState::liveLevel(int32_t d) const { return desk(d) ? desk(d)->analyser().levelSum() : 0; }

int32_t ZoneState::gainSlider(int32_t d) const { return d == 0 || d == 1 ? mixer_.gain(d) : 2048; }

std::string ZoneState::title(int32_t d) const { return desk(d) ? desk(d)->title() : std::string(); }

std::string ZoneState::author(int32_t d) const { return desk(d) ? desk(d)->author() : std::string(); }

std::string ZoneState::comment(int32_t d) const {
  const TrackEntry* e = desk(d) ? desk(d)->entry() : nullptr;
  if (!e) return {};
  return e->comment ? *e->comment : e->storedComment;
}

// A desk whose reader is late still plays its track: its zones show the
// track, not an empty background.
int32_t ZoneState::statusCode(int32_t d) const {
  if (!desk(d)) return 0;
  const int32_t status = desk(d)->status();
  return status == kStatusSourceLate ? kStatusLoaded : status;
}

std::string ZoneState::statusMessage(int32_t d) const {
  return desk(d) ? desk(d)->discMessage() : std::string();
}

LocalTime ZoneState::localTime() const { return clock_ ? clock_->now() : systemLocalTime(); }

int64_t ZoneState::tickCount() const { return windows_.nowMs(); }

}  // namespace zarnel
