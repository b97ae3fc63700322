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

CdSource::CdSource(FileSystem& files, CdAccess* access) : files_(files) {
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
  nextSector_ = seekSector_ = start_;
  framesTaken_ = 0;
  if (drive_) {
    if (!drive_->open(path[0])) return fail(OpenFailure::kNoDevice);
    driveOpen_ = true;
  }
  trackOpen_ = true;
  readyBytes_ = kBlockBytes;
  ahead_.attach(this);
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
  ahead_.detach();
  if (driveOpen_) drive_->close();
  driveOpen_ = false;
  trackOpen_ = false;
}

bool CdSource::reposition(int64_t sector) {
  nextSector_ = sector;
  return true;
}

int32_t CdSource::fetch(uint8_t* dst, int32_t) {
  if (!driveOpen_) return -1;
  if (nextSector_ >= start_ + sectors_) return 0;
  if (!drive_->readSectors(uint32_t(nextSector_), kBufferSectors, dst)) return -1;
  nextSector_ += kBufferSectors;
  return kBufferSectors * kCdSectorBytes;
}

int32_t CdSource::readRt(int16_t* block) {
  if (!trackOpen_ || !driveOpen_) return kReadError;
  const Supply supply = ahead_.supplyRt(kBlockBytes);
  if (supply == Supply::kPending) return kReadPending;
  if (supply == Supply::kFailed) return kReadError;
  if (supply == Supply::kEnded) return endOfTrackRt();
  ahead_.takeRt(block, kBlockBytes);
  framesTaken_ += kBlockFrames;
  const int64_t done = seekSector_ - start_ + framesTaken_ / kCdFramesPerSector;
  setPosition(float(double(done) / double(sectors_)));
  return position() < 1.0f ? kReadBlock : kReadEnd;
}

// The reader stopped at the track's end with less than a block left: the
// position is where that block would have ended.
int32_t CdSource::endOfTrackRt() {
  const int64_t left = ahead_.availableRt() / kBytesPerFrame;
  const int64_t next = seekSector_ + (framesTaken_ + left) / kCdFramesPerSector;
  const int64_t done = next - start_ + (kBlockFrames - left) / kCdFramesPerSector;
  setPosition(float(double(done) / double(sectors_)));
  return kReadEnd;
}

int32_t CdSource::seekRt(float x) {
  const double fraction = std::clamp(double(x), 0.0, 1.0);
  seekSector_ = start_ + int64_t(double(sectors_) * fraction);
  framesTaken_ = 0;
  ahead_.seekRt(seekSector_);
  setPosition(float(double(seekSector_ - start_) / double(sectors_ ? sectors_ : 1)));
  return 1;
}

}  // namespace zarnel
