#pragma once
// The AutoMix render's log: one row per tick, written as CSV, and how close
// the two desks' beats stayed through the transitions.

#include <cstdint>
#include <string>

#include "tools/automix/AutoMixRender.h"

namespace zarnel::tools {

class MixLog {
 public:
  struct DeskRow {
    bool loaded = false;
    std::string file;         // the track's file name, without folder
    double positionS = 0.0;   // heard position on the track's own timeline
    int32_t pitch = 4096;     // Q12
    float bpm = 0.0f;         // 0: not known
    double firstBeatS = 0.0;  // 0: not known
  };
  struct Row {
    int64_t timeMs = 0;
    bool transition = false;  // a transition tick
    int32_t step = -1;        // -1: no transition runs
    int32_t crossfader = 0;
    DeskRow desks[2];
  };

  // Counts the row into the beat alignment when it is a transition tick
  // with both desks playing a track whose tempo and first beat are known.
  void add(const Row& row);
  // Return: the row as a CSV line (without the newline).
  static std::string csv(const Row& row);
  // Return: the heard distance in milliseconds between the nearest beats of
  // the two desks, or a negative value when a desk's beats are unknown.
  static double beatDistanceMs(const Row& row);

  const BeatAlignment& alignment() const { return alignment_; }

 private:
  BeatAlignment alignment_;
  double sumMs_ = 0.0;
};

// Return: text as a CSV field: quoted when it holds a comma, a quote or a
// line break (quotes doubled).
std::string csvField(const std::string& text);

}  // namespace zarnel::tools
