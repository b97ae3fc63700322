#include "desk/BeatAnalyser.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "desk/Desk.h"
#include "desk/SharedWord.h"

namespace zarnel {

namespace {
constexpr int32_t kGroupSamples = kEnvelopeFrames * kChannels;  // 72
constexpr int32_t kEnvelopeScale = 4096;
constexpr int32_t kSelectionPeriod = 1024;
constexpr int32_t kSelectionLimit = 4096;
constexpr int32_t kMeterFull = 4096;
// Sum of squares of a block over this is (RMS / 38)²: 2304 × 38².
constexpr int64_t kLevelDivisor = 3326976;
}  // namespace

BeatAnalyser::BeatAnalyser(Desk* desk) : desk_(desk) { fullReset(); }

void BeatAnalyser::fullReset() {
  clearRt();
  record_.store(nullptr, std::memory_order_release);
  tempo_.store(0.0f, std::memory_order_relaxed);
  vote_.reset();
  levelSum_ = 0;
  std::memset(levels_, 0, sizeof levels_);
}

void BeatAnalyser::clearRt() {
  std::memset(envelope_, 0, sizeof envelope_);
  lagSums_.clear();
  for (std::atomic<int32_t>& s : strength_) s.store(0, std::memory_order_relaxed);
  for (std::atomic<int32_t>& m : meterRing_) m.store(0, std::memory_order_relaxed);
  meter_ = 0;
  meterAge_ = 0;
}

// --- feed ------------------------------------------------------------------

void BeatAnalyser::feedRt(const int16_t* block) {
  TrackData* data = record_.load(std::memory_order_acquire);
  for (int32_t g = 0; g < kSlotsPerBlock; ++g) {
    const int32_t n = cursor_ + g;
    envelopeRt(block + g * kGroupSamples, n);
    kernelStepRt(n, data);
  }
  // The cursor starts on a block boundary and 8192 is a whole number of
  // blocks, so it can only reach the end after the last group.
  cursor_ += kSlotsPerBlock;
  if (cursor_ >= kEnvelopeSlots) cursor_ = 0;
  tempoStepRt(data);
  levelRt(block, data);
}

// One envelope sample from 36 frames, left and right mixed.
void BeatAnalyser::envelopeRt(const int16_t* group, int32_t n) {
  int32_t sum = 0;
  for (int32_t i = 0; i < kGroupSamples; ++i) sum += group[i];
  const int32_t v = sum / kEnvelopeScale;
  lagSums_.update(v, envelope_, n);
  envelope_[n] = int16_t(v);
}

// The kernels look at the 113 samples that start 113 samples back; the
// strength belongs to the first of them.
void BeatAnalyser::kernelStepRt(int32_t n, TrackData* data) {
  const int32_t s = wrapSlot(n - BeatKernels::kLongest);
  int16_t window[BeatKernels::kLongest];
  const int32_t first = std::min(BeatKernels::kLongest, kEnvelopeSlots - s);
  std::memcpy(window, envelope_ + s, size_t(first) * sizeof(int16_t));
  std::memcpy(window + first, envelope_, size_t(BeatKernels::kLongest - first) * sizeof(int16_t));
  const int32_t b = respondRt(window);
  strength_[size_t(s)].store(b, std::memory_order_relaxed);
  if (data) recordBeatRt(*data, s, b);
}

// Return: the selected kernel's response. Tracks the period's best kernel.
int32_t BeatAnalyser::respondRt(const int16_t* window) {
  int32_t b = 0;
  for (int32_t k = 0; k < BeatKernels::kCount; ++k) {
    const int32_t r = kernels_.response(k, window);
    if (r > periodPeak_) {
      periodPeak_ = r;
      best_ = k;
    }
    if (k == selected_) b = r;
  }
  return b;
}

float BeatAnalyser::slotPosition(int32_t s) const {
  return desk_ ? desk_->blockTime(s / kSlotsPerBlock) : fallback_;
}

void BeatAnalyser::recordBeatRt(TrackData& data, int32_t s, int32_t b) {
  int32_t v7 = loadWord(data.v7);
  if (b > v7) {
    v7 = b;
    storeWord(data.v7, v7);
  }
  const float x = slotPosition(s);
  const int64_t peak = v7;
  // First beat: earlier than the one held, or anywhere once the held one has
  // fallen below two thirds of the growing peak. Never at exactly 0.0.
  if (x > 0.0f && 3 * int64_t(b) > 2 * peak &&
      (3 * int64_t(loadWord(data.v4)) < 2 * peak || x < loadWord(data.v1))) {
    storeWord(data.v1, x);
    storeWord(data.v4, b);
  }
  // Last beat: later than the one held, or anywhere below half the peak.
  if (x < 1.0f && 2 * int64_t(b) > peak &&
      (2 * int64_t(loadWord(data.v5)) < peak || x > loadWord(data.v2))) {
    storeWord(data.v2, x);
    storeWord(data.v5, b);
  }
  selectKernelRt(v7);
  if (desk_) meterRt(s, b, v7);
}

// Every 1024 samples the period's best kernel becomes the selected one if its
// peak reached half the track's peak, or anyway after 4096 samples.
void BeatAnalyser::selectKernelRt(int32_t v7) {
  const int32_t tested = periodCounter_;
  periodCounter_ += 1;
  if (tested % kSelectionPeriod != 0) return;
  if (2 * int64_t(periodPeak_) >= int64_t(v7) || periodCounter_ > kSelectionLimit) {
    selected_ = best_;
    periodCounter_ = 1;
  }
  periodPeak_ = 0;
}

void BeatAnalyser::meterRt(int32_t s, int32_t b, int32_t v7) {
  const int32_t a = v7 >= kMeterFull ? b / (v7 / kMeterFull) : 0;
  if (meter_ != 0) {
    meter_ -= meterAge_ / 8;
    meterAge_ += 1;
    if (meter_ < 0) meter_ = 0;
  }
  if (a > meter_) {
    meter_ = a;
    meterAge_ = 0;
  }
  if (s % kSlotsPerBlock == 0) meterRing_[s / kSlotsPerBlock].store(meter_, std::memory_order_relaxed);
}

// --- tempo ---------------------------------------------------------------

void BeatAnalyser::tempoStepRt(TrackData* data) {
  const LagSums::Peak peak = lagSums_.peak();
  const float raw = lagSums_.rawTempo(peak);
  rawTempo_.store(raw, std::memory_order_relaxed);
  vote_.cast(raw, peak.value / 256 + 1);
  const TempoVote::Tally tally = vote_.tally();
  tempo_.store(tally.tempo, std::memory_order_relaxed);
  if (!tally.valid) return;
  // Silence written after the end of a desk's file is not the track.
  if (desk_ && !desk_->decoding()) return;
  vote_.extendRun(tally.tempo);
  if (data) confirmRt(*data);
}

// The entry's bpm changes only when the run is at least as long as the one
// that set it last; a typed bpm (kUserBpmLock) is never replaced.
void BeatAnalyser::confirmRt(TrackData& data) {
  const int32_t v6 = loadWord(data.v6);
  if (v6 == kUserBpmLock || vote_.runCount() < v6) return;
  if (data.entry) storeWord(data.entry->bpm, vote_.runMean());
  storeWord(data.v6, vote_.runCount());
}

// --- level ---------------------------------------------------------------

void BeatAnalyser::levelRt(const int16_t* block, TrackData* data) {
  int64_t q = 0;
  for (int32_t i = 0; i < kBlockFrames * kChannels; ++i) q += int32_t(block[i]) * int32_t(block[i]);
  const int32_t level = int32_t(std::sqrt(double(q / kLevelDivisor)));
  levelSum_ += level - levels_[levelCursor_];
  levels_[levelCursor_] = level;
  levelCursor_ = levelCursor_ == 0 ? kLevelBlocks - 1 : levelCursor_ - 1;
  if (data && levelSum_ > loadWord(data->v8)) storeWord(data->v8, int32_t(levelSum_));
}

// --- queries -------------------------------------------------------------

int32_t BeatAnalyser::strengthAt(int32_t slot) const {
  return strength_[size_t(wrapSlot(slot))].load(std::memory_order_relaxed);
}

int32_t BeatAnalyser::meterAt(int32_t block) const {
  return meterRing_[block % kMeterSlots].load(std::memory_order_relaxed);
}

int32_t BeatAnalyser::beatMeter() const {
  if (!desk_ || !desk_->playing()) return 0;
  return meterAt(desk_->playIndex() / kBlockFrames);
}

HeardPoint BeatAnalyser::heardPoint() const {
  return {desk_->playIndex(), desk_->writeIndex(), desk_->unfilled(), desk_->pitch()};
}

float BeatAnalyser::entryBpm() const { return loadWord(desk_->entry()->bpm); }

void BeatAnalyser::strengthCurve(int32_t* values, int32_t count, int32_t height) const {
  if (!desk_) {
    std::fill(values, values + count, 0);
    return;
  }
  const TrackData* data = record();
  const int32_t peak = data ? loadWord(data->v7) : 1;
  BeatSearch(strength_).strengthCurve(heardPoint(), peak, values, count, height);
}

int32_t BeatAnalyser::nextBeatOffset() const {
  if (!desk_ || !desk_->entry()) return 0;
  return BeatSearch(strength_).nextBeatOffset(heardPoint(), entryBpm());
}

int32_t BeatAnalyser::nearestBeatOffset(int32_t o) const {
  if (!desk_ || !desk_->entry()) return 0;
  return BeatSearch(strength_).nearestBeatOffset(heardPoint(), entryBpm(), o);
}

}  // namespace zarnel
