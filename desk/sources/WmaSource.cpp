#include "desk/sources/WmaSource.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace zarnel {

namespace {

constexpr double kTicksPerSecond = 10'000'000.0;  // 100-ns units
// A record's position when the track's length is unknown: keep the last.
constexpr float kKeepPosition = -2.0f;

bool formatUsable(const PcmFormat& f) {
  return (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) &&
         inputFramesPerBlock(f.rate) > 0;
}

}  // namespace

std::atomic<int32_t> WmaSource::live_{0};

WmaSource::WmaSource(MediaLibrary* library)
    : library_(library),
      staging_(new uint8_t[kStagingBytes]),
      scratch_(new int16_t[kMaxInputFrames * kChannels]) {
  if (!library_) return;
  live_.fetch_add(1);
  libraryLoaded_ = library_->load();
}

WmaSource::~WmaSource() {
  close();
  // The reader's code lives in the library: release it before unloading.
  reader_.reset();
  if (library_ && live_.fetch_sub(1) == 1) library_->unload();
}

int32_t WmaSource::open(const char* path) {
  close();
  setPosition(0.0f);
  length_ = -1;
  sizeKey_ = 0;
  failure_ = OpenFailure::kNone;
  const OpenFailure refused = openReader(path);
  if (refused != OpenFailure::kNone) return fail(refused);
  stagingOffset_ = stagingFill_ = 0;
  endTime_ = 0;
  length_ = 0;
  format_ = PcmFormat{};
  bytesPerBlock_ = kBlockBytes;
  const OpenFailure output = takePcmOutput();
  if (output != OpenFailure::kNone) {
    close();
    length_ = -1;
    return fail(output);
  }
  readHeader();
  readyBytes_ = kRecordBytes;
  ahead_.attach(this);
  return length_;
}

OpenFailure WmaSource::openReader(const char* path) {
  if (!libraryLoaded_) return OpenFailure::kNoDevice;
  if (!path || std::strlen(path) + 1 > size_t(kMaxPathUnits)) return OpenFailure::kNotFound;
  if (!reader_) reader_ = library_->createSyncReader();
  if (!reader_) return OpenFailure::kNoDevice;
  if (!reader_->open(path)) return OpenFailure::kReaderRefused;
  readerOpen_ = true;
  return OpenFailure::kNone;
}

// Takes the first audio PCM output. Formats the block cannot take (more than
// two channels, other sample widths, rates out of range) fail the open rather
// than overrun the block on the first read.
OpenFailure WmaSource::takePcmOutput() {
  const int32_t outputs = reader_->outputCount();
  for (int32_t i = 0; i < outputs; ++i) {
    MediaOutputFormat f;
    if (!reader_->outputFormat(i, f) || !f.audio || !f.pcm || !f.waveFormatEx) continue;
    stream_ = reader_->streamOfOutput(i);
    format_ = PcmFormat{f.rate, f.channels, f.bits};
    if (format_.channels > 2) return OpenFailure::kTooManyChannels;
    if (format_.rate > kMaxSourceRate) return OpenFailure::kRateTooHigh;
    if (!formatUsable(format_)) return OpenFailure::kNotSupported;
    // channels × bits × rate × 1152 / 352800, kept to whole frames so that
    // blocks stay aligned where the rate does not divide evenly; above
    // 44100 Hz, the frames the decimation takes.
    bytesPerBlock_ = inputFramesPerBlock(format_.rate) * pcmFrameBytes(format_);
    return OpenFailure::kNone;
  }
  return OpenFailure::kNotSupported;
}

void WmaSource::readHeader() {
  uint64_t duration = 0;
  uint64_t fileSize = 0;
  if (reader_->duration(duration)) {
    length_ = int32_t(std::min<uint64_t>(duration / 10'000'000u, INT32_MAX));
  }
  if (reader_->fileSize(fileSize)) sizeKey_ = int32_t(uint32_t(fileSize));
}

void WmaSource::close() {
  ahead_.detach();
  if (readerOpen_) reader_->close();
  readerOpen_ = false;
}

int32_t WmaSource::fillStaging() {
  const int32_t rest = stagingFill_ - stagingOffset_;
  std::memmove(staging_.get(), staging_.get() + stagingOffset_, size_t(rest));
  stagingFill_ = rest;
  stagingOffset_ = 0;
  while (stagingFill_ < bytesPerBlock_) {
    MediaSample sample;
    const MediaResult result = reader_->nextSample(stream_, sample);
    if (result == MediaResult::noMoreSamples) return 0;
    if (result != MediaResult::ok) return -1;
    const int32_t n = sample.bytes ? std::clamp(sample.size, 0, kStagingBytes - stagingFill_) : 0;
    if (n > 0) std::memcpy(staging_.get() + stagingFill_, sample.bytes, size_t(n));
    stagingFill_ += n;
    endTime_ = sample.time + sample.duration;
  }
  return 1;
}

float WmaSource::stagedPosition() const {
  if (length_ <= 0) return kKeepPosition;
  const int32_t bytesPerSecond = format_.bits * format_.rate * format_.channels / 8;
  const double buffered = double(stagingFill_ - stagingOffset_) / double(bytesPerSecond);
  return float((double(endTime_) / kTicksPerSecond - buffered) / double(length_));
}

int32_t WmaSource::fetch(uint8_t* dst, int32_t) {
  if (!readerOpen_) return -1;
  if (stagingFill_ - stagingOffset_ < bytesPerBlock_) {
    const int32_t filled = fillStaging();
    if (filled <= 0) return filled;
  }
  auto* block = reinterpret_cast<int16_t*>(dst + sizeof(float));
  int16_t* input = format_.rate > kSampleRate ? scratch_.get() : block;
  std::memcpy(input, staging_.get() + stagingOffset_, size_t(bytesPerBlock_));
  stagingOffset_ += bytesPerBlock_;
  const float position = stagedPosition();
  std::memcpy(dst, &position, sizeof(float));
  convertBlock(input, bytesPerBlock_, format_, block);
  return kRecordBytes;
}

bool WmaSource::reposition(int64_t start) {
  if (!reader_->setRange(start, 0)) return false;
  stagingOffset_ = stagingFill_ = 0;
  return true;
}

int32_t WmaSource::readRt(int16_t* block) {
  if (!readerOpen_) return kReadError;
  const Supply supply = ahead_.supplyRt(kRecordBytes);
  if (supply == Supply::kPending) return kReadPending;
  if (supply == Supply::kEnded) return kReadEnd;
  if (supply == Supply::kFailed) return kReadError;
  float position = kKeepPosition;
  ahead_.takeRt(&position, sizeof(float));
  ahead_.takeRt(block, kBlockBytes);
  if (position != kKeepPosition) setPosition(position);
  return kReadBlock;
}

int32_t WmaSource::seekRt(float x) {
  if (!readerOpen_) return 0;
  const double fraction = std::clamp(double(x), 0.0, 1.0);
  if (!ahead_.seekRt(int64_t(double(length_) * fraction * kTicksPerSecond))) return 0;
  setPosition(x);
  return 1;
}

}  // namespace zarnel
