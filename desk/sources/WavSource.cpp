#include "desk/sources/WavSource.h"

#include <algorithm>
#include <climits>

namespace zarnel {

namespace {

constexpr uint32_t kRiff = fourCc('R', 'I', 'F', 'F');
constexpr uint32_t kWave = fourCc('W', 'A', 'V', 'E');
constexpr uint32_t kFmt = fourCc('f', 'm', 't', ' ');
constexpr uint32_t kData = fourCc('d', 'a', 't', 'a');
constexpr uint32_t kPcmFormatBytes = 16;
constexpr uint16_t kFormatPcm = 1;


}  // namespace

WavSource::WavSource(FileSystem& files)
    : files_(files), scratch_(new int16_t[kMaxInputFrames * kChannels]) {}

WavSource::~WavSource() { close(); }

int32_t WavSource::open(const char* path) {
  close();
  setPosition(0.0f);
  length_ = -1;
  sizeKey_ = 0;
  if (!readHeader(path) || !headerUsable()) {
    riff_.close();
    return -1;
  }
  readBytes_ = bytesPerRead();
  consumed_ = 0;
  length_ = int32_t(dataSize_ / avgBytesPerSec_);
  sizeKey_ = int32_t(uint32_t(riff_.size()));
  open_ = riff_.seek(dataOffset_);
  if (!open_) riff_.close();
  return open_ ? length_ : -1;
}

bool WavSource::readHeader(const char* path) {
  RiffChunk riff;
  RiffChunk data;
  if (!riff_.open(files_, path)) return false;
  if (!riff_.descend(riff, nullptr, 0)) return false;
  if (riff.id != kRiff || riff.formType != kWave) return false;
  if (!readFormat(riff)) return false;
  if (!riff_.seek(riff.dataOffset + 4)) return false;
  if (!riff_.descend(data, &riff, kData)) return false;
  dataOffset_ = data.dataOffset;
  dataSize_ = data.size;
  // A recording cut short keeps the size it was meant to have: play what is there.
  const int64_t fileSize = riff_.size();
  if (fileSize < dataOffset_) return false;
  if (dataOffset_ + int64_t(dataSize_) > fileSize) dataSize_ = uint32_t(fileSize - dataOffset_);
  return true;
}

bool WavSource::readFormat(const RiffChunk& riff) {
  RiffChunk fmt;
  uint8_t raw[kPcmFormatBytes];
  if (!riff_.descend(fmt, &riff, kFmt) || fmt.size < kPcmFormatBytes) return false;
  if (riff_.read(raw, kPcmFormatBytes) != int32_t(kPcmFormatBytes)) return false;
  formatTag_ = readLe16(raw);
  format_.channels = readLe16(raw + 2);
  format_.rate = int32_t(std::min<uint32_t>(readLe32(raw + 4), INT32_MAX));
  avgBytesPerSec_ = readLe32(raw + 8);
  blockAlign_ = readLe16(raw + 12);
  format_.bits = readLe16(raw + 14);
  return formatTag_ == kFormatPcm && riff_.ascend(fmt);
}

// Refuses what the block format cannot take or a hostile header would turn
// into a division by zero, an overlong read or a read past the file.
bool WavSource::headerUsable() {
  const int32_t neededFrames = inputFramesPerBlock(format_.rate);
  const int32_t frameBytes = pcmFrameBytes(format_);
  if (neededFrames == 0 || format_.channels == 0 || format_.bits == 0) return false;
  if (blockAlign_ != frameBytes || avgBytesPerSec_ == 0) return false;
  if (dataSize_ / avgBytesPerSec_ > uint32_t(INT32_MAX)) return false;
  if (format_.rate > kSampleRate) return true;
  const int32_t framesRead = bytesPerRead() / frameBytes;
  return framesRead >= neededFrames && framesRead <= kBlockFrames;
}

int32_t WavSource::bytesPerRead() const {
  if (format_.rate > kSampleRate) return inputFramesPerBlock(format_.rate) * pcmFrameBytes(format_);
  const int64_t units = (int64_t(avgBytesPerSec_) * kBlockFrames + 44099) / kBytesPerSecond;
  return int32_t(std::min<int64_t>(units * 4, INT32_MAX - 3));
}

void WavSource::close() {
  riff_.close();
  open_ = false;
}

int32_t WavSource::read(int16_t* block) {
  if (!open_) return -1;
  if (dataSize_ - consumed_ < uint32_t(readBytes_)) return 0;
  int16_t* input = format_.rate > kSampleRate ? scratch_.get() : block;
  if (riff_.read(input, readBytes_) != readBytes_) return -1;
  consumed_ += uint32_t(readBytes_);
  setPosition(float(double(consumed_) / double(dataSize_)));
  convertBlock(input, readBytes_, format_, block);
  return 1;
}

int32_t WavSource::seek(float x) {
  setPosition(x);
  if (!open_) return 1;
  const double fraction = std::clamp(double(x), 0.0, 1.0);
  consumed_ = uint32_t(double(dataSize_) * fraction) & ~3u;
  riff_.seek(dataOffset_ + consumed_);
  return 1;
}

}  // namespace zarnel
