#pragma once
// Audio CD tracks, named by their ".cda" files and read raw from the drive,
// 27 sectors at a time.

#include <cstdint>
#include <memory>

#include "desk/sources/AudioSource.h"
#include "platform/ByteFile.h"
#include "platform/CdDrive.h"

namespace zarnel {

// Its read-ahead holds raw sectors, read kBufferSectors at a time.
class CdSource : public AudioSource, private ReadAheadFeed {
 public:
  static constexpr int32_t kBufferSectors = 27;
  static constexpr int32_t kBufferFrames = kBufferSectors * kCdFramesPerSector;  // 15876

  // Takes a drive from access when the machine has raw CD access; with null
  // access, or none available, tracks still open but every read fails.
  // files and access must outlive the source. UI thread.
  CdSource(FileSystem& files, CdAccess* access);
  ~CdSource() override;

  // path is "X:..." naming a ".cda" file: RIFF "CDDA" with a "fmt " chunk of
  // at least 24 bytes, version word not 0, start sector at bytes 8..11 and
  // sector count (not 0) at bytes 12..15. Opens drive X when there is one.
  // UI thread. Return: sectors / 75, or -1 (openFailure() tells why: a
  // missing file, not a CD track, a damaged header, a drive that does not
  // open). Post: size key =
  // ((start << 16) with the top bit clear) | (sectors & 0xFFFF); position 0.
  int32_t open(const char* path) override;
  // UI thread.
  void close() override;
  // Audio thread. Return: kReadBlock; kReadEnd for the block that reaches
  // the track's end (it is not played); kReadError when the drive fails or
  // there is none; kReadPending before the sectors are read.
  int32_t readRt(int16_t* block) override;
  // Next read starts at sector start + truncate(sectors × x). Audio thread.
  // Return: 1.
  int32_t seekRt(float x) override;

 private:
  OpenFailure readCdaFile(const char* path);
  int32_t endOfTrackRt();

  // The feed, on the reader thread: kBufferSectors sectors per fetch, none
  // that would start at or past the track's end (past the last track that
  // read fails).
  int32_t unitBytes() const override { return kBufferSectors * kCdSectorBytes; }
  bool reposition(int64_t sector) override;
  int32_t fetch(uint8_t* dst, int32_t max) override;

  FileSystem& files_;
  std::unique_ptr<CdDrive> drive_;  // the reader's once open
  int64_t start_ = 0;
  int64_t sectors_ = 0;
  int64_t nextSector_ = 0;     // the reader's next sector
  int64_t seekSector_ = 0;     // where the audio thread's reads started
  int64_t framesTaken_ = 0;    // frames the audio thread took since
  bool driveOpen_ = false;
  bool trackOpen_ = false;
};

}  // namespace zarnel
