#pragma once
// A track store of one entry for the analyser's tests: every find returns it,
// and acquire and release are counted.

#include <string>

#include "library/TrackStoreLink.h"

namespace zarnel::test {

class OneEntryStore : public TrackStoreLink {
 public:
  OneEntryStore() { data.entry = &entry; }
  TrackEntry* find(const char* path, int32_t sizeKey) override {
    lastPath = path;
    entry.sizeKey = sizeKey;
    return &entry;
  }
  TrackData* acquire(TrackEntry*) override {
    ++acquired;
    return &data;
  }
  void release(TrackEntry*) override {
    ++released;
    releasedBpm = entry.bpm;
  }
  bool resolveDiscPath(const std::string&, std::string&, std::string&) override { return false; }

  TrackEntry entry;
  TrackData data;
  std::string lastPath;
  int acquired = 0, released = 0;
  float releasedBpm = -1.0f;
};

}  // namespace zarnel::test
