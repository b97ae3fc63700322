#include "platform/virtual/VirtualMediaLibrary.h"

#include "platform/AudioThread.h"

namespace zarnel {

// A reader over one of the library's files. Takes samples in order from the
// one set by the last open or range.
class VirtualMediaReader : public MediaReader {
 public:
  explicit VirtualMediaReader(VirtualMediaLibrary& library) : library_(library) {
    ++library_.readersAlive_;
  }
  ~VirtualMediaReader() override { --library_.readersAlive_; }

  bool open(const char* path) override {
    auto it = library_.files_.find(path ? path : "");
    if (library_.openFails_ || it == library_.files_.end()) return false;
    file_ = &it->second;
    next_ = 0;
    library_.lastOpened_ = it->first;
    return true;
  }
  void close() override { file_ = nullptr; }
  int32_t outputCount() override { return file_ ? int32_t(file_->outputs.size()) : 0; }
  bool outputFormat(int32_t output, MediaOutputFormat& format) override {
    if (!file_ || output < 0 || output >= outputCount()) return false;
    format = file_->outputs[size_t(output)];
    return true;
  }
  int32_t streamOfOutput(int32_t output) override {
    if (file_ && output >= 0 && output < int32_t(file_->streams.size())) {
      return file_->streams[size_t(output)];
    }
    return output + 1;
  }
  bool duration(uint64_t& value) override { return header(file_ ? file_->duration : std::nullopt, value); }
  bool fileSize(uint64_t& value) override { return header(file_ ? file_->fileSize : std::nullopt, value); }
  MediaResult nextSample(int32_t stream, MediaSample& sample) override;
  bool setRange(int64_t start, int64_t duration) override;

 private:
  static bool header(const std::optional<uint64_t>& field, uint64_t& value) {
    if (!field) return false;
    value = *field;
    return true;
  }

  VirtualMediaLibrary& library_;
  const VirtualMediaFile* file_ = nullptr;
  size_t next_ = 0;
};

MediaResult VirtualMediaReader::nextSample(int32_t stream, MediaSample& sample) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  library_.sampleRequests_.push_back(stream);
  if (!file_) return MediaResult::error;
  if (int32_t(next_) == file_->errorAtSample) return MediaResult::error;
  if (next_ >= file_->samples.size()) return MediaResult::noMoreSamples;
  const VirtualMediaSample& s = file_->samples[next_++];
  sample.bytes = s.bytes.data();
  sample.size = int32_t(s.bytes.size());
  sample.time = s.time;
  sample.duration = s.duration;
  return MediaResult::ok;
}

bool VirtualMediaReader::setRange(int64_t start, int64_t duration) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  library_.rangeCalls_.push_back({start, duration});
  if (library_.rangeFails_ || !file_) return false;
  // Restart at the first sample that still plays at start.
  next_ = 0;
  while (next_ < file_->samples.size()) {
    const VirtualMediaSample& s = file_->samples[next_];
    if (s.time + s.duration > start) break;
    ++next_;
  }
  return true;
}

void VirtualMediaLibrary::addFile(const std::string& path, VirtualMediaFile file) {
  files_[path] = std::move(file);
}

bool VirtualMediaLibrary::load() {
  if (loadFails_) return false;
  if (!loaded_) ++loads_;
  loaded_ = true;
  return true;
}

void VirtualMediaLibrary::unload() {
  if (loaded_) ++unloads_;
  readersAliveAtUnload_ = readersAlive_;
  loaded_ = false;
}

std::unique_ptr<MediaReader> VirtualMediaLibrary::createSyncReader() {
  if (createFails_ || !loaded_) return nullptr;
  ++readersCreated_;
  return std::make_unique<VirtualMediaReader>(*this);
}

}  // namespace zarnel
