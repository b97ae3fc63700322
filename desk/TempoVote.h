#pragma once
// The tempo vote: the last 64 raw tempos with their weights, the winner's
// weighted cluster, and the run of agreeing results that decides when a
// tempo is confirmed.

#include <cstdint>

namespace zarnel {

class TempoVote {
 public:
  static constexpr int32_t kSlots = 64;
  // Tempos closer than this (beats per minute) agree.
  static constexpr float kAgreement = 2.0f;

  struct Tally {
    float tempo = 0.0f;
    bool valid = false;  // the winner lies within 1..999 beats per minute
  };

  TempoVote() { reset(); }

  // Post: every slot (0, 0); run sum 0, run count 1. The cursor stays.
  // Thread of the analyser.
  void reset();
  // Stores (bpm, weight) at the cursor and advances it cyclically.
  void cast(float bpm, int32_t weight);
  // Return: the winner's weighted cluster mean when the winner lies within
  // 1..999, else the winner's own tempo (not valid). The winner is the slot
  // whose weight plus the weights of the agreeing slots after it is highest;
  // a later slot wins a tie.
  Tally tally() const;
  // Extends the run with tempo when it agrees with the run's mean, else
  // starts a new run with it.
  void extendRun(float tempo);

  // Return: run sum / run count.
  float runMean() const { return runSum_ / float(runCount_); }
  int32_t runCount() const { return runCount_; }
  int32_t cursor() const { return cursor_; }
  float bpmAt(int32_t slot) const { return bpm_[slot]; }
  int32_t weightAt(int32_t slot) const { return weight_[slot]; }

 private:
  int32_t winner() const;
  float clusterMean(float around) const;

  float bpm_[kSlots];
  int32_t weight_[kSlots];
  int32_t cursor_ = 0;
  float runSum_ = 0.0f;
  int32_t runCount_ = 1;
};

}  // namespace zarnel
