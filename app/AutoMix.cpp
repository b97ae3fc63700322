#include "app/AutoMix.h"

#include "app/Settings.h"

namespace zarnel {

namespace {

constexpr int32_t kNormalPitch = 4096;

bool isDesk(int32_t d) { return d == 0 || d == 1; }

}  // namespace

AutoMix::AutoMix(AutoMixHost& host, const Settings& settings) : host_(host), settings_(settings) {}

void AutoMix::setOn(bool on) {
  if (on == on_) return;
  on_ = on;
  if (!on) return;
  // Loads make their desk the preview desk: the default desk is the one before them.
  const int32_t defaultDesk = host_.previewDesk();
  for (int32_t d : {defaultDesk, 1 - defaultDesk}) {
    if (host_.length(d) < 0) host_.nextTrack(d);
  }
  if (!host_.playing(0) && !host_.playing(1)) host_.play(1 - defaultDesk);
}

void AutoMix::mixIn(int32_t a) {
  if (!isDesk(a) || host_.position(a) < 0.0f) return;
  // The timer and the lit buttons go together: a cut must not leave them lit.
  endTransition();
  if (settings_.autoBpm != 0) host_.matchPitch(a);
  if (settings_.longMix < 0) return cutIn(a);
  startTransition(a);
}

void AutoMix::cutIn(int32_t a) {
  host_.play(a);
  if (settings_.autoSync != 0) host_.matchBeat(a);
  host_.setCrossfader(fullyTo(a));
  if (on_ && host_.playing(1 - a)) reloadOutgoing(1 - a);
  resetPitchIfChanged(a);
}

void AutoMix::startTransition(int32_t a) {
  host_.setCrossfader(fullyTo(1 - a));
  host_.play(a);
  step_ = 0;
  hold_ = settings_.longMix;
  incoming_ = a;
  running_ = true;
  host_.lightMixButtons(true);
  host_.startTimer(kTimerId, kTickMs);
}

void AutoMix::tick() {
  if (!running_) return;
  advanceStep();
  if (step_ == kCentreStep) host_.setPreviewDesk(1 - incoming_);
  if (settings_.autoSync != 0) matchStep();
  // Above 32 (the hold) the crossfader stays where step 16 put it, the centre.
  if (step_ <= kLastStep) {
    const int32_t towardIncoming = incoming_ == 1 ? step_ : kLastStep - step_;
    host_.setCrossfader(towardIncoming * kCrossfaderPerStep);
  }
  if (step_ == kLastStep) finishTransition();
}

// 0..16, then 42 for the hold's ticks, then 17..32.
void AutoMix::advanceStep() {
  if (step_ == kCentreStep) step_ = kHoldStep;
  if (step_ == kHoldStep) {
    if (hold_ > 0) {
      --hold_;
    } else {
      step_ = kCentreStep + 1;
    }
  } else {
    ++step_;
  }
}

// The incoming desk follows the outgoing one up to the centre; after it the
// incoming desk leads and the outgoing one is corrected.
void AutoMix::matchStep() {
  if (step_ == 1) return host_.matchBeat(incoming_);
  host_.fineBeatCorrection(step_ <= kCentreStep ? incoming_ : 1 - incoming_);
}

void AutoMix::finishTransition() {
  endTransition();
  if (on_) reloadOutgoing(1 - incoming_);
  resetPitchIfChanged(incoming_);
}

void AutoMix::reloadOutgoing(int32_t desk) {
  if (!host_.nextTrack(desk)) host_.eject(desk);
}

void AutoMix::resetPitchIfChanged(int32_t desk) {
  if (settings_.autoZPitch != 0 && host_.pitch(desk) != kNormalPitch) host_.startPitchReset(desk);
}

void AutoMix::endTransition() {
  if (!running_) return;
  // Cleared first: the host's stopTimer may report the stop back here.
  running_ = false;
  host_.stopTimer(kTimerId);
  host_.lightMixButtons(false);
}

void AutoMix::mixNow() {
  if (running_) return endTransition();
  const int32_t p = host_.previewDesk();
  const int32_t o = 1 - p;
  const bool pPlays = host_.playing(p), oPlays = host_.playing(o);
  if (!pPlays && !oPlays) return startWhenIdle(p, o);
  if (pPlays && !oPlays) {
    if (makeReady(o)) mixIn(o);
    return;
  }
  if (oPlays && !pPlays) {
    if (makeReady(p)) mixIn(p);
    return;
  }
  // Both play: bring in the desk the crossfader is away from.
  const int32_t x = host_.crossfader();
  mixIn(x < kBothPlayingSplit ? 1 : x > kBothPlayingSplit ? 0 : p);
}

// Neither desk plays: start the other desk when it can, else the preview
// desk, else whichever can be made ready.
void AutoMix::startWhenIdle(int32_t p, int32_t o) {
  if (host_.position(o) >= 0.0f) return host_.play(o);
  if (host_.position(p) >= 0.0f) return host_.play(p);
  if (host_.length(o) >= 0) {
    host_.stop(o);
    return host_.play(o);
  }
  if (host_.length(p) >= 0) {
    host_.stop(p);
    return host_.play(p);
  }
  if (host_.nextTrack(o)) host_.play(o);
}

// A desk that ended is sent back by its cue cycle; an empty one takes the
// next track. Return: false when there is nothing to mix in.
bool AutoMix::makeReady(int32_t desk) {
  if (host_.position(desk) >= 0.0f) return true;
  if (host_.length(desk) >= 0) {
    host_.stop(desk);
    return true;
  }
  return host_.nextTrack(desk);
}

void AutoMix::trackEnded(int32_t desk) {
  if (on_ && isDesk(desk)) host_.nextTrack(desk);
}

}  // namespace zarnel
