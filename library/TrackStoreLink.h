#pragma once
// What a desk asks of the track store when it loads a track. The store itself
// lives in the library; a desk without one loads tracks without entries.

#include <cstdint>
#include <string>

#include "library/TrackEntry.h"

namespace zarnel {

// UI thread only.
class TrackStoreLink {
 public:
  virtual ~TrackStoreLink() = default;
  // Return: the entry for path and sizeKey, created if new; null on failure.
  virtual TrackEntry* find(const char* path, int32_t sizeKey) = 0;
  // Loads the entry's data if needed and counts one more holder. Return: the data.
  virtual TrackData* acquire(TrackEntry* entry) = 0;
  // Drops one holder, storing the data when the last one goes.
  virtual void release(TrackEntry* entry) = 0;
  // Turns a disc path ("disc=track") into a file path. On failure message
  // holds the desk's text. Return: false when the disc is not in the drive.
  virtual bool resolveDiscPath(const std::string& discPath, std::string& filePath,
                               std::string& message) = 0;
};

}  // namespace zarnel
