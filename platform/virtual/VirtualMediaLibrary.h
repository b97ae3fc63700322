#pragma once
// Scriptable in-memory media library: files with outputs, header values and
// timed PCM samples; every failure of the reader can be forced, and range
// seeks and sample requests are recorded.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/MediaReader.h"

namespace zarnel {

// One sample as the reader delivers it. Times in 100-ns units.
struct VirtualMediaSample {
  std::vector<uint8_t> bytes;
  int64_t time = 0;
  int64_t duration = 0;
};

// A media file as the reader sees it.
struct VirtualMediaFile {
  std::vector<MediaOutputFormat> outputs;
  // Stream number of output i; outputs without an entry deliver stream i + 1.
  std::vector<int32_t> streams;
  std::optional<uint64_t> duration;  // header "Duration", 100-ns units
  std::optional<uint64_t> fileSize;  // header "FileSize"
  // Samples in time order; the same list answers every stream.
  std::vector<VirtualMediaSample> samples;
  // Index of the sample whose request fails with a reader error; -1: none.
  int32_t errorAtSample = -1;
};

// One setRange call a reader received.
struct MediaRangeCall {
  int64_t start = 0;
  int64_t duration = 0;
  bool operator==(const MediaRangeCall&) const = default;
};

// The library and every reader it creates share this object's files and
// records; it must outlive them. Single-threaded, like the tests using it.
class VirtualMediaLibrary : public MediaLibrary {
 public:
  void addFile(const std::string& path, VirtualMediaFile file);

  void setLoadFails(bool fails) { loadFails_ = fails; }
  void setCreateFails(bool fails) { createFails_ = fails; }
  void setOpenFails(bool fails) { openFails_ = fails; }
  void setRangeFails(bool fails) { rangeFails_ = fails; }

  // Times load() found the library unloaded and loaded it.
  int32_t loads() const { return loads_; }
  // Times unload() found the library loaded and unloaded it.
  int32_t unloads() const { return unloads_; }
  bool isLoaded() const { return loaded_; }
  int32_t readersCreated() const { return readersCreated_; }
  // Readers still alive when the library was last unloaded (their code would
  // be gone): should be 0.
  int32_t readersAliveAtUnload() const { return readersAliveAtUnload_; }
  const std::vector<MediaRangeCall>& rangeCalls() const { return rangeCalls_; }
  // Stream numbers of every nextSample call, in order.
  const std::vector<int32_t>& sampleRequests() const { return sampleRequests_; }
  // Path of the last successful open.
  const std::string& lastOpened() const { return lastOpened_; }

  bool load() override;
  void unload() override;
  std::unique_ptr<MediaReader> createSyncReader() override;

 private:
  friend class VirtualMediaReader;

  std::map<std::string, VirtualMediaFile> files_;
  bool loadFails_ = false;
  bool createFails_ = false;
  bool openFails_ = false;
  bool rangeFails_ = false;
  bool loaded_ = false;
  int32_t loads_ = 0;
  int32_t unloads_ = 0;
  int32_t readersCreated_ = 0;
  int32_t readersAlive_ = 0;
  int32_t readersAliveAtUnload_ = 0;
  std::vector<MediaRangeCall> rangeCalls_;
  std::vector<int32_t> sampleRequests_;
  std::string lastOpened_;
};

}  // namespace zarnel
