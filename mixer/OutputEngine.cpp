#include "mixer/OutputEngine.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/GainCurve.h"
#include "platform/AudioThread.h"
#include "platform/Services.h"
#include "platform/SoundBuffer.h"
#include "platform/ThreadControl.h"

namespace zarnel {

namespace {
int32_t wrapMix(int32_t i) { return i < 0 ? i + kMixRingFrames : i; }
int32_t ringGap(int32_t from, int32_t to) {
  int32_t d = to - from;
  return d < 0 ? d + kOutputRingFrames : d;
}
}  // namespace

OutputEngine::OutputEngine(Desk& desk1, Desk& desk2) : desks_{&desk1, &desk2} {
  for (auto& desk : bandGain_)
    for (auto& band : desk) band.store(kUnity);
  for (int32_t d = 0; d < 2; ++d) recomputeStrip(d);
}

// --- parameter operations --------------------------------------------------

void OutputEngine::recomputeStrip(int32_t desk) {
  const int32_t level = levelGain_[desk].load(std::memory_order_relaxed);
  for (int32_t b = 0; b < 3; ++b)
    stripGain_[desk][b].store(level * bandGain_[desk][b].load(std::memory_order_relaxed),
                              std::memory_order_relaxed);
}

void OutputEngine::setLevels(int32_t level1, int32_t level2) {
  levelGain_[0].store(level1, std::memory_order_relaxed);
  levelGain_[1].store(level2, std::memory_order_relaxed);
  recomputeStrip(0);
  recomputeStrip(1);
  requestRemix();
}

void OutputEngine::invalidate(int32_t desk) {
  // The desk has set its heard index itself: the cursor update leaves it
  // alone until the re-mix has taken it up.
  if (desk == 0 || desk == 1) deskInvalid_[desk].store(1, std::memory_order_relaxed);
  requestRemix();
}

void OutputEngine::setPreviewLevels(int32_t preview1, int32_t preview2) {
  if (!headphones()) return;
  previewGain_[0].store(preview1, std::memory_order_relaxed);
  previewGain_[1].store(preview2, std::memory_order_relaxed);
  requestRemix();
}

void OutputEngine::clearMixState() {
  std::memset(out_, 0, sizeof out_);
  std::memset(silent_, 0, sizeof silent_);
  eq_.clear();
}

void OutputEngine::deskStarted(int32_t desk) {
  playing_[desk].store(1, std::memory_order_relaxed);
  requestRemix();
  // A desk starts on the audio thread or, without one, on the UI thread:
  // either holds the sink as the feed does, so a detach waits for it.
  feeding_.fetch_add(1);
  if (RecordSink* sink = recorder_.load()) sink->deskStarted();
  feeding_.fetch_sub(1, std::memory_order_release);
}

void OutputEngine::deskStopped(int32_t desk) {
  playing_[desk].store(0, std::memory_order_relaxed);
  requestRemix();
}

bool OutputEngine::isAudible(int32_t desk) const {
  if (desk < 0) return isAudible(0) || isAudible(1);
  return playing_[desk].load(std::memory_order_relaxed) != 0 &&
         levelGain_[desk].load(std::memory_order_relaxed) > 7;
}

void OutputEngine::setEqualizer(int32_t desk, int32_t low, int32_t mid, int32_t high,
                                int32_t gain) {
  if (settings().equalizer.load(std::memory_order_relaxed) != 0) {
    bandGain_[desk][0].store(gainCurve(low, gain), std::memory_order_relaxed);
    bandGain_[desk][1].store(gainCurve(mid, gain), std::memory_order_relaxed);
    bandGain_[desk][2].store(gainCurve(high, gain), std::memory_order_relaxed);
  } else {
    bandGain_[desk][0].store(gainCurve(kUnity, gain), std::memory_order_relaxed);
    bandGain_[desk][1].store(0, std::memory_order_relaxed);
    bandGain_[desk][2].store(0, std::memory_order_relaxed);
  }
  setLevels(levelGain(0), levelGain(1));
}

int32_t OutputEngine::copyUpcoming(int16_t* dst, int32_t count) const {
  count = std::clamp(count, 0, kMixRingFrames);
  int32_t from = writeCursor_.load(std::memory_order_relaxed);
  int32_t first = std::min(count, kMixRingFrames - from);
  std::memcpy(dst, out_[0] + from * 2, size_t(first) * 4);
  std::memcpy(dst + first * 2, out_[0], size_t(count - first) * 4);
  return count;
}

bool OutputEngine::startBuffers(SoundBuffer* const* buffers, int32_t count,
                                const PlatformServices& services) {
  clearMixState();
  for (int32_t i = 0; i < count; ++i) {
    if (!buffers[i]->play()) {
      setFatalError(kErrorDirectSound);
      return false;
    }
  }
  if (services.threads) services.threads->sleepMs(100);
  resync();
  return true;
}

// --- cursor update -----------------------------------------------------------

void OutputEngine::updateCursorsRt() {
  int32_t play, write;
  if (!readCursorsRt(play, write)) return;
  feedRecorderRt(playCursor_, play);
  playCursor_ = play;
  writeCursor_.store(write, std::memory_order_relaxed);
  const int32_t behind = wrapMix(mixPos_ - write);
  for (int32_t d = 0; d < 2; ++d) {
    // A desk that only started since the last pass waits for the re-mix that
    // ties the mixer's read index to its heard index.
    if (!movingRt(d) || !tracking_[d] || deskInvalid_[d].load(std::memory_order_relaxed) != 0) continue;
    Desk& desk = *desks_[d];
    int32_t heard = readIndex_[d] - behind;
    if (heard < 0) heard += kOutputRingFrames;
    desk.positionUpdateRt(heard);
  }
}

// Hands the frames just played (from one play cursor to the next) to the
// recorder, through this mode's record conversion, in chunks of a stack buffer.
void OutputEngine::feedRecorderRt(int32_t from, int32_t to) {
  // Sequentially consistent with detachRecorder: either the detacher sees
  // this hold and waits, or this thread sees the sink gone.
  feeding_.fetch_add(1);
  RecordSink* sink = recorder_.load();
  if (!sink) {
    feeding_.fetch_sub(1, std::memory_order_release);
    return;
  }
  constexpr int32_t kChunk = 256;
  int16_t chunk[kChunk * 2];
  const RecordConversion conversion = recordConversion();
  int32_t n = 0;
  for (int32_t i = from; i != to; i = i + 1 == kMixRingFrames ? 0 : i + 1) {
    recordFrameRt(conversion, i, chunk + n * 2);
    if (++n == kChunk) {
      sink->appendRt(chunk, n);
      n = 0;
    }
  }
  sink->appendRt(chunk, n);
  feeding_.fetch_sub(1, std::memory_order_release);
}

void OutputEngine::detachRecorder() {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  recorder_.store(nullptr);
  while (feeding_.load() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void OutputEngine::recordFrameRt(RecordConversion conversion, int32_t i, int16_t* dst) const {
  const int16_t* a = out_[0] + i * 2;
  const int16_t* b = out_[1] + i * 2;
  switch (conversion) {
    case RecordConversion::copyFirst:
      dst[0] = a[0];
      dst[1] = a[1];
      break;
    case RecordConversion::leftToBoth:
      dst[0] = dst[1] = a[0];
      break;
    case RecordConversion::leftDoubledToBoth:
      dst[0] = dst[1] = int16_t(std::clamp(a[0] * 2, -32768, 32767));
      break;
    case RecordConversion::sumOutputs:
      dst[0] = int16_t(std::clamp(a[0] + b[0], -32768, 32767));
      dst[1] = int16_t(std::clamp(a[1] + b[1], -32768, 32767));
      break;
  }
}

// --- mixing pass -------------------------------------------------------------

bool OutputEngine::movingRt(int32_t d) const {
  const Desk& desk = *desks_[d];
  return (playing_[d].load(std::memory_order_relaxed) != 0 && !desk.hold()) || desk.transitionActive();
}

void OutputEngine::beginRemixRt() {
  const int32_t write = writeCursor();
  int32_t frames = wrapMix(mixPos_ - write);
  if (samples_) samples_->moveBackRt(frames);
  for (int32_t d = 0; d < 2; ++d) {
    Desk& desk = *desks_[d];
    const DeskTransition& t = desk.transition();
    readIndex_[d] = t.active ? DeskOutputRing::wrap(t.target - t.remaining)
                             : desk.outputRing().heardIndex;
    tracking_[d] = true;
    deskInvalid_[d].store(0, std::memory_order_relaxed);
  }
  eq_.clear();
  mixPos_ = write;
  fade_ = kRestartFadeFrames;
}

void OutputEngine::loadParamsRt() {
  equalizerOn_ = settings().equalizer.load(std::memory_order_relaxed) != 0;
  for (int32_t d = 0; d < 2; ++d) {
    strip_[d].low = stripGain_[d][0].load(std::memory_order_relaxed);
    strip_[d].mid = stripGain_[d][1].load(std::memory_order_relaxed);
    strip_[d].high = stripGain_[d][2].load(std::memory_order_relaxed);
    for (int32_t c = 0; c < 2; ++c) {
      laneLow_[2 * d + c] = float(strip_[d].low);
      laneMid_[2 * d + c] = float(strip_[d].mid);
      laneHigh_[2 * d + c] = float(strip_[d].high);
    }
    preview_[d] = previewGain_[d].load(std::memory_order_relaxed);
  }
}

// Return: the frames to mix now, with part[d] telling which desks take part;
// 0 when nothing can be mixed.
int32_t OutputEngine::framesToMixRt(bool part[2]) {
  int32_t n = playCursor_ - mixPos_;
  if (n <= 0) n += kMixRingFrames;
  if (n < 2) return 0;
  n -= 1;  // one frame always stays free before the play cursor
  const bool scratchOn = settings().scratch.load(std::memory_order_relaxed) != 0;
  if (scratchOn && (desks_[0]->transitionActive() || desks_[1]->transitionActive()))
    n = std::min(n, 2000);
  for (int32_t d = 0; d < 2; ++d) {
    Desk& desk = *desks_[d];
    part[d] = ((playing_[d].load(std::memory_order_relaxed) != 0 && !desk.hold()) ||
               desk.transitionActive()) &&
              (headphones() || levelGain_[d].load(std::memory_order_relaxed) != 0);
    if (part[d]) n = std::min(n, ringGap(readIndex_[d], desk.outputRing().writeIndex));
  }
  return n;
}

bool OutputEngine::mixRt() {
  const bool samplesChanged = samples_ && samples_->takeRemixRt();
  if ((remix_.exchange(0, std::memory_order_acquire) != 0) | samplesChanged) beginRemixRt();
  // The read index of a desk that stands still runs on without its audio.
  for (int32_t d = 0; d < 2; ++d)
    if (!movingRt(d)) tracking_[d] = false;
  bool part[2];
  const int32_t n = framesToMixRt(part);
  if (n <= 0) return false;
  loadParamsRt();
  const int32_t fade0 = fade_;
  if (part[0] || part[1]) {
    mixDesksRt(part, n);
  } else {
    fadeOutRt(n);
    for (int32_t& read : readIndex_) read = DeskOutputRing::wrap(read + n);
  }
  addSamplesRt(n, fade0);
  copyOutRt(n);
  mixPos_ += n;
  if (mixPos_ >= kMixRingFrames) mixPos_ -= kMixRingFrames;
  return true;
}

// Return: desk d's readable stretch from read on: its ring up to the ring's
// end, or during a transition the pre-rendered frames or silence.
OutputEngine::Stretch OutputEngine::stretchRt(int32_t d, int32_t read) const {
  Desk& desk = *desks_[d];
  const DeskTransition& t = desk.transition();
  if (t.active) {
    int32_t a = ringGap(read, t.target);
    if (a > 0 && a <= t.remaining) return {t.frames + (kTransitionFrames - a) * 2, a};
    if (playing_[d].load(std::memory_order_relaxed) == 0 || desk.hold())
      return {silent_, kSilentFrames};
  }
  return {desk.outputRing().frames + read * 2, kOutputRingFrames - read};
}

void OutputEngine::mixDesksRt(const bool part[2], int32_t n) {
  int32_t at = mixPos_;
  while (n > 0) {
    int32_t run = std::min(n, kMixRingFrames - at);
    const int16_t* src[2] = {nullptr, nullptr};
    for (int32_t d = 0; d < 2; ++d) {
      if (!part[d]) continue;
      Stretch s = stretchRt(d, readIndex_[d]);
      src[d] = s.frames;
      run = std::min(run, s.count);
    }
    mixRunRt(src, at, run);
    for (int32_t& read : readIndex_) read = DeskOutputRing::wrap(read + run);
    at += run;
    if (at == kMixRingFrames) at = 0;
    n -= run;
  }
}

// No desk takes part: what was mixed fades out over the rest of the restart
// fade, then silence.
void OutputEngine::fadeOutRt(int32_t n) {
  const int32_t planes = outputs();
  int32_t at = mixPos_;
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t o = 0; o < planes; ++o) {
      int16_t* frame = out_[o] + at * 2;
      frame[0] = int16_t(frame[0] * fade_ / kRestartFadeFrames);
      frame[1] = int16_t(frame[1] * fade_ / kRestartFadeFrames);
    }
    stepFadeRt();
    if (++at == kMixRingFrames) at = 0;
  }
}

// After the desks, the samples over the whole pass, from where it began.
void OutputEngine::addSamplesRt(int32_t n, int32_t fade0) {
  if (!samples_) return;
  SampleMix mix;
  mix.rings[0] = out_[0];
  mix.rings[1] = out_[1];
  mix.outputs = outputs();
  mix.route = sampleRoute();
  mix.at = mixPos_;
  mix.frames = n;
  mix.fade = fade0;
  mix.behind = wrapMix(mixPos_ - writeCursor());
  samples_->addRt(mix);
}

void OutputEngine::copyOutRt(int32_t n) {
  int32_t first = std::min(n, kMixRingFrames - mixPos_);
  writeOutRt(mixPos_, first);
  if (n > first) writeOutRt(0, n - first);
}

}  // namespace zarnel
