#include "desk/BeatMatcher.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "platform/WindowSystem.h"

namespace zarnel {

namespace {
constexpr int32_t kFineLimit = 153;  // envelope samples: 125 ms
bool validBpm(float bpm) { return bpm >= 1.0f && bpm <= 999.0f; }
}  // namespace

int32_t fineCorrectionFrames(int32_t r1, int32_t r2) {
  const int32_t move = std::abs(r1) < std::abs(r2) ? r1 : r2;
  return std::abs(move) < kFineLimit ? move * kEnvelopeFrames : 0;
}

BeatMatcher::BeatMatcher(Desk& desk1, Desk& desk2, MixerState& mixer, Window* window)
    : desks_{&desk1, &desk2}, mixer_(mixer), window_(window) {}

int32_t BeatMatcher::pitchMinimum() { return settings().limitPitch != 0 ? 3768 : 2730; }
int32_t BeatMatcher::pitchMaximum() { return settings().limitPitch != 0 ? 4424 : 5462; }

void BeatMatcher::setPitch(int32_t d, int32_t p) {
  desks_[d]->setPitch(std::clamp(p, pitchMinimum(), pitchMaximum()));
}

int32_t BeatMatcher::pitchSlider(int32_t d) const {
  const int32_t lo = pitchMinimum(), hi = pitchMaximum();
  return (desks_[d]->pitch() - lo) * 4096 / (hi - lo);
}

void BeatMatcher::applyPitchRange() {
  for (int32_t d = 0; d < 2; ++d) setPitch(d, desks_[d]->pitch());
}

bool BeatMatcher::matchPitch(int32_t d) {
  stopPitchReset(d);
  const float a = other(d).bpm(), b = desks_[d]->bpm();
  if (!validBpm(a) || !validBpm(b)) return false;
  double r = other(d).pitch() * (double(a) / double(b)) / 4096.0;
  while (r > 1.5) r /= 2;  // by octaves: 70 against 140 BPM plays at 0 %
  while (r < 0.75) r *= 2;
  const auto p = int32_t(r * 4096.0);
  if (p < pitchMinimum() || p > pitchMaximum()) return false;
  setPitch(d, p);
  return true;
}

bool BeatMatcher::matchGain(int32_t d) {
  const int32_t p = other(d).trackLevel(), q = desks_[d]->trackLevel();
  if (p == 0 || q == 0) return false;
  const int32_t g = mixer_.gain(1 - d) + int32_t(std::trunc(4096.0 / 3.0 * std::log10(double(p) / double(q))));
  if (g < 0 || g > 4096) return false;
  mixer_.setGain(d, g);
  return true;
}

bool BeatMatcher::bothHaveEntries() const { return desks_[0]->entry() && desks_[1]->entry(); }

void BeatMatcher::matchBeat(int32_t d) {
  if (!bothHaveEntries()) return;
  Desk& me = *desks_[d];
  Desk& o = other(d);
  const int32_t b = me.nextBeatOffset();
  const int32_t m = int32_t(int64_t(b) * o.pitch() / me.pitch());
  const int32_t n = o.nearestBeatOffset(m);
  const int32_t j = int32_t(int64_t(-n) * 4096 / o.pitch());
  me.jump(j * kEnvelopeFrames);
}

void BeatMatcher::fineBeatCorrection(int32_t d) {
  if (!bothHaveEntries()) return;
  Desk& me = *desks_[d];
  Desk& o = other(d);
  const int32_t own = me.nearestBeatOffset(int32_t(int64_t(o.nextBeatOffset()) * me.pitch() / o.pitch()));
  const int32_t r1 = int32_t(int64_t(own) * 4096 / me.pitch());
  const int32_t n = o.nearestBeatOffset(int32_t(int64_t(me.nextBeatOffset()) * o.pitch() / me.pitch()));
  const int32_t r2 = int32_t(int64_t(-n) * 4096 / o.pitch());
  const int32_t frames = fineCorrectionFrames(r1, r2);
  if (frames != 0) me.jump(frames);
}

void BeatMatcher::skipBeat(int32_t d) {
  if (!bothHaveEntries()) return;
  float bpm = desks_[d]->bpm();
  if (!validBpm(bpm)) bpm = 120.0f;
  const int64_t beat = int64_t(73500.0 / bpm);  // envelope samples of one beat
  desks_[d]->jump(int32_t(beat * 147456 / desks_[d]->pitch()));
}

void BeatMatcher::magic(int32_t d) {
  if (settings().autoBpm != 0) matchPitch(d);
  desks_[d]->play();
  if (settings().autoSync != 0) matchBeat(d);
}

void BeatMatcher::pitchResetTick(int32_t d) {
  int32_t p = desks_[d]->pitch();
  if (p < 4080) p += 16;
  else if (p < 4113) p = 4096;
  else p -= 16;
  setPitch(d, p);
  if (p == 4096) stopPitchReset(d);
}

void BeatMatcher::startPitchReset(int32_t d) {
  if (window_) window_->setTimer(kPitchResetTimer[d], kPitchResetMs);
  resetRunning_[d] = window_ != nullptr;
}

void BeatMatcher::stopPitchReset(int32_t d) {
  if (window_ && resetRunning_[d]) window_->killTimer(kPitchResetTimer[d]);
  resetRunning_[d] = false;
}

void BeatMatcher::pitchResetPress(int32_t d, int64_t nowMs) {
  const bool twice = nowMs - lastPress_[d] < kPitchResetMs;
  lastPress_[d] = nowMs;
  if (twice) {
    stopPitchReset(d);
    setPitch(d, 4096);
  } else if (resetRunning_[d]) {
    stopPitchReset(d);
  } else {
    startPitchReset(d);
  }
}

bool BeatMatcher::matchTempo(Desk& desk) { return matchPitch(desk.index()); }
bool BeatMatcher::matchLevel(Desk& desk) { return matchGain(desk.index()); }
void BeatMatcher::setGain(Desk& desk, int32_t gain) { mixer_.setGain(desk.index(), gain); }

}  // namespace zarnel
