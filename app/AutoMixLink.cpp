// AutoMix wired to the desks, the mixer, the matcher and the playlist.

#include "app/AutoMixLink.h"

#include "app/ActionIds.h"
#include "app/App.h"
#include "app/Settings.h"
#include "desk/AutoMixCheck.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "desk/SharedWord.h"
#include "library/TrackEntry.h"
#include "platform/MessagePoster.h"
#include "platform/WindowSystem.h"

namespace zarnel {

AutoMixLink::AutoMixLink(const AutoMixLinks& links) : links_(links), autoMix_(*this, *links.settings) {
  for (int32_t d = 0; d < 2; ++d) {
    firstCue_[d].store(-1.0f);
    lastBeat_[d].store(0.0f);
  }
  sync();
}

void AutoMixLink::sync() {
  on_.store(autoMix_.on(), std::memory_order_relaxed);
  longMix_.store(links_.settings->longMix, std::memory_order_relaxed);
  endMix_.store(links_.settings->endMix, std::memory_order_relaxed);
  for (int32_t d = 0; d < 2; ++d) {
    const TrackData* data = links_.desks[d] ? links_.desks[d]->trackData() : nullptr;
    const float cue = data && !data->cues.empty() ? data->cues.front().position : -1.0f;
    firstCue_[d].store(cue, std::memory_order_relaxed);
    lastBeat_[d].store(data ? loadWord(data->v2) : 0.0f, std::memory_order_relaxed);
  }
}

void AutoMixLink::setOn(bool on) {
  autoMix_.setOn(on);
  sync();
}

float AutoMixLink::startPosition(Desk& desk) {
  const TrackData* data = desk.trackData();
  return autoMixStartPosition(links_.settings->startMix, data ? loadWord(data->v1) : 0.0f,
                              data ? loadWord(data->v3) : 0.0f);
}

MixCheckInput AutoMixLink::inputRt(const Desk& desk) const {
  const int32_t d = indexOf(desk);
  const Desk* other = links_.desks[1 - d];
  MixCheckInput in;
  in.position = desk.position();
  in.lengthSeconds = desk.length();
  in.pitch = desk.pitch();
  in.lastBeat = lastBeat_[d].load(std::memory_order_relaxed);
  const float cue = firstCue_[d].load(std::memory_order_relaxed);
  in.hasFirstCue = cue >= 0.0f;
  in.firstCue = in.hasFirstCue ? cue : 0.0f;
  in.longMix = longMix_.load(std::memory_order_relaxed);
  in.endMix = endMix_.load(std::memory_order_relaxed);
  in.autoMixOn = on_.load(std::memory_order_relaxed);
  in.mixFired = desk.mixFired();
  in.playing = desk.playing();
  in.otherPlaying = other && other->playing();
  return in;
}

// A mix point reached: desk's mix has fired, and the other desk is mixed in.
void AutoMixLink::mixCheckRt(Desk& desk) {
  if (!on_.load(std::memory_order_relaxed) || !::zarnel::mixCheckRt(inputRt(desk))) return;
  desk.setMixFired(true);
  if (links_.poster) links_.poster->postRt(kMsgMixIn, 1 - indexOf(desk), 0);
}

void AutoMixLink::endOfTrackCheckRt(Desk& desk) {
  if (!on_.load(std::memory_order_relaxed) || !::zarnel::endOfTrackCheckRt(inputRt(desk))) return;
  desk.setMixFired(true);
  if (links_.poster) links_.poster->postRt(kMsgMixIn, 1 - indexOf(desk), 0);
}

float AutoMixLink::position(int32_t d) const { return links_.desks[d] ? links_.desks[d]->position() : -1.0f; }
int32_t AutoMixLink::length(int32_t d) const { return links_.desks[d] ? links_.desks[d]->length() : -1; }
int32_t AutoMixLink::pitch(int32_t d) const { return links_.desks[d] ? links_.desks[d]->pitch() : 4096; }
bool AutoMixLink::playing(int32_t d) const { return links_.desks[d] && links_.desks[d]->playing(); }

// Through the dispatch's own actions, so the skin follows; its "stop" leaves
// AutoMix alone.
void AutoMixLink::play(int32_t d) { links_.app->shortcutAction(shortcut::kPlay, d); }
void AutoMixLink::stop(int32_t d) { links_.app->shortcutAction(shortcut::kStop, d); }

void AutoMixLink::eject(int32_t d) {
  if (links_.desks[d]) links_.desks[d]->eject();
}

bool AutoMixLink::nextTrack(int32_t d) { return links_.nextTrack && links_.nextTrack(d); }
int32_t AutoMixLink::crossfader() const { return links_.app->mixer().crossfader(); }
void AutoMixLink::setCrossfader(int32_t value) { links_.app->setCrossfader(value); }
int32_t AutoMixLink::previewDesk() const { return links_.app->activeDesk(); }
void AutoMixLink::setPreviewDesk(int32_t d) { links_.app->setActiveDesk(d); }
bool AutoMixLink::matchPitch(int32_t d) { return links_.matcher && links_.matcher->matchPitch(d); }

void AutoMixLink::matchBeat(int32_t d) {
  if (links_.matcher) links_.matcher->matchBeat(d);
}

void AutoMixLink::fineBeatCorrection(int32_t d) {
  if (links_.matcher) links_.matcher->fineBeatCorrection(d);
}

void AutoMixLink::startPitchReset(int32_t d) {
  if (links_.matcher) links_.matcher->startPitchReset(d);
}

void AutoMixLink::startTimer(int32_t id, int32_t periodMs) {
  if (links_.window) links_.window->setTimer(id, periodMs);
  links_.app->autoMixTimer = id;
}

void AutoMixLink::stopTimer(int32_t id) {
  if (links_.window) links_.window->killTimer(id);
  links_.app->autoMixTimer = 0;
}

void AutoMixLink::lightMixButtons(bool on) {
  for (int32_t d : {0, 1, -1}) links_.app->reflection().setButtonSelected(button::kMix, d, on);
}

}  // namespace zarnel
