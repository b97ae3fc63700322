// App's keyboard shortcut actions (the shortcut manager resolves the desk).
// Steps add to the current value; the setters clamp.

#include "app/ActionIds.h"
#include "app/App.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "mixer/GainCurve.h"
#include "skin/ActionNames.h"

namespace zarnel {

namespace {
constexpr int32_t kNudge = 256;  // frames at normal speed
constexpr int32_t kLoopShortcutCodes[4] = {1, 2, 4, 8};
// Each band fader's five shortcuts: left, right, middle, leftmost, rightmost.
constexpr int32_t kFaderShortcuts = 5;
}  // namespace

void App::shortcutAction(int32_t action, int32_t d) {
  if (action <= shortcut::kNothing || action >= shortcut::kCount) return;
  if (shortcutFaderAction(action) || shortcutMixerAction(action, d)) return;
  Desk* target = desk(d);
  if (target && (shortcutDeskAction(action, *target) || shortcutPitchAction(action, *target))) return reflectDesk(d);
  shortcutGlobalAction(action, d);
}

// Return: whether action acts on the desk's transport, cues or loops.
bool App::shortcutDeskAction(int32_t action, Desk& desk) {
  const int32_t d = desk.index();
  const int32_t nudge = kNudge * desk.pitch() / 4096;
  switch (action) {
    case shortcut::kPlay: desk.play(); return true;
    case shortcut::kPause: desk.pause(); return true;
    case shortcut::kCue: desk.setCue(); return true;
    case shortcut::kStop: desk.stop(); return true;  // AutoMix's transition goes on
    case shortcut::kNudgeLeft: desk.jump(nudge); return true;
    case shortcut::kNudgeRight: desk.jump(-nudge); return true;
    case shortcut::kPitchBendLeft: desk.scratch(nudge); return true;
    case shortcut::kPitchBendRight: desk.scratch(-nudge); return true;
    case shortcut::kHold: desk.hold(!desk.hold()); return true;
    case shortcut::kLoopHalfBeat: toggleLoop(desk, -2); return true;
    case shortcut::kLoopQuarterBeat: toggleLoop(desk, -4); return true;
    case shortcut::kExitLoop: toggleLoop(desk, 0); return true;
    default: break;
  }
  if (action >= shortcut::kSetCue2 && action <= shortcut::kSetCue5) {
    desk.setCuePoint(action - shortcut::kSetCue2);
  } else if (action >= shortcut::kGotoCue2 && action <= shortcut::kGotoCue5) {
    desk.goToCuePoint(action - shortcut::kGotoCue2);
  } else if (action >= shortcut::kLoop1Beat && action <= shortcut::kLoop8Beat) {
    toggleLoop(desk, kLoopShortcutCodes[action - shortcut::kLoop1Beat]);
  } else if (action >= shortcut::kEffect1 && action <= shortcut::kEffect3) {
    toggleEffect(d, action - shortcut::kEffect1);
  } else {
    return false;
  }
  return true;
}

// Return: whether action changes the desk's pitch or matches it. Up on the
// fader is slower, so "pitch up" lowers the ratio.
bool App::shortcutPitchAction(int32_t action, Desk& desk) {
  const int32_t d = desk.index(), p = desk.pitch();
  switch (action) {
    case shortcut::kPitchUp: setPitch(d, p - 8); return true;
    case shortcut::kPitchDown: setPitch(d, p + 8); return true;
    case shortcut::kPitchPageUp: setPitch(d, p - 306); return true;
    case shortcut::kPitchPageDown: setPitch(d, p + 306); return true;
    case shortcut::kPitchFineUp: setPitch(d, p - 1); return true;
    case shortcut::kPitchFineDown: setPitch(d, p + 1); return true;
    case shortcut::kPitchMiddle: setPitch(d, 4096); return true;
    case shortcut::kPitchReset: gradualPitchReset(d); return true;
    default: break;
  }
  if (!links_.matcher) return false;
  switch (action) {
    case shortcut::kMagic: links_.matcher->magic(d); return true;
    case shortcut::kBeatMatch: links_.matcher->matchBeat(d); return true;
    case shortcut::kSkipBeat: links_.matcher->skipBeat(d); return true;
    default: return false;
  }
}

// A single press of "pitch_reset": start the gradual reset, or cancel it.
void App::gradualPitchReset(int32_t d) {
  if (!links_.matcher) return;
  if (links_.matcher->pitchResetRunning(d)) {
    links_.matcher->stopPitchReset(d);
  } else {
    links_.matcher->startPitchReset(d);
  }
}

// Return: whether action changes a level, a band, a kill or the crossfader.
bool App::shortcutMixerAction(int32_t action, int32_t d) {
  const bool hasDesk = d == 0 || d == 1;
  const int32_t level = hasDesk ? mixer_.level(d) : 0;
  switch (action) {
    case shortcut::kVolumeMax: setLevel(d, kFullScale); return true;
    case shortcut::kVolumeMin: setLevel(d, 0); return true;
    case shortcut::kVolumeUp: setLevel(d, level + 128); return true;
    case shortcut::kVolumeDown: setLevel(d, level - 128); return true;
    case shortcut::kVolumePageUp: setLevel(d, level + 1024); return true;
    case shortcut::kVolumePageDown: setLevel(d, level - 1024); return true;
    case shortcut::kCrossfaderLeftmost: setCrossfader(0); return true;
    case shortcut::kCrossfaderRightmost: setCrossfader(kFullScale); return true;
    case shortcut::kCrossfaderLeft: setCrossfader(mixer_.crossfader() - 128); return true;
    case shortcut::kCrossfaderRight: setCrossfader(mixer_.crossfader() + 128); return true;
    case shortcut::kCrossfaderPageLeft: setCrossfader(mixer_.crossfader() - 1024); return true;
    case shortcut::kCrossfaderPageRight: setCrossfader(mixer_.crossfader() + 1024); return true;
    case shortcut::kCrossfaderMiddle: setCrossfader(kUnity); return true;
    case shortcut::kEqReset:
      if (hasDesk) mixer_.resetEqualizer(d);
      return true;
    default: break;
  }
  if (action >= shortcut::kKillBass && action <= shortcut::kNormalHigh) {
    const auto band = Band((action - shortcut::kKillBass) / 2);
    const bool kill = (action - shortcut::kKillBass) % 2 == 0;  // kill, normal, kill, ...
    if (kill) setKill(d, band, -1);
    else setBand(d, band, kUnity);
    return true;
  }
  if (action >= shortcut::kBassUp && action <= shortcut::kHighDown) {
    const auto band = Band((action - shortcut::kBassUp) / 2);
    const int32_t step = (action - shortcut::kBassUp) % 2 == 0 ? 256 : -256;
    if (hasDesk) setBand(d, band, mixer_.band(d, band) + step);
    return true;
  }
  return false;
}

// Return: whether action moves a band crossfader.
bool App::shortcutFaderAction(int32_t action) {
  if (action < shortcut::kBassfaderLeft || action > shortcut::kHighfaderRightmost) return false;
  const auto band = Band((action - shortcut::kBassfaderLeft) / kFaderShortcuts);
  const int32_t now = mixer_.bandFader(band);
  const int32_t values[kFaderShortcuts] = {now - 256, now + 256, kUnity, 0, kFullScale};
  setBandFader(band, values[(action - shortcut::kBassfaderLeft) % kFaderShortcuts]);
  return true;
}

// The actions that need no desk, or whose subsystem comes later.
void App::shortcutGlobalAction(int32_t action, int32_t d) {
  LaterSeams& seams = later();
  if (action >= shortcut::kPageFileBrowser && action <= shortcut::kPageConfig)
    return seams.showBrowserPage(action - shortcut::kPageFileBrowser);
  if (action >= shortcut::kSample1 && action <= shortcut::kSample12) return seams.triggerSample(action - shortcut::kSample1);
  switch (action) {
    case shortcut::kLoad: if (desk(d)) seams.loadSelected(d); return;
    case shortcut::kLoadIntoPlaylist: return seams.addSelectedToPlaylist();
    case shortcut::kEditBpm: return seams.editBpm();
    case shortcut::kEditComment: return seams.editComment();
    case shortcut::kSetAsFavoriteFolder: return seams.browserCommand(2);
    case shortcut::kMixNow: return seams.autoMixNow();
    case shortcut::kToggleAutoMix: return seams.browserCommand(6);
    case shortcut::kSwitchHeadphone: return setActiveDesk(1 - activeDesk());
    case shortcut::kNextWindow: return seams.browserFocus(1);
    case shortcut::kPrevWindow: return seams.browserFocus(-1);
    case shortcut::kSwitchPitchVolume: return buttonPress(button::kSwitchPitchLevel, d, 0);
    case shortcut::kStartStopRecord: return seams.toggleRecording();
    case shortcut::kNextPage: return seams.showBrowserPage((seams.browserPage() + 1) % 6);
    case shortcut::kPreviousPage: return seams.showBrowserPage((seams.browserPage() + 5) % 6);
    case shortcut::kStopAllSamples: return seams.stopAllSamples();
    default: return;
  }
}

}  // namespace zarnel
