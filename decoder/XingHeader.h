#pragma once
// The "Xing" header some encoders put in a silent first frame: the stream's
// frame count and a 100-entry seek table. That frame, and the "Info" and
// "VBRI" frames of the same kind, carry no audio.

#include <cstdint>

namespace zarnel {

constexpr int32_t kXingProbeBytes = 196;  // bytes read at input start to look for it

struct StreamInfo {
  int32_t duration = 0;   // seconds, 0 when unknown
  int32_t bitrate = 0;    // kbit/s, 0 when unknown
  bool frameCount = false;  // duration comes from the header's frame count
  uint32_t frames = 0;      // the audio frames the "Xing" header declares, 0 when unknown
  bool seekTable = false;
  bool infoFrame = false;  // the first frame is a "Xing", "Info" or "VBRI" frame
  uint8_t table[100] = {};
};

// Reads what the first bytes of a stream of streamSize bytes (its audio,
// without tags) tell: with a valid frame header first, duration = size /
// (bitrate × 125); with a "Xing" tag in that frame, its frame count and seek
// table; infoFrame when the frame is an information frame ("Xing", "Info"
// or "VBRI").
StreamInfo probeStreamStart(const uint8_t* data, int32_t bytes, int64_t streamSize);

// Return: the byte fraction of the stream at time fraction x (clamped to
// 0..1), interpolated in the seek table; the pair after entry 99 is 256.
float seekTableFraction(const uint8_t* table, float x);

}  // namespace zarnel
