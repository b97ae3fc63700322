#include "tools/common/WavWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zarnel::tools {

namespace {

constexpr size_t kChunkSamples = 16384;  // samples converted per write
constexpr uint32_t kJunkBytes = 28;      // the size of a "ds64" chunk without a table

class HeaderBytes {
 public:
  void tag(const char* four) { bytes_.insert(bytes_.end(), four, four + 4); }
  void u16(uint32_t v) { put(v, 2); }
  void u32(uint32_t v) { put(v, 4); }
  void u64(uint64_t v) { put(v, 8); }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  void put(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) bytes_.push_back(uint8_t(v >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace

WavWriter::WavWriter(int32_t channels, int32_t rate, uint64_t dataLimit)
    : channels_(channels), rate_(rate), dataLimit_(std::min(dataLimit, kRiffDataLimit)) {}

bool WavWriter::open(const std::string& path, const std::vector<std::string>& inputs, std::string& error) {
  dataBytes_ = 0;
  rf64_ = false;
  expectedFrames_ = -1;
  headerWritten_ = false;
  return file_.open(path, inputs, error);
}

// Writes the header at the file's start: first as room (its sizes zero),
// at close with the sizes.
bool WavWriter::putHeader(std::string& error) {
  if (!headerWritten_) {
    reserved_ = expectedFrames_ < 0 || uint64_t(expectedFrames_) * uint64_t(blockAlign()) > dataLimit_;
    headerWritten_ = true;
  }
  const std::vector<uint8_t> head = header();
  if (std::fseek(file_.stream(), 0, SEEK_SET) != 0 ||
      std::fwrite(head.data(), 1, head.size(), file_.stream()) != head.size()) {
    error = "cannot write " + file_.target() + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool WavWriter::write(const int16_t* samples, size_t frames, std::string& error) {
  if (!file_.isOpen()) {
    error = "no WAV file is open";
    return false;
  }
  if (!headerWritten_ && !putHeader(error)) return false;
  const uint64_t bytes = uint64_t(frames) * uint64_t(blockAlign());
  if (!reserved_ && dataBytes_ + bytes > dataLimit_) {
    error = "more audio than announced for " + file_.target();
    return false;
  }
  uint8_t chunk[kChunkSamples * 2];
  const size_t count = frames * size_t(channels_);
  for (size_t done = 0; done < count;) {
    const size_t n = std::min(kChunkSamples, count - done);
    for (size_t i = 0; i < n; ++i) {  // little-endian whatever the host
      chunk[2 * i] = uint8_t(uint16_t(samples[done + i]));
      chunk[2 * i + 1] = uint8_t(uint16_t(samples[done + i]) >> 8);
    }
    if (std::fwrite(chunk, 1, n * 2, file_.stream()) != n * 2) {
      error = "cannot write " + file_.target() + ": " + std::strerror(errno);
      return false;
    }
    done += n;
  }
  dataBytes_ += bytes;
  return true;
}

bool WavWriter::close(std::string& error) {
  if (!file_.isOpen()) {
    error = "no WAV file is open";
    return false;
  }
  if (!headerWritten_ && !putHeader(error)) {  // an empty file still gets its header
    file_.abandon();
    return false;
  }
  rf64_ = dataBytes_ > dataLimit_;
  if (!putHeader(error)) {
    file_.abandon();
    return false;
  }
  return file_.commit(error);
}

std::vector<uint8_t> WavWriter::header() const {
  HeaderBytes h;
  const uint32_t reserve = reserved_ ? 8 + kJunkBytes : 0;
  const uint64_t riffBytes = 4 + reserve + 24 + 8 + dataBytes_;
  h.tag(rf64_ ? "RF64" : "RIFF");
  h.u32(rf64_ ? 0xFFFFFFFFu : uint32_t(riffBytes));
  h.tag("WAVE");
  if (reserved_) {
    h.tag(rf64_ ? "ds64" : "JUNK");
    h.u32(kJunkBytes);
    h.u64(rf64_ ? riffBytes : 0);
    h.u64(rf64_ ? dataBytes_ : 0);
    h.u64(rf64_ ? dataBytes_ / uint64_t(blockAlign()) : 0);
    h.u32(0);  // no table of other chunks' sizes
  }
  h.tag("fmt ");
  h.u32(16);
  h.u16(1);  // PCM
  h.u16(uint32_t(channels_));
  h.u32(uint32_t(rate_));
  h.u32(uint32_t(rate_ * blockAlign()));
  h.u16(uint32_t(blockAlign()));
  h.u16(16);
  h.tag("data");
  h.u32(rf64_ ? 0xFFFFFFFFu : uint32_t(dataBytes_));
  return h.take();
}

}  // namespace zarnel::tools
