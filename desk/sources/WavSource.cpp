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
constexpr int32_t kExtensibleFormatBytes = 40;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;


}  // namespace

WavSource::WavSource(FileSystem& files)
    : files_(files), scratch_(new int16_t[kMaxInputFrames * kChannels]) {}

WavSource::~WavSource() { close(); }

int32_t WavSource::open(const char* path) {
  close();
  setPosition(0.0f);
  length_ = -1;
  sizeKey_ = 0;
  failure_ = OpenFailure::kNone;
  OpenFailure why = readHeader(path);
  if (why == OpenFailure::kNone) why = checkHeader();
  if (why != OpenFailure::kNone) {
    riff_.close();
    return fail(why);
  }
  readBytes_ = bytesPerRead();
  consumed_ = 0;
  length_ = int32_t(dataSize_ / avgBytesPerSec_);
  sizeKey_ = int32_t(uint32_t(riff_.size()));
  open_ = riff_.seek(dataOffset_);
  if (!open_) {
    riff_.close();
    length_ = -1;
    return fail(OpenFailure::kReadError);
  }
  readyBytes_ = readBytes_;
  ahead_.attach(this);
  return length_;
}

OpenFailure WavSource::readHeader(const char* path) {
  RiffChunk riff;
  RiffChunk data;
  if (!riff_.open(files_, path)) return OpenFailure::kNotFound;
  if (!riff_.descend(riff, nullptr, 0)) return unlessUnreadable(OpenFailure::kNotSupported);
  if (riff.id != kRiff || riff.formType != kWave) return OpenFailure::kNotSupported;
  const OpenFailure format = readFormat(riff);
  if (format != OpenFailure::kNone) return format;
  if (!riff_.seek(riff.dataOffset + 4)) return OpenFailure::kReadError;
  if (!riff_.descend(data, &riff, kData)) return unlessUnreadable(OpenFailure::kDamagedHeader);
  dataOffset_ = data.dataOffset;
  dataSize_ = data.size;
  // A recording cut short keeps the size it was meant to have: play what is there.
  const int64_t fileSize = riff_.size();
  if (fileSize < dataOffset_) return OpenFailure::kDamagedHeader;
  if (dataOffset_ + int64_t(dataSize_) > fileSize) dataSize_ = uint32_t(fileSize - dataOffset_);
  return OpenFailure::kNone;
}

// A chunk that was not found may be one that could not be read: a read at
// the same place tells. Return: kReadError when it fails, else why.
OpenFailure WavSource::unlessUnreadable(OpenFailure why) {
  uint8_t probe = 0;
  return riff_.read(&probe, 1) < 0 ? OpenFailure::kReadError : why;
}

// Reads the 16-byte PCM format, and for an extensible format the tag of its
// sub-format, which only tells why the file is refused.
OpenFailure WavSource::readFormat(const RiffChunk& riff) {
  RiffChunk fmt;
  uint8_t raw[kExtensibleFormatBytes];
  if (!riff_.descend(fmt, &riff, kFmt) || fmt.size < kPcmFormatBytes) return OpenFailure::kDamagedHeader;
  const int32_t want = fmt.size >= kExtensibleFormatBytes ? kExtensibleFormatBytes : kPcmFormatBytes;
  const int32_t got = riff_.read(raw, want);
  if (got < 0) return OpenFailure::kReadError;
  if (got != want) return OpenFailure::kDamagedHeader;
  formatTag_ = readLe16(raw);
  isExtensible_ = formatTag_ == kFormatExtensible;
  if (isExtensible_ && want == kExtensibleFormatBytes) formatTag_ = readLe16(raw + 24);
  format_.channels = readLe16(raw + 2);
  format_.rate = int32_t(std::min<uint32_t>(readLe32(raw + 4), INT32_MAX));
  avgBytesPerSec_ = readLe32(raw + 8);
  blockAlign_ = readLe16(raw + 12);
  format_.bits = readLe16(raw + 14);
  return riff_.ascend(fmt) ? OpenFailure::kNone : OpenFailure::kReadError;
}

// Refuses, with its reason, what the block format cannot take or a hostile
// header would turn into a division by zero, an overlong read or a read past
// the file. Only format tag 1 (PCM) plays: an extensible format, even of PCM,
// is refused.
OpenFailure WavSource::checkHeader() {
  if (formatTag_ == kFormatFloat) return OpenFailure::kWavFloat;
  if (format_.bits == 24) return OpenFailure::kWav24Bit;
  if (format_.bits == 32) return OpenFailure::kWav32Bit;
  if (formatTag_ != kFormatPcm || isExtensible_) return OpenFailure::kWavEncoding;
  if (format_.channels > 2) return OpenFailure::kTooManyChannels;
  if (format_.rate > kMaxSourceRate) return OpenFailure::kRateTooHigh;
  const int32_t neededFrames = inputFramesPerBlock(format_.rate);
  const int32_t frameBytes = pcmFrameBytes(format_);
  const OpenFailure damaged = OpenFailure::kDamagedHeader;
  if (neededFrames == 0 || format_.channels == 0 || format_.bits == 0) return damaged;
  if (blockAlign_ != frameBytes || avgBytesPerSec_ == 0) return damaged;
  if (dataSize_ / avgBytesPerSec_ > uint32_t(INT32_MAX)) return damaged;
  if (format_.rate > kSampleRate) return OpenFailure::kNone;
  const int32_t framesRead = bytesPerRead() / frameBytes;
  return framesRead >= neededFrames && framesRead <= kBlockFrames ? OpenFailure::kNone : damaged;
}

int32_t WavSource::bytesPerRead() const {
  if (format_.rate > kSampleRate) return inputFramesPerBlock(format_.rate) * pcmFrameBytes(format_);
  const int64_t units = (int64_t(avgBytesPerSec_) * kBlockFrames + 44099) / kBytesPerSecond;
  return int32_t(std::min<int64_t>(units * 4, INT32_MAX - 3));
}

void WavSource::close() {
  ahead_.detach();
  riff_.close();
  open_ = false;
}

int32_t WavSource::readRt(int16_t* block) {
  if (!open_) return kReadError;
  if (dataSize_ - consumed_ < uint32_t(readBytes_)) return kReadEnd;
  const Supply supply = ahead_.supplyRt(readBytes_);
  if (supply == Supply::kPending) return kReadPending;
  // The data chunk says these bytes exist: a file that ends or fails before
  // them is a read error.
  if (supply != Supply::kReady) return kReadError;
  int16_t* input = format_.rate > kSampleRate ? scratch_.get() : block;
  ahead_.takeRt(input, readBytes_);
  consumed_ += uint32_t(readBytes_);
  setPosition(float(double(consumed_) / double(dataSize_)));
  convertBlock(input, readBytes_, format_, block);
  return kReadBlock;
}

int32_t WavSource::seekRt(float x) {
  setPosition(x);
  if (!open_) return 1;
  const double fraction = std::clamp(double(x), 0.0, 1.0);
  consumed_ = uint32_t(double(dataSize_) * fraction) & ~3u;
  ahead_.seekRt(dataOffset_ + consumed_);
  return 1;
}

// The same reads, one block's bytes each, that the source made before it
// read ahead: a file that fails part-way fails at the same block.
int32_t WavSource::fetch(uint8_t* dst, int32_t max) {
  return riff_.read(dst, std::min(max, readBytes_));
}

}  // namespace zarnel
