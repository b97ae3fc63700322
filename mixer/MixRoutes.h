#pragma once
// How each output mode routes the desks' strips to its outputs. d holds the
// strip outputs and raw the desks' frames before the strip, [desk][channel];
// p the headphone gains (Q12). Each route fills out[output][channel] before
// clipping. sample does the same for one sample frame (l, r) at volume v
// (Q12): master and desk outputs get it at the volume, headphones without.

#include <cstdint>

#include "mixer/RecordSink.h"

namespace zarnel {

// A sample frame on a stereo output at volume v, and on a mono one.
inline void stereoSample(int32_t l, int32_t r, int32_t v, int32_t out[2]) {
  out[0] = l * v / 4096;
  out[1] = r * v / 4096;
}
inline int32_t monoSample(int32_t l, int32_t r, int32_t v) { return (l + r) * v / 8192; }

// Stereo master on one output.
struct MasterRoute {
  static constexpr int32_t kOutputs = 1;
  static constexpr bool kHeadphones = false;
  static constexpr RecordConversion kRecord = RecordConversion::copyFirst;
  static void route(const int32_t d[2][2], const int32_t[2][2], const int32_t[2], int32_t out[2][2]) {
    out[0][0] = d[0][0] + d[1][0];
    out[0][1] = d[0][1] + d[1][1];
  }
  static void sample(int32_t l, int32_t r, int32_t v, int32_t out[2][2]) { stereoSample(l, r, v, out[0]); }
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
  static void sample(int32_t l, int32_t r, int32_t v, int32_t out[2][2]) {
    out[0][0] = monoSample(l, r, v);
    out[0][1] = (l + r) / 2;
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
  static void sample(int32_t l, int32_t r, int32_t v, int32_t out[2][2]) {
    out[0][0] = out[0][1] = monoSample(l, r, v);
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
  static void sample(int32_t l, int32_t r, int32_t v, int32_t out[2][2]) {
    stereoSample(l, r, v, out[0]);
    out[1][0] = l;
    out[1][1] = r;
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
  static void sample(int32_t l, int32_t r, int32_t v, int32_t out[2][2]) {
    stereoSample(l, r, v, out[0]);
    stereoSample(l, r, v, out[1]);
  }
};

}  // namespace zarnel
