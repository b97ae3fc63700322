#include "app/App.h"

#include "app/ActionIds.h"
#include "app/AppShell.h"
#include "app/Settings.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "mixer/GainCurve.h"
#include "platform/WindowSystem.h"
#include "skin/ActionNames.h"
#include "skin/Skin.h"

namespace zarnel {

namespace {
constexpr int32_t kHistoryDelayMs = 40000;
}  // namespace

// MixerState starts at the defaults: crossfader and bands in the centre,
// levels full, kills off, preview 0.
App::App() = default;

App::~App() { detach(); }

void App::attach(const AppLinks& links) {
  links_ = links;
  mixer_.attach(links.engine, this);
}

void App::detach() {
  mixer_.attach(nullptr, nullptr);
  reflection_.setSkin(nullptr);
  links_ = AppLinks{};
}

int64_t App::nowMs() const { return links_.shell ? links_.shell->nowMs() : 0; }

int32_t App::pitchMinimum() const { return BeatMatcher::pitchMinimum(); }
int32_t App::pitchMaximum() const { return BeatMatcher::pitchMaximum(); }

int32_t App::pitchSliderValue(int32_t pitch) const {
  const int32_t lo = pitchMinimum(), hi = pitchMaximum();
  return (pitch - lo) * kSliderMax / (hi - lo);
}

void App::stopAutoMixTransition() {
  if (autoMixTimer == 0) return;
  if (links_.window) links_.window->killTimer(timer::kAutoMix);
  autoMixTimer = 0;
  later().autoMixTransitionStopped();
}

bool App::loadDesk(int32_t d, const char* title, const char* author, const char* path, TrackEntry* entry) {
  Desk* target = desk(d);
  if (!target) return false;
  stopAutoMixTransition();
  if (links_.matcher) links_.matcher->stopPitchReset(d);
  bool loaded = false;
  {
    std::unique_lock<std::mutex> hold = links_.shell ? links_.shell->holdRhythmView() : std::unique_lock<std::mutex>();
    loaded = target->load(title, author, path, entry);
  }
  if (links_.window) {
    links_.window->killTimer(timer::kLoad[d]);
    links_.window->setTimer(timer::kLoad[d], kHistoryDelayMs);
    loadTimer[d] = timer::kLoad[d];
  }
  setActiveDesk(d);
  reflectDesk(d);  // the load may have matched the pitch and ended a loop
  return loaded;
}

// The order is the one the mixer and the widgets have always been set in;
// from the current state each value is the one in force.
void App::applyMixerState(bool fromDefaults) {
  Skin* skin = reflection_.skin();
  if (skin && skin->pitchLevelTogether) setLevelMode(true);
  later().showBrowserPage(fromDefaults ? 0 : later().browserPage());
  if (fromDefaults) {
    mixer_.selectPreviewDesk(0);
    mixer_.setCrossfader(2048);
    for (int32_t d = 0; d < 2; ++d) mixer_.setLevel(d, kSliderMax);
  }
  mixer_.setCrossfaderMode(settings().crossfader);
  for (int32_t d = 0; d < 2; ++d) {
    if (fromDefaults) setPitch(d, 4096);
    reflectDesk(d);
  }
  if (fromDefaults) {
    for (int32_t d = 0; d < 2; ++d) {
      for (int32_t b = 0; b < 3; ++b) mixer_.setBand(d, Band(b), kUnity);
      mixer_.setGain(d, kUnity);
      for (int32_t b = 0; b < 3; ++b) mixer_.setKill(d, Band(b), 0);
    }
    for (int32_t b = 0; b < 3; ++b) mixer_.setBandFader(Band(b), kUnity);
    mixer_.setPreview(0);
  }
  reflectMixer();
}

void App::setLevelMode(bool level) {
  levelMode_ = level;
  // Hide first: the two sets may share their place on the skin.
  for (int32_t d = 0; d < 2; ++d) {
    if (level) {
      reflection_.setButtonVisible(button::kPitchReset, d, false);
      reflection_.setSliderVisible(kSliderPitch, d, false);
    } else {
      reflection_.setSliderVisible(kSliderLevel, d, false);
    }
  }
  for (int32_t d = 0; d < 2; ++d) {
    if (level) {
      reflection_.setSliderVisible(kSliderLevel, d, true);
    } else {
      reflection_.setSliderVisible(kSliderPitch, d, true);
      reflection_.setButtonVisible(button::kPitchReset, d, true);
    }
  }
}

void App::pitchResetTick(int32_t d) {
  if (!desk(d) || !links_.matcher) return;
  links_.matcher->pitchResetTick(d);
  reflectPitch(d);
}

// The desk stopped itself: its transport buttons and loop light go out at
// once rather than at the next display refresh.
void App::trackEnded(int32_t d) {
  Desk* ended = desk(d);
  if (!ended) return;
  ended->clearLoopSelection();
  rememberedPlay[d] = -1.0f;
  reflectDesk(d);
  later().trackEnded(d);
}

void App::mixIn(int32_t d) {
  if (desk(d)) later().mixIn(d);
}

void App::effectRequest(int32_t wparam, int32_t lparam) { later().effectRequest(wparam, lparam); }

}  // namespace zarnel
