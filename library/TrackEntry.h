#pragma once
// The per-track records of the track store: an entry for every known track,
// its data while someone holds it, and its cue points.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarnel {

struct TrackEntry;

// A typed tempo above this marks the data as fixed by the user.
constexpr int32_t kUserBpmLock = 2147483647;

struct CueEntry {
  float position = 0.0f;  // fraction 0..1 of the track
  int32_t value = 0;
  uint8_t flag = 0;
  std::string label;      // empty: none
};

// Analysis results and cue points of one track, loaded on demand.
struct TrackData {
  TrackEntry* entry = nullptr;
  float v1 = 0.0f;  // first beat, fraction of the track
  float v2 = 0.0f;  // last beat
  float v3 = 0.0f;  // cue position
  int32_t v4 = 0;
  int32_t v5 = 0;
  int32_t v6 = 0;   // bpm confirmation count; kUserBpmLock for a typed bpm
  int32_t v7 = 1;
  int32_t v8 = 0;   // loudness peak
  std::vector<CueEntry> cues;
};

// One known track, keyed by file name without folder and size key. The store
// owns every entry for the whole run.
struct TrackEntry {
  TrackEntry* next = nullptr;      // list of every entry, newest first
  int32_t users = 0;               // holders of data
  int32_t blockOffset = -1;        // file offset of the entry's block; -1: not stored
  TrackData* data = nullptr;       // owned by the store while users > 0
  int32_t sizeKey = 0;
  float bpm = 0.0f;                // 0: none yet
  int32_t lastUse = 0;             // date stamp; 0: never used
  std::optional<std::string> comment;  // edited this run; none: use storedComment
  std::string name;                // file name without folder
  std::string storedComment;       // the comment held in the entry's block
};

}  // namespace zarnel
