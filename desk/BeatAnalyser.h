#pragma once
// Listens to every decoded block and measures the track's tempo (written to
// its TrackEntry), its first and last strong beats, the beat strength of
// every envelope slot, a decaying beat meter and the loudness peak (written
// to its TrackData). A desk owns one; the extended analysis of a file runs
// one without a desk.
//
// Threads: fullReset and setTrackData run on the UI thread while nothing
// feeds (the desk is unloaded); clearRt and feedRt on the analysing thread
// (the audio thread for a desk). The queries read the rings and words the
// feed writes without a lock and may run on any thread.

#include <atomic>
#include <cstdint>

#include "desk/BeatEnvelope.h"
#include "desk/BeatKernels.h"
#include "desk/BeatSearch.h"
#include "desk/LagSums.h"
#include "desk/SharedWord.h"
#include "desk/TempoVote.h"
#include "library/TrackEntry.h"

namespace zarnel {

class Desk;

class BeatAnalyser {
 public:
  // Level ring length: the loudness peak is the largest mean over 38 blocks.
  static constexpr int32_t kLevelBlocks = 38;

  // desk: the owner whose DecodeRing the rings line up with, or null for the
  // extended analysis. Post: full reset, cursors at their first slots, the
  // kernel bank built, kernel selection at kernel 0.
  explicit BeatAnalyser(Desk* desk);
  BeatAnalyser(const BeatAnalyser&) = delete;
  BeatAnalyser& operator=(const BeatAnalyser&) = delete;

  // Clears, drops the record and forgets the tempo, the vote, the run and
  // the levels. The cursors stay. UI thread, nothing feeding.
  void fullReset();
  // Forgets the envelope, lag sums, strength and meter rings and the beat
  // meter after a jump in the stream; the vote, run and levels stay, so the
  // tempo survives a seek. Analysing thread.
  void clearRt();
  // The track's record, where the results go (null: none). UI thread,
  // nothing feeding.
  void setTrackData(TrackData* data) { record_.store(data, std::memory_order_release); }
  // Without a desk: the track position the next block's beats are given,
  // the source position less the kernels' lead. Analysing thread.
  void setFallbackPosition(float x) { fallback_ = x; }
  // One decoded block: envelope, lag sums, kernel step, tempo step, level.
  // Pre: block holds kBlockFrames stereo frames. Analysing thread; allocates,
  // locks and waits for nothing.
  void feedRt(const int16_t* block);

  // --- queries, any thread ------------------------------------------------
  // Return: the meter of the block at the desk's heard point while it plays,
  // else 0. 0..4096.
  int32_t beatMeter() const;
  // Fills count points of 0..height − 1 with the beat strength from the
  // desk's heard point forward in heard time. Without a desk, zeros.
  void strengthCurve(int32_t* values, int32_t count, int32_t height) const;
  // Return: envelope samples from the heard point to the next beat; 0
  // without a desk or entry.
  int32_t nextBeatOffset() const;
  // Return: signed envelope samples from heard point + o to the strongest
  // beat near it; 0 without a desk or entry.
  int32_t nearestBeatOffset(int32_t o) const;

  // Return: the latest winner of the tempo vote (999.9: no beat found).
  float tempo() const { return tempo_.load(std::memory_order_relaxed); }
  // Return: the tempo of the latest autocorrelation peak.
  float rawTempo() const { return rawTempo_.load(std::memory_order_relaxed); }
  int32_t strengthAt(int32_t slot) const;
  int32_t meterAt(int32_t block) const;
  const StrengthRing& strengthRing() const { return strength_; }
  TrackData* record() const { return record_.load(std::memory_order_acquire); }

  // State of the analysing thread, for tests and the extended analysis.
  const TempoVote& vote() const { return vote_; }
  const LagSums& lagSums() const { return lagSums_; }
  const BeatKernels& kernels() const { return kernels_; }
  int32_t cursor() const { return cursor_; }
  int32_t selectedKernel() const { return selected_; }
  int32_t levelSum() const { return levelSum_; }

 private:
  void envelopeRt(const int16_t* group, int32_t n);
  void kernelStepRt(int32_t n, TrackData* data);
  int32_t respondRt(const int16_t* window);
  void recordBeatRt(TrackData& data, int32_t s, int32_t b);
  void selectKernelRt(int32_t v7);
  void meterRt(int32_t s, int32_t b, int32_t v7);
  float slotPosition(int32_t s) const;
  void tempoStepRt(TrackData* data);
  void confirmRt(TrackData& data);
  void levelRt(const int16_t* block, TrackData* data);
  HeardPoint heardPoint() const;
  float entryBpm() const;

  int16_t envelope_[kEnvelopeSlots];
  int32_t cursor_ = 0;
  TempoVote vote_;
  Desk* const desk_;
  BeatKernels kernels_;
  int32_t selected_ = 0;
  int32_t best_ = 0;
  int32_t periodPeak_ = 0;
  int32_t periodCounter_ = 0;
  LagSums lagSums_;
  int32_t meter_ = 0;
  int32_t meterAge_ = 0;
  int32_t levels_[kLevelBlocks];
  int32_t levelCursor_ = 0;
  std::atomic<float> tempo_{0.0f};
  std::atomic<float> rawTempo_{0.0f};
  RtWord levelSum_{0};  // read by the text zones on the UI thread
  std::atomic<TrackData*> record_{nullptr};
  StrengthRing strength_;
  std::atomic<int32_t> meterRing_[kMeterSlots];
  float fallback_ = 0.0f;
};

}  // namespace zarnel
