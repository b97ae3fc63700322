#include "skin/ZoneFields.h"

#include <cmath>
#include <cstdio>

namespace zarnel {

namespace {

// Tempos outside (1, 999) are "none" (999.9 is the analyser's "no beat").
bool usableBpm(double bpm) { return bpm > 1.0 && bpm < 999.0; }

// The level of a full-scale sine as the analyser measures it is about 8231:
// this factor makes it 0 dB.
constexpr double kLevelScale = 0.00012149266618632515;
// Beats per tenth of a second at one beat per minute: 1 / 600.
constexpr double kBeatsPerTenth = 0.0016666667;

std::string printed(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// Return: a fraction made safe to compute with: 0..1.
double clampFraction(double f) { return f < 0.0 ? 0.0 : f > 1.0 ? 1.0 : f; }

}  // namespace

std::string formatTenths(int64_t tenths) {
  const bool negative = tenths < 0;
  const long long a = negative ? -static_cast<long long>(tenths) : tenths;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s%.2lld:%.2lld.%.1lld", negative ? "-" : "", a / 600, a / 10 % 60, a % 10);
  return buf;
}

std::string formatCounter(int64_t ms) {
  if (ms < 0) ms = 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2i:%.2i'%.1i", int(ms / 60000 % 60), int(ms / 1000 % 60), int(ms / 100 % 10));
  return buf;
}

std::string ZoneFields::text(ZoneField field, FieldFlags flags) const {
  switch (field) {
    case ZoneField::kBpm:
      return bpmText(flags);
    case ZoneField::kPitch:
      return hasDesk() ? printed("%.1f", values_->pitch(desk_) * 100.0 / 4096.0) : std::string();
    case ZoneField::kLevel:
      return levelText(flags);
    case ZoneField::kTitle:
      return hasDesk() ? values_->title(desk_) : std::string();
    case ZoneField::kAuthor:
      return hasDesk() ? values_->author(desk_) : std::string();
    case ZoneField::kComment:
      return hasDesk() ? values_->comment(desk_) : std::string();
    case ZoneField::kFullHour:
    case ZoneField::kHour:
    case ZoneField::kCounter:
      return clockText(field);
    default:
      return markText(field, flags);
  }
}

bool ZoneFields::track(double& fraction) const {
  if (!hasDesk() || values_->length(desk_) < 0) return false;
  const double p = values_->position(desk_);
  if (std::isnan(p)) return false;
  // A loaded track whose heard point is negative has ended: it is at its end.
  fraction = p < 0.0 ? 1.0 : clampFraction(p);
  return true;
}

std::string ZoneFields::span(double from, double to, FieldFlags flags, int64_t extraTenths) const {
  const double tenths = (to - from) * values_->length(desk_) * 10.0;
  return timeText(static_cast<int64_t>(std::trunc(tenths)) + extraTenths, flags);
}

std::string ZoneFields::markText(ZoneField field, FieldFlags flags) const {
  double at = 0.0;
  if (!track(at)) return {};
  std::optional<float> mark;
  switch (field) {
    case ZoneField::kTime:
      return span(0.0, 1.0, flags, 0);
    case ZoneField::kSpent:
      return span(0.0, at, flags, 0);
    case ZoneField::kLeft:
      return span(at, 1.0, flags, 1);
    case ZoneField::kCue:
      mark = values_->mainCue(desk_);
      break;
    case ZoneField::kFirst:
      mark = values_->firstBeat(desk_);
      break;
    case ZoneField::kEnd:
      mark = values_->endMarker(desk_);
      break;
    default:
      mark = values_->cuePoint(desk_, int32_t(field) - int32_t(ZoneField::kCue0));
      break;
  }
  if (!mark || std::isnan(*mark)) return {};
  return span(clampFraction(*mark), at, flags, 0);
}

std::string ZoneFields::timeText(int64_t tenths, FieldFlags flags) const {
  if (!flags.plain) {
    // Shown at the speed heard: a pitch above normal shortens the time.
    const int32_t pitch = values_->pitch(desk_);
    if (pitch <= 0) return {};
    tenths = tenths * 4096 / pitch;
  }
  if (!flags.beats) return formatTenths(tenths);
  const double bpm = values_->storedBpm(desk_);
  if (!usableBpm(bpm)) return {};
  return printed("%.1f", double(tenths) * bpm * kBeatsPerTenth);
}

std::string ZoneFields::bpmText(FieldFlags flags) const {
  if (!hasDesk()) return {};
  double bpm = flags.live ? values_->liveBpm(desk_) : values_->storedBpm(desk_);
  if (!usableBpm(bpm)) return {};
  if (!flags.plain) bpm = bpm * values_->pitch(desk_) / 4096.0;
  return printed("%.1f", bpm);
}

std::string ZoneFields::levelText(FieldFlags flags) const {
  if (!hasDesk()) return {};
  const int32_t level = flags.live ? values_->liveLevel(desk_) : values_->storedLevel(desk_);
  if (level <= 0) return {};
  double db = 20.0 * std::log10(level * kLevelScale);
  // The gain slider's part: -30 dB at 0 to +30 dB at 4096, in whole dB.
  if (!flags.plain) db += double((int64_t(values_->gainSlider(desk_)) * 30 - 61440) / 2048);
  return printed("%.1f", db);
}

std::string ZoneFields::clockText(ZoneField field) const {
  if (!values_) return {};
  if (field == ZoneField::kCounter) return formatCounter(values_->tickCount() - counterStart_);
  const LocalTime t = values_->localTime();
  char buf[48];
  if (field == ZoneField::kFullHour) {
    std::snprintf(buf, sizeof buf, "%.2i:%.2i:%.2i", int(t.hour), int(t.minute), int(t.second));
  } else {
    std::snprintf(buf, sizeof buf, "%.2i:%.2i", int(t.hour), int(t.minute));
  }
  return buf;
}

}  // namespace zarnel
