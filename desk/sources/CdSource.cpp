#include "desk/sources/CdSource.h"

#include <algorithm>
#include <cstring>

#include "platform/RiffFile.h"

namespace zarnel {

namespace {

constexpr uint32_t kRiff = fourCc('R', 'I', 'F', 'F');
constexpr uint32_t kCdda = fourCc('C', 'D', 'D', 'A');
constexpr uint32_t kFmt = fourCc('f', 'm', 't', ' ');
constexpr uint32_t kCdaFormatBytes = 24;


bool startsWithDrive(const char* path) {
  if (!path) return false;
  const char c = path[0];
  return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

}  // namespace

CdSource::CdSource(FileSystem& files, CdAccess* access)
    : files_(files), buffer_(new int16_t[kBufferFrames * kChannels]) {
  if (access && access->available()) drive_ = access->createDrive();
}

CdSource::~CdSource() { close(); }

int32_t CdSource::open(const char* path) {
  close();
  setPosition(0.0f);
  length_ = -1;
  sizeKey_ = 0;
  failure_ = OpenFailure::kNone;
  if (!startsWithDrive(path)) return fail(OpenFailure::kNotFound);
  const OpenFailure why = readCdaFile(path);
  if (why != OpenFailure::kNone) return fail(why);
  const uint32_t key = ((uint32_t(start_) << 16) & 0x7FFFFFFFu) | (uint32_t(sectors_) & 0xFFFFu);
  sizeKey_ = int32_t(key);
  nextSector_ = start_;
  bufferIndex_ = kBufferFrames;
  if (drive_) {
    if (!drive_->open(path[0])) return fail(OpenFailure::kNoDevice);
    driveOpen_ = true;
  }
  trackOpen_ = true;
  length_ = int32_t(sectors_ / kCdSectorsPerSecond);
  return length_;
}

OpenFailure CdSource::readCdaFile(const char* path) {
  RiffFile cda;
  RiffChunk riff;
  RiffChunk fmt;
  uint8_t raw[kCdaFormatBytes];
  if (!cda.open(files_, path)) return OpenFailure::kNotFound;
  if (!cda.descend(riff, nullptr, 0)) return OpenFailure::kNotSupported;
  if (riff.id != kRiff || riff.formType != kCdda) return OpenFailure::kNotSupported;
  if (!cda.descend(fmt, &riff, kFmt) || fmt.size < kCdaFormatBytes) return OpenFailure::kDamagedHeader;
  const int32_t got = cda.read(raw, kCdaFormatBytes);
  if (got < 0) return OpenFailure::kReadError;
  if (got != int32_t(kCdaFormatBytes) || readLe16(raw) == 0) return OpenFailure::kDamagedHeader;
  start_ = readLe32(raw + 8);
  sectors_ = readLe32(raw + 12);
  // An empty track has no position to report.
  return sectors_ != 0 ? OpenFailure::kNone : OpenFailure::kDamagedHeader;
}

void CdSource::close() {
  if (driveOpen_) drive_->close();
  driveOpen_ = false;
  trackOpen_ = false;
}

bool CdSource::fillBuffer() {
  auto* dst = reinterpret_cast<uint8_t*>(buffer_.get());
  if (!drive_->readSectors(uint32_t(nextSector_), kBufferSectors, dst)) return false;
  nextSector_ += kBufferSectors;
  bufferIndex_ = 0;
  return true;
}

void CdSource::copyFrames(int16_t* dst, int32_t frames) {
  std::memcpy(dst, buffer_.get() + bufferIndex_ * kChannels, size_t(frames) * kBytesPerFrame);
  bufferIndex_ += frames;
}

void CdSource::updatePosition() {
  const int64_t bufferStart = nextSector_ - kBufferSectors;
  const int64_t done = bufferStart - start_ + bufferIndex_ / kCdFramesPerSector;
  setPosition(float(double(done) / double(sectors_)));
}

int32_t CdSource::read(int16_t* block) {
  if (!trackOpen_ || !driveOpen_) return -1;
  const int32_t left = kBufferFrames - bufferIndex_;
  if (left >= kBlockFrames) {
    copyFrames(block, kBlockFrames);
  } else {
    // A block that needs a buffer starting at or past the track's end would
    // be reported as the end anyway: do not ask the drive to read past it
    // (past the last track that read fails), just report that position.
    if (nextSector_ >= start_ + sectors_) {
      const int64_t done = nextSector_ - start_ + (kBlockFrames - left) / kCdFramesPerSector;
      setPosition(float(double(done) / double(sectors_)));
      return 0;
    }
    copyFrames(block, left);
    if (!fillBuffer()) return -1;
    copyFrames(block + left * kChannels, kBlockFrames - left);
  }
  updatePosition();
  return position() < 1.0f ? 1 : 0;
}

int32_t CdSource::seek(float x) {
  const double fraction = std::clamp(double(x), 0.0, 1.0);
  nextSector_ = start_ + int64_t(double(sectors_) * fraction);
  bufferIndex_ = kBufferFrames;
  setPosition(float(double(nextSector_ - start_) / double(sectors_ ? sectors_ : 1)));
  return 1;
}

}  // namespace zarnel
