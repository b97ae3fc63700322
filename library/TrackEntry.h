#pragma once
// The per-track records of the track store, as the desks use them.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel {

struct TrackEntry;

struct CueEntry {
  float position = 0.0f;
  int32_t value = 0;
  uint8_t flag = 0;
  std::string label;
};

// Analysis results and cue points of one track, loaded on demand.
struct TrackData {
  TrackEntry* entry = nullptr;
  float v1 = 0.0f;  // first beat, fraction of the track
  float v2 = 0.0f;  // last beat
  float v3 = 0.0f;  // cue position
  int32_t v4 = 0;
  int32_t v5 = 0;
  int32_t v6 = 0;
  int32_t v7 = 1;
  int32_t v8 = 0;   // loudness peak
  std::vector<CueEntry> cues;
};

// One known track, keyed by file name without folder and size key.
struct TrackEntry {
  int32_t users = 0;
  TrackData* data = nullptr;
  int32_t sizeKey = 0;
  float bpm = 0.0f;
  int32_t lastUse = 0;
  std::string name;
};

}  // namespace zarnel
