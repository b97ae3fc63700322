// App's skin button actions: what a press or a release of each named
// button does, on the button's desk.

#include "app/ActionIds.h"
#include "app/App.h"
#include "app/AppShell.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "platform/WindowSystem.h"
#include "skin/Skin.h"
#include "skin/Widget.h"

namespace zarnel {

namespace {
bool rightButton(int32_t keys) { return (keys & keys::kRightButton) != 0; }
bool isDeskAction(int32_t action) {
  return (action >= button::kMagic && action <= button::kSyncBeat && action != button::kSwitchPitchLevel) ||
         (action >= button::kPlayPause && action <= button::kSetCue5);
}
}  // namespace

void App::buttonPress(int32_t action, int32_t d, int32_t keys) {
  if (!isDeskAction(action)) return pressGlobalAction(action);
  // A desk action on a button without "chan" has no desk to act on.
  Desk* target = desk(d);
  if (!target) return;
  pressDeskAction(action, *target, keys);
  reflectDesk(d);
}

// The window buttons and the browser pages act on release; so does the end
// of a right-button play, which goes back to where it started.
void App::buttonRelease(int32_t action, int32_t d, int32_t keys) {
  if (action == button::kPlay || action == button::kPlayPause) {
    Desk* target = desk(d);
    if (!target) return;
    if (rightButton(keys) && rememberedPlay[d] >= 0.0f && target->playing())
      target->stopAndSeek(rememberedPlay[d]);
    rememberedPlay[d] = -1.0f;
    return reflectDesk(d);
  }
  if (action == button::kClose) return postSysCommand(syscmd::kClose);
  if (action == button::kMinimize) return postSysCommand(syscmd::kMinimize);
  if (action == button::kMaximize) {
    if (links_.shell) links_.shell->toggleFullScreen();
    return;
  }
  if (action >= button::kMenuFiles && action <= button::kMenuConfig) later().showBrowserPage(action - button::kMenuFiles);
}

void App::postSysCommand(int32_t command) {
  if (links_.window) links_.window->post(msg::kSysCommand, command, 0);
}

void App::pressGlobalAction(int32_t action) {
  if (action == button::kMix) return later().autoMixNow();
  if (action == button::kSwitchPitchLevel) {
    const Skin* skin = reflection_.skin();
    if (skin && skin->pitchLevelTogether) setLevelMode(!levelMode_);
  }
}

void App::pressDeskAction(int32_t action, Desk& d, int32_t keys) {
  if (pressTransport(action, d, keys) || pressCueAction(action, d) || pressMixerAction(action, d.index())) return;
  const int32_t i = d.index();
  if (action >= button::kLoop4th && action <= button::kLoop8) return toggleLoop(d, kLoopButtonCodes[action - button::kLoop4th]);
  if (action >= button::kEffect1 && action <= button::kEffect3) return toggleEffect(i, action - button::kEffect1);
  if (!links_.matcher) return;
  switch (action) {
    case button::kMagic: links_.matcher->magic(i); break;
    case button::kPitchReset: pitchResetPress(i); break;
    case button::kSyncPitch: links_.matcher->matchPitch(i); break;
    case button::kSyncLevel: links_.matcher->matchGain(i); break;
    case button::kSyncBeat: links_.matcher->matchBeat(i); break;
    default: break;
  }
}

// Return: whether action was one of the transport actions.
bool App::pressTransport(int32_t action, Desk& d, int32_t keys) {
  switch (action) {
    case button::kPlay: play(d, keys); return true;
    case button::kPause: d.pause(); return true;
    case button::kStop: stop(d); return true;
    case button::kPlayPause:
      if (d.playing()) d.pause();
      else play(d, keys);
      return true;
    case button::kCueStop:
      if (d.playing()) d.setCue();
      else stop(d);
      return true;
    case button::kSelect: setActiveDesk(d.index()); return true;
    default: return false;
  }
}

// Return: whether action was one of the cue actions.
bool App::pressCueAction(int32_t action, Desk& d) {
  if (action == button::kCue || action == button::kSetCue1) {
    d.setCue();
  } else if (action == button::kGotoCue1) {
    d.clearCueCycle();
    d.stop();
  } else if (action >= button::kGotoCue2 && action <= button::kGotoCue5) {
    d.goToCuePoint(action - button::kGotoCue2);
  } else if (action >= button::kSetCue2 && action <= button::kSetCue5) {
    d.setCuePoint(action - button::kSetCue2);
  } else {
    return false;
  }
  return true;
}

// Return: whether action was one of the equaliser actions.
bool App::pressMixerAction(int32_t action, int32_t d) {
  if (action == button::kEqReset) {
    mixer_.resetEqualizer(d);
  } else if (action >= button::kKillBass && action <= button::kKillHigh) {
    setKill(d, Band(action - button::kKillBass), -1);
  } else {
    return false;
  }
  return true;
}

// With the right button the position is remembered first, for the release.
void App::play(Desk& d, int32_t keys) {
  if (rightButton(keys)) rememberedPlay[d.index()] = d.position();
  d.play();
}

void App::stop(Desk& d) {
  stopAutoMixTransition();
  d.stop();
}

void App::pitchResetPress(int32_t d) {
  if (links_.matcher) links_.matcher->pitchResetPress(d, nowMs());
}

// A loop needs the track's tempo: without one the desk refuses it, and the
// button must not light.
void App::toggleLoop(Desk& d, int32_t code) {
  const float bpm = d.bpm();
  if (code != 0 && !(bpm >= 1.0f && bpm <= 999.0f)) return;
  d.toggleLoop(code);
  reflectLoop(d.index());
}

// Slot n of desk d is effect slot 2n + d of the six.
void App::toggleEffect(int32_t d, int32_t n) {
  const bool on = later().toggleEffect(2 * n + d);
  reflection_.setButtonSelected(button::kEffect1 + n, d, on);
}

}  // namespace zarnel
