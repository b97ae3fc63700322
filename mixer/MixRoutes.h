#pragma once
// How each output mode routes the desks' strips to its outputs. d holds the
// strip outputs and raw the desks' frames before the strip, [desk][channel];
// p the headphone gains (Q12). Each route fills out[output][channel] before
// clipping.

#include <cstdint>

#include "mixer/RecordSink.h"

namespace zarnel {

// Stereo master on one output.
struct MasterRoute {
  static constexpr int32_t kOutputs = 1;
  static constexpr bool kHeadphones = false;
  static constexpr RecordConversion kRecord = RecordConversion::copyFirst;
  static void route(const int32_t d[2][2], const int32_t[2][2], const int32_t[2], int32_t out[2][2]) {
    out[0][0] = d[0][0] + d[1][0];
    out[0][1] = d[0][1] + d[1][1];
  }
};

// One stereo output: a mono master on the left, mono headphones on the right.
struct MonoCueRoute {
  static constexpr int32_t kOutputs = 1;
  static constexpr bool kHeadphones = true;
  static constexpr RecordConversion kRecord = RecordConversion::leftToBoth;
  static void route(const int32_t d[2][2], const int32_t raw[2][2], const int32_t p[2], int32_t out[2][2]) {
    out[0][0] = (d[0][0] + d[0][1] + d[1][0] + d[1][1]) / 2;
    out[0][1] = ((raw[0][0] + raw[0][1]) * p[0] + (raw[1][0] + raw[1][1]) * p[1]) / 8192;
  }
};

// One stereo output: desk 1 in mono on the left, desk 2 on the right.
struct MonoDeskRoute {
  static constexpr int32_t kOutputs = 1;
  static constexpr bool kHeadphones = false;
  static constexpr RecordConversion kRecord = RecordConversion::leftDoubledToBoth;
  static void route(const int32_t d[2][2], const int32_t[2][2], const int32_t[2], int32_t out[2][2]) {
    out[0][0] = (d[0][0] + d[0][1]) / 2;
    out[0][1] = (d[1][0] + d[1][1]) / 2;
  }
};

// Stereo master on the first output, stereo headphones on the second.
struct CueRoute {
  static constexpr int32_t kOutputs = 2;
  static constexpr bool kHeadphones = true;
  static constexpr RecordConversion kRecord = RecordConversion::copyFirst;
  static void route(const int32_t d[2][2], const int32_t raw[2][2], const int32_t p[2], int32_t out[2][2]) {
    MasterRoute::route(d, raw, p, out);
    out[1][0] = (raw[0][0] * p[0] + raw[1][0] * p[1]) / 4096;
    out[1][1] = (raw[0][1] * p[0] + raw[1][1] * p[1]) / 4096;
  }
};

// Each desk on its own stereo output, for an external mixer.
struct DeskRoute {
  static constexpr int32_t kOutputs = 2;
  static constexpr bool kHeadphones = false;
  static constexpr RecordConversion kRecord = RecordConversion::sumOutputs;
  static void route(const int32_t d[2][2], const int32_t[2][2], const int32_t[2], int32_t out[2][2]) {
    out[0][0] = d[0][0];
    out[0][1] = d[0][1];
    out[1][0] = d[1][0];
    out[1][1] = d[1][1];
  }
};

}  // namespace zarnel
