#include "desk/TempoVote.h"

#include <cmath>

namespace zarnel {

namespace {
bool agree(float a, float b) { return std::fabs(a - b) < TempoVote::kAgreement; }
}  // namespace

void TempoVote::reset() {
  for (int32_t i = 0; i < kSlots; ++i) {
    bpm_[i] = 0.0f;
    weight_[i] = 0;
  }
  runSum_ = 0.0f;
  runCount_ = 1;
}

void TempoVote::cast(float bpm, int32_t weight) {
  bpm_[cursor_] = bpm;
  weight_[cursor_] = weight;
  cursor_ = (cursor_ + 1) % kSlots;
}

int32_t TempoVote::winner() const {
  int32_t best = 0;
  int64_t bestScore = INT64_MIN;
  for (int32_t i = 0; i < kSlots; ++i) {
    int64_t score = weight_[i];
    for (int32_t j = i + 1; j < kSlots; ++j) {
      if (agree(bpm_[j], bpm_[i])) score += weight_[j];
    }
    if (score >= bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

float TempoVote::clusterMean(float around) const {
  double weighted = 0.0;
  int64_t weights = 0;
  for (int32_t i = 0; i < kSlots; ++i) {
    if (!agree(bpm_[i], around)) continue;
    weighted += double(weight_[i]) * double(bpm_[i]);
    weights += weight_[i];
  }
  return weights != 0 ? float(weighted / double(weights)) : around;
}

TempoVote::Tally TempoVote::tally() const {
  const float top = bpm_[winner()];
  if (top < 1.0f || top > 999.0f) return {top, false};
  return {clusterMean(top), true};
}

void TempoVote::extendRun(float tempo) {
  if (std::fabs(tempo - runMean()) < kAgreement) {
    runCount_ += 1;
    runSum_ += tempo;
  } else {
    runCount_ = 1;
    runSum_ = tempo;
  }
}

}  // namespace zarnel
