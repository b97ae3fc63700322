#include "plugins/quorvell/Quorvell.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "plugins/framework/ClassFactory.h"
#include "plugins/framework/EffectObject.h"
#include "plugins/framework/HostBlock.h"

namespace zarnel::effects {

namespace {

constexpr double kFramesPerMinute = 2646000.0;  // 60 s × 44100

int16_t clipSample(int32_t value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

}  // namespace

int32_t Quorvell::loopFrames(int32_t beats, float tempo) {
  const double frames = beats * kFramesPerMinute / tempo;
  // Also catches a NaN, an infinity and a negative tempo.
  if (!(frames >= 1.0)) return 1;
  if (frames >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(frames);  // truncates
}

int32_t Quorvell::fittedLoopFrames(int32_t beats, float tempo) {
  int32_t frames = loopFrames(beats, tempo);
  while (frames > kRecordingFrames) frames /= 2;
  return frames;
}

int32_t Quorvell::beatsOf(int32_t loopLengthParameter) {
  // The host keeps parameters in 0..4096, which gives 1 to 16 beats.
  return int32_t{1} << ((std::clamp(loopLengthParameter, 0, 4096) / 1024) & 31);
}

void Quorvell::init(ZarnelEffect& block) {
  block.parameters[0] = kDefaultLoopLength;
  beats_ = kDefaultBeats;
  block.parameters[1] = kDefaultVolume;
  targetVolume_ = kDefaultVolume;
  // The host may rewind a slot that was never started: keep the loop valid.
  loopTempo_ = kTempoWithoutBeat;
  loopLength_ = fittedLoopFrames(beats_, loopTempo_);
  loopPosition_ = -1;
}

void Quorvell::start(const ZarnelEffect& block) {
  recording_.fill(0);
  captured_ = 0;
  loopTempo_ = block.tempo;
  loopPosition_ = -1;
  // Not fitted to the recording here; a tempo of 0 is replaced, and the
  // length with it, by the first process.
  loopLength_ = loopFrames(beats_, block.tempo);
  volume_ = targetVolume_;
}

void Quorvell::processRt(ZarnelEffect& block, int16_t* frames, int32_t count) {
  if (block.tempo == 0.0f) block.tempo = kTempoWithoutBeat;
  if (block.tempo != loopTempo_) {
    loopLength_ = fittedLoopFrames(beats_, block.tempo);
    loopTempo_ = block.tempo;
  }
  const int32_t missing = recordRt(frames, count);
  if (loopPosition_ >= loopLength_) loopPosition_ %= loopLength_;
  overlayRt(frames, count, count >= missing);
}

int32_t Quorvell::recordRt(const int16_t* frames, int32_t count) {
  if (captured_ >= kRecordingFrames) return 0;
  const int32_t missing = captured_ < loopLength_ ? loopLength_ - captured_ : 0;
  const int32_t taken = std::min(count, kRecordingFrames - captured_);
  std::memcpy(&recording_[size_t(captured_) * 2], frames, size_t(taken) * 2 * sizeof(int16_t));
  captured_ += taken;
  return missing;
}

void Quorvell::overlayRt(int16_t* frames, int32_t count, bool audible) {
  for (int32_t i = 0; i < count; ++i) {
    stepVolumeRt();
    if (audible) {
      for (int32_t channel = 0; channel < 2; ++channel) {
        int16_t& sample = frames[size_t(i) * 2 + size_t(channel)];
        sample = clipSample(sample + loopSampleRt(channel) * volume_ / 4096);
      }
    }
    if (++loopPosition_ >= loopLength_) loopPosition_ = 0;
  }
}

void Quorvell::stepVolumeRt() {
  if (loopPosition_ % 16 != 0) return;
  if (volume_ < targetVolume_) ++volume_;
  if (volume_ > targetVolume_) --volume_;
}

int32_t Quorvell::loopSampleRt(int32_t channel) const {
  // -1 (before the first frame) is the loop's last frame; a loop longer than
  // the recording (left unfitted by start) is silent past the recording.
  const int32_t position = loopPosition_ < 0 ? loopPosition_ + loopLength_ : loopPosition_;
  if (position < 0 || position >= kRecordingFrames) return 0;
  return recording_[size_t(position) * 2 + size_t(channel)];
}

void Quorvell::rewindRt(const ZarnelEffect& block, int32_t delta) {
  const int32_t beats = beatsOf(parameterOf(block, 0));
  if (beats != beats_) {
    beats_ = beats;
    loopLength_ = fittedLoopFrames(beats_, loopTempo_);
  }
  if (loopPosition_ >= 0) {
    loopPosition_ = static_cast<int32_t>((int64_t(loopPosition_) + delta) % loopLength_);
    if (captured_ < kRecordingFrames) captured_ = delta < 0 ? std::max(0, captured_ + delta) : 0;
  }
  if (loopPosition_ < 0) loopPosition_ += loopLength_;
  // The host keeps parameters in 0..4096; the clamp keeps the overlay's
  // products within 32 bits.
  targetVolume_ = std::clamp(parameterOf(block, 1), 0, 4096);
}

ZarnelEffect* createEffect() { return EffectObject<Quorvell>::create(); }

}  // namespace zarnel::effects
